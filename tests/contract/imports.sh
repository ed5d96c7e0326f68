#!/usr/bin/env bash
# The calls that bind the binaries, read from their import tables: the program and the console
# program bind to the engine alone, and the engine imports from the erase component only the
# eight calls it is built on, so that it loads beside a component that has no others.
#   imports.sh OBJDUMP BINARY_DIR
set -euo pipefail
objdump=$1 bin=$2

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The names FILE imports from DLL, one a line.
imports() {
  "$objdump" -p "$bin/$1" | awk -v dll="$2" '
    /DLL Name:/ { inside = tolower($3) == tolower(dll); next }
    inside && NF == 0 { inside = 0 }
    inside && $NF ~ /^[A-Za-z_]/ && $1 != "vma:" { print $NF }'
}

for program in nv.exe nvc.exe; do
  [ -z "$(imports "$program" vxerase.dll)" ] || fail "$program binds to vxerase.dll"
  [ -n "$(imports "$program" vxclean.dll)" ] || fail "$program does not bind to vxclean.dll"
done
eight="eraserAddItem eraserClearItems eraserCreateContext eraserEnd eraserInit eraserIsValidContext eraserSetDataType eraserStartSync"
got=$(imports vxclean.dll vxerase.dll | sort | tr '\n' ' ')
[ "$got" = "$eight " ] || fail "vxclean.dll imports from vxerase.dll: $got"
echo "nv.exe and nvc.exe bind to vxclean.dll alone; vxclean.dll imports the eight erase calls"
