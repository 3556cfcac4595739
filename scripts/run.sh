#!/usr/bin/env bash
# Sets up this machine, builds Kelvaro and starts it. Arguments go to the
# device, for example:  scripts/run.sh --now 2012-07-21T04:30 --home ~/phone
# Without a display it renders today's screen to a picture, prints where it
# is and the next notifications, and exits.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target kelvaro

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  picture="$PWD/build/kelvaro-today.png"
  QT_QPA_PLATFORM=offscreen build/kelvaro "$@" --screenshot "$picture"
  echo "No display: Kelvaro's screen as it stands now is in $picture"
  echo "The next notifications:"
  build/kelvaro "$@" --pending | sed -n 1,10p
  exit 0
fi
exec build/kelvaro "$@"
