# The desktop the desktop tests run on: an X server, a session bus, and the
# stand-ins for the notification service and the tray host ($2), started
# with start_desktop.
if [ -z "${KELVARO_ON_DESKTOP:-}" ]; then
  export KELVARO_ON_DESKTOP=1
  exec xvfb-run -a dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
FAKE="$2"
export QT_QPA_PLATFORM=xcb
desktop=""
trap '[ -n "$desktop" ] && kill "$desktop" 2>/dev/null; [ -n "${KEEP:-}" ] && cp -r "$WORK" "$KEEP"; rm -rf "$WORK"' EXIT

# wait_for FILE PATTERN: until a line of FILE matches (ten seconds at most).
wait_for() {
  for i in $(seq 100); do grep -q -- "$2" "$1" 2>/dev/null && return 0; sleep 0.1; done
  echo "FAIL: no \"$2\" in $(basename "$1")"; FAILED=1; return 1
}
# start NOW OPTIONS...: the app in the background of this script, running $WORK/script.
start() {
  local now="$1"; shift
  timeout 60 "$APP" --home "$HOME_DIR" --now "$now" --script "$WORK/script" "$@" > /dev/null 2> "$WORK/log" &
  app=$!
}
ask() { dbus-send --session --print-reply --dest=org.kelvaro.FakeDesktop /FakeDesktop "org.kelvaro.FakeDesktop.$1" "${@:2}" > /dev/null; }
last_id() { grep "^Notify" "$WORK/desktop" | tail -1 | cut -f2 | cut -d= -f2; }
# start_desktop [--no-tray] [--portal]: the stand-in desktop, anew.
start_desktop() {
  stop_desktop
  "$FAKE" "$@" > "$WORK/desktop" 2>&1 &
  desktop=$!
  wait_for "$WORK/desktop" "^ready"
}
stop_desktop() {
  if [ -n "$desktop" ]; then kill "$desktop" 2>/dev/null || true; wait "$desktop" 2>/dev/null || true; desktop=""; fi
}
# tooltip: the text the tray's host shows of the app's item.
tooltip() {
  local item
  item=$(grep "^RegisterStatusNotifierItem" "$WORK/desktop" | tail -1 | cut -f3)
  dbus-send --session --print-reply --dest="$item" /StatusNotifierItem org.freedesktop.DBus.Properties.Get \
    string:org.kde.StatusNotifierItem string:ToolTip 2>&1 | tr '\n' ' '
}
