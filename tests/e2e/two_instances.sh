# Two starts on one sandbox: the second shows the first's window and leaves
# at once; every notification is given once.
source "$(dirname "$0")/lib.sh"

run 2012-07-21T13:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 0, Item1 = 1, Item2 = 0, Item6 = 3;"
printf '%s\n' "home" "wait 1500" "advance 3" "wait 500" "quit" > "$WORK/script"
start() { timeout 60 "$APP" --home "$HOME_DIR" --now 2012-07-21T13:09 --script "$WORK/script" > /dev/null 2> "$WORK/$1.log"; }

start first & first=$!
# Up and scheduling before the second comes.
for i in $(seq 100); do grep -q " / " "$WORK/first.log" 2>/dev/null && break; sleep 0.1; done
start second
kill -0 "$first" 2>/dev/null || { echo "FAIL: the second start waited for the first to end"; FAILED=1; }
wait "$first"
grep -q "already running on this sandbox" "$WORK/second.log" || { echo "FAIL: the second start did not step aside"; FAILED=1; }
grep -q "fired:\|banner:\|sound:\| / " "$WORK/second.log" && { echo "FAIL: the second start scheduled or fired"; FAILED=1; }
grep -q "shown for a second start" "$WORK/first.log" || { echo "FAIL: the first was not asked to show"; FAILED=1; }
[ "$(cat "$WORK"/first.log "$WORK"/second.log | grep -c "fired: 2012-07-21T13:11")" -eq 1 ] || { echo "FAIL: the noon azan was not given once"; FAILED=1; }

# Both at the same moment: still one of each.
run 2012-07-22T13:00 "quit"
printf '%s\n' "wait 1500" "advance 3" "wait 500" "quit" > "$WORK/script"
timeout 60 "$APP" --home "$HOME_DIR" --now 2012-07-22T13:09 --script "$WORK/script" > /dev/null 2> "$WORK/a.log" &
timeout 60 "$APP" --home "$HOME_DIR" --now 2012-07-22T13:09 --script "$WORK/script" > /dev/null 2> "$WORK/b.log"
wait
[ "$(cat "$WORK"/a.log "$WORK"/b.log | grep -c "fired: 2012-07-22T13:11")" -eq 1 ] || { echo "FAIL: two starts at once gave $(cat "$WORK"/a.log "$WORK"/b.log | grep -c "fired: ") azans"; FAILED=1; }
[ "$(cat "$WORK"/a.log "$WORK"/b.log | grep -c "already running")" -eq 1 ] || { echo "FAIL: not exactly one start stepped aside"; FAILED=1; }
cat "$WORK"/first.log "$WORK"/second.log "$WORK"/a.log "$WORK"/b.log > "$WORK/log"
finish
