# A city of the user's own: named, put in a province, moved by two offsets,
# saved; it is listed, shown and (as the first city) scheduled.
source "$(dirname "$0")/lib.sh"

run 2012-07-21T10:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 1, Item1 = 0, Item2 = 1;"
run 2012-07-21T10:00 "tap 299 439
wait 900
tap 160 385
wait 800
tap 200 69
type ماهدشت
key Return
tap 160 112
wait 800
type البرز
wait 200
tap 160 66
wait 800
# Past the coordinates, to the offsets.
drag 300 400 300 150
wait 600
drag 125 210 76 210
drag 125 384 174 384
wait 200
shot $WORK/form.png
tap 30 22
wait 800
shot $WORK/list.png
quit"
id=$(db "SELECT StateID FROM tStates WHERE Name = 'ماهدشت'")
[ -n "$id" ] || { echo "FAIL: the city was not stored"; FAILED=1; id=0; }
offsets=$(db "SELECT T1 || ',' || T5 FROM tTimes WHERE StateID = $id AND Date = 14000101")
t1=${offsets%,*}; t5=${offsets#*,}
[ "$t1" -gt 0 ] && [ "$t5" -lt 0 ] || { echo "FAIL: offsets $offsets"; FAILED=1; }
[ "$(db "SELECT Ordering FROM tSelectedStates WHERE StateID = $id")" = "2" ] || { echo "FAIL: not listed last"; FAILED=1; }

# First in the list: its azans are Karaj's moved by its offsets.
db "UPDATE tSelectedStates SET Ordering = 0 WHERE StateID = $id"
run 2012-07-22T00:00 "quit"
karaj=$(db "SELECT T1 FROM tTimes WHERE StateID = 36 AND Date = 910501")
expected=$(date -d "2012-07-22 $karaj 1 hour $t1 minutes" +%Y-%m-%dT%H:%M)
"$APP" --home "$HOME_DIR" --pending > "$WORK/pending"
grep -q "^$expected  0.wav  اذان صبح به افق ماهدشت$" "$WORK/pending" || { echo "FAIL: no dawn azan at $expected"; head -3 "$WORK/pending"; FAILED=1; }

# Deleting it from the list removes it from all three tables.
run 2012-07-22T00:00 "tap 299 439
wait 900
tap 297 69
wait 200
tap 52 69
wait 400
quit"
[ "$(db "SELECT (SELECT COUNT(*) FROM tStates WHERE StateID = $id) + (SELECT COUNT(*) FROM tTimes WHERE StateID = $id) + (SELECT COUNT(*) FROM tSelectedStates WHERE StateID = $id)")" = "0" ] \
  || { echo "FAIL: the city was not deleted altogether"; FAILED=1; }
finish
