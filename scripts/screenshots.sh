#!/usr/bin/env bash
# Renders the screens shown in the README into docs/, offscreen at 2x; some
# are the AppStream metadata's screenshots too (resources/linux/).
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
app=build/kelvaro
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

phone() { # phone NAME NOW CITIES...: a sandbox with those cities chosen
  local home="$work/$1" now="$2"; shift 2
  "$app" --home "$home" --now "$now" --script <(echo quit) 2>/dev/null
  local o=1
  for id in "$@"; do sqlite3 "$home/Documents/Icons" "INSERT INTO tSelectedStates VALUES($id, $o)"; o=$((o + 1)); done
}
shoot() { # shoot NAME NOW SCRIPT
  "$app" --home "$work/$1" --now "$2" --scale 2 --script <(printf '%s\n' "$3") 2>/dev/null
}

phone main 2012-07-21T10:00 39 42
shoot main 2012-07-21T10:00 "shot docs/main-screen.png
quit"
phone new 2012-07-21T10:00
shoot new 2012-07-21T10:00 "wait 900
type تهران
wait 200
shot docs/city-search.png
tap 160 66
wait 900
shot docs/cities.png
quit"
for month in 2012-03-25:farvardin 2012-04-25:ordibehesht 2013-03-05:esfand; do
  phone "cal-${month#*:}" "${month%:*}T10:00" 39
  shoot "cal-${month#*:}" "${month%:*}T10:00" "tap 32 441
wait 900
shot docs/calendar-${month#*:}.png
quit"
done
phone tabs 2012-07-21T10:00 39
# The tabs from the right: cities, alarms, azan sound, events, about.
shoot tabs 2012-07-21T10:00 "tap 299 439
wait 900
tap 224 436
wait 300
shot docs/settings-alarms.png
tap 160 368
wait 800
tap 30 264
wait 300
tap 159 264
wait 300
shot docs/reminder.png
tap 290 22
wait 300
tap ذخیره نشود
wait 800
tap 160 436
wait 300
shot docs/settings-sound.png
tap 96 436
wait 300
tap 50 76
wait 700
shot docs/settings-events.png
tap 32 436
wait 300
tap ذخیره نشود
wait 300
shot docs/settings-about.png
tap 288 436
wait 300
tap 160 385
wait 800
shot docs/new-city.png
quit"
# A reminder of one's own on a day of the calendar, and the azan's silence.
phone own 2026-12-08T11:50 39
shoot own 2026-12-08T11:50 "tap 32 441
wait 900
tap 22 175
wait 300
tap 204 430
wait 800
type تولد مریم
wait 300
shot docs/date-reminder.png
tap 45 22
wait 900
shot docs/calendar-reminder.png
tap 50 430
wait 900
advance 10
wait 900
tap 160 233
wait 800
shot docs/silence.png
quit"
# Where am I, from a recorded position near Kashan; Tehran's Qibla and the
# sun as its compass on 17 Azar 1405.
phone here 2026-12-08T10:00
"$app" --home "$work/here" --now 2026-12-08T10:00 --scale 2 --position tests/data/positions/near-kashan.nmea \
  --script <(printf '%s\n' "wait 900" "tap 266 66" "wait 1500" "shot docs/where-am-i.png" "quit") 2>/dev/null
phone qibla 2026-12-08T11:00 39
shoot qibla 2026-12-08T11:00 "tap 39 94
wait 900
shot docs/qibla.png
quit"
# The converter (17 Azar 1405 and the days from Nowruz), the year at a
# glance and the search of occasions, from the calendar's "more".
phone tools 2026-12-08T10:00 39
shoot tools 2026-12-08T10:00 "tap تقویم
wait 900
tap بیشتر
wait 500
tap تبدیل تاریخ
wait 900
tap تاریخ دوم
type ۱۴۰۵/۱/۱
wait 300
shot docs/converter.png
tap بازگشت
wait 900
tap سال ۱۴۰۵ در یک نگاه
wait 900
shot docs/year.png
tap بازگشت به ماه
wait 900
tap بیشتر
wait 500
tap جستجوی مناسبت‌ها
wait 900
type تاسوعا
wait 800
shot docs/search.png
quit"
# The city the azans follow, chosen by its bell; a change not saved, asked
# about as the tab is left; the azans missed while the app was not running.
phone azans 2026-12-08T10:00 39 42 32
shoot azans 2026-12-08T10:00 "tap تنظیمات
wait 900
tap اذان به افق مشهد (خراسان رضوی)
wait 300
shot docs/azan-city.png
tap هشدارها
wait 300
tap اذان صبح
wait 200
tap شهرها
wait 300
shot docs/unsaved.png
quit"
phone missed 2026-12-08T10:00 39
sqlite3 "$work/missed/Documents/Icons" "UPDATE tSetting SET Item0 = 1, Item1 = 1, Item2 = 1"
shoot missed 2026-12-08T10:00 "quit"
shoot missed 2026-12-08T21:00 "wait 500
shot docs/missed.png
quit"
# The month's timetable, as printed.
phone pdf 2026-12-08T10:00 39
"$app" --home "$work/pdf" --now 2026-12-08T10:00 --export "$work/pdf/out" --script <(printf '%s\n' "tap تقویم" "wait 900" \
  "tap بیشتر" "wait 500" "tap خروجی تقویم…" "wait 600" "tap جدول اوقات آذر ۱۴۰۵ (PDF)" "wait 1500" "quit") 2>/dev/null
pdftoppm -r 80 -png -singlefile "$work"/pdf/out/*.pdf docs/timetable
