# The volume reaches the speaker: the noon azan recorded from a sound
# server's null sink is louder at 100 % than at 30 %, and quieter still at
# 30 % rising from silence. Skipped (77) where no sound server can run.
source "$(dirname "$0")/lib.sh"
command -v pulseaudio > /dev/null && command -v parec > /dev/null || { echo "no pulseaudio here: skipped"; exit 77; }
export XDG_RUNTIME_DIR="$WORK/pulse"
mkdir -m 700 "$XDG_RUNTIME_DIR"
pulseaudio -n --daemonize=yes --exit-idle-time=-1 --log-target=file:"$WORK/pulse.log" \
  --load=module-native-protocol-unix --load="module-null-sink sink_name=kelvaro_null" 2> /dev/null \
  || { echo "the sound server did not start: skipped"; exit 77; }
trap 'pulseaudio --kill 2> /dev/null; [ -n "${KEEP:-}" ] && cp -r "$WORK" "$KEEP"; rm -rf "$WORK"' EXIT
pactl set-default-sink kelvaro_null

# loudness SQL: the root mean square of what plays in the noon azan's first
# two and a half seconds, with the settings of SQL.
loudness() {
  rm -rf "$HOME_DIR"
  run 2026-12-08T11:50 "quit"
  db "INSERT INTO tSelectedStates VALUES(39, 1); UPDATE tSetting SET Item0 = 0, Item1 = 1, Item2 = 0, Item6 = 3; $1"
  parec -d kelvaro_null.monitor --raw --format=s16le --rate=44100 --channels=2 > "$WORK/out.raw" &
  local rec=$!
  sleep 0.3
  run 2026-12-08T11:50 "advance 10
wait 2500
quit"
  kill "$rec"; wait "$rec" 2> /dev/null || true
  grep -q "no audio output" "$WORK/log" && { echo "FAIL: the app found no output"; FAILED=1; }
  od -An -v -t d2 "$WORK/out.raw" | awk '{ for (i = 1; i <= NF; i++) { s += $i * $i; n++ } } END { printf "%d\n", n ? sqrt(s / n) : 0 }'
}
full=$(loudness "")
low=$(loudness "INSERT INTO tPreferences VALUES('AzanVolume:1', '30')")
expect_log "sound: 3.wav at 30%"
rising=$(loudness "INSERT INTO tPreferences VALUES('AzanVolume:1', '30'), ('AzanRises', '1')")
echo "loudness: full $full, 30 % $low, 30 % rising $rising"
[ "$full" -gt 1000 ] || { echo "FAIL: nothing was heard at full volume"; FAILED=1; }
[ "$low" -gt 0 ] && [ "$low" -lt $((full / 4)) ] || { echo "FAIL: 30 % is not quieter"; FAILED=1; }
[ "$rising" -lt "$low" ] || { echo "FAIL: rising is not quieter at first"; FAILED=1; }
finish
