# Today's date, 16 Azar 1405, in a machine zone other than Iran's: the page
# shows the day and Tehran's times of that day, without any summer hour, and
# the pending list holds that day's and the next days' azans at those times.
source "$(dirname "$0")/lib.sh"

run 2026-12-07T10:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 1, Item1 = 1, Item2 = 1;"
run 2026-12-07T10:00 "shot $WORK/today.png
quit"
[ -s "$WORK/today.png" ] || { echo "FAIL: no screenshot"; FAILED=1; }

"$APP" --home "$HOME_DIR" --pending > "$WORK/pending"
pad() { printf '%02d:%02d' "${1%%:*}" "$((10#${1##*:}))"; }
noon=$(pad "$(db "SELECT T3 FROM tTimes WHERE StateID = 39 AND Date = 1050916")")
evening=$(pad "$(db "SELECT T5 FROM tTimes WHERE StateID = 39 AND Date = 1050916")")
dawn=$(pad "$(db "SELECT T1 FROM tTimes WHERE StateID = 39 AND Date = 1050917")")
expected="2026-12-07T$noon  0.wav  اذان ظهر به افق تهران
2026-12-07T$evening  0.wav  اذان مغرب به افق تهران
2026-12-08T$dawn  0.wav  اذان صبح به افق تهران"
if [ "$(head -3 "$WORK/pending")" != "$expected" ]; then
  echo "FAIL: pending starts with:"; head -3 "$WORK/pending"; echo "expected:"; echo "$expected"; FAILED=1
fi
[ "$(wc -l < "$WORK/pending")" -eq 14 ] || { echo "FAIL: $(wc -l < "$WORK/pending") pending"; FAILED=1; }

# The same moments on a device set to another zone: 2.5 hours earlier on its clock.
"$APP" --home "$HOME_DIR" --tz Europe/Berlin --pending > "$WORK/berlin"
moved=$(date -u -d "2026-12-07 $noon 150 minutes ago" +%Y-%m-%dT%H:%M)
head -1 "$WORK/berlin" | grep -q "^$moved  0.wav" || { echo "FAIL: in Berlin: $(head -1 "$WORK/berlin")"; FAILED=1; }

# A day after the data: every chosen city gets a page that says so, and the
# settings do not open by themselves.
# The azans of 2026 that never came are told first, and put away.
run 2033-01-01T10:00 "tap باشه
shot $WORK/after.png
quit"
expect_log "told: در نبود شما"
# The same strip of page control and buttons as on a day with times: the
# main screen, not the settings' tab bar.
if ! cmp -s <(strip "$WORK/today.png") <(strip "$WORK/after.png"); then
  echo "FAIL: a day after the data does not show the main screen"; FAILED=1
fi
finish
