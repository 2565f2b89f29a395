#!/usr/bin/env bash
# The figures of the start at logon, whole processes, medians of alternated runs:
#   1. velorine PROG with nothing due against velorine-rappels with nothing due (10,000 people,
#      addresses, e-mails, name days on, the data file already compact); then the same with the
#      day's sync with the address book online to start in the background;
#   2. velorine-rappels against birthday(1), and calendar(1) for the record, on the same 10,000
#      birthdays (name days off, so that the lines are the same), with the number of lines of each;
#   3. velorine-rappels at 1,000,000 people against its 10,000 figure, and its peak memory against
#      the file's size;
#   4. velorine PROG on damaged and hostile files: peak memory against the file's size, time at two
#      sizes (linear when the ratio of times follows the ratio of sizes), the file's size after.
#
# Usage: bench/logon_bench.sh BUILD_DIR [RUNS] [HOSTILE_MB]
# BUILD_DIR must hold velorine, velorine-fenetres, velorine-rappels, generate_data_file,
# generate_quiet_data_file and compare_processes. RUNS defaults to 15, HOSTILE_MB (the larger size
# of the damaged files) to 100. birthday and calendar are installed from Debian when missing.
set -euo pipefail

build=$(cd "$1" && pwd)
runs=${2:-15}
hostile_mb=${3:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

compare="$build/bench/reminders/compare_processes"
rappels="$build/src/tools/velorine-rappels"
velorine="$build/src/app/velorine"
generate="$build/bench/store/generate_data_file"
generate_quiet="$build/bench/reminders/generate_quiet_data_file"
today=$(date +%d/%m/%Y)

missing=()
command -v birthday >/dev/null || missing+=(birthday)
command -v calendar >/dev/null || missing+=(calendar)
if [ ${#missing[@]} -gt 0 ]; then
  apt-get install -y "${missing[@]}" >/dev/null
fi

# A private home for velorine, holding the given file as its data file.
use_data_file() {
  export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
  rm -rf "$HOME"
  mkdir -p "$XDG_DATA_HOME/velorine" "$XDG_CONFIG_HOME"
  cp "$1" "$XDG_DATA_HOME/velorine/velor.ini"
}

size_of() { stat -c %s "$1"; }

echo "== 1. velorine PROG, rien à rappeler, contre velorine-rappels, rien à rappeler (10 000 fiches)"
"$generate_quiet" 10000 "$work/quiet.ini"
use_data_file "$work/quiet.ini"
status=0
timeout 20 "$velorine" PROG || status=$?
if [ "$status" -ne 1 ]; then
  echo "velorine PROG devait finir avec le code 1, il a donné $status" >&2
  exit 1
fi
"$compare" "$runs" "$rappels" --fichier "$work/quiet.ini" --date "$today" -- "$velorine" PROG
echo "  (objectif : rapport <= 1,3)"
echo "   … avec la synchronisation du jour à lancer (carnet d'adresses en ligne)"
# The sync started in the background refuses this address and records nothing, so that it is due
# again at every run: the gate starts it each time, its worst case.
mkdir -p "$XDG_CONFIG_HOME/velorine"
printf '[CarnetEnLigne]\r\nAdresse=ftp://carnet.invalid/\r\n' > "$XDG_CONFIG_HOME/velorine/velorine.conf"
"$compare" "$runs" "$rappels" --fichier "$work/quiet.ini" --date "$today" -- "$velorine" PROG
echo "  (objectif : rapport <= 1,3)"
rm "$XDG_CONFIG_HOME/velorine/velorine.conf"

echo "== 2. velorine-rappels contre birthday(1) et calendar(1), mêmes 10 000 anniversaires"
"$generate" 10000 "$work/due.ini"
sed 's/^RappelFete=1/RappelFete=0/' "$work/due.ini" > "$work/birthdays.ini"
awk -F= '{ sub(/\r$/, "") }
         /^Nom[0-9]/  { surname[substr($1, 4)] = $2 }
         /^Pren[0-9]/ { first[substr($1, 5)] = $2 }
         /^Date[0-9]/ { print first[substr($1, 5)] " " surname[substr($1, 5)] "=" $2 }' \
  "$work/birthdays.ini" > "$work/birthdays"
awk -F'[=/]' '{ printf "%s/%s\t%s\n", $3, $2, $1 }' "$work/birthdays" > "$work/calendar"
echo "  lignes : velorine-rappels $("$rappels" --fichier "$work/birthdays.ini" --date "$today" | wc -l)," \
     "birthday $(birthday -f "$work/birthdays" -W 7 -M 7 | wc -l)," \
     "calendar $(calendar -f "$work/calendar" -A 7 -B 0 | wc -l) (calendar compte ses jours à sa façon)"
birthday_path=$(command -v birthday)
calendar_path=$(command -v calendar)
"$compare" "$runs" "$birthday_path" -f "$work/birthdays" -W 7 -M 7 -- "$rappels" --fichier "$work/birthdays.ini" --date "$today"
echo "  (objectif : rapport < 1,0)"
"$compare" "$runs" "$calendar_path" -f "$work/calendar" -A 7 -B 0 -- "$rappels" --fichier "$work/birthdays.ini" --date "$today"

echo "== 3. velorine-rappels, 1 000 000 fiches contre 10 000"
"$generate" 1000000 "$work/million.ini"
echo "  taille du fichier : $(( $(size_of "$work/million.ini") / 1048576 )) Mo"
"$compare" 3 "$rappels" --fichier "$work/due.ini" --date "$today" -- "$rappels" --fichier "$work/million.ini" --date "$today"
echo "  (objectifs : rapport <= 110, mémoire <= 2 x la taille du fichier + une constante)"

echo "== 4. velorine PROG sur des fichiers abîmés ou hostiles (mémoire, temps, taille après)"
# Writes about `mb` megabytes of the damage `kind` after a compact list of 100 people.
hostile_file() {
  local kind=$1 mb=$2 path=$3
  "$generate_quiet" 100 "$path"
  local bytes=$(( mb * 1048576 ))
  case "$kind" in
    lignes-vides)  # blank lines in the record section, LF only
      head -c "$bytes" /dev/zero | tr '\0' '\n' >> "$path" ;;
    sections-repetees)
      # yes ends on SIGPIPE when head has enough, which pipefail would take for a failure
      { yes $'[Velorine]\r\nNom1=Martin\r' || true; } | head -c "$bytes" >> "$path" ;;
    sections-distinctes)
      seq 1 $(( bytes / 12 )) | sed 's/.*/[S&]\r/' >> "$path" ;;
    fiches-reelles)
      "$generate_quiet" $(( mb * 1000000 / 150 )) "$path" ;;
  esac
}
small_mb=$(( hostile_mb / 5 > 0 ? hostile_mb / 5 : 1 ))
for kind in lignes-vides sections-repetees sections-distinctes fiches-reelles; do
  for mb in "$small_mb" "$hostile_mb"; do
    hostile_file "$kind" "$mb" "$work/hostile.ini"
    before=$(size_of "$work/hostile.ini")
    use_data_file "$work/hostile.ini"
    echo "  $kind, $(( before / 1048576 )) Mo :"
    "$compare" 0 "$velorine" PROG | sed 's/^/  /'
    after=$(size_of "$XDG_DATA_HOME/velorine/velor.ini")
    echo "    taille après : $(( after / 1048576 )) Mo ($after octets, avant $before)"
  done
done
echo "  un fichier de 1 Gio (refusé avant d'être lu) :"
truncate -s 1G "$work/huge.ini"
use_data_file "$work/huge.ini"
"$compare" 0 "$velorine" PROG | sed 's/^/  /'
echo "  (objectifs : mémoire < 3 x la taille du fichier + une constante, temps linéaire," \
     "pas de croissance du fichier)"
