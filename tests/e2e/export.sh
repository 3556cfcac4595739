# A reminder of the user's own added from the calendar, and the calendar
# taken elsewhere: the year's events and the month's times as iCalendar
# that a real iCalendar library reads (one all-day entry each, the same
# UIDs on a second export, the times in Asia/Tehran), and the month's
# timetable as one A4 page of PDF.
source "$(dirname "$0")/lib.sh"
# Debian's Python, which has the iCalendar library of its package.
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
command -v pdftoppm > /dev/null && "$PY" -c "import icalendar" 2> /dev/null || { echo "no pdftoppm or python3-icalendar: skipped"; exit 77; }
CHECK="$(dirname "$0")/check_ics.py"

run 2026-12-08T10:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item7 = '08:00';"
exports() { printf '%s\n' "tap 130 430" "wait 600" "tap 160 180" "wait 800" "tap 160 285" "wait 500" "tap 130 430" "wait 600" \
  "tap 160 232" "wait 800" "tap 160 285" "wait 500" "tap 130 430" "wait 600" "tap 160 284" "wait 1500" "tap 160 285" "wait 300"; }
# The calendar; Friday 20 Azar; a yearly reminder on it; the three exports.
export RUN_OPTIONS="--export $WORK/first"
run 2026-12-08T10:00 "tap 32 441
wait 800
tap 22 175
wait 300
tap 204 430
wait 800
type تولد مریم
wait 200
tap 45 22
wait 800
shot $WORK/calendar.png
$(exports)
quit"
for name in "رویدادهای-1405.ics" "اوقات-تهران-1405-09.ics" "اوقات-تهران-1405-09.pdf"; do
  expect_log "exported: $name"
done
[ "$(db "SELECT COUNT(*) FROM tPreferences WHERE Key LIKE 'DateReminder:%' AND Value LIKE '%تولد مریم%'")" = 1 ] || { echo "FAIL: the reminder is not stored"; FAILED=1; }
# It is notified at 08:00 on its day.
"$APP" --home "$HOME_DIR" --pending | grep -qx "2026-12-11T08:00  times.wav  یادآوری: تولد مریم" || { echo "FAIL: the reminder is not pending"; FAILED=1; }

# A second export, as a second import would take it, the next day (what
# was missed overnight told first).
export RUN_OPTIONS="--export $WORK/second"
run 2026-12-09T10:00 "tap باشه
tap 32 441
wait 800
$(exports)
quit"
"$PY" "$CHECK" year "$WORK/first/رویدادهای-1405.ics" "$WORK/second/رویدادهای-1405.ics" "تولد مریم" || FAILED=1
dawn=$(date -d "2026-12-08 $(db "SELECT T1 FROM tTimes WHERE StateID = 39 AND Date = 1050917")" +%H:%M)
"$PY" "$CHECK" times "$WORK/first/اوقات-تهران-1405-09.ics" 30 "$dawn" || FAILED=1

pdf="$WORK/first/اوقات-تهران-1405-09.pdf"
pdfinfo "$pdf" | grep -q "^Pages: *1$" || { echo "FAIL: the timetable is not one page"; FAILED=1; }
pdfinfo "$pdf" | grep -q "595 x 842 pts (A4)" || { echo "FAIL: the timetable is not A4"; FAILED=1; }
pdftoppm -r 50 -png -singlefile "$pdf" "$WORK/timetable"
[ -s "$WORK/timetable.png" ] || { echo "FAIL: the timetable does not render"; FAILED=1; }
# The text a reader copies from it: the title, and 17 Azar's dawn in Persian digits.
text=$(pdftotext -layout "$pdf" - 2> /dev/null || true)
persian=$(printf '%s' "$dawn" | sed 'y/0123456789/۰۱۲۳۴۵۶۷۸۹/')
case "$text" in *"$persian"*) ;; *) echo "FAIL: no $persian in the timetable's text"; FAILED=1 ;; esac
finish
