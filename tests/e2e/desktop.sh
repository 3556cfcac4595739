# On a desktop (an X server, a session bus, and stand-ins for the
# notification service and the tray host): without a tray, closing quits;
# with one, closing keeps the app running in the tray, whose tooltip counts
# down to the next time. The azan's notification carries the app's name, icon and a
# stop action; the action stops the sound, and so does closing the
# notification. A start in the background stays out of sight until a second
# start shows it; the tray's menu stops the sound and quits.
source "$(dirname "$0")/desktop_lib.sh"

run 2012-07-21T13:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 0, Item1 = 1, Item2 = 1, Item6 = 3;"

# No tray: closing the window ends the app, as it always did.
printf '%s\n' "wait 300" "close" "wait 3000" "advance 2" "wait 300" "quit" > "$WORK/script"
start 2012-07-21T13:10
wait "$app" || { echo "FAIL: closing without a tray ended with $?"; FAILED=1; }
expect_no_log "closed into the tray"
expect_no_log "fired:"

start_desktop

# Closed into the tray at 13:10; the noon azan comes at 13:11 as a desktop
# notification, and its stop action stops the recording.
printf '%s\n' "wait 300" "close" "wait 300" "advance 2" "wait 4000" "tray quit" > "$WORK/script"
start 2012-07-21T13:10
wait_for "$WORK/desktop" "^Notify"
tooltip=$(tooltip)
case "$tooltip" in
  *"تا غروب آفتاب به افق تهران ساعت ۲۰:۱۷"*) ;;
  *) echo "FAIL: the tray's tooltip: $tooltip"; FAILED=1 ;;
esac
ask InvokeAction "uint32:$(last_id)" string:stop
wait "$app" || { echo "FAIL: the app ended with $?"; FAILED=1; }
expect_log "closed into the tray"
expect_log "banner: اذان ظهر به افق تهران"
expect_log "sound: 3.wav"
expect_log "sound stopped: 3.wav"
expect_no_log "alert:"
notice=$(grep "^Notify" "$WORK/desktop" | tail -1)
icon="file://$(cd "$(dirname "$APP")" && pwd)/resources/appIcon.png"
for field in "app=Kelvaro" "icon=$icon" "body=اذان ظهر به افق تهران" "actions=stop,توقف"; do
  printf '%s\n' "$notice" | tr '\t' '\n' | grep -qxF -- "$field" || { echo "FAIL: the notification has no $field: $notice"; FAILED=1; }
done
printf '%s\n' "$notice" | grep -qF "image-path=$icon" || { echo "FAIL: no image in $notice"; FAILED=1; }
[ -s "$(dirname "$APP")/resources/appIcon.png" ] || { echo "FAIL: no icon file"; FAILED=1; }
# It stays while the recording plays (several seconds), not the old ten.
timeout=$(printf '%s\n' "$notice" | tr '\t' '\n' | sed -n 's/^timeout=//p')
[ "$timeout" -gt 10000 ] || { echo "FAIL: the notification lasts $timeout ms"; FAILED=1; }

# Closing the notification stops the evening azan's recording.
printf '%s\n' "wait 300" "close" "wait 300" "advance 2" "wait 3000" "tray quit" > "$WORK/script"
start 2012-07-21T20:36
wait_for "$WORK/desktop" "body=اذان مغرب"
ask Dismiss "uint32:$(last_id)"
wait "$app"
expect_log "banner: اذان مغرب به افق تهران"
expect_log "sound stopped: 3.wav"

# Started in the background: out of sight until a second start shows it;
# then the azan comes in front, and the tray stops its sound and quits.
printf '%s\n' "wait 1500" "advance 2" "wait 300" "tray stop" "wait 200" "tray quit" > "$WORK/script"
start 2012-07-22T13:10 --background
wait_for "$WORK/log" "started in the background"
timeout 30 "$APP" --home "$HOME_DIR" --now 2012-07-22T13:10 > /dev/null 2> "$WORK/second" \
  || { echo "FAIL: the second start ended with $?"; FAILED=1; }
grep -q "already running on this sandbox" "$WORK/second" || { echo "FAIL: the second start did not step aside"; FAILED=1; }
wait "$app" || { echo "FAIL: the app ended with $?"; FAILED=1; }
order=$(grep -o "started in the background\|shown for a second start\|alert: \|sound: \|sound stopped: " "$WORK/log" | tr '\n' '|')
[ "$order" = "started in the background|shown for a second start|alert: |sound: |sound stopped: |" ] \
  || { echo "FAIL: the order was $order"; FAILED=1; }
[ "$(grep -c "^Notify" "$WORK/desktop")" -eq 2 ] || { echo "FAIL: $(grep -c "^Notify" "$WORK/desktop") desktop notifications"; FAILED=1; }
finish
