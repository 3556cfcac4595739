# At the limits, as a user would meet them: more reminders in a day than
# the system keeps pending, a reminder before a religious midnight past
# 00:00, a reminder text grown to a megabyte, the data's last night, and a
# reminder stored under a key the app did not write.
source "$(dirname "$0")/lib.sh"
PY=/usr/bin/python3
[ -x "$PY" ] || PY=python3
# What fired in the last run, one a line (read whole: a grep -q that stops
# early would break the pipe).
fired() { grep "fired: " "$WORK/log" | sed 's/.*fired: //' > "$WORK/fired" || true; cat "$WORK/fired"; }
gave() { fired > /dev/null; grep -q -- "$1" "$WORK/fired"; }

run 2026-12-07T07:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 1, Item1 = 1, Item2 = 1, Item7 = '08:00';"

# 70 reminders, one a minute in the 70 minutes before the evening azan:
# with the azans and the events notice, more than the 64 the system keeps.
for m in $(seq 1 70); do
  db "INSERT INTO tPreferences VALUES('Reminder:$m', '{\"minutes\":-$m,\"ramadan\":false,\"time\":4,\"weekdays\":[]}')"
done
run 2026-12-07T07:00 "home
advance 780
wait 300
quit"
evening=$(date -d "2026-12-07 $(db "SELECT T5 FROM tTimes WHERE StateID = 39 AND Date = 1050916")" +%H:%M)
fired > /dev/null
[ "$(grep -c "^2026-12-07T..:..  alarm.wav  .* دقیقه تا اذان مغرب به افق تهران" "$WORK/fired")" = 70 ] \
  || { echo "FAIL: $(grep -c 'دقیقه تا اذان مغرب' "$WORK/fired") of the 70 reminders fired"; FAILED=1; }
gave "^2026-12-07T$evening  0.wav  اذان مغرب به افق تهران" || { echo "FAIL: the evening azan did not fire"; FAILED=1; }
gave "^2026-12-07T08:00  times.wav  وقایع امروز" || { echo "FAIL: the events notice did not fire"; FAILED=1; }
gave "^2026-12-07T..:..  0.wav  اذان ظهر" || { echo "FAIL: the noon azan did not fire"; FAILED=1; }
expect_no_log "missed: "
db "DELETE FROM tPreferences WHERE Key LIKE 'Reminder:%'"

# 10 minutes before religious midnight, which on 30 Tir 1391 (21 July
# 2012) falls at 00:21 on the summer clock: at 00:11, across the rebuild
# of midnight.
db "INSERT INTO tPreferences VALUES('Reminder:1', '{\"minutes\":-10,\"ramadan\":false,\"time\":5,\"weekdays\":[]}')"
run 2012-07-21T23:50 "home
advance 40
wait 300
quit"
gave "^2012-07-22T00:11  alarm.wav  ١٠ دقیقه تا نیمه شب شرعی به افق تهران" \
  || { echo "FAIL: the reminder before midnight:"; fired; FAILED=1; }
db "DELETE FROM tPreferences WHERE Key LIKE 'Reminder:%'"

# A reminder whose text grew to a megabyte in the store: the start takes
# about its usual time, the pending list lists the day, the text is cut.
usual_start() { local s; s=$(date +%s%N); timeout 60 "$APP" --home "$HOME_DIR" --now 2026-12-08T10:00 --quit-when-painted > /dev/null 2>&1; echo $(( ($(date +%s%N) - s) / 1000000 )); }
before=$(usual_start)
"$PY" -c "
import json, sqlite3, sys
db = sqlite3.connect(sys.argv[1])
text = 'یادداشت ' * 130000
db.execute('INSERT INTO tPreferences VALUES(?, ?)', ('DateReminder:1', json.dumps({'repeat': 0, 'year': 1405, 'month': 9, 'day': 17, 'text': text, 'time': '21:00'}, ensure_ascii=False)))
db.commit()" "$HOME_DIR/Documents/Icons"
[ "$(db "SELECT LENGTH(Value) FROM tPreferences WHERE Key = 'DateReminder:1'")" -gt 1000000 ] || { echo "FAIL: no megabyte text"; FAILED=1; }
after=$(usual_start)
[ "$after" -lt $(( before + 2000 )) ] || { echo "FAIL: the start took $after ms against $before ms"; FAILED=1; }
"$APP" --home "$HOME_DIR" --now 2026-12-08T10:00 --pending > "$WORK/pending"
line=$(grep "^2026-12-08T21:00  times.wav  یادآوری: یادداشت" "$WORK/pending" || true)
[ -n "$line" ] && [ "${#line}" -lt 200 ] || { echo "FAIL: the reminder in the pending list: ${line:0:80}... (${#line})"; FAILED=1; }
grep -q "اذان مغرب" "$WORK/pending" || { echo "FAIL: the day is not pending"; FAILED=1; }
db "DELETE FROM tPreferences WHERE Key LIKE 'DateReminder:%'"

# The data's last night: 29 Esfand 1410 ends with the dawn azan of the
# morning after.
dawn=$(date -d "2032-03-19 $(db "SELECT T1 FROM tTimes WHERE StateID = 39 AND Date = (SELECT NextDate FROM tDays WHERE Date = 1101229)")" +%H:%M)
run 2032-03-19T20:00 "home
advance 600
wait 300
quit"
gave "^2032-03-20T$dawn  0.wav  اذان صبح به افق تهران" || { echo "FAIL: no dawn azan after the data's last day:"; fired; FAILED=1; }

# A reminder stored under "Reminder:007": listed, and removed from the
# alarm tab through its form.
db "INSERT INTO tPreferences VALUES('Reminder:007', '{\"minutes\":-20,\"ramadan\":false,\"time\":2,\"weekdays\":[]}')"
run 2026-12-08T10:00 "tap تنظیمات
wait 900
tap هشدارها
wait 400
tap ۲۰ دقیقه پیش از اذان ظهر
wait 800
tap حذف یادآوری
wait 800
quit"
[ "$(db "SELECT COUNT(*) FROM tPreferences WHERE Key LIKE 'Reminder:%'")" = 0 ] \
  || { echo "FAIL: the reminder stays: $(db "SELECT Key FROM tPreferences WHERE Key LIKE 'Reminder:%'")"; grep kelvaro: "$WORK/log"; FAILED=1; }
"$APP" --home "$HOME_DIR" --now 2026-12-08T10:00 --pending > "$WORK/pending"
grep -q "دقیقه تا اذان ظهر" "$WORK/pending" && { echo "FAIL: the removed reminder is pending"; FAILED=1; }

# The folder of the pending list takes no writing of the given list (a
# folder stands where its file goes, which even root cannot write over):
# the noon azan, given, is not given again by a restart in the same minute,
# and the user is told once.
db "UPDATE tSetting SET Item7 = '0'; DELETE FROM tPreferences;"
rm -f "$HOME_DIR/Library/notifications-given.json"
mkdir -p "$HOME_DIR/Library/notifications-given.json"
noon=$(date -d "2026-12-08 $(db "SELECT T3 FROM tTimes WHERE StateID = 39 AND Date = 1050917")" +%H:%M)
before=$(date -d "2026-12-08 $noon 1 minute ago" +%Y-%m-%dT%H:%M)
run "$before" "advance 1
wait 300
quit"
expect_log "fired: 2026-12-08T$noon  0.wav  اذان ظهر"
expect_log "told: the notifications' folder takes no writing"
run "2026-12-08T$noon" "wait 300
quit"
expect_no_log "fired: 2026-12-08T$noon"
finish
