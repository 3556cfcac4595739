#!/usr/bin/env bash
# Sets up this machine, builds Kelvaro and makes its Debian package,
# build/kelvaro_<version>_<architecture>.deb. Install it with
#   sudo apt install ./build/kelvaro_*.deb
# and remove it with `sudo apt remove kelvaro` (the sandbox with the user's
# cities and settings stays).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh --package
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
# Its path, as CPack says it.
(cd build && cpack -G DEB) | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p'
