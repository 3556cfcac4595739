# A new user's first start: the settings and the search open by themselves,
# a city is found and chosen, Done shows its page and schedules its azans.
source "$(dirname "$0")/lib.sh"

run 2012-07-21T10:00 "wait 900
shot $WORK/search.png
type تهران
wait 200
tap 160 66
wait 900
shot $WORK/list.png
tap 30 22
wait 900
shot $WORK/main.png
quit"
[ "$(db 'SELECT StateID || ":" || Ordering FROM tSelectedStates')" = "39:1" ] || { echo "FAIL: chosen: $(db 'SELECT * FROM tSelectedStates')"; FAILED=1; }
"$APP" --home "$HOME_DIR" --pending > "$WORK/pending"
grep -q "^2012-07-21T20:37  0.wav  اذان مغرب به افق تهران$" "$WORK/pending" || { echo "FAIL: no evening azan today"; FAILED=1; }
grep -q "^2012-07-22T04:24  0.wav  اذان صبح به افق تهران$" "$WORK/pending" || { echo "FAIL: no dawn azan tomorrow"; FAILED=1; }
# The list and the main screen differ from the search screen, and the main
# screen from the list.
cmp -s "$WORK/search.png" "$WORK/list.png" && { echo "FAIL: the list did not come back"; FAILED=1; }
cmp -s "$WORK/list.png" "$WORK/main.png" && { echo "FAIL: Done did not close the settings"; FAILED=1; }
finish
