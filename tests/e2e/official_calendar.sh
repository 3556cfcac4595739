# Iran's official calendar as a user meets it: on 17 Azar 1405 the day page
# gives the Hijri date of the official table, and the international days,
# off at first, come on the day page and in the year's iCalendar file once
# the user turns them on in the events tab, and go again once turned off.
# Controls are found by their accessible names, through the screen's tree.
source "$(dirname "$0")/lib.sh"
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
TREE="$(dirname "$0")/tree.py"
has() { "$PY" "$TREE" has "$@"; }

run 2026-12-08T10:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1);"
run 2026-12-08T10:00 "tree $WORK/today.json
quit"
has "$WORK/today.json" "28 جمادی‌الثانی 1448" || { echo "FAIL: 17 Azar 1405 is not 28 Jumada II 1448:"; "$PY" "$TREE" names "$WORK/today.json"; FAILED=1; }
# The eight times, by name, with their clock times.
for name in "اذان صبح" "طلوع آفتاب" "اذان ظهر" "غروب آفتاب" "اذان مغرب" "نیمه شب شرعی" "اذان صبح فردا" "طلوع آفتاب فردا"; do
  has "$WORK/today.json" "$name" ":" || { echo "FAIL: no $name with its time"; FAILED=1; }
done

# 18 Azar, 9 December: World Anti-Corruption Day, an international day.
kinds() { # kinds SWITCH...: the events tab's kinds, each named switch tapped, saved
  printf '%s\n' "tap تنظیمات" "wait 900" "tap رویدادها" "wait 400" "tap گروه‌های مناسبت" "wait 900"
  for s in "$@"; do printf '%s\n' "tap $s" "wait 200"; done
  printf '%s\n' "tap ذخیره" "wait 300" "tap رویدادها" "wait 900" "tap شهرها" "wait 400" "tap تایید" "wait 900"
}
year_export() { printf '%s\n' "tap تقویم" "wait 900" "tap بیشتر" "wait 500" "tap خروجی تقویم…" "wait 600" "tap رویدادهای سال ۱۴۰۵ (iCalendar)" "wait 900" "tap باشه" "wait 300" "tap نمایش اوقات" "wait 900"; }
export RUN_OPTIONS="--export $WORK/off"
# What was missed overnight is told first.
run 2026-12-09T10:00 "tap باشه
tree $WORK/before.json
$(year_export)
quit"
has "$WORK/before.json" "رویدادهای روز" "مبارزه با فساد" && { echo "FAIL: an international day is shown before it is chosen"; FAILED=1; }
export RUN_OPTIONS="--export $WORK/on"
run 2026-12-09T10:00 "$(kinds "روزهای جهانی")
tree $WORK/on.json
$(year_export)
quit"
[ "$(db "SELECT Value FROM tPreferences WHERE Key = 'EventKinds'")" = "Iran,International" ] || { echo "FAIL: the kinds are not stored"; FAILED=1; }
has "$WORK/on.json" "رویدادهای روز" "روز جهانی مبارزه با فساد" || { echo "FAIL: the international day is not on the day page:"; "$PY" "$TREE" names "$WORK/on.json" | sed -n 1,20p; FAILED=1; }
export RUN_OPTIONS="--export $WORK/again"
run 2026-12-09T10:00 "$(kinds "روزهای جهانی")
tree $WORK/again.json
$(year_export)
quit"
has "$WORK/again.json" "رویدادهای روز" "مبارزه با فساد" && { echo "FAIL: the international day stays once turned off"; FAILED=1; }
ics() { grep -c "SUMMARY:روز جهانی مبارزه با فساد" "$WORK/$1/رویدادهای-1405.ics" || true; }
[ -s "$WORK/off/رویدادهای-1405.ics" ] || { echo "FAIL: no export"; FAILED=1; }
[ "$(ics off)" = 0 ] && [ "$(ics on)" = 1 ] && [ "$(ics again)" = 0 ] || { echo "FAIL: in the exports: $(ics off), $(ics on), $(ics again)"; FAILED=1; }
finish
