# Nothing changed in the settings is lost on the way out: the sunrise
# reminder's minutes changed and the tab left ask, and "ذخیره" keeps them
# (the pending list follows); a change left with the window closing asks
# too, and "ذخیره نشود" puts back what was stored while the app runs on out
# of sight.
source "$(dirname "$0")/lib.sh"
has() { python3 "$(dirname "$0")/tree.py" has "$@"; }

run 2026-12-08T10:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 1, Item1 = 1, Item2 = 1, Item3 = 5;"
run 2026-12-08T10:00 "tap تنظیمات
wait 900
tap هشدارها
wait 300
tap طلوع آفتاب، دقیقه قبل
wait 200
tap شهرها
wait 300
tree $WORK/asked.json
tap ذخیره
wait 300
tap تایید
wait 900
quit"
has "$WORK/asked.json" "ذخیره نشود" || { echo "FAIL: leaving the tab did not ask"; FAILED=1; }
[ "$(db "SELECT Item3 FROM tSetting")" = 30 ] || { echo "FAIL: the minutes were not kept: $(db "SELECT Item3 FROM tSetting")"; FAILED=1; }
grep -q "تا طلوع آفتاب تنها ٣٠ دقیقه" <<<"$("$APP" --home "$HOME_DIR" --pending)" || { echo "FAIL: the pending list does not follow the minutes"; FAILED=1; }

run 2026-12-08T10:05 "tap تنظیمات
wait 900
tap هشدارها
wait 300
tap اذان صبح
wait 200
close
wait 300
tree $WORK/closing.json
tap ذخیره نشود
wait 300
open
wait 400
tree $WORK/back.json
quit"
has "$WORK/closing.json" "ذخیره نشود" || { echo "FAIL: closing the window did not ask"; FAILED=1; }
expect_log "closed: running out of sight until Kelvaro is started again"
[ "$(db "SELECT Item0 FROM tSetting")" = 1 ] || { echo "FAIL: the change left unsaved was stored"; FAILED=1; }
python3 - "$WORK/back.json" <<'PY' || { echo "FAIL: back in front, the dawn azan's switch is not as stored"; FAILED=1; }
import json, sys
found = [e for e in json.load(open(sys.argv[1], encoding="utf-8"))["elements"] if e["role"] == "CheckBox" and e["name"] == "اذان صبح"]
sys.exit(0 if found and found[0]["checked"] else 1)
PY
finish
