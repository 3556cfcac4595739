# The main screen in the real window: a swipe turns the page and the page
# control follows; back from the background after midnight shows the new day.
source "$(dirname "$0")/lib.sh"

run 2012-07-21T23:58 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); INSERT INTO tSelectedStates VALUES(42, 2);"

run 2012-07-21T23:58 "shot $WORK/first.png
drag 60 250 260 250
wait 500
shot $WORK/swiped.png
drag 260 250 60 250
wait 500
shot $WORK/back.png
home
advance 5
open
wait 300
shot $WORK/newday.png
quit"
if cmp -s <(strip "$WORK/first.png") <(strip "$WORK/swiped.png"); then
  echo "FAIL: the page control did not change with the swipe"; FAILED=1
fi
if ! cmp -s <(strip "$WORK/first.png") <(strip "$WORK/back.png"); then
  echo "FAIL: the page control did not come back with the swipe back"; FAILED=1
fi
# The same sandbox started on the new day looks the same as after the return.
run 2012-07-22T00:03 "shot $WORK/fresh.png
quit"
if ! cmp -s <(convert "$WORK/newday.png" rgb:-) <(convert "$WORK/fresh.png" rgb:-); then
  echo "FAIL: after midnight the screen does not show the new day"; FAILED=1
fi
if cmp -s <(convert "$WORK/first.png" rgb:-) <(convert "$WORK/fresh.png" rgb:-); then
  echo "FAIL: the new day looks like the old one"; FAILED=1
fi
finish
