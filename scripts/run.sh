#!/usr/bin/env bash
# Sets up this machine, builds Kelvaro and starts it. Arguments go to the
# device, for example:  scripts/run.sh --now 2012-07-21T04:30 --home ~/phone
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"

if [ ! -x build/kelvaro ]; then
  echo "The database is built: build/resources/Icons"
  exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: Kelvaro runs offscreen (use --screenshot FILE.png or --script FILE to see it)."
  export QT_QPA_PLATFORM=offscreen
fi
exec build/kelvaro "$@"
