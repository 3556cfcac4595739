# Reminders of the user's own added from the calendar, and the calendar
# taken elsewhere: the year's events and the month's times as iCalendar
# that a real iCalendar library reads (one all-day entry for each
# occasion, each reminder at its time in Asia/Tehran, the same UIDs on a
# second export, the times in Asia/Tehran), and the month's timetable as
# one A4 page of PDF.
source "$(dirname "$0")/lib.sh"
# Debian's Python, which has the iCalendar library of its package.
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
command -v pdftoppm > /dev/null && "$PY" -c "import icalendar, dateutil" 2> /dev/null || { echo "no pdftoppm, python3-icalendar or python3-dateutil: skipped"; exit 77; }
CHECK="$(dirname "$0")/check_ics.py"

run 2026-12-08T10:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item7 = '08:00';"
# The calendar's "more", its exports, each file saved and its alert closed.
export_year() { printf '%s\n' "tap بیشتر" "wait 500" "tap خروجی تقویم…" "wait 600" "tap رویدادهای سال $1 (iCalendar)" "wait 800" "tap باشه" "wait 400"; }
exports() { export_year 1405; printf '%s\n' "tap بیشتر" "wait 500" "tap خروجی تقویم…" "wait 600" "tap اوقات آذر ۱۴۰۵ (iCalendar)" "wait 800" \
  "tap باشه" "wait 400" "tap بیشتر" "wait 500" "tap خروجی تقویم…" "wait 600" "tap جدول اوقات آذر ۱۴۰۵ (PDF)" "wait 1500" "tap باشه" "wait 300"; }
# The calendar; Friday 20 Azar, a yearly reminder at the events time; 5
# Dey, a yearly one at 07:30 typed over the time; back to Azar; the three
# exports; and 1406's events, from the year at a glance.
export RUN_OPTIONS="--export $WORK/first"
run 2026-12-08T10:00 "tap تقویم
wait 800
tap ۲۰ آذر ۱۴۰۵
wait 300
tap افزودن یادآوری برای روز انتخاب‌شده
wait 800
type تولد مریم
wait 200
tap ذخیره
wait 800
shot $WORK/calendar.png
tap ماه بعد
wait 800
tap ۵ دی ۱۴۰۵
wait 300
tap افزودن یادآوری برای روز انتخاب‌شده
wait 800
type سالگرد
tap ساعت یادآوری، ساعت و دقیقه
wait 200
type 07:30
wait 200
tap ذخیره
wait 800
tap ماه قبل
wait 800
$(exports)
tap سال ۱۴۰۵ در یک نگاه
wait 800
key Left
wait 300
tap آذر ۱۴۰۶
wait 800
$(export_year 1406)
quit"
for name in "رویدادهای-1405.ics" "اوقات-تهران-1405-09.ics" "اوقات-تهران-1405-09.pdf" "رویدادهای-1406.ics"; do
  expect_log "exported: $name"
done
[ "$(db "SELECT COUNT(*) FROM tPreferences WHERE Key LIKE 'DateReminder:%' AND Value LIKE '%تولد مریم%'")" = 1 ] || { echo "FAIL: the reminder is not stored"; FAILED=1; }
[ "$(db "SELECT COUNT(*) FROM tPreferences WHERE Key LIKE 'DateReminder:%' AND Value LIKE '%\"time\":\"07:30\"%'")" = 1 ] \
  || { echo "FAIL: the time typed over is not stored: $(db "SELECT Value FROM tPreferences WHERE Key LIKE 'DateReminder:%'")"; FAILED=1; }
# It is notified at 08:00 on its day.
grep -qx "2026-12-11T08:00  times.wav  یادآوری: تولد مریم" <<<"$("$APP" --home "$HOME_DIR" --pending)" || { echo "FAIL: the reminder is not pending"; FAILED=1; }

# A second export, as a second import would take it, the next day (what
# was missed overnight told first).
export RUN_OPTIONS="--export $WORK/second"
run 2026-12-09T10:00 "tap باشه
tap تقویم
wait 800
$(exports)
quit"
"$PY" "$CHECK" year "$WORK/first/رویدادهای-1405.ics" "$WORK/second/رویدادهای-1405.ics" || FAILED=1
# Each reminder on its Persian date of each year exported, at its time on
# Tehran's clock: 5 Dey is 26 December in 1405 and in 1406, 20 Azar the 11th.
"$PY" "$CHECK" reminder "$WORK/first/رویدادهای-1405.ics" "سالگرد" 07:30 2026-12-26 || FAILED=1
"$PY" "$CHECK" reminder "$WORK/first/رویدادهای-1406.ics" "سالگرد" 07:30 2027-12-26 || FAILED=1
"$PY" "$CHECK" reminder "$WORK/second/رویدادهای-1405.ics" "تولد مریم" 08:00 2026-12-11 || FAILED=1
"$PY" "$CHECK" reminder "$WORK/first/رویدادهای-1406.ics" "تولد مریم" 08:00 2027-12-11 || FAILED=1
dawn=$(date -d "2026-12-08 $(db "SELECT T1 FROM tTimes WHERE StateID = 39 AND Date = 1050917")" +%H:%M)
"$PY" "$CHECK" times "$WORK/first/اوقات-تهران-1405-09.ics" 30 "$dawn" || FAILED=1

pdf="$WORK/first/اوقات-تهران-1405-09.pdf"
info=$(pdfinfo "$pdf" 2>&1 || true)
grep -q "^Pages: *1$" <<<"$info" || { echo "FAIL: the timetable is not one page"; FAILED=1; }
grep -q "595 x 842 pts (A4)" <<<"$info" || { echo "FAIL: the timetable is not A4"; FAILED=1; }
pdftoppm -r 50 -png -singlefile "$pdf" "$WORK/timetable"
[ -s "$WORK/timetable.png" ] || { echo "FAIL: the timetable does not render"; FAILED=1; }
# The text a reader copies from it: the title, and 17 Azar's dawn in Persian digits.
text=$(pdftotext -layout "$pdf" - 2> /dev/null || true)
persian=$(printf '%s' "$dawn" | sed 'y/0123456789/۰۱۲۳۴۵۶۷۸۹/')
case "$text" in *"$persian"*) ;; *) echo "FAIL: no $persian in the timetable's text"; FAILED=1 ;; esac
finish
