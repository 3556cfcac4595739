# Installing for a user: the app and its resources, icon, desktop entry and,
# on request, an autostart entry that starts it in the background; the
# installed app runs; uninstalling removes them all and keeps the sandbox.
source "$(dirname "$0")/lib.sh"
SOURCE="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="$(cd "$(dirname "$APP")" && pwd)"
export HOME="$WORK/user with space"
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
data="$HOME/.local/share"
entry="$data/applications/kelvaro.desktop"
autostart="$HOME/.config/autostart/kelvaro.desktop"
installed="$HOME/.local/lib/kelvaro/kelvaro"

bash "$SOURCE/scripts/install.sh" --build "$BUILD" > "$WORK/out"
[ -x "$installed" ] || { echo "FAIL: no installed app"; FAILED=1; }
[ -f "$HOME/.local/lib/kelvaro/resources/Icons" ] || { echo "FAIL: no resources"; FAILED=1; }
[ -s "$data/icons/hicolor/64x64/apps/kelvaro.png" ] || { echo "FAIL: no icon"; FAILED=1; }
grep -qxF "Exec=\"$installed\"" "$entry" || { echo "FAIL: the entry runs: $(grep Exec "$entry")"; FAILED=1; }
grep -qx "Icon=kelvaro" "$entry" || { echo "FAIL: the entry's icon"; FAILED=1; }
[ -e "$autostart" ] && { echo "FAIL: autostart without asking"; FAILED=1; }

# The installed app runs on its own resources.
"$installed" --home "$WORK/phone" --now 2012-07-21T10:00 --script <(echo quit) 2> "$WORK/log" || { echo "FAIL: the installed app ended with $?"; FAILED=1; }
[ -f "$WORK/phone/Documents/Icons" ] || { echo "FAIL: the installed app made no sandbox"; FAILED=1; }

bash "$SOURCE/scripts/install.sh" --build "$BUILD" --autostart > "$WORK/out"
grep -qxF "Exec=\"$installed\" --background" "$autostart" || { echo "FAIL: autostart runs: $(grep Exec "$autostart" 2>&1)"; FAILED=1; }
# The command of the autostart entry, as the session runs it, starts in the background.
command=$(sed -n 's/^Exec=//p' "$autostart")
eval "set -- $command"
"$@" --home "$WORK/phone" --script <(echo quit) 2> "$WORK/log" || { echo "FAIL: the autostart command ended with $?"; FAILED=1; }
expect_log "started in the background"

bash "$SOURCE/scripts/install.sh" --uninstall > "$WORK/out"
for gone in "$installed" "$entry" "$autostart" "$data/icons/hicolor/64x64/apps/kelvaro.png" "$data/icons/hicolor/128x128/apps/kelvaro.png"; do
  [ -e "$gone" ] && { echo "FAIL: still there: $gone"; FAILED=1; }
done
[ -f "$WORK/phone/Documents/Icons" ] || { echo "FAIL: the sandbox went too"; FAILED=1; }
bash "$SOURCE/scripts/install.sh" --nonsense > /dev/null 2>&1 && { echo "FAIL: an unknown option was taken"; FAILED=1; }
finish
