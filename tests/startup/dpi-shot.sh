#!/usr/bin/env bash
# The main window at several screen resolutions, each in a prefix of its own:
#   dpi-shot.sh BUILD_DIR WORKDIR DPI...
# Writes WORKDIR/main-window-<dpi>.png and fails unless the window grew with the resolution and
# its pictures were drawn (a window left at its 96-DPI size clips the dialog's own controls).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tools/lib.sh"
build=$(realpath "$1")
work=$(realpath -m "$2")
shift 2
title=$(title_regex)
export DISPLAY=$VX_DISPLAY
"$root/tools/virtual-display" "$DISPLAY"
for dpi in "$@"; do
  prefix=$work/wine-$dpi
  bin=$prefix/drive_c/Norvexa
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
  mkdir -p "$bin"
  cp "$build"/wine/drive_c/Norvexa/{nv.exe,nvc.exe,vxclean.dll,vxerase.dll} "$bin/"
  # reg.exe is there only once the prefix is: a listing by nvc makes it, for the build's
  # architecture.
  "$root/tools/wine-run" "$prefix" "$bin/nvc.exe" list >/dev/null
  "$root/tools/wine-run" "$prefix" "$prefix/drive_c/windows/system32/reg.exe" add \
    'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  others=$(xdotool search --name "$title" 2>/dev/null || true)
  "$root/tools/wine-run" "$prefix" "$bin/nv.exe" &
  window=$(wait_for_window "$title" 60 "$others") || fail "no main window at $dpi DPI"
  sleep 1
  import -window "$window" "$work/main-window-$dpi.png"
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  read -r width height colours < <(identify -format '%w %h %k\n' "$work/main-window-$dpi.png")
  echo "$dpi DPI: ${width}x$height, $colours colours"
  ((width == (594 * dpi + 48) / 96 && height == (385 * dpi + 48) / 96)) ||
    fail "at $dpi DPI the window is ${width}x$height"
  ((colours >= 1000)) || fail "the window at $dpi DPI is not painted"
done
