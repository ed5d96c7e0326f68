#!/usr/bin/env bash
# Starts the program as `make run` does on a machine where nothing has run before: no display
# server reachable and no Wine prefix yet.
#
#   fresh-start.sh BUILD_DIR WORKDIR
#
# The run happens in private mount, network and process namespaces with an empty /tmp: no X
# server of the host can be reached (neither its abstract socket nor the one in /tmp/.X11-unix),
# no lock file or wineserver socket is shared, and whatever starts inside ends with the test.
# WORKDIR is laid out as a source and build tree in one, with copies of the binaries and of the
# scripts, so no wineserver of the build's prefixes is involved; the program must run from the
# prefix of its own that run-program makes, not from the one the tests share. A WORKDIR under
# /tmp, which the test replaces, is moved to /var/tmp. Needs root for the namespaces; without it
# the test fails.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tools/lib.sh"
display=$VX_DISPLAY
lock=/tmp/.X${display#:}-lock

# Writes the lock file of the virtual display naming process $1.
lock_for() { printf '%10d\n' "$1" >"$lock"; }

# The part that runs inside the namespaces.
inside() {
  local work=$1 gone holder said
  mount -t tmpfs -o mode=1777 tmpfs /tmp
  unset DISPLAY XAUTHORITY
  ! xdpyinfo -display "$display" >/dev/null 2>&1 || fail "a display answers inside the namespaces"

  # What a killed server leaves behind is cleared by the start.
  true &
  gone=$!
  wait "$gone"
  lock_for "$gone"
  "$work/tools/run-program" "$work"
  [ -f "$work/run/wine/system.reg" ] || fail "the program did not run from a prefix of its own"
  [ ! -e "$work/wine/system.reg" ] || fail "the program ran from the prefix the tests share"

  # A lock naming a living process may belong to a server that is still starting: it is waited
  # for, reported, and left in place.
  kill "$(tr -dc 0-9 <"$lock")"
  for _ in $(seq 50); do [ -e "$lock" ] || break; sleep 0.1; done
  [ ! -e "$lock" ] || fail "the virtual display did not end"
  sleep 600 &
  holder=$!
  lock_for "$holder"
  said=$("$work/tools/wine-run" "$work/run/wine" "$work/run/wine/drive_c/absent.exe" 2>&1) &&
    fail "a program ran without a display"
  [[ $said == *"the virtual display $display did not come up"* ]] || fail "unclear error: $said"
  [ "$(tr -dc 0-9 <"$lock")" = "$holder" ] || fail "the lock of a living process was removed"
  kill "$holder"
  WINEPREFIX=$work/run/wine wineserver -k 2>/dev/null || true
}

if [ "${1:-}" = --inside ]; then
  inside "$2"
  exit 0
fi

build=$(realpath "$1")
work=$(realpath -m "$2")
[ "$(id -u)" -eq 0 ] || fail "needs root for its private namespaces"
command -v unshare >/dev/null || fail "unshare (util-linux) is missing"
case "$work/" in /tmp/*) work=/var/tmp/vx-fresh-start ;; esac

rm -rf "$work"
mkdir -p "$work/wine/drive_c/Norvexa" "$work/product" "$work/tests/startup"
cp "$build"/wine/drive_c/Norvexa/{nv.exe,vxclean.dll,vxerase.dll} "$work/wine/drive_c/Norvexa/"
cp -r "$root/tools" "$work/tools"
cp "$root/product/Product.h" "$work/product/"
cp "$0" "$work/tests/startup/fresh-start.sh"

unshare --mount --net --pid --fork --mount-proc --kill-child -- \
  bash "$work/tests/startup/fresh-start.sh" --inside "$work"

shot=$work/artifacts/main-window.png
[ -f "$shot" ] || fail "no screenshot of the main window at $shot"
read -r width height colours < <(identify -format '%w %h %k\n' "$shot")
echo "main window: ${width}x$height, $colours colours"
# Text, check boxes and pictures give thousands of colours; an unpainted window one or two.
((width >= 300 && height >= 200 && colours >= 32)) || fail "the screenshot of the main window is blank"
