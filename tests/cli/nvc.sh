#!/usr/bin/env bash
# nvc end to end in the build's prefix: the list, a preview that removes nothing, a run over a
# user-defined item with a method for that run only, and bad input that touches nothing.
#   nvc.sh BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/nvc-lib.sh" "$1"
scratch=$prefix/drive_c/vxtest/nvc
settings='HKCU\Software\Dravok\nv'


rm -rf "$scratch"
mkdir -p "$scratch/sub"
on_exit rm -rf "$scratch" "$scratch.out" "$scratch.err"
for file in a.tmp b.tmp keep.txt sub/c.tmp; do echo "secret $file" >"$scratch/$file"; done
before=$(reg query "$settings" /v Setting 2>/dev/null | grep Setting || true)

[ "$(status_of list)" = 0 ] || fail "list failed"
grep -q '^ 3  Microsoft Windows: Run History' "$scratch.out" || fail "list lacks Run History"
[ "$(wc -l <"$scratch.out")" -eq 78 ] || fail "list does not show 78 entries"
grep -q '^81  Mozilla Firefox: Saved Passwords' "$scratch.out" || fail "list lacks the browsers"

for bad in "shred" "shred NoSuchEntry" "shred 3 --method fast" "shred --free-space Q:" \
  "shred --items Temp\\<*.tmp><SubFolder:No>" "shred --items C:\\vxtest\\nvc\\<..\\*.*><SubFolder:No>"; do
  # shellcheck disable=SC2086
  [ "$(status_of $bad)" = 2 ] || fail "\"$bad\" was not refused"
  [ -s "$scratch.err" ] || fail "\"$bad\" gave no message"
done
[ -f "$scratch/a.tmp" ] || fail "bad input touched a file"
echo "bad input refused with a message, nothing touched"

# An item that takes every file of a drive or a system folder needs the user's word for it.
me=$(id -un)
for whole in 'C:\<*.*><SubFolder:Yes>' 'C:\windows\<*><SubFolder:No>' 'C:\users\<*.*><SubFolder:Yes>' \
  "C:\\users\\$me\\Desktop\\<*.*><SubFolder:No>" "C:\\users\\$me\\Documents\\<*><SubFolder:No>"; do
  [ "$(status_of shred --items "$whole")" = 2 ] || fail "\"$whole\" was not refused"
  grep -q -- --allow-system-folders "$scratch.err" || fail "the refusal of \"$whole\" names no switch"
done
[ "$(status_of preview --allow-system-folders --items 'C:\windows\<*.*><SubFolder:No>')" = 0 ] ||
  fail "the switch did not let the preview of a system folder through: $(cat "$scratch.err")"
echo "items that take a whole drive or system folder are refused unless the user says so"

[ "$(status_of preview --items 'C:\vxtest\nvc\<*.tmp><SubFolder:Yes>')" = 0 ] ||
  fail "the preview failed: $(cat "$scratch.err")"
for listed in 'File C:\vxtest\nvc\a.tmp (13 bytes)' 'File C:\vxtest\nvc\sub\c.tmp (17 bytes)' \
  'Total: 3 items, 43 bytes'; do
  grep -qF "$listed" "$scratch.out" || fail "the preview lacks \"$listed\": $(cat "$scratch.out")"
done
! grep -q keep.txt "$scratch.out" || fail "the preview lists keep.txt"
for kept in a.tmp b.tmp sub/c.tmp; do [ -f "$scratch/$kept" ] || fail "the preview removed $kept"; done
[ "$(status_of preview 3 --method zero)" = 2 ] || fail "preview took a method"
echo "preview listed the item's files and removed nothing"

[ "$(status_of shred --method zero --items 'C:\vxtest\nvc\<*.tmp><SubFolder:Yes>')" = 0 ] ||
  fail "the shred failed: $(cat "$scratch.err")"
grep -q 'User Define' "$scratch.err" || fail "no progress on standard error"
grep -q 'Shredded' "$scratch.out" || fail "no summary on standard output"
for gone in a.tmp b.tmp sub/c.tmp; do [ ! -e "$scratch/$gone" ] || fail "$gone is still there"; done
[ -f "$scratch/keep.txt" ] || fail "keep.txt was removed"
after=$(reg query "$settings" /v Setting 2>/dev/null | grep Setting || true)
[ "$before" = "$after" ] || fail "--method changed the stored method: $before -> $after"
echo "shred removed the item's files only and left the stored method"

for file in a.tmp sub/c.tmp; do echo "secret $file" >"$scratch/$file"; done
[ "$(status_of shred --quiet --items 'C:\vxtest\nvc\<*.tmp><SubFolder:Yes>')" = 0 ] ||
  fail "the quiet shred failed"
[ ! -s "$scratch.err" ] || fail "--quiet printed progress: $(cat "$scratch.err")"
grep -q 'Shredded' "$scratch.out" || fail "--quiet took the summary too"
[ ! -e "$scratch/a.tmp" ] || fail "the quiet shred left a.tmp"
echo "--quiet keeps standard error empty"

# Each run keeps a report, JSON and HTML from one record, in the user's folder of reports, and
# writes one where --report asks; both name exactly the files the run removed. A headless browser
# draws the HTML into the artifacts.
report_lines() { grep '^Report: ' "$scratch.out" | cut -c9- | tr -d '\r'; }
for file in a.tmp sub/c.tmp; do echo "secret $file" >"$scratch/$file"; done
[ "$(status_of shred --quiet --method random --items 'C:\vxtest\nvc\<*.tmp><SubFolder:Yes>' \
  --report 'C:\vxtest\nvc-report.html')" = 0 ] || fail "the shred with --report failed"
[ "$(report_lines | wc -l)" = 2 ] || fail "not two report paths: $(cat "$scratch.out")"
kept=$(unix_path "$(report_lines | head -n 1)")
asked=$(unix_path "$(report_lines | tail -n 1)")
on_exit rm -f "$asked"
python3 - "${kept%.html}.json" <<'CHECK' || fail "the report does not list what the run removed"
import json, sys
report = json.load(open(sys.argv[1], encoding="utf-8"))
removed = {item["place"] for step in report["steps"] for item in step["removed"] if item["kind"] == "file"}
assert removed == {r"C:\vxtest\nvc\a.tmp", r"C:\vxtest\nvc\sub\c.tmp"}, removed
assert all(not step["left"] for step in report["steps"]) and report["outcome"] == "done", report
assert report["method"] == {"name": "Pseudo-random", "passes": 1, "readBack": False}, report["method"]
CHECK
grep -q 'NIST SP 800-88' "$asked" || fail "the HTML asked for lacks the statement of what was done"
mkdir -p "$build/artifacts"
chromium --headless --no-sandbox --disable-gpu --window-size=1000,1300 \
  --screenshot="$build/artifacts/report.png" "file://$asked" >/dev/null 2>&1 ||
  fail "the browser could not draw the HTML report"
[ "$(stat -c %s "$build/artifacts/report.png")" -gt 20000 ] || fail "the report drew as a blank page"
echo "the report names what the run removed, as JSON and as HTML a browser draws"

reports=$(dirname "$kept")
reg add "$settings" /v Reports /t REG_DWORD /d 0 /f >/dev/null
echo "secret" >"$scratch/a.tmp"
[ "$(status_of shred --quiet --items 'C:\vxtest\nvc\<*.tmp><SubFolder:Yes>')" = 0 ] ||
  fail "the shred with reports off failed"
reg delete "$settings" /v Reports /f >/dev/null
! grep -q '^Report: ' "$scratch.out" || fail "reports off still wrote one: $(cat "$scratch.out")"
mv "$reports" "$reports.aside"
echo "not a folder" >"$reports"
echo "secret" >"$scratch/a.tmp"
status=$(status_of shred --quiet --items 'C:\vxtest\nvc\<*.tmp><SubFolder:Yes>')
rm "$reports"
mv "$reports.aside" "$reports"
[ "$status" = 0 ] || fail "a folder of reports that cannot be made failed the run: exit $status"
grep -q 'the report was not kept' "$scratch.err" || fail "the missing report was not said"
[ ! -e "$scratch/a.tmp" ] || fail "the run did not erase a.tmp"
echo "reports off write none; a folder of reports that cannot be made leaves the run whole"

# The keep lists: entries added, listed, honoured by a run and removed again; malformed ones are
# refused with exit 2 and a message, and change nothing.
drop_keep_lists() { reg delete "$settings\\Keep" /f >/dev/null 2>&1 || true; }
on_exit drop_keep_lists
[ "$(status_of keep add path 'C:\vxtest\nvc\kept\')" = 0 ] || fail "a kept path was refused"
[ "$(status_of keep add cookie Example.COM)" = 0 ] || fail "a kept site was refused"
[ "$(status_of keep add cookie example.com)" = 0 ] || fail "a kept site added twice was refused"
[ "$(status_of keep list)" = 0 ] || fail "keep list failed"
[ "$(tr -d '\r' <"$scratch.out")" = "$(printf 'cookie example.com\npath C:\\vxtest\\nvc\\kept')" ] ||
  fail "keep list shows: $(cat "$scratch.out")"
for bad in "keep add cookie bad!host" "keep add path relative\\path" "keep add path C:\\a*" \
  "keep add cookie" "keep remove cookie absent.example" "keep drop path C:\\x"; do
  # shellcheck disable=SC2086
  [ "$(status_of $bad)" = 2 ] || fail "\"$bad\" was not refused"
  [ -s "$scratch.err" ] || fail "\"$bad\" gave no message"
done
mkdir -p "$scratch/kept"
echo "kept" >"$scratch/kept/inner.tmp"
echo "secret" >"$scratch/a.tmp"
[ "$(status_of shred --quiet --items 'C:\vxtest\nvc\<*.tmp><SubFolder:Yes>')" = 0 ] ||
  fail "the run with a kept folder failed: $(cat "$scratch.out")"
[ "$(cat "$scratch/kept/inner.tmp")" = kept ] || fail "the kept folder was touched"
[ ! -e "$scratch/a.tmp" ] || fail "the run beside a kept folder left a.tmp"
status_of keep remove path 'C:\vxtest\nvc\kept' >/dev/null
status_of keep remove cookie example.com >/dev/null
[ "$(status_of keep list)" = 0 ] && [ ! -s "$scratch.out" ] || fail "the keep list is not empty again"
rm -rf "$scratch/kept"
echo "the keep lists are added to, shown, honoured by a run and emptied; malformed entries refused"

# Ctrl+C (Wine turns the interrupt into the console's Ctrl+C) stops a long erase cooperatively:
# exit 3, and the method of the run is taken back.
truncate -s 1G "$scratch/long.bin"
run shred --method gutmann --items 'C:\vxtest\nvc\<long.bin><SubFolder:No>' \
  >"$scratch.out" 2>"$scratch.err" &
runner=$!
pid=
for _ in $(seq 100); do
  pid=$(prefix_processes "$prefix" 'nvc\.exe shred' | tail -n 1)
  [ -n "$pid" ] && break
  sleep 0.1
done
[ -n "$pid" ] || fail "the long run was not found"
sleep 2
kill -INT "$pid"
status=0
wait "$runner" || status=$?
[ "$status" = 3 ] || fail "Ctrl+C gave exit $status: $(cat "$scratch.out")"
grep -q Cancelled "$scratch.out" || fail "no word of the cancel"
grep -qE '^    [0-9.]+ ([KMGT]B|bytes?) of 35\.0 GB \([0-9]+%\)' "$scratch.err" ||
  fail "no progress in bytes of 35 passes over 1 GiB: $(cat "$scratch.err")"
after=$(reg query "$settings" /v Setting 2>/dev/null | grep Setting || true)
[ "$before" = "$after" ] || fail "the cancelled run left its method stored"
cancelled=$(unix_path "$(report_lines | head -n 1)")
grep -q '"outcome": "cancelled"' "${cancelled%.html}.json" || fail "the cancelled run has no report"
echo "Ctrl+C stopped the run with exit 3; its progress counted 35 passes over 1 GiB; its report says so"
