# What the scripts that drive nvc in the build's prefix share: the prefix, nvc in it, and calls
# of nvc and of the prefix's reg.exe.
#   . nvc-lib.sh BUILD_DIR    sets root, build, prefix and nvc
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/tools/lib.sh"
build=$(realpath "$1")
prefix=$build/wine
nvc=$prefix/drive_c/Norvexa/nvc.exe

run() { "$root/tools/wine-run" "$prefix" "$nvc" "$@"; }
reg() { "$root/tools/wine-run" "$prefix" "$prefix/drive_c/windows/system32/reg.exe" "$@" | tr -d '\r'; }
# The exit code of nvc, its output kept in $scratch.out and $scratch.err.
status_of() {
  local status=0
  run "$@" >"$scratch.out" 2>"$scratch.err" || status=$?
  echo "$status"
}
# The Unix path of a path on C:.
unix_path() { printf '%s' "$prefix/drive_c/${1#C:\\}" | tr '\\' /; }
