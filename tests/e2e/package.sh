# The Debian package, as a user's machine gets it: made by CPack from this
# build into a temporary folder and unpacked there with dpkg-deb, its app
# starts from the unpacked usr/bin on the unpacked files alone (its data in
# usr/share/kelvaro, its sound module in usr/lib/.../kelvaro) and renders the
# first screen as the build's app does; its desktop entry, AppStream
# metadata and manual page validate; lintian finds nothing that is not
# overridden with its reason. No root: nothing is installed.
# Skipped (77) where a Debian tool is missing (scripts/bootstrap.sh --tests
# installs them).
source "$(dirname "$0")/lib.sh"
CPACK="$2"
BUILD="$(cd "$(dirname "$APP")" && pwd)"
SOURCE="$(cd "$(dirname "$0")/../.." && pwd)"
for tool in dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli groff convert; do
  command -v "$tool" > /dev/null || { echo "no $tool here: skipped"; exit 77; }
done
version=$(sed -n 's/^project(Kelvaro VERSION \([0-9.]*\).*/\1/p' "$SOURCE/CMakeLists.txt")
id=$(sed -n 's/^set(KELVARO_APP_ID \(.*\))$/\1/p' "$SOURCE/CMakeLists.txt")

# The package, from what the build made.
"$CPACK" -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/package" > "$WORK/cpack.log" 2>&1 \
  || { cat "$WORK/cpack.log"; echo "FAIL: cpack"; exit 1; }
debs=("$WORK"/package/kelvaro_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: cpack made ${debs[*]}"; exit 1; }
deb="${debs[0]}"
[ "$(basename "$deb")" = "kelvaro_${version}_$(dpkg --print-architecture).deb" ] || { echo "FAIL: the package is $(basename "$deb")"; FAILED=1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# Its control: the project's one version, and what it needs at run time.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || { echo "FAIL: version $(field Version)"; FAILED=1; }
for f in Maintainer Section Priority Homepage Description; do
  [ -n "$(field "$f")" ] || { echo "FAIL: no $f"; FAILED=1; }
done
depends=$(field Depends)
for needed in libqt6widgets6 libqt6dbus6 libqt6multimedia6 libsqlite3-0 liberfa1 fonts-noto-core fonts-liberation2; do
  [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] || { echo "FAIL: Depends lacks $needed: $depends"; FAILED=1; }
done
[[ "$(field Recommends)" == *pulseaudio* ]] || { echo "FAIL: no sound server recommended"; FAILED=1; }
# Nothing runs at installing or removing: dpkg alone puts the files and
# takes them away, and the user's sandbox is never touched.
dpkg-deb -e "$deb" "$WORK/control"
extra=$(ls "$WORK/control" | grep -vx -e control -e md5sums || true)
[ -z "$extra" ] || { echo "FAIL: maintainer scripts: $extra"; FAILED=1; }

# Its files, where the GNU directories put them; the licence's whole text
# only as Debian's common licence.
root="$WORK/root"
dpkg-deb -x "$deb" "$root"
module=$(find "$root/usr/lib" -name kelvaro-sound.so)
[ -n "$module" ] && [[ "$module" == */kelvaro/kelvaro-sound.so ]] || { echo "FAIL: the sound module is at: $module"; FAILED=1; }
for file in usr/bin/kelvaro usr/share/kelvaro/Icons usr/share/kelvaro/MainView.png usr/share/kelvaro/alarm.wav \
    usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml usr/share/icons/hicolor/scalable/apps/$id.svg \
    usr/share/man/man1/kelvaro.1.gz usr/share/doc/kelvaro/copyright usr/share/doc/kelvaro/changelog.gz \
    usr/share/lintian/overrides/kelvaro; do
  [ -s "$root/$file" ] || { echo "FAIL: the package has no $file"; FAILED=1; }
done
for size in 16 22 24 32 48 64 128 256 512; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ "$(identify -format '%wx%h' "$icon" 2> /dev/null)" = "${size}x${size}" ] || { echo "FAIL: no ${size}x${size} icon"; FAILED=1; }
done
[ -e "$root/usr/share/doc/kelvaro/LICENSE" ] && { echo "FAIL: the package ships the licence's text again"; FAILED=1; }
# No path of this build or its source in what runs: the app finds its files
# from where it lies.
for binary in "$root/usr/bin/kelvaro" "$module"; do
  [ -n "${KELVARO_SANITIZED:-}" ] && break
  grep -qaF -e "$BUILD" -e "$SOURCE" "$binary" && { echo "FAIL: $binary holds a path of the build"; FAILED=1; }
done

# The unpacked app starts from there: the first screen of a new sandbox (the
# city search) as the build's own app renders it.
APP="$root/usr/bin/kelvaro"
timeout 60 "$APP" --home "$WORK/packaged" --now 2012-07-21T10:00 --scale 1 --screenshot "$WORK/packaged.png" 2> "$WORK/log" \
  || { echo "FAIL: the unpacked app ended with $?"; FAILED=1; }
timeout 60 "$BUILD/kelvaro" --home "$WORK/built" --now 2012-07-21T10:00 --scale 1 --screenshot "$WORK/built.png" 2> /dev/null
[ -f "$WORK/packaged/Documents/Icons" ] || { echo "FAIL: the unpacked app made no sandbox"; FAILED=1; }
if [ -s "$WORK/packaged.png" ]; then
  differ=$(compare -metric AE "$WORK/packaged.png" "$WORK/built.png" null: 2>&1 || true)
  [ "$differ" = 0 ] || { echo "FAIL: the unpacked app's first screen differs from the build's in $differ pixels"; FAILED=1; }
  colours=$(convert "$WORK/packaged.png" -format %k info:)
  [ "$colours" -gt 50 ] || { echo "FAIL: the first screen is nearly blank ($colours colours)"; FAILED=1; }
else
  echo "FAIL: the unpacked app saved no screen"; FAILED=1
fi
# With a city chosen, the noon azan plays through the unpacked module.
HOME_DIR="$WORK/packaged"
db "INSERT INTO tSelectedStates VALUES(39, 1)"
run 2026-12-08T11:50 "advance 10
wait 1000
quit" || { echo "FAIL: the unpacked app ended with $?"; FAILED=1; }
expect_log "sound: 0.wav"
expect_no_log "no sound module"

# The desktop's files validate: errors and warnings fail, hints are shown.
desktop-file-validate "$root/usr/share/applications/$id.desktop" > "$WORK/desktop.txt" 2>&1 || true
cat "$WORK/desktop.txt"
grep -qE ": (error|warning):" "$WORK/desktop.txt" && { echo "FAIL: desktop-file-validate"; FAILED=1; }
for check in "validate --no-net $root/usr/share/metainfo/$id.metainfo.xml" "validate-tree --no-net $root"; do
  # shellcheck disable=SC2086
  appstreamcli $check > "$WORK/appstream.txt" 2>&1 || { cat "$WORK/appstream.txt"; echo "FAIL: appstreamcli $check"; FAILED=1; }
  grep -E "^[EW]:" "$WORK/appstream.txt" && { echo "FAIL: appstreamcli $check warns"; FAILED=1; }
done
# Its screenshots are the README's, which the website publishes.
shots=$(grep -oE '/screenshots/[^<]+\.png' "$root/usr/share/metainfo/$id.metainfo.xml" | sed 's|^/screenshots/||')
[ -n "$shots" ] || { echo "FAIL: no screenshots in the metadata"; FAILED=1; }
for shot in $shots; do
  [ -f "$SOURCE/docs/$shot" ] || { echo "FAIL: the metadata shows $shot, which docs/ lacks"; FAILED=1; }
done
# The manual page renders without a warning.
zcat "$root/usr/share/man/man1/kelvaro.1.gz" > "$WORK/kelvaro.1"
groff -man -ww -z "$WORK/kelvaro.1" > "$WORK/groff.txt" 2>&1 || FAILED=1
[ -s "$WORK/groff.txt" ] && { cat "$WORK/groff.txt"; echo "FAIL: groff warns on the manual page"; FAILED=1; }
if command -v man > /dev/null; then
  LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$WORK/kelvaro.1" 2> "$WORK/man.txt" > /dev/null
  [ -s "$WORK/man.txt" ] && { cat "$WORK/man.txt"; echo "FAIL: man warns on the manual page"; FAILED=1; }
fi

# lintian: no error and no warning that the overrides do not name with a reason.
lintian --fail-on error,warning --display-info --show-overrides "$deb" > "$WORK/lintian.txt" 2>&1 || lintian_failed=1
grep -v "running with root privileges" "$WORK/lintian.txt" || true
[ -z "${lintian_failed:-}" ] || { echo "FAIL: lintian"; FAILED=1; }
grep -E "^[EW]: " "$WORK/lintian.txt" && { echo "FAIL: lintian reports the above"; FAILED=1; }
finish
