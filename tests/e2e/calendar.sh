# The month calendar from the main screen: opens on today's month, next
# month changes it, two quick taps on next month change it twice, a day
# with events lists them, confirming shows that date, and back from the
# background shows today again.
source "$(dirname "$0")/lib.sh"

run 2012-07-21T10:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); INSERT INTO tEventRules(Ord, Calendar, Month, Day, IsHoliday, FirstYear, LastYear, Description) VALUES(1000, 0, 5, '9', 0, 1391, 1391, 'a'), (1001, 0, 5, '9', 0, 1391, 1391, 'b');"
run 2012-07-21T10:00 "shot $WORK/today.png
tap 32 441
wait 900
shot $WORK/tir.png
tap 45 22
wait 800
shot $WORK/mordad.png
tap 206 110
wait 200
shot $WORK/day.png
tap 80 430
wait 1200
shot $WORK/chosen.png
home
open
wait 400
shot $WORK/again.png
quit"
# Two taps 200 ms apart, the second while the first month scrolls in: two
# months on, Shahrivar, at rest as a month turned to.
run 2012-07-21T10:00 "tap 32 441
wait 900
tap ماه بعد
wait 200
tap ماه بعد
wait 900
tree $WORK/twice.json
shot $WORK/twice.png
tap ماه قبل
wait 900
shot $WORK/back.png
quit"
python3 "$(dirname "$0")/tree.py" has "$WORK/twice.json" "شهریور ١٣٩١" || { echo "FAIL: two quick taps did not turn two months"; FAILED=1; }
cmp -s <(convert "$WORK/mordad.png" rgb:-) <(convert "$WORK/back.png" rgb:-) || { echo "FAIL: two months on and one back is not Mordad"; FAILED=1; }
cmp -s <(convert "$WORK/mordad.png" rgb:-) <(convert "$WORK/day.png" rgb:-) && { echo "FAIL: the day's events did not show"; FAILED=1; }
cmp -s <(convert "$WORK/today.png" rgb:-) <(convert "$WORK/chosen.png" rgb:-) && { echo "FAIL: the chosen date is not shown"; FAILED=1; }
cmp -s <(convert "$WORK/today.png" rgb:-) <(convert "$WORK/again.png" rgb:-) || { echo "FAIL: back in front it does not show today"; FAILED=1; }
finish
