#!/usr/bin/env bash
# The Debian package, end to end: CPack builds it from the built tree, dpkg-deb unpacks it into a
# temporary root, and the unpacked programs run there.
#   package_test.sh BUILD_DIRECTORY WINDOWS_DIRECTORY COMMAND_FROM_WINDOWS GUIDE_FROM_WINDOWS
# (the windows' executable's directory under /usr, and what it looks for, relative to it).
# Exits 77 (skipped) when the Debian packaging tools are absent.
set -euo pipefail
build=$1 windows_directory=$2 command_from_windows=$3 guide_from_windows=$4

for tool in dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null; then
    echo "Test du paquet sauté : $tool est absent (paquets dpkg et dpkg-dev)."
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "ÉCHEC : $*"; failures=$((failures + 1)); }

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
deb=$work/out/velorine_2.0-2_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls "$work/out"; echo "ÉCHEC : pas de $(basename "$deb")"; exit 1; }

# Computed library dependencies, and those the program loads without linking them.
depends=$(dpkg-deb -f "$deb" Depends)
# X11's platform plugin is in libqt6gui6; Wayland's in qt6-wayland, recommended.
for needed in libqt6widgets6 libqt6gui6 librsvg2-2 libc6 qt6-translations-l10n fonts-liberation2 fonts-dejavu-core; do
  [[ ",$depends" == *[,\ ]$needed[\ ,]* || ",$depends" == *[,\ ]$needed ]] || fail "Depends sans $needed : $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ "$recommends" == *qt6-wayland* ]] || fail "Recommends sans qt6-wayland : $recommends"
[[ "$depends" != *qt6-qpa-plugins* ]] || fail "Depends annonce qt6-qpa-plugins, qui ne contient que VNC"

root=$work/root
dpkg-deb -x "$deb" "$root"
for file in usr/bin/velorine usr/bin/velorine-rappels "usr/$windows_directory/velorine-fenetres" \
            "usr/$windows_directory/velorine-notification" \
            usr/share/applications/velorine.desktop etc/xdg/autostart/velorine.desktop \
            usr/share/metainfo/example.velorine.Velorine.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/velorine.svg usr/share/icons/hicolor/48x48/apps/velorine.png \
            usr/share/doc/velorine/copyright usr/share/doc/velorine/changelog.gz \
            'usr/lib/systemd/user/app-velorine@.service.d/quiet-logon.conf'; do
  [ -f "$root/$file" ] || fail "absent du paquet : /$file"
done
# Only commands in /usr/bin, each with a manual page that man reads without a warning.
for command in "$root"/usr/bin/*; do
  name=$(basename "$command")
  page=$root/usr/share/man/man1/$name.1.gz
  [ -x "$command" ] || fail "/usr/bin/$name n'est pas une commande"
  if [ ! -f "$page" ]; then fail "/usr/bin/$name sans page de manuel"; continue; fi
  gzip -t "$page" || fail "page de manuel $name illisible"
  if command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "page de manuel $name : $warnings"
  fi
done
# Where the windows' executable looks for the guide and, to start the program again, the command.
windows=$root/usr/$windows_directory
[ -f "$windows/$guide_from_windows/Velor.rtf" ] || fail "le guide n'est pas où l'aide le cherche"
[ -x "$windows/$command_from_windows/velorine" ] || fail "velorine n'est pas où un redémarrage le cherche"
grep -qx 'Exec=velorine PROG' "$root/etc/xdg/autostart/velorine.desktop" ||
  fail "l'entrée de démarrage ne lance pas velorine PROG"

# What the desktop and the software centres read, checked by their own validators when present.
validate() {
  local tool=$1; shift
  if ! command -v "$tool" >/dev/null; then echo "Vérification sautée : $tool est absent."; return; fi
  "$tool" "$@" >"$work/validate.log" 2>&1 || { cat "$work/validate.log"; fail "$tool $*"; }
}
validate desktop-file-validate "$root/usr/share/applications/velorine.desktop" \
  "$root/etc/xdg/autostart/velorine.desktop"
validate appstreamcli validate --no-net "$root/usr/share/metainfo/example.velorine.Velorine.metainfo.xml"

# The unpacked programs, with a home of their own.
home=$work/home
mkdir -p "$home/data/velorine"
printf '[Options]\r\nRappelFete=1\r\n[Velorine]\r\nNom1=Durand\r\nPren1=Yves\r\nDate1=20/05/1980\r\n' \
  >"$work/liste.ini"
run() { env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        QT_QPA_PLATFORM=offscreen "$@"; }

expected=$'Yves Durand aura 46 ans le 20/05/2026 (dans 2 jours)\nCe sera la fete d\'Yves Durand DEMAIN !!'
status=0
lines=$(run "$root/usr/bin/velorine-rappels" --fichier "$work/liste.ini" --date 18/05/2026) || status=$?
[ "$status" -eq 0 ] && [ "$lines" == "$expected" ] || fail "velorine-rappels (code $status) : $lines"

status=0
run timeout 20 "$root/usr/bin/velorine" PROG || status=$?
[ "$status" -eq 1 ] || fail "velorine PROG sans rien à rappeler : code $status au lieu de 1"
[ -f "$home/data/velorine/velor.ini" ] || fail "velorine PROG n'a pas créé le fichier de données"

# The list window: velorine hands over to the windows' executable, which stays until closed.
status=0
run timeout 3 "$root/usr/bin/velorine" 2>"$work/windows.log" || status=$?
[ "$status" -eq 124 ] || fail "la fenêtre de la liste ne reste pas ouverte (code $status) : $(cat "$work/windows.log")"

# No display at all: one French line and the manual's status 3, not the toolkit's abort.
status=0
message=$(env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
          timeout 20 "$root/usr/bin/velorine" 2>&1) || status=$?
[ "$status" -eq 3 ] && [[ "$message" == "velorine : aucun affichage"* ]] ||
  fail "sans affichage : code $status, $message"

# The same window on a real X server and on a real Wayland compositor, when they are installed.
runtime=$work/runtime
mkdir -m 700 "$runtime"
if command -v Xvfb >/dev/null; then
  # Xvfb takes a free display number and writes it down.
  mkfifo "$work/display"
  exec 7<>"$work/display"
  Xvfb -displayfd 7 -nolisten tcp -screen 0 1024x768x24 >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  read -r -t 10 number <&7 || number=
  status=0
  [ -n "$number" ] && env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$runtime" DISPLAY=":$number" \
    timeout 3 "$root/usr/bin/velorine" 2>"$work/x11.log" || status=$?
  [ "$status" -eq 124 ] || fail "X11 : la fenêtre ne reste pas ouverte (code $status) : $(cat "$work/x11.log")"
  kill "$xvfb"
else
  echo "X11 sauté : Xvfb est absent (paquet xvfb)."
fi
if command -v weston >/dev/null && [ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ]; then
  XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --socket=velorine-test --idle-time=0 \
    >"$work/weston.log" 2>&1 &
  weston=$!
  for _ in $(seq 50); do [ -S "$runtime/velorine-test" ] && break; sleep 0.1; done
  status=0
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
    XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=velorine-test QT_QPA_PLATFORM=wayland \
    timeout 3 "$root/usr/bin/velorine" 2>"$work/wayland.log" || status=$?
  [ "$status" -eq 124 ] || fail "Wayland : la fenêtre ne reste pas ouverte (code $status) : $(cat "$work/wayland.log")"
  kill "$weston"
else
  echo "Wayland sauté : weston ou qt6-wayland est absent."
fi

# Desktops that start the logon entry through systemd: the unit its generator makes of the
# installed entry gets the package's drop-in, and a quiet start (status 1) is a success of it.
generator=/usr/lib/systemd/user-generators/systemd-xdg-autostart-generator
if [ -x "$generator" ] && command -v systemd-analyze >/dev/null; then
  units=$work/units
  mkdir "$units"
  PATH="$root/usr/bin:/usr/bin:/bin" XDG_CONFIG_DIRS="$root/etc/xdg" XDG_CONFIG_HOME="$work/no-config" \
    "$generator" "$units" "$units" "$units"
  unit=$(cd "$units" && ls -- app-velorine*.service 2>/dev/null | head -1)
  if [ -z "$unit" ]; then
    fail "le générateur de systemd ne fait pas d'unité de l'entrée de démarrage"
  else
    dump=$(XDG_RUNTIME_DIR="$runtime" SYSTEMD_LOG_LEVEL=debug SYSTEMD_UNIT_PATH="$units:$root/usr/lib/systemd/user:" \
           systemd-analyze --user verify "$units/$unit" 2>&1)
    [[ "$dump" == *"DropIn Path: $root/usr/lib/systemd/user/"*quiet-logon.conf* ]] ||
      fail "l'unité $unit ne reçoit pas quiet-logon.conf : $dump"
    grep -qx 'SuccessExitStatus=1' "$root/usr/lib/systemd/user/"*/quiet-logon.conf ||
      fail "quiet-logon.conf ne compte pas le code 1 comme un succès"
    command=$(sed -n 's/^ExecStart=:\{0,1\}//p' "$units/$unit")
    status=0
    # shellcheck disable=SC2086 # the unit's command line, split as systemd splits it
    run timeout 20 $command || status=$?
    [ "$status" -eq 1 ] || fail "$command (l'unité) : code $status au lieu de 1"
  fi
else
  echo "Démarrage par systemd sauté : systemd-xdg-autostart-generator ou systemd-analyze est absent."
fi

# An upgrade from 2.0, whose logon entry was velorine-autostart.desktop: the entry moves, with an
# administrator's change to it, and no second entry is left to start the program twice at logon.
# dpkg works in a root of the test's own and runs the maintainer scripts there (DPKG_ROOT).
upgrade=$work/upgrade
old=$work/old
mkdir -p "$upgrade/var/lib/dpkg/info" "$upgrade/var/lib/dpkg/updates" "$old/DEBIAN" "$old/etc/xdg/autostart"
: >"$upgrade/var/lib/dpkg/status"
cp "$root/etc/xdg/autostart/velorine.desktop" "$old/etc/xdg/autostart/velorine-autostart.desktop"
printf 'Package: velorine\nVersion: 2.0\nArchitecture: %s\nMaintainer: Atelier Velorine\nDescription: 2.0\n' \
  "$(dpkg --print-architecture)" >"$old/DEBIAN/control"
echo /etc/xdg/autostart/velorine-autostart.desktop >"$old/DEBIAN/conffiles"
dpkg-deb --root-owner-group --build "$old" "$work/velorine_2.0.deb" >/dev/null
in_upgrade_root() {
  dpkg --root="$upgrade" --force-script-chrootless --force-not-root --force-depends --force-confold \
    --log=/dev/null "$@" >>"$work/upgrade.log" 2>&1
}
autostart=$upgrade/etc/xdg/autostart
if in_upgrade_root -i "$work/velorine_2.0.deb" && echo 'Hidden=true' >>"$autostart/velorine-autostart.desktop" &&
   in_upgrade_root -i "$deb"; then
  [ ! -e "$autostart/velorine-autostart.desktop" ] || fail "l'ancienne entrée de démarrage reste après la mise à jour"
  grep -qx 'Hidden=true' "$autostart/velorine.desktop" 2>/dev/null ||
    fail "la modification de l'administrateur n'a pas suivi l'entrée de démarrage"
else
  fail "mise à jour depuis 2.0 : $(cat "$work/upgrade.log")"
fi

[ "$failures" -eq 0 ] || exit 1
echo "Paquet vérifié : $(basename "$deb")"
