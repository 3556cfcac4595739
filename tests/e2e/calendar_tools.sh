# What the calendar's "more" opens, driven through the real app and read
# from its accessibility tree: the converter (17 Azar 1405 to 8 December
# 2026 and back, 30 Esfand 1404 refused, the days from 1 Farvardin), the
# year at a glance (1405's official holidays, a tap opens the month) and
# the search of occasions (every year's Tasua, a tap opens the day).
source "$(dirname "$0")/lib.sh"
TREE="$(dirname "$0")/tree.py"
has() { python3 "$TREE" has "$@"; }
value() { python3 "$TREE" value "$@" || true; }

run 2026-12-08T10:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1);"
run 2026-12-08T10:00 "tap تقویم
wait 800
tap بیشتر
wait 400
tap تبدیل تاریخ
wait 800
tree $WORK/today.json
tap تاریخ
wait 200
type 8 December 2026
wait 200
tree $WORK/gregorian.json
tap تاریخ
wait 200
type 30 اسفند 1404
wait 200
tree $WORK/esfand.json
tap تاریخ
wait 200
type 17 آذر 1405
tap تاریخ دوم
wait 200
type 1405/1/1
wait 200
tree $WORK/span.json
tap نمایش در تقویم
wait 800
tree $WORK/opened.json
tap آذر ۱۴۰۵
wait 800
tree $WORK/year.json
tap خرداد ۱۴۰۵
wait 800
tree $WORK/khordad.json
tap بیشتر
wait 400
tap جستجوی مناسبت‌ها
wait 800
type تاسوعا
wait 600
tree $WORK/search.json
tap تاسوعای حسینی (تعطیل)، چهارشنبه ۳ تیر ۱۴۰۵، ۹ محرم ۱۴۴۸
wait 800
tree $WORK/tasua.json
quit"
expect_no_log "cannot run"

# 17 Azar 1405 in the three calendars; the lunar date from the official table.
[ "$(value "$WORK/today.json" "تاریخ میلادی")" = "٨ دسامبر ٢٠٢٦ میلادی" ] || { echo "FAIL: Gregorian: $(value "$WORK/today.json" "تاریخ میلادی")"; FAILED=1; }
[ "$(value "$WORK/today.json" "تاریخ قمری")" = "٢٨ جمادی‌الثانی ١٤٤٨ قمری" ] || { echo "FAIL: Hijri: $(value "$WORK/today.json" "تاریخ قمری")"; FAILED=1; }
has "$WORK/today.json" "منبع تاریخ قمری" "تقویم رسمی" || { echo "FAIL: the lunar date's source is not the official calendar"; FAILED=1; }
# And back from the Gregorian date.
[ "$(value "$WORK/gregorian.json" "تاریخ شمسی")" = "سه‌شنبه ١٧ آذر ١٤٠٥" ] || { echo "FAIL: back: $(value "$WORK/gregorian.json" "تاریخ شمسی")"; FAILED=1; }
# 30 Esfand 1404 does not exist, and the screen says why.
has "$WORK/esfand.json" "٣٠ اسفند ١٤٠٤ وجود ندارد؛ اسفند ١٤٠٤ تنها ٢٩ روز دارد." || { echo "FAIL: 30 Esfand 1404 is not refused with its reason"; FAILED=1; }
# 1 Farvardin to 17 Azar: 262 days on, 261 between them.
span=$(value "$WORK/span.json" فاصله)
case "$span" in *"٢٦٢ روز قبل"*"میان دو تاریخ: ٢٦١"*) ;; *) echo "FAIL: the span says: $span"; FAILED=1 ;; esac
# Opened in the calendar, selected.
has "$WORK/opened.json" "آذر ١٤٠٥" || { echo "FAIL: the converter did not open Azar"; FAILED=1; }

# 1405 at a glance: Khordad's official holidays are the 6th (Eid al-Adha), the 14th and the 15th.
has "$WORK/year.json" "١٤٠٥" || { echo "FAIL: the year is not 1405"; FAILED=1; }
has "$WORK/year.json" "خرداد ١٤٠٥" "تعطیل رسمی: ٦، ١٤، ١٥" || { echo "FAIL: Khordad's holidays: $(value "$WORK/year.json" "خرداد ١٤٠٥")"; FAILED=1; }
has "$WORK/year.json" "آذر ١٤٠٥" "امروز ١٧" || { echo "FAIL: today is not ringed in Azar"; FAILED=1; }
has "$WORK/khordad.json" "خرداد ١٤٠٥" || { echo "FAIL: the tap did not open Khordad"; FAILED=1; }

# Every year's Tasua, 1391 to 1410; the tap opens 1405's.
count=$(python3 "$TREE" names "$WORK/search.json" | grep -c "^ListItem	تاسوعای حسینی" || true)
[ "$count" -ge 5 ] || { echo "FAIL: $count rows of Tasua in sight"; FAILED=1; }
has "$WORK/search.json" "٢٠ روز در سال‌های ١٣٩١ تا ١٤١٠؛ روزهای گذشته بالاتر." || { echo "FAIL: not twenty days of Tasua"; FAILED=1; }
has "$WORK/tasua.json" "تیر ١٤٠٥" && grep -q "^ListItem	تاسوعای حسینی" <<<"$(python3 "$TREE" names "$WORK/tasua.json")" \
  || { echo "FAIL: the tap did not open 3 Tir 1405 with its Tasua"; FAILED=1; }
finish
