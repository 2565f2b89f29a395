#!/usr/bin/env bash
# From process start to the first window painted, on a data file of 10,000 records (name days on,
# a week of reminders due), offscreen:
#   bench/ui/measure_startup.sh BUILD_DIR [RUNS] [WORD]
# WORD is the command word: none for the main window, PROG or RAPPEL for the reminder window.
# Prints each run's time and peak resident memory, then the medians.
set -euo pipefail
build=${1:?usage: measure_startup.sh BUILD_DIR [RUNS] [WORD]}
runs=${2:-15}
word=${3:-}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/data/velorine" "$home/config/velorine"
"$build/bench/store/generate_data_file" 10000 "$home/data/velorine/velor.ini"

times=() memories=()
for ((i = 0; i < runs; i++)); do
  start=$(date +%s%N)
  read -r shown peak < <(HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config \
    QT_QPA_PLATFORM=offscreen "$build/bench/ui/startup_probe" ${word:+"$word"} 2>/dev/null)
  times+=($(((shown - start) / 1000000)))
  memories+=($((peak / 1024)))
  echo "run $((i + 1)): ${times[-1]} ms, ${memories[-1]} MB"
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "median: $(median "${times[@]}") ms from process start to the ${word:-list} window painted," \
     "$(median "${memories[@]}") MB peak resident"
