# Shared by scripts/run and scripts/test: install what the build needs, configure, build.
# Sourced, not run.

VELORINE_PACKAGES=(
  g++ cmake ninja-build pkg-config ccache
  clang clang-format  # the fuzzers (libFuzzer) and the style check
  qt6-base-dev qt6-base-private-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
  libxcb1-dev  # the window manager asked for a window's frame before it is shown
  libgtest-dev libgmock-dev libbenchmark-dev
  libical-dev python3-icalendar libicu-dev  # calendars; letters composed and decomposed
  librsvg2-dev  # the drawings, at the screen's density
  dbus-daemon  # the tests' own session bus, for the desktop notification
  libsecret-1-dev  # the address book online's password in the desktop's keyring
  radicale gnome-keyring openssl python3  # the tests' CardDAV server, keyring, certificates, hostile server
  fonts-liberation2 fonts-dejavu-core
  clang dpkg-dev desktop-file-utils appstream man-db
  xvfb weston qt6-wayland  # the package test shows a window on X11 and on Wayland
)

# Installs the Debian packages given that are not installed yet (through sudo when not root).
ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installation des paquets manquants : ${missing[*]}"
  # Another installation may be running (an update, a second build): wait for it.
  local wait=(-o DPkg::Lock::Timeout=600)
  "${sudo[@]}" apt-get "${wait[@]}" update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "${wait[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}

# Every build goes through the compiler cache, with paths taken relative to the repository: a
# clean clone elsewhere, or a build directory made again, compiles only what changed.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true

# configure DIR [CMAKE ARGS...]
configure() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
}

# configure_and_build DIR [CMAKE ARGS...]
configure_and_build() {
  configure "$@"
  cmake --build "$1" -j "$(nproc)"
}
