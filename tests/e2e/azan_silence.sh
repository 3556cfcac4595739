# Silence from the tray: "the next azan" skips exactly one, "for 2 hours"
# those within the two hours; each azan silenced still shows its text, the
# log says why, the tooltip says what is silenced, and both end by
# themselves.
source "$(dirname "$0")/desktop_lib.sh"

run 2026-12-08T00:30 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 1, Item1 = 1, Item2 = 1, Item6 = 3;"
start_desktop

# The next azan is the dawn of the 8th, at 05:32.
printf '%s\n' "wait 300" "close" "wait 300" "tray silence-next" "wait 2000" "advance 1440" "wait 2000" "tray quit" > "$WORK/script"
start 2026-12-08T00:30
wait_for "$WORK/log" "tray: silence-next"
sleep 0.5
case "$(tooltip)" in
  *"بی‌صدا: اذان صبح ساعت ۰۵:۳۲"*) ;;
  *) echo "FAIL: the tooltip says nothing of the skipped azan: $(tooltip)"; FAILED=1 ;;
esac
wait_for "$WORK/log" "fired: 2026-12-08T17:11"
sleep 1
case "$(tooltip)" in
  *"بی‌صدا"*) echo "FAIL: the silence did not end: $(tooltip)"; FAILED=1 ;;
esac
wait "$app"
expect_log "silence: skip 2026-12-08T05:32, until -"
expect_log "silent: اذان صبح به افق تهران (the next azan is silenced)"
expect_log "banner: اذان صبح به افق تهران"
[ "$(grep -c "sound: 3.wav" "$WORK/log")" -eq 2 ] || { echo "FAIL: $(grep -c "sound: 3.wav" "$WORK/log") sounds, not the noon's and the evening's"; FAILED=1; }
[ "$(grep -c "silent: " "$WORK/log")" -eq 1 ] || { echo "FAIL: more than one silent"; FAILED=1; }

# For two hours from 10:30 on the 9th: the noon azan (11:57) only.
printf '%s\n' "wait 300" "close" "wait 300" "tray silence-2" "wait 300" "advance 1440" "wait 1000" "tray quit" > "$WORK/script"
start 2026-12-09T10:30
wait "$app"
expect_log "silent: اذان ظهر به افق تهران (the azans are silenced until 2026-12-09T12:30:00+03:30)"
[ "$(grep -c "silent: " "$WORK/log")" -eq 1 ] || { echo "FAIL: not one silent"; FAILED=1; }
sounds=$(grep -o "fired: [^ ]*\|sound: 3.wav" "$WORK/log" | tr '\n' '|')
[ "$sounds" = "fired: 2026-12-09T11:57|fired: 2026-12-09T17:11|sound: 3.wav|fired: 2026-12-10T05:33|sound: 3.wav|" ] \
  || { echo "FAIL: the azans went $sounds"; FAILED=1; }
finish
