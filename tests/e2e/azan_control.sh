# Each azan with its own recording and volume, through a day in front; a
# day in the background told in one alert on return; a clock set back
# never gives an azan a second time.
source "$(dirname "$0")/lib.sh"

run 2026-12-08T00:30 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 1, Item1 = 1, Item2 = 1, Item6 = 3;
INSERT INTO tPreferences VALUES('AzanRecording:0', '5'), ('AzanRecording:1', '2'), ('AzanVolume:0', '30'), ('AzanRises', '1');"
run 2026-12-08T00:30 "advance 1440
wait 300
quit"
sounds=$(grep -o "sound: .*" "$WORK/log" | tr '\n' '|')
[ "$sounds" = "sound: 5.wav at 30%, rising|sound: 2.wav at 100%, rising|sound: 3.wav at 100%, rising|" ] || { echo "FAIL: the sounds were $sounds"; FAILED=1; }
[ "$(grep -c "alert: اذان" "$WORK/log")" -eq 3 ] || { echo "FAIL: not three alerts"; FAILED=1; }

# A day in the background, then back: one alert lists the three.
run 2026-12-09T00:30 "home
advance 1440
wait 300
open
wait 600
shot $WORK/away.png
quit"
[ "$(grep -c "banner: اذان" "$WORK/log")" -eq 3 ] || { echo "FAIL: not three banners"; FAILED=1; }
expect_log "told: در نبود شما: 3 notifications"
expect_no_log "alert: "

# The clock set back over the dawn of the 9th: nothing again.
run 2026-12-09T05:00 "advance 90
wait 300
quit"
expect_no_log "fired: "
expect_no_log "sound: "
grep -q "^2026-12-10T" <<<"$("$APP" --home "$HOME_DIR" --pending | sed -n 1p)" || { echo "FAIL: the list does not begin on the 10th"; FAILED=1; }
finish
