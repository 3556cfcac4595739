# A place of Iran that is no province centre: found by its Persian and its
# Latin name, chosen, shown with its own times and scheduled by them; it
# stays through a restart.
source "$(dirname "$0")/lib.sh"

run 2026-12-08T10:00 "wait 900
type kashan
wait 300
shot $WORK/search.png
tap 160 66
wait 900
tap 30 22
wait 900
shot $WORK/main.png
quit"
id=$(db "SELECT StateID FROM tStates WHERE Name = 'کاشان'")
[ -n "$id" ] || { echo "FAIL: Kashan was not chosen"; FAILED=1; id=0; }
[ "$(db "SELECT Latitude || ',' || Longitude FROM tCoordinates WHERE StateID = $id")" = "33.9824,51.4277" ] \
  || { echo "FAIL: Kashan's coordinates: $(db "SELECT * FROM tCoordinates")"; FAILED=1; }
"$APP" --home "$HOME_DIR" --pending > "$WORK/pending"
grep -q "  0.wav  اذان ظهر به افق کاشان$" "$WORK/pending" || { echo "FAIL: no noon azan for Kashan"; FAILED=1; }
# Its own noon, not Isfahan's: a minute or so later, further west.
noon=$(grep -m1 "اذان ظهر به افق کاشان" "$WORK/pending" | cut -c12-16)
isfahan=$(db "SELECT T3 FROM tTimes WHERE StateID = 35 AND Date = 1050917")
[ "$noon" != "$(printf '%05s' "$isfahan" | tr ' ' 0)" ] || { echo "FAIL: Kashan has Isfahan's noon $noon"; FAILED=1; }
cmp -s "$WORK/search.png" "$WORK/main.png" && { echo "FAIL: Done did not show the page"; FAILED=1; }

# In Persian too, and the place is not listed again once chosen.
run 2026-12-08T10:00 "tap 299 439
wait 900
tap 297 22
wait 900
type کاشان
wait 300
shot $WORK/again.png
key Escape
wait 500
quit"
expect_no_log "not saved"
[ "$(db "SELECT COUNT(*) FROM tSelectedStates WHERE StateID = $id")" = "1" ] || { echo "FAIL: Kashan is no longer chosen"; FAILED=1; }
finish
