# A reminder made in the alarm tab, "20 minutes before noon, Fridays only",
# through two weeks in the background: it comes on the two Fridays, at noon
# less twenty minutes, and on no other day. A yearly reminder on 30 Esfand
# comes on 29 Esfand in a year without the 30th. A reminder on a date
# changed from the calendar's list: its notification moves with it.
source "$(dirname "$0")/lib.sh"

run 2026-12-06T00:30 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 0, Item1 = 0, Item2 = 0;"
# Settings, alarms, "add a reminder"; every day but Friday taken away,
# Saturday at the right to Thursday; saved.
run 2026-12-06T00:30 "tap 300 440
wait 600
tap 224 440
wait 500
tap 160 368
wait 700
$(for x in 288 245 202 159 116 73; do printf 'tap %s 264\nwait 150\n' "$x"; done)
tap 30 22
wait 800
shot $WORK/alarms.png
quit"
[ "$(db "SELECT Value FROM tPreferences WHERE Key = 'Reminder:1'")" = '{"minutes":-20,"ramadan":false,"time":2,"weekdays":[5]}' ] \
  || { echo "FAIL: stored as $(db "SELECT Value FROM tPreferences WHERE Key LIKE 'Reminder:%'")"; FAILED=1; }

run 2026-12-06T00:30 "home
advance 20160
wait 300
quit"
: > "$WORK/expected"
for day in 2026-12-11 2026-12-18; do
  key=$(( 1050916 + ($(date -d "$day" +%s) - $(date -d 2026-12-07 +%s)) / 86400 ))
  at=$(date -d "$day $(db "SELECT T3 FROM tTimes WHERE StateID = 39 AND Date = $key") 20 minutes ago" +%Y-%m-%dT%H:%M)
  echo "$at  alarm.wav  ٢٠ دقیقه تا اذان ظهر به افق تهران" >> "$WORK/expected"
done
grep "fired: " "$WORK/log" | sed 's/.*fired: //' > "$WORK/fired"
diff "$WORK/expected" "$WORK/fired" > "$WORK/diff" || { echo "FAIL: the reminders given differ:"; cat "$WORK/diff"; FAILED=1; }

# 30 Esfand 1403 (a leap year), yearly: 29 Esfand 1404 is 20 March 2026.
db "INSERT INTO tPreferences VALUES('DateReminder:1', '{\"repeat\":1,\"year\":1403,\"month\":12,\"day\":30,\"text\":\"سالگرد\",\"time\":\"09:00\"}');
DELETE FROM tPreferences WHERE Key = 'Reminder:1';"
run 2026-03-18T12:00 "home
advance 4320
wait 300
quit"
grep "fired: " "$WORK/log" | sed 's/.*fired: //' > "$WORK/fired"
[ "$(cat "$WORK/fired")" = "2026-03-20T09:00  times.wav  یادآوری: سالگرد" ] || { echo "FAIL: given: $(cat "$WORK/fired")"; FAILED=1; }

# Every year on 5 Dey at 07:30; on 2 Dey its row says its time, a tap
# offers to change it, the form comes filled in and takes 07:45 typed over
# its time.
db "DELETE FROM tPreferences WHERE Key LIKE 'DateReminder:%';
INSERT INTO tPreferences VALUES('DateReminder:3', '{\"repeat\":1,\"year\":1405,\"month\":10,\"day\":5,\"text\":\"سالگرد\",\"time\":\"07:30\"}');"
run 2026-12-23T10:00 "tap تقویم
wait 800
tap ۵ دی ۱۴۰۵
wait 300
tree $WORK/day.json
tap سالگرد
wait 500
tap تغییر یادآوری
wait 800
tree $WORK/form.json
tap ساعت یادآوری، ساعت و دقیقه
wait 200
type 07:45
wait 200
tap ذخیره
wait 800
quit"
TREE="$(dirname "$0")/tree.py"
grep -q "سالگرد، ساعت ٠٧:٣٠" <<<"$(python3 "$TREE" names "$WORK/day.json")" || { echo "FAIL: the day's list does not say the reminder's time"; FAILED=1; }
python3 "$TREE" has "$WORK/form.json" "هر سال ۵ دی، ساعت ۰۷:۳۰" && grep -q "EditableText.*سالگرد$" <<<"$(python3 "$TREE" names "$WORK/form.json")" \
  || { echo "FAIL: the form is not filled in"; FAILED=1; }
[ "$(db "SELECT Value FROM tPreferences WHERE Key = 'DateReminder:3'")" = '{"day":5,"month":10,"repeat":1,"text":"سالگرد","time":"07:45","year":1405}' ] \
  || { echo "FAIL: stored as $(db "SELECT Key, Value FROM tPreferences WHERE Key LIKE 'DateReminder:%'")"; FAILED=1; }
pending=$("$APP" --home "$HOME_DIR" --pending)
grep -qx "2026-12-26T07:45  times.wav  یادآوری: سالگرد" <<<"$pending" || { echo "FAIL: the changed reminder is not pending at 07:45"; FAILED=1; }
grep -q "2026-12-26T07:30" <<<"$pending" && { echo "FAIL: the reminder is still pending at 07:30"; FAILED=1; }
finish
