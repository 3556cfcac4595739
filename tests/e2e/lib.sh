# Helpers for the end-to-end tests: they run the real app through the
# device, each in a fresh sandbox.
set -euo pipefail
export QT_QPA_PLATFORM=offscreen
APP="$1"
WORK="$(mktemp -d)"
# KEEP=DIR keeps the sandbox, the log and the screenshots there.
trap '[ -n "${KEEP:-}" ] && cp -r "$WORK" "$KEEP"; rm -rf "$WORK"' EXIT
HOME_DIR="$WORK/phone"
FAILED=0

# run NOW SCRIPT_TEXT: runs the app with the script; its log goes to $WORK/log.
run() {
  local now="$1" script="$2"
  printf '%s\n' "$script" > "$WORK/script"
  timeout 60 "$APP" --home "$HOME_DIR" --now "$now" --script "$WORK/script" ${RUN_OPTIONS:-} > "$WORK/out" 2> "$WORK/log"
}

db() { sqlite3 "$HOME_DIR/Documents/Icons" "$1"; }

expect_log() {
  if ! grep -qF -- "$1" "$WORK/log"; then
    echo "FAIL: the log has no line with: $1"; FAILED=1
  fi
}

expect_no_log() {
  if grep -qF -- "$1" "$WORK/log"; then
    echo "FAIL: the log has a line with: $1"; FAILED=1
  fi
}

# strip FILE: the page control's strip of a screenshot, as raw pixels.
strip() { convert "$1" -crop 320x36+0+425 +repage rgb:-; }

finish() {
  if [ "$FAILED" -ne 0 ]; then
    echo "--- log"; tail -30 "$WORK/log"; echo "1 passed, 1 failed" | sed 's/1 passed, //; s/^/0 passed, /'; exit 1
  fi
  echo "1 passed, 0 failed"
}
