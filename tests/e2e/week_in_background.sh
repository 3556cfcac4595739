# A week in the background, never reopened: every azan of the seven days
# comes exactly once, in order, with its recording, the list never runs dry,
# and the main screen shows the seventh day. A window left open in front
# turns to the new day at midnight.
source "$(dirname "$0")/lib.sh"

run 2026-12-07T00:30 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 1, Item1 = 1, Item2 = 1, Item6 = 3;"
# From 00:30 on 7 December to 23:00 on the 13th.
run 2026-12-07T00:30 "home
advance 9990
wait 300
shot $WORK/week.png
quit"

pad() { printf '%02d:%02d' "${1%%:*}" "$((10#${1##*:}))"; }
: > "$WORK/expected"
for i in 0 1 2 3 4 5 6; do
  day=$(date -d "2026-12-07 $i days" +%Y-%m-%d)
  key=$((1050916 + i))
  for prayer in "T1 صبح" "T3 ظهر" "T5 مغرب"; do
    at=$(pad "$(db "SELECT ${prayer% *} FROM tTimes WHERE StateID = 39 AND Date = $key")")
    echo "${day}T$at  3.wav  اذان ${prayer#* } به افق تهران" >> "$WORK/expected"
  done
done
grep "fired: " "$WORK/log" | sed 's/.*fired: //' > "$WORK/fired"
if ! diff "$WORK/expected" "$WORK/fired" > "$WORK/diff"; then
  echo "FAIL: the azans given differ from the week's:"; cat "$WORK/diff"; FAILED=1
fi
[ "$(grep -c "sound: 3.wav$" "$WORK/log")" -eq 21 ] || { echo "FAIL: $(grep -c "sound: 3.wav$" "$WORK/log") sounds"; FAILED=1; }
[ "$(grep -c "banner: " "$WORK/log")" -eq 21 ] || { echo "FAIL: $(grep -c "banner: " "$WORK/log") banners"; FAILED=1; }
expect_no_log "missed:"
expect_no_log "alert:"
# Still days ahead on the list.
"$APP" --home "$HOME_DIR" --pending > "$WORK/pending"
head -1 "$WORK/pending" | grep -q "^2026-12-14T..:..  3.wav  اذان صبح به افق تهران$" || { echo "FAIL: pending starts with: $(head -1 "$WORK/pending")"; FAILED=1; }

# The screen left in the background shows what a start on that day shows.
run 2026-12-13T23:00 "shot $WORK/fresh.png
quit"
cmp -s <(convert "$WORK/week.png" rgb:-) <(convert "$WORK/fresh.png" rgb:-) || { echo "FAIL: the main screen does not show the seventh day"; FAILED=1; }

# Left open in front over midnight: the next day shows without a touch.
run 2026-12-13T23:30 "advance 60
wait 300
shot $WORK/open.png
quit"
expect_log "time change: new day"
run 2026-12-14T00:30 "shot $WORK/next.png
quit"
cmp -s <(convert "$WORK/open.png" rgb:-) <(convert "$WORK/next.png" rgb:-) || { echo "FAIL: the open window still shows yesterday"; FAILED=1; }
cmp -s <(convert "$WORK/open.png" rgb:-) <(convert "$WORK/fresh.png" rgb:-) && { echo "FAIL: the new day looks like the old one"; FAILED=1; }
finish
