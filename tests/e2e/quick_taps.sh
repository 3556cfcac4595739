# A finger quicker than the screens, in a real window on an X server: two
# taps 200 ms apart on next month turn two months, a tab tapped while the
# settings turn in is the tab that opens, and two swipes, the second while
# the first page scrolls in, turn two city pages. Controls are found by their names, through the tree.
if [ -z "${KELVARO_ON_X:-}" ]; then
  export KELVARO_ON_X=1
  exec xvfb-run -a bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
export QT_QPA_PLATFORM=xcb
has() { python3 "$(dirname "$0")/tree.py" has "$@"; }

run 2012-07-21T10:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1), (42, 2), (32, 3);"
run 2012-07-21T10:00 "tap تقویم
wait 900
tap ماه بعد
wait 200
tap ماه بعد
wait 1000
tree $WORK/months.json
tap نمایش اوقات
wait 900
tap تنظیمات
wait 150
tap درباره
wait 1000
tree $WORK/tab.json
tap شهرها
wait 300
tap تایید
wait 900
tree $WORK/first.json
drag 60 250 200 250
wait 30
drag 60 250 200 250
wait 1000
tree $WORK/pages.json
quit"
has "$WORK/months.json" "شهریور ١٣٩١" || { echo "FAIL: two taps 200 ms apart did not turn two months"; FAILED=1; }
has "$WORK/tab.json" "خروج از کلوارو" || { echo "FAIL: the tab tapped while the settings turned in is not the one open"; FAILED=1; }
has "$WORK/first.json" "صفحهٔ 1 از 3" || { echo "FAIL: the main screen did not open on the first city"; FAILED=1; }
has "$WORK/pages.json" "صفحهٔ 3 از 3" || { echo "FAIL: two quick swipes did not turn two pages"; FAILED=1; }
finish
