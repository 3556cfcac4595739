# Settings saved on their tabs reach the notifications at Done: no noon
# azan, iftar reminders 15 minutes ahead, recording 4, events at 21:05.
source "$(dirname "$0")/lib.sh"

run 2012-07-21T00:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1);"
hours=""; for i in $(seq 13); do hours="$hours
tap 100 238"; done
minutes=""; for i in $(seq 5); do minutes="$minutes
tap 220 238"; done
run 2012-07-21T00:00 "tap 299 439
wait 900
tap 224 436
wait 300
tap 54 118
tap 54 318
wait 300
tap 248 362
shot $WORK/alarms.png
tap 30 22
tap 160 436
wait 300
tap 160 390
shot $WORK/sounds.png
tap 30 22
tap 96 436
wait 300
tap 54 76
wait 600$hours$minutes
shot $WORK/events.png
tap 30 22
tap 32 436
wait 300
shot $WORK/about.png
tap 288 436
wait 300
tap 30 22
wait 800
quit"
[ "$(db 'SELECT Item0 || Item1 || Item2 || "," || Item5 || "," || Item6 || "," || Item7 FROM tSetting')" = "101,15,4,21:05" ] \
  || { echo "FAIL: settings $(db 'SELECT * FROM tSetting')"; FAILED=1; }
"$APP" --home "$HOME_DIR" --pending > "$WORK/pending"
grep -q "اذان ظهر" "$WORK/pending" && { echo "FAIL: a noon azan is scheduled"; FAILED=1; }
grep -q "^2012-07-21T21:05  times.wav  وقایع امروز : \\\\n" "$WORK/pending" || { echo "FAIL: no events notice at 21:05"; FAILED=1; }
grep -q "^2012-07-21T04:23  4.wav  اذان صبح به افق تهران$" "$WORK/pending" || { echo "FAIL: no dawn azan with 4.wav"; FAILED=1; }
evening=$(grep -m1 -F "  4.wav  اذان مغرب" "$WORK/pending" | cut -c1-16)
iftar=$(grep -m1 -F "  .wav  " "$WORK/pending" | cut -c1-16)
[ "$(date -d "${evening/T/ } 15 minutes ago" +%Y-%m-%dT%H:%M)" = "$iftar" ] || { echo "FAIL: iftar reminder $iftar, evening azan $evening"; FAILED=1; }
grep -q "تا اذان مغرب تنها ۱۵\|تا اذان مغرب تنها ١٥ دقیقه" "$WORK/pending" || { echo "FAIL: the reminder's text"; FAILED=1; }
finish
