#!/usr/bin/env bash
# Renders the screens shown in the README into docs/, offscreen at 2x.
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
shoot tabs 2012-07-21T10:00 "tap 299 439
wait 900
tap 96 436
wait 300
shot docs/settings-alarms.png
tap 160 436
wait 300
shot docs/settings-sound.png
tap 224 436
wait 300
tap 266 76
wait 700
shot docs/settings-events.png
tap 288 436
wait 300
shot docs/settings-about.png
tap 32 436
wait 300
tap 160 385
wait 800
shot docs/new-city.png
quit"
