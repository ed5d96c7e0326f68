#!/usr/bin/env bash
# The scripts' shared library, tools/lib.sh, against what it stands for: the product header as
# the C preprocessor reads it, the build tree's binaries, and processes and windows it starts.
#   lib-test.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tools/lib.sh"
build=$(realpath "$1")
scratch=$(mktemp -d)
on_exit rm -rf "$scratch"

said=$( (fail "went wrong") 2>&1) || true
[ "$said" = "tests/scripts/lib-test.sh: went wrong" ] || fail "fail said: $said"
(fail x) 2>/dev/null && fail "fail did not end the script"
status=0
said=$(bash -c '. "$1"; on_exit echo first; on_exit false; v="a b"; on_exit echo "$v"; v=; exit 3' \
  _ "$root/tools/lib.sh") || status=$?
[ "$said" = $'a b\nfirst' ] || fail "on_exit ran: $said"
[ "$status" = 3 ] || fail "the exit status became $status with on_exit"
echo "fail and on_exit work"

# The title as the compiler spells it: the string literals that the preprocessor leaves, joined.
c_title=$(printf '#include "Product.h"\nVX_PRODUCT_TITLE\n' | cpp -P -I "$root/product" |
  tail -n 1 | python3 -c 'import ast, sys; print(ast.literal_eval(sys.stdin.read().strip()))')
title=$(product_title)
[ "$title" = "$c_title" ] || fail "product_title says $title, the header $c_title"
grep -qE "$(title_regex)" <<<"$c_title" || fail "title_regex misses $c_title"
for other in "${c_title/./x}" "$c_title setup" " $c_title"; do
  ! grep -qE "$(title_regex)" <<<"$other" || fail "title_regex matches \"$other\""
done
echo "the title is the header's: $c_title"

arch=$(build_arch "$build")
for file in nv.exe nvc.exe vxclean.dll vxerase.dll; do
  [ "$(pe_arch "$build/wine/drive_c/Norvexa/$file")" = "$arch" ] || fail "$file is not $arch"
done
# A header of an x86_64 program: the PE header at 64, its machine field after the signature.
{ head -c 60 /dev/zero; printf '\x40\0\0\0PE\0\0\x64\x86'; } >"$scratch/x64.exe"
[ "$(pe_arch "$scratch/x64.exe")" = x86_64 ] || fail "an x86_64 header is not read as such"
(pe_arch "$root/tools/lib.sh") 2>/dev/null && fail "a text file passed for a program"
(build_arch "$scratch") 2>/dev/null && fail "build_arch read a tree that records nothing"
echo "the build tree and its binaries are $arch"

marker=vx-lib-test-$$
for prefix in "$scratch/a" "$scratch/a-longer" "$scratch/a"; do
  (WINEPREFIX=$prefix exec -a "$marker-$prefix" sleep 600) &
  on_exit kill "$!"
done
(WINEPREFIX=$scratch/a exec -a other sleep 600) &
on_exit kill "$!"
sleep 0.5
found=$(prefix_processes "$scratch/a" "^$marker" | wc -l)
[ "$found" = 2 ] || fail "prefix_processes found $found processes of the prefix, not 2"
echo "prefix_processes finds those of its prefix only"

export DISPLAY=$VX_DISPLAY
"$root/tools/virtual-display" "$DISPLAY"
# A window that does not come says why: what its program printed, and whether it still runs.
show_window() {
  "$root/tests/scripts/x-window.py" "$marker" 2>"$scratch/$1.err" &
  on_exit kill "$!"
  shown=$!
}
no_window() {
  local state=ended
  kill -0 "$shown" 2>/dev/null && state=running
  fail "$1 (its program $state: $(tr '\n' ' ' <"$scratch/$2.err"))"
}
show_window first
first=$(wait_for_window "^$marker\$" 30 "" "$shown") || no_window "no window appeared" first
show_window second
second=$(wait_for_window "^$marker\$" 30 "$first" "$shown") ||
  no_window "the second window did not appear" second
[ "$second" != "$first" ] || fail "wait_for_window took a window it was to ignore"
sleep 1 &
start=$SECONDS
wait_for_window "^$marker\$" 30 "$first"$'\n'"$second" "$!" && fail "a window no one opened"
((SECONDS - start < 10)) || fail "wait_for_window waited on after the process ended"
echo "wait_for_window tells new windows from those it ignores"
