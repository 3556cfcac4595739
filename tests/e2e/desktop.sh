# On a desktop (an X server, a session bus, and stand-ins for the
# notification service, the tray host and the Background portal): closing
# the window keeps the app running out of sight, with a tray or without
# one, and a second start shows its window; the tray's tooltip counts down
# to the next time. The azan's notification carries the app's name, icon and
# a stop action; the action stops the sound, and so does closing the
# notification. The Background portal is asked, where there is one, to let
# the app run and start at login. A start in the background stays out of
# sight until a second start shows it; the tray's menu stops the sound, and
# quits once the user says the azans may stop.
source "$(dirname "$0")/desktop_lib.sh"

run 2012-07-21T13:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 0, Item1 = 1, Item2 = 1, Item6 = 3;"

# No tray, no portal: closed at 13:10 of the day before, the app runs on out
# of sight; the noon azan comes at 13:11 as a desktop notification with its
# sound, and a second start shows the window of the one running.
start_desktop --no-tray
printf '%s\n' "wait 300" "close" "wait 300" "advance 2" "wait 6000" "tree $WORK/shown.json" "quit" > "$WORK/script"
start 2012-07-20T13:10
wait_for "$WORK/desktop" "body=اذان ظهر به افق تهران"
timeout 30 "$APP" --home "$HOME_DIR" --now 2012-07-20T13:12 > /dev/null 2> "$WORK/second" \
  || { echo "FAIL: the second start ended with $?"; FAILED=1; }
grep -q "already running on this sandbox" "$WORK/second" || { echo "FAIL: the second start did not step aside"; FAILED=1; }
wait "$app" || { echo "FAIL: the app without a tray ended with $?"; FAILED=1; }
expect_log "closed: running out of sight until Kelvaro is started again"
expect_log "banner: اذان ظهر به افق تهران"
expect_log "sound: 3.wav"
expect_log "shown for a second start"
expect_log "background: no Background portal; the autostart entry of the install starts Kelvaro at login"
expect_no_log "closed into the tray"
python3 "$(dirname "$0")/tree.py" has "$WORK/shown.json" "اذان ظهر" \
  || { echo "FAIL: the window did not come back for the second start"; FAILED=1; }

start_desktop --portal

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
expect_log "background: the Background portal lets Kelvaro run in the background: yes, start at login: yes"
request=$(grep -m1 "^RequestBackground" "$WORK/desktop")
for field in "autostart=true" "commandline=$(readlink -f "$APP") --background --home $HOME_DIR"; do
  printf '%s\n' "$request" | tr '\t' '\n' | grep -qxF -- "$field" || { echo "FAIL: the portal was asked without $field: $request"; FAILED=1; }
done
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
# then the azan comes in front, and the tray stops its sound and quits,
# once the user says the azans may stop.
printf '%s\n' "wait 1500" "advance 2" "wait 300" "tray stop" "wait 200" "tray quit" "wait 300" "tap خروج" "wait 3000" > "$WORK/script"
start 2012-07-22T13:10 --background
wait_for "$WORK/log" "started in the background"
timeout 30 "$APP" --home "$HOME_DIR" --now 2012-07-22T13:10 > /dev/null 2> "$WORK/second" \
  || { echo "FAIL: the second start ended with $?"; FAILED=1; }
grep -q "already running on this sandbox" "$WORK/second" || { echo "FAIL: the second start did not step aside"; FAILED=1; }
wait "$app" || { echo "FAIL: the app ended with $?"; FAILED=1; }
order=$(grep -o "started in the background\|shown for a second start\|alert: \|sound: \|sound stopped: \|quit with azans planned" "$WORK/log" | tr '\n' '|')
[ "$order" = "started in the background|shown for a second start|alert: |sound: |sound stopped: |quit with azans planned|" ] \
  || { echo "FAIL: the order was $order"; FAILED=1; }
[ "$(grep -c "^Notify" "$WORK/desktop")" -eq 2 ] || { echo "FAIL: $(grep -c "^Notify" "$WORK/desktop") desktop notifications"; FAILED=1; }
finish
