# The device's own options: help and version answer and exit 0; what is not
# an option is refused with its name and exit 2, before any window.
source "$(dirname "$0")/lib.sh"

"$APP" --help > "$WORK/help" || { echo "FAIL: --help exited $?"; FAILED=1; }
for option in --now --home --script --pending --version; do
  grep -q -- "^ *$option" "$WORK/help" || { echo "FAIL: --help does not list $option"; FAILED=1; }
done
grep -q "^Usage: kelvaro " "$WORK/help" || { echo "FAIL: usage: $(head -1 "$WORK/help")"; FAILED=1; }
[ "$("$APP" --version)" = "Kelvaro $(sed -n 's/^project(Kelvaro VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")" ] \
  || { echo "FAIL: --version says $("$APP" --version)"; FAILED=1; }
rc=0; "$APP" --fast > /dev/null 2> "$WORK/log" || rc=$?
[ "$rc" = 2 ] || { echo "FAIL: an unknown option exited $rc"; FAILED=1; }
expect_log "fast"
finish
