#!/usr/bin/env bash
# The main window at several screen resolutions, each in a prefix of its own:
#   dpi-shot.sh BUILD_DIR WORKDIR DPI...
# Writes WORKDIR/main-window-<dpi>.png and fails unless the window grew with the resolution and
# its pictures were drawn (a window left at its 96-DPI size clips the dialog's own controls).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "$1")
work=$(realpath -m "$2")
shift 2
export DISPLAY=:77
"$root/tools/virtual-display" "$DISPLAY"
for dpi in "$@"; do
  prefix=$work/wine-$dpi
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
  mkdir -p "$prefix/drive_c/Norvexa"
  cp "$build"/wine/drive_c/Norvexa/{nv.exe,vxclean.dll,vxerase.dll} "$prefix/drive_c/Norvexa/"
  "$root/tools/wine-run" "$prefix" "$prefix/drive_c/windows/system32/reg.exe" add \
    'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  others=$(xdotool search --name '^Norvexa 3\.2$' 2>/dev/null || true)
  "$root/tools/wine-run" "$prefix" "$prefix/drive_c/Norvexa/nv.exe" &
  window=
  for _ in $(seq 300); do
    window=$(xdotool search --name '^Norvexa 3\.2$' 2>/dev/null | grep -vxF "$others" | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "dpi-shot: no main window at $dpi DPI" >&2; exit 1; }
  sleep 1
  import -window "$window" "$work/main-window-$dpi.png"
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  read -r width height colours < <(identify -format '%w %h %k\n' "$work/main-window-$dpi.png")
  echo "$dpi DPI: ${width}x$height, $colours colours"
  ((width == (594 * dpi + 48) / 96 && height == (385 * dpi + 48) / 96)) ||
    { echo "dpi-shot: at $dpi DPI the window is ${width}x$height" >&2; exit 1; }
  ((colours >= 1000)) || { echo "dpi-shot: the window at $dpi DPI is not painted" >&2; exit 1; }
done
