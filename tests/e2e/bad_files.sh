# Bad files, a full disk and damaged rows, through the real app: nothing
# hangs, nothing is written through a link, nothing goes silent, and what
# the user needs to know is said.
source "$(dirname "$0")/lib.sh"
DOCS="$HOME_DIR/Documents"
fresh() { rm -rf "$HOME_DIR"; mkdir -p "$DOCS" "$HOME_DIR/Library"; }
pending() { timeout 20 "$APP" --home "$HOME_DIR" --pending > "$WORK/pending" 2>> "$WORK/log"; }
expect_pending() {
  if ! grep -qF -- "$1" "$WORK/pending"; then echo "FAIL: nothing pending with: $1"; head -3 "$WORK/pending"; FAILED=1; fi
}
# run_within NOW SCRIPT: as run, but fails the test if the app hangs.
run_within() {
  if ! run "$@"; then echo "FAIL: the app did not end well (status $?)"; FAILED=1; fi
}

# 1. A named pipe as the database, and as the pending list: the app starts,
# lists and quits; each is kept aside or replaced by a file.
fresh
mkfifo "$DOCS/Icons"
run_within 2026-12-08T10:00 "quit"
[ -f "$DOCS/Icons" ] && [ ! -p "$DOCS/Icons" ] || { echo "FAIL: the database is not a file"; FAILED=1; }
ls "$DOCS"/Icons.damaged-* > /dev/null 2>&1 || { echo "FAIL: the pipe was not kept aside"; FAILED=1; }
expect_log "the database is not a file but a named pipe"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 1, Item1 = 1, Item2 = 1;"
rm -f "$HOME_DIR/Library/notifications.json"; mkfifo "$HOME_DIR/Library/notifications.json"
pending || { echo "FAIL: --pending hung on a pipe"; FAILED=1; }
run_within 2026-12-08T10:00 "quit"
[ -f "$HOME_DIR/Library/notifications.json" ] && [ ! -p "$HOME_DIR/Library/notifications.json" ] \
  || { echo "FAIL: the pending list is not a file"; FAILED=1; }
pending
expect_pending "اذان ظهر به افق تهران"

# 2. A chosen province row, and a city of the user's own without offsets,
# before Tehran: the azans follow Tehran.
db "INSERT INTO tStates(Name, ParentID, IsCenter) VALUES('شهرک', 8, 0); INSERT INTO tSelectedStates VALUES(8, -1);
    INSERT INTO tSelectedStates VALUES((SELECT MAX(StateID) FROM tStates), 0);"
run_within 2026-12-08T10:00 "quit"
pending
expect_pending "2026-12-08T11:56  0.wav  اذان ظهر به افق تهران"

# 6. A damaged flag of the dawn azan reads as on, as shipped, and is logged.
db "UPDATE tSetting SET Item0 = 'yes'"
run_within 2026-12-08T10:00 "quit"
pending
expect_pending "2026-12-09T05:33  0.wav  اذان صبح به افق تهران"
expect_log "the setting Item0 holds \"yes\""

# 8. 1 Farvardin 1411 is outside the data: nothing is scheduled for it;
# 29 Esfand 1410 plans of 1411 only the dawn azan its own row holds (the
# end of its night), nothing of that day after it.
run_within 2032-03-19T00:00 "quit"
pending
[ -s "$WORK/pending" ] || { echo "FAIL: nothing pending on the last day"; FAILED=1; }
if [ -n "$(grep -v "^2032-03-19T" "$WORK/pending" | grep -v "^2032-03-20T0[0-6]:..  0.wav  اذان صبح")" ]; then
  echo "FAIL: a day after the data is scheduled"; grep -v "^2032-03-19T" "$WORK/pending" | sed -n 1,3p; FAILED=1
fi
run_within 2032-03-20T08:00 "quit"
pending
[ ! -s "$WORK/pending" ] || { echo "FAIL: a day outside the data is scheduled"; head -3 "$WORK/pending"; FAILED=1; }

# 3. A damaged copy with one city of the user's own: the notice counts it once.
fresh
run_within 2026-12-08T10:00 "quit"
db "INSERT INTO tStates(Name, ParentID, IsCenter) VALUES('شهرک', 8, 0);
    INSERT INTO tTimes(StateID, Date, T1, T2, T3, T4, T5, T6) VALUES((SELECT MAX(StateID) FROM tStates), 14000101, 1, 1, 1, 1, 1, 1);
    INSERT INTO tSelectedStates VALUES((SELECT MAX(StateID) FROM tStates), 1); DROP TABLE tEvents;"
run_within 2026-12-08T10:00 "quit"
expect_log "1 شهری که خودتان ساخته بودید"
expect_no_log "2 شهری که خودتان ساخته بودید"

# 5. A link as the database: its target is left as it was; a file takes the
# link's place.
fresh
run_within 2026-12-08T10:00 "quit"
mv "$DOCS/Icons" "$WORK/elsewhere.db"; ln -s "$WORK/elsewhere.db" "$DOCS/Icons"
before=$(md5sum < "$WORK/elsewhere.db")
run_within 2026-12-08T10:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1)"
run_within 2026-12-08T10:00 "quit"
[ "$(md5sum < "$WORK/elsewhere.db")" = "$before" ] || { echo "FAIL: the link's target was written"; FAILED=1; }
[ -f "$DOCS/Icons" ] && [ ! -L "$DOCS/Icons" ] || { echo "FAIL: the database is still a link"; FAILED=1; }

# 4. A first start with 6 MiB of room: the user is told, and the next start
# with room copies the database.
fresh
(trap '' XFSZ; ulimit -f 6144; run 2026-12-08T10:00 "quit") || true
expect_log "told: حافظهٔ گوشی پر است"
[ ! -e "$DOCS/Icons" ] || { echo "FAIL: a copy was left without room"; FAILED=1; }
run_within 2026-12-08T10:00 "quit"
[ -f "$DOCS/Icons" ] || { echo "FAIL: no copy once there is room"; FAILED=1; }
expect_no_log "told:"

# 7. An update with no room: logged as such, not as damage; the old copy
# stays in use, the user is told once, and the update goes through later.
# A copy as an older release left it: data version 0, a year of times.
db "DELETE FROM tTimes WHERE Date > 920101; DELETE FROM tEvents WHERE Date > 920101; VACUUM; PRAGMA user_version = 0;
    INSERT INTO tSelectedStates VALUES(42, 1)"
size=$(stat -c %s "$DOCS/Icons")
(trap '' XFSZ; ulimit -f $(( size / 1024 + 512 )); run 2026-12-08T10:00 "quit") || true
expect_log "no room on the disk to update the database: the old copy stays, the update waits"
expect_log "told: به‌روزرسانی داده‌ها"
expect_no_log "damaged"
(trap '' XFSZ; ulimit -f $(( size / 1024 + 512 )); run 2026-12-08T10:00 "quit") || true
expect_no_log "told:"
[ "$(db "PRAGMA user_version")" = "0" ] || { echo "FAIL: the old copy was not kept"; FAILED=1; }
run_within 2026-12-08T10:00 "quit"
expect_log "the database was updated to data version"
[ "$(db "SELECT COUNT(*) FROM tSelectedStates WHERE StateID = 42")" = "1" ] || { echo "FAIL: the chosen city was lost"; FAILED=1; }
finish
