# Installing for a user: the app and its resources, icons, desktop entry
# (the package's, with its own Exec) and, on request, an autostart entry
# that starts it in the background; the installed app runs; the entries of
# an older install go; uninstalling removes them all and keeps the sandbox.
source "$(dirname "$0")/lib.sh"
SOURCE="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="$(cd "$(dirname "$APP")" && pwd)"
export HOME="$WORK/user with space"
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
data="$HOME/.local/share"
# The package's entry, as the build made it: the same name here.
built_entries=("$BUILD"/linux/*.desktop)
id=$(basename "${built_entries[0]}" .desktop)
entry="$data/applications/$id.desktop"
autostart="$HOME/.config/autostart/$id.desktop"
installed="$HOME/.local/lib/kelvaro/kelvaro"
# What an install before 1.5 left.
mkdir -p "$data/applications" "$data/icons/hicolor/64x64/apps"
touch "$data/applications/kelvaro.desktop" "$data/icons/hicolor/64x64/apps/kelvaro.png"

bash "$SOURCE/scripts/install.sh" --build "$BUILD" > "$WORK/out"
[ -x "$installed" ] || { echo "FAIL: no installed app"; FAILED=1; }
[ -f "$HOME/.local/lib/kelvaro/resources/Icons" ] || { echo "FAIL: no resources"; FAILED=1; }
for icon in 16x16/apps/$id.png 64x64/apps/$id.png 256x256/apps/$id.png scalable/apps/$id.svg; do
  [ -s "$data/icons/hicolor/$icon" ] || { echo "FAIL: no icon $icon"; FAILED=1; }
done
grep -qxF "Exec=\"$installed\"" "$entry" || { echo "FAIL: the entry runs: $(grep Exec "$entry")"; FAILED=1; }
grep -qx "Icon=$id" "$entry" || { echo "FAIL: the entry's icon"; FAILED=1; }
# Line for line the package's entry but for Exec.
diff <(grep -v "^Exec=" "${built_entries[0]}") <(grep -v "^Exec=" "$entry") || { echo "FAIL: the entry is not the package's"; FAILED=1; }
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$entry" | grep -E ": (error|warning):" && { echo "FAIL: the entry does not validate"; FAILED=1; }
fi
[ -e "$autostart" ] && { echo "FAIL: autostart without asking"; FAILED=1; }
for old in "$data/applications/kelvaro.desktop" "$data/icons/hicolor/64x64/apps/kelvaro.png"; do
  [ -e "$old" ] && { echo "FAIL: an older install's file stays: $old"; FAILED=1; }
done

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
for gone in "$installed" "$entry" "$autostart"; do
  [ -e "$gone" ] && { echo "FAIL: still there: $gone"; FAILED=1; }
done
left=$(find "$data/icons" -name "$id.*")
[ -z "$left" ] || { echo "FAIL: icons still there: $left"; FAILED=1; }
[ -f "$WORK/phone/Documents/Icons" ] || { echo "FAIL: the sandbox went too"; FAILED=1; }

# An older install's autostart entry keeps starting Kelvaro, by the new name.
mkdir -p "$HOME/.config/autostart"
touch "$HOME/.config/autostart/kelvaro.desktop"
bash "$SOURCE/scripts/install.sh" --build "$BUILD" > "$WORK/out"
grep -qxF "Exec=\"$installed\" --background" "$autostart" || { echo "FAIL: the older autostart was not kept"; FAILED=1; }
[ -e "$HOME/.config/autostart/kelvaro.desktop" ] && { echo "FAIL: the older autostart entry stays"; FAILED=1; }
bash "$SOURCE/scripts/install.sh" --uninstall > "$WORK/out"
[ -e "$autostart" ] && { echo "FAIL: autostart still there"; FAILED=1; }
bash "$SOURCE/scripts/install.sh" --nonsense > /dev/null 2>&1 && { echo "FAIL: an unknown option was taken"; FAILED=1; }
finish
