#!/usr/bin/env bash
# Names as a real profile holds them, through nvc in the build's prefix: outside the code page,
# device names with and without an extension, a closing dot or blank, a path past 300
# characters. They are planted in the temporary folder, the Recent folder, the recycle bin and a
# user-defined item's folder whose own name the code page cannot spell; the preview must name
# each of them as the system spells it, the shred must remove exactly what the preview named,
# and the neighbours must stay.
#   names.sh BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/nvc-lib.sh" "$1"
drive=$prefix/drive_c
account=$(ls "$drive/users" | grep -vx Public | head -n 1)
user=$drive/users/$account
temp=$user/Temp
recent=$user/AppData/Roaming/Microsoft/Windows/Recent
trash=$drive/home/.local/share/Trash
scratch=$drive/vxtest/names
item=$scratch/документы
out=$build/names


names=("Ωmega report.txt" "日本語.tmp" "emoji 😀.log" "aux.txt" "nul.log" "con" "trailing dot."
  "trailing space " "документ/inner.txt")
deep=$(printf 'a%.0s' {1..60})/$(printf 'b%.0s' {1..60})/$(printf 'c%.0s' {1..60})
deep=$deep/$(printf 'd%.0s' {1..60})/$(printf 'e%.0s' {1..60})/deep.txt

plant() {
  local folder=$1 name
  for name in "${names[@]}" "$deep"; do
    mkdir -p "$folder/$(dirname "$name")"
    echo "secret $name" >"$folder/$name"
  done
}

# The planted files as Windows paths in UTF-8, below the folder WINDOWS.
planted() {
  local windows=$1 name
  for name in "${names[@]}" "$deep"; do
    echo "$windows\\${name//\//\\}"
  done
}

rm -rf "$scratch" "$out" "$temp/vxnames"
mkdir -p "$scratch/neighbour" "$out" "$item/sub" "$temp/vxnames" "$recent" "$trash/files" "$trash/info"
on_exit rm -rf "$scratch" "$temp/vxnames" "$recent/Ωmega report.txt.lnk"
plant "$temp/vxnames"
plant "$item/sub"
echo "not in the item's folder" >"$scratch/neighbour/Ωmega report.txt"
echo "shortcut" >"$recent/Ωmega report.txt.lnk"
echo "binned" >"$trash/files/Ωmega binned.txt"
printf '[Trash Info]\nPath=/vxtest/%s\nDeletionDate=2026-12-01T10:00:00\n' \
  "%CE%A9mega%20binned.txt" >"$trash/info/Ωmega binned.txt.trashinfo"

entries=("Temporary Files" "Document History" "Recycle Bin")
item_text='C:\vxtest\names\документы\<*.*><SubFolder:Yes>'

run preview "${entries[@]}" --items "$item_text" >"$out/preview.txt" 2>"$out/preview.err" ||
  fail "the preview failed: $(cat "$out/preview.err")"
{
  planted "C:\\users\\$account\\Temp\\vxnames"
  planted 'C:\vxtest\names\документы\sub'
  echo "C:\\users\\$account\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\Ωmega report.txt.lnk"
} >"$out/expected.txt"
while IFS= read -r file; do
  grep -qF "File $file (" "$out/preview.txt" || fail "the preview does not name $file"
done <"$out/expected.txt"
grep -q '?' "$out/preview.txt" && fail "the preview spells a name with '?': $(grep '?' "$out/preview.txt")"
grep -qF "Folder C:\\users\\$account\\Temp\\vxnames\\документ" "$out/preview.txt" ||
  fail "the preview does not name the folder документ"
grep -qF 'Recycle Bin 1 items' "$out/preview.txt" || fail "the preview does not count the binned file"
echo "the preview names every kind of name as the system spells it"

status=0
run shred "${entries[@]}" --items "$item_text" >"$out/shred.txt" 2>"$out/shred.err" || status=$?
[ "$status" = 0 ] || fail "the shred gave exit $status: $(cat "$out/shred.txt" "$out/shred.err")"
grep -q 'could not be erased' "$out/shred.txt" && fail "the shred left items: $(cat "$out/shred.txt")"
[ ! -e "$temp/vxnames" ] || fail "left in Temp: $(find "$temp/vxnames")"
[ -d "$item" ] && [ -z "$(ls -A "$item")" ] || fail "the item's folder is not empty: $(find "$item")"
[ ! -e "$recent/Ωmega report.txt.lnk" ] || fail "the shortcut is still in Recent"
[ -z "$(ls -A "$trash/files")" ] || fail "left in the recycle bin: $(ls -A "$trash/files")"
[ "$(cat "$scratch/neighbour/Ωmega report.txt")" = "not in the item's folder" ] ||
  fail "the neighbour outside the item changed"
# Every file the preview named is gone.
grep -oP '^    File \K.*(?= \()' "$out/preview.txt" | while IFS= read -r file; do
  unix=${file//\\//}
  unix=$drive/${unix#C:/}
  [ ! -e "$unix" ] || fail "the preview named $file but the shred left it"
done
echo "the shred removed exactly what the preview named, and the neighbour stayed"
