# "Where am I" from recorded positions, and the Qibla screen of the place
# it chose: no service and a point outside Iran change nothing.
source "$(dirname "$0")/lib.sh"
LOGS="$(cd "$(dirname "$0")/../data/positions" && pwd)"

RUN_OPTIONS="--position none" run 2026-12-08T10:00 "wait 900
tap 266 66
wait 600
quit"
expect_log "location: no location service"
RUN_OPTIONS="--position $LOGS/herat.nmea" run 2026-12-08T10:00 "wait 900
tap 266 66
wait 1500
tap 110 66
wait 600
quit"
expect_log "location: a position"
[ "$(db "SELECT COUNT(*) FROM tSelectedStates")" = "0" ] || { echo "FAIL: a city was chosen without a position in Iran"; FAILED=1; }

# Near Kashan: Kashan, one tap away; its page's Kaaba opens its Qibla.
RUN_OPTIONS="--position $LOGS/near-kashan.nmea" run 2026-12-08T10:00 "wait 900
tap 266 66
wait 1500
shot $WORK/found.png
tap 110 66
wait 900
tap 30 22
wait 900
tap 39 94
wait 900
shot $WORK/qibla.png
tap 276 22
wait 900
quit"
[ "$(db "SELECT s.Name FROM tSelectedStates t JOIN tStates s ON s.StateID = t.StateID")" = "کاشان" ] \
  || { echo "FAIL: Kashan was not chosen: $(db "SELECT * FROM tSelectedStates")"; FAILED=1; }
expect_log "qibla: کاشان, 222."
expect_log "; the sun in line 14:"
[ -s "$WORK/qibla.png" ] || { echo "FAIL: no picture of the Qibla screen"; FAILED=1; }
finish
