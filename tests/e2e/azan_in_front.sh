# With the app in front at the noon azan: the alert shows, the recording
# plays with it and goes on until "Ok".
source "$(dirname "$0")/lib.sh"

run 2012-07-21T13:00 "quit"
db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 0, Item1 = 1, Item2 = 0, Item6 = 3;"
run 2012-07-21T13:10 "advance 2
wait 1500
shot $WORK/alert.png
tap 160 285
wait 400
shot $WORK/after.png
quit"
expect_log "alert: اذان ظهر به افق تهران"
expect_log "sound: 3.wav"
expect_log "sound stopped: 3.wav"
expect_no_log "banner:"
# In this order, and the sound lasted until the tap, a second and a half on.
order=$(grep -o "fired: \|alert: \|sound: \|sound stopped: " "$WORK/log" | tr -d '\n')
[ "$order" = "fired: alert: sound: sound stopped: " ] || { echo "FAIL: the order was $order"; FAILED=1; }
ms() { grep -m1 "$1" "$WORK/log" | awk '{ split($2, t, "[:.]"); print ((t[1] * 60 + t[2]) * 60 + t[3]) * 1000 + t[4] }'; }
played=$(( $(ms "sound stopped: ") - $(ms "sound: 3.wav") ))
[ "$played" -ge 1400 ] || { echo "FAIL: the sound stopped after $played ms, before Ok"; FAILED=1; }
cmp -s <(convert "$WORK/alert.png" rgb:-) <(convert "$WORK/after.png" rgb:-) && { echo "FAIL: the alert did not go"; FAILED=1; }
finish
