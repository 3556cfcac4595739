#!/usr/bin/env bash
# Installs the Debian packages that building and running the app need;
# with --package, also what making its Debian package needs; with --tests,
# also what the tests (the package's among them), the fuzzing and the
# benchmarks need. Does nothing when they are all present.
set -euo pipefail

packages=(
  cmake g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins libqt6svg6
  libsqlite3-dev tzdata liberfa-dev libgeographiclib-dev qt6-positioning-dev libqt6positioning6-plugins
  fonts-noto-core fonts-liberation2
)
if [ "${1:-}" = "--package" ] || [ "${1:-}" = "--tests" ]; then
  packages+=(dpkg-dev)
fi
if [ "${1:-}" = "--tests" ]; then
  packages+=(
    sqlite3 googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
    xvfb xauth dbus-x11 dbus-daemon dbus-bin imagemagick
    pulseaudio pulseaudio-utils poppler-utils python3 python3-icalendar geographiclib-tools python3-dateutil
    lintian desktop-file-utils appstream groff-base man-db
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "bootstrap: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
