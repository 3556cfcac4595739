#!/usr/bin/env bash
# Sets up this machine, builds everything with warnings as errors and runs every test.
#   scripts/test.sh              the normal build, in build/, then a short run of every
#                                fuzz target (clang and libFuzzer, in build-fuzz/)
#   scripts/test.sh --sanitize   AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh --tests

dir=build
flags=(-DKELVARO_WERROR=ON -DKELVARO_TESTS=ON -DKELVARO_BENCH=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  flags=(-DKELVARO_WERROR=ON -DKELVARO_TESTS=ON -DKELVARO_SANITIZE=ON -DKELVARO_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

cmake -S . -B "$dir" "${flags[@]}"
cmake --build "$dir" -j"$(nproc)"
(cd "$dir" && ctest --output-on-failure -j"$(nproc)")

if [ "${1:-}" != "--sanitize" ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DKELVARO_FUZZ=ON -DKELVARO_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build-fuzz -j"$(nproc)"
  (cd build-fuzz && ctest --output-on-failure -L fuzz)
fi
