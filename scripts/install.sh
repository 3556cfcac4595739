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
# The desktop entry and the icons are the Debian package's, built with it.
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
    -h|--help) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "install.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
  esac
  shift
done

# The desktop's id of the app (KELVARO_APP_ID in CMakeLists.txt): the
# names of its entry and its icons, the same as the package's, so that this
# install stands in for the package's entry rather than beside it.
id=org.kelvaro.Kelvaro
data="${XDG_DATA_HOME:-$HOME/.local/share}"
config="${XDG_CONFIG_HOME:-$HOME/.config}"
app_dir="$prefix/lib/kelvaro"
entry="$data/applications/$id.desktop"
autostart_entry="$config/autostart/$id.desktop"
# What installs before 1.5 named kelvaro; removed when installing anew.
old_files=("$data/applications/kelvaro.desktop" "$config/autostart/kelvaro.desktop"
  "$data/icons/hicolor/64x64/apps/kelvaro.png" "$data/icons/hicolor/128x128/apps/kelvaro.png")

refresh_menu() {
  if command -v update-desktop-database > /dev/null; then update-desktop-database -q "$data/applications" 2> /dev/null || true; fi
}

if [ "$uninstall" -eq 1 ]; then
  rm -rf "$app_dir"
  rm -f "$entry" "$autostart_entry" "${old_files[@]}" "$data"/icons/hicolor/*/apps/"$id".{png,svg}
  refresh_menu
  echo "Kelvaro removed (the sandbox with your cities and settings stays)."
  exit 0
fi

if [ ! -x "$build/kelvaro" ] || [ ! -f "$build/resources/Icons" ]; then
  echo "install.sh: no built app in $build/; build it first (bash scripts/run.sh)" >&2
  exit 1
fi
if [ ! -f "$build/linux/$id.desktop" ] || [ ! -d "$build/linux/icons/hicolor" ]; then
  echo "install.sh: no desktop entry or icons in $build/linux/; build the app again (bash scripts/run.sh)" >&2
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

# An autostart entry of an older install keeps starting Kelvaro, by its new name.
if [ -e "$config/autostart/kelvaro.desktop" ]; then autostart=1; fi
rm -f "${old_files[@]}"
(cd "$build/linux/icons" && find hicolor -path "*/apps/$id.*" -type f) | while IFS= read -r icon; do
  install -D -m 0644 "$build/linux/icons/$icon" "$data/icons/$icon"
done

# The build's desktop entry (resources/linux/kelvaro.desktop.in), running
# the installed app. Exec's quoting rules: inside double quotes, escape
# " ` $ and \.
exec_path=$(printf '%s' "$app_dir/kelvaro" | sed 's/[\\"`$]/\\\\&/g')
desktop_entry() { # desktop_entry EXTRA_ARGUMENTS EXTRA_LINES
  local line
  while IFS= read -r line; do
    case "$line" in
      Exec=*) printf 'Exec="%s"%s\n' "$exec_path" "$1" ;;
      *) printf '%s\n' "$line" ;;
    esac
  done < "$build/linux/$id.desktop"
  if [ -n "$2" ]; then printf '%s\n' "$2"; fi
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
