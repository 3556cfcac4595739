# With Tehran chosen and the dawn azan on, the azan fires at its moment: an
# alert in front, a banner and the recording's sound in the background.
source "$(dirname "$0")/lib.sh"

run 2012-07-22T00:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 1, Item1 = 0, Item2 = 0, Item6 = 3;"
stored=$(db "SELECT T1 FROM tTimes WHERE StateID = 39 AND Date = 910501")
# Summer time: the clock shows an hour more than the stored standard time.
dawn=$(date -d "2012-07-22 $stored 1 hour" +%H:%M)
before=$(date -d "2012-07-22 $dawn 5 minutes ago" +%Y-%m-%dT%H:%M)

run "$before" "advance 6
wait 300
shot $WORK/alert.png
quit"
expect_log "alert: اذان صبح به افق تهران"
expect_no_log "banner:"

# The next day's dawn, with the app in the background.
before=$(date -d "2012-07-23 $dawn 5 minutes ago" +%Y-%m-%dT%H:%M)
run "$before" "home
advance 7
wait 300
quit"
expect_log "banner: اذان صبح به افق تهران"
expect_log "sound: 3.wav"
expect_no_log "alert:"

# What is pending now lists the azans of the coming days, in order.
"$APP" --home "$HOME_DIR" --pending > "$WORK/pending"
if ! head -1 "$WORK/pending" | grep -q "^2012-07-24T..:..  3.wav  اذان صبح به افق تهران$"; then
  echo "FAIL: pending starts with: $(head -1 "$WORK/pending")"; FAILED=1
fi
[ "$(wc -l < "$WORK/pending")" -eq 4 ] || { echo "FAIL: $(wc -l < "$WORK/pending") pending"; FAILED=1; }
finish
