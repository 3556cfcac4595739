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
# The manual page and the README's table list the options --help prints,
# and no other.
SOURCE="$(dirname "$0")/../.."
options_of_help=$(grep -oE -- '^ +(-[a-z], )?--[a-z-]+' "$WORK/help" | grep -oE -- '--[a-z-]+' | sort)
options_of_man=$(awk '/^\.TP/ { getline; gsub(/\\-/, "-"); print }' "$SOURCE/resources/linux/kelvaro.1.in" \
  | grep -oE -- '--[a-z-]+' | sort)
options_of_readme=$(sed -n '/^## The device/,/^## /p' "$SOURCE/README.md" | grep -E '^\| `-' | cut -d'|' -f2 \
  | grep -oE -- '--[a-z-]+' | sort)
[ -n "$options_of_help" ] && [ "$options_of_man" = "$options_of_help" ] \
  || { echo "FAIL: the manual page's options differ from --help's:"; diff <(echo "$options_of_help") <(echo "$options_of_man"); FAILED=1; }
[ "$options_of_readme" = "$options_of_help" ] \
  || { echo "FAIL: the README's options differ from --help's:"; diff <(echo "$options_of_help") <(echo "$options_of_readme"); FAILED=1; }
rc=0; "$APP" --fast > /dev/null 2> "$WORK/log" || rc=$?
[ "$rc" = 2 ] || { echo "FAIL: an unknown option exited $rc"; FAILED=1; }
expect_log "fast"
finish
