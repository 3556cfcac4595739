#!/usr/bin/env bash
# Installs the built Kelvaro for this user: the app with its resources, its
# icon and a desktop entry, so that it starts from the desktop's menu. With
# --autostart also an XDG autostart entry that starts it in the background
# (in the tray) at login. --uninstall removes all of these; the sandbox with
# the user's cities and settings stays.
#
#   scripts/install.sh [--autostart] [--build DIR] [--prefix DIR]
#   scripts/install.sh --uninstall [--prefix DIR]
#
# DIR of --build: where the app was built (default build/, made by
# scripts/run.sh). The app goes to PREFIX/lib/kelvaro (default ~/.local).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
prefix="$HOME/.local"
autostart=0
uninstall=0
while [ $# -gt 0 ]; do
  case "$1" in
    --autostart) autostart=1 ;;
    --uninstall) uninstall=1 ;;
    --build) build="${2:?--build wants a folder}"; shift ;;
    --prefix) prefix="${2:?--prefix wants a folder}"; shift ;;
    -h|--help) sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "install.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
  esac
  shift
done

data="${XDG_DATA_HOME:-$HOME/.local/share}"
config="${XDG_CONFIG_HOME:-$HOME/.config}"
app_dir="$prefix/lib/kelvaro"
entry="$data/applications/kelvaro.desktop"
autostart_entry="$config/autostart/kelvaro.desktop"
icons=("$data/icons/hicolor/64x64/apps/kelvaro.png" "$data/icons/hicolor/128x128/apps/kelvaro.png")

refresh_menu() {
  if command -v update-desktop-database > /dev/null; then update-desktop-database -q "$data/applications" 2> /dev/null || true; fi
}

if [ "$uninstall" -eq 1 ]; then
  rm -rf "$app_dir"
  rm -f "$entry" "$autostart_entry" "${icons[@]}"
  refresh_menu
  echo "Kelvaro removed (the sandbox with your cities and settings stays)."
  exit 0
fi

if [ ! -x "$build/kelvaro" ] || [ ! -f "$build/resources/Icons" ]; then
  echo "install.sh: no built app in $build/; build it first (bash scripts/run.sh)" >&2
  exit 1
fi

# A copy beside the running one, then renamed over it: a running Kelvaro
# keeps its files until it ends.
mkdir -p "$prefix/lib"
staged=$(mktemp -d "$prefix/lib/.kelvaro.XXXXXX")
trap 'rm -rf "$staged"' EXIT
install -m 0755 "$build/kelvaro" "$staged/kelvaro"
install -m 0644 "$build/kelvaro-sound.so" "$staged/kelvaro-sound.so"
install -m 0644 "$build/kelvaro-location.so" "$staged/kelvaro-location.so"
cp -R "$build/resources" "$staged/resources"
chmod 0755 "$staged"
rm -rf "$app_dir.old"
[ -e "$app_dir" ] && mv "$app_dir" "$app_dir.old"
mv "$staged" "$app_dir"
rm -rf "$app_dir.old"

install -D -m 0644 "$build/resources/appIcon.png" "${icons[0]}"
install -D -m 0644 "$build/resources/appIcon@2x.png" "${icons[1]}"

# Exec's quoting rules: inside double quotes, escape " ` $ and \.
exec_path=$(printf '%s' "$app_dir/kelvaro" | sed 's/[\\"`$]/\\\\&/g')
desktop_entry() { # desktop_entry EXTRA_ARGUMENTS EXTRA_LINES
  cat <<ENTRY
[Desktop Entry]
Type=Application
Version=1.5
Name=Kelvaro
Name[fa]=کلوارو
GenericName=Prayer times and Persian calendar
Comment=The Persian calendar and Iranian prayer times, with the azan at its time
Comment[fa]=تقویم فارسی و اوقات شرعی، با اذان در وقت خود
Exec="$exec_path"$1
Icon=kelvaro
Terminal=false
Categories=Utility;Calendar;
StartupWMClass=kelvaro
$2
ENTRY
}
mkdir -p "$(dirname "$entry")"
desktop_entry "" "" > "$entry"
echo "Installed Kelvaro in $app_dir, with its entry in the desktop's menu."

if [ "$autostart" -eq 1 ]; then
  mkdir -p "$(dirname "$autostart_entry")"
  desktop_entry " --background" "NoDisplay=true
X-GNOME-Autostart-enabled=true" > "$autostart_entry"
  echo "It starts in the background at login ($autostart_entry)."
elif [ -e "$autostart_entry" ]; then
  echo "It still starts at login; scripts/install.sh --uninstall removes that too."
fi
refresh_menu
