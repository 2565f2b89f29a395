#!/usr/bin/env bash
# Whole-process timings, start to end: velorine-rappels --fichier on generated data files of
# 10,000 and 100,000 slots (name days on, horizon 7), with reminders due and with nothing due, and
# velorine PROG with nothing due on the same files when the program has been built.
#
# Usage: bench/reminders/process_bench.sh BUILD_DIR [RUNS]
# BUILD_DIR must hold the targets velorine-rappels, generate_data_file, generate_quiet_data_file
# and time_process (and velorine for the last measure).
set -euo pipefail

build=$(cd "$1" && pwd)
runs=${2:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

today=$(date +%d/%m/%Y)
timer="$build/bench/reminders/time_process"
rappels="$build/src/tools/velorine-rappels"
velorine="$build/src/app/velorine"

for records in 10000 100000; do
  "$build/bench/store/generate_data_file" "$records" "$work/due-$records.ini"
  "$build/bench/reminders/generate_quiet_data_file" "$records" "$work/quiet-$records.ini"

  echo "velorine-rappels --fichier, $records fiches, des rappels dus ($("$rappels" --fichier "$work/due-$records.ini" | wc -l) lignes) :"
  "$timer" "$runs" "$rappels" --fichier "$work/due-$records.ini" --date "$today"
  echo "velorine-rappels --fichier, $records fiches, rien à rappeler :"
  "$timer" "$runs" "$rappels" --fichier "$work/quiet-$records.ini" --date "$today"

  if [ -x "$velorine" ]; then
    home="$work/home-$records"
    mkdir -p "$home/data/velorine" "$home/config"
    cp "$work/quiet-$records.ini" "$home/data/velorine/velor.ini"
    export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" QT_QPA_PLATFORM=offscreen
    # Something due would open the window and never end: make sure the gate says no first.
    status=0
    timeout 20 "$velorine" PROG || status=$?
    if [ "$status" -ne 1 ]; then
      echo "velorine PROG devait finir avec le code 1, il a donné $status" >&2
      exit 1
    fi
    echo "velorine PROG, $records fiches, rien à rappeler :"
    "$timer" "$runs" "$velorine" PROG
    unset HOME XDG_DATA_HOME XDG_CONFIG_HOME QT_QPA_PLATFORM
  else
    echo "(velorine n'est pas construit dans $build : mesure de velorine PROG sautée)"
  fi
done
