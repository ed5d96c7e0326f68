#!/usr/bin/env bash
# nvc as an organisation runs it, in the build's prefix: the help and the short usage, the
# policy's locked and default settings, reports on a share and where it cannot be reached, a
# scheduled run registered with the Task Scheduler, and one shred run at a time.
#   fleet.sh BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/nvc-lib.sh" "$1"
scratch=$prefix/drive_c/vxtest/fleet
policy='HKLM\Software\Policies\Dravok\nv'
user_policy='HKCU\Software\Policies\Dravok\nv'
settings='HKCU\Software\Dravok\nv'
share=$prefix/dosdevices/unc

report_json() { grep '^Report: ' "$scratch.out" | head -n 1 | cut -c9- | tr -d '\r' | sed 's/\.html$/.json/'; }
cleanup() {
  reg delete 'HKLM\Software\Policies\Dravok' /f >/dev/null 2>&1 || true
  reg delete 'HKCU\Software\Policies\Dravok' /f >/dev/null 2>&1 || true
  run schedule remove >/dev/null 2>&1 || true
  rm -rf "$scratch" "$scratch.out" "$scratch.err" "$share"
}
seed() { for file in "$@"; do echo "secret $file" >"$scratch/$file"; done; }

cleanup
on_exit cleanup
mkdir -p "$scratch/kept"
item='C:\vxtest\fleet\<*.tmp><SubFolder:Yes>'

# The three spellings parse alike (CommandLineTest); the full help is read once.
[ "$(status_of /?)" = 0 ] && [ ! -s "$scratch.err" ] || fail "/? did not print the help alone"
for part in 'nvc schedule add' '--allow-system-folders' 'Exit codes' '4  another shred run' \
  'nvc shred --selection --quiet'; do
  grep -qF -- "$part" "$scratch.out" || fail "the help does not tell \"$part\""
done
[ "$(status_of)" = 2 ] || fail "no arguments did not exit 2"
grep -q '^nvc: usage' "$scratch.err" && [ "$(wc -l <"$scratch.err")" -le 3 ] || fail "no short usage"
[ ! -s "$scratch.out" ] || fail "the usage went to standard output"
echo "/? prints the full help; a usage error keeps the short usage and exit 2"

# The machine's lock wins over the user's lock and over --method, which is said.
reg add "$user_policy" /v Method /t REG_SZ /d gutmann /f >/dev/null
reg add "$policy" /v Method /t REG_SZ /d dod3 /f >/dev/null
seed a.tmp
[ "$(status_of shred --quiet --method zero --items "$item")" = 0 ] || fail "the locked run failed"
grep -q 'set by your organisation: dod3 is used instead of zero' "$scratch.err" ||
  fail "the lock was not said: $(cat "$scratch.err")"
grep -q '"name": "DoD 5220.22-M"' "$(unix_path "$(report_json)")" || fail "the run ignored the lock"
reg add "$policy" /v Method /t REG_DWORD /d 1 /f >/dev/null
reg delete "$user_policy" /v Method /f >/dev/null
seed a.tmp
[ "$(status_of shred --quiet --method zero --items "$item")" = 0 ] || fail "the run failed"
grep -q '"name": "Zeroes"' "$(unix_path "$(report_json)")" || fail "a number took the method's place"
echo "the machine's locked method holds whatever --method says; a value of another type is ignored"

# Locked entries and items: only --selection names them, and it names the policy's.
reg add "$policy\\Selection" /v 1 /t REG_SZ /d 'Microsoft Windows: Run History' /f >/dev/null
reg add "$policy\\Items" /v 1 /t REG_SZ /d "$item" /f >/dev/null
reg add "$policy\\Items" /v 2 /t REG_SZ /d 'Temp\<*.tmp><SubFolder:No>' /f >/dev/null
for asked in "shred 3" "shred --free-space C:" "preview --items $item"; do
  # shellcheck disable=SC2086
  [ "$(status_of $asked)" = 2 ] || fail "\"$asked\" was not refused under the lock"
  grep -q 'set by your organisation; use --selection' "$scratch.err" || fail "\"$asked\": no reason"
done
seed a.tmp
[ "$(status_of preview --selection)" = 0 ] || fail "the preview of the locked selection failed"
grep -q '^< Microsoft Windows >: Run History:' "$scratch.out" &&
  grep -qF 'File C:\vxtest\fleet\a.tmp' "$scratch.out" ||
  fail "the preview does not show the policy's entry and item: $(cat "$scratch.out")"
[ "$(grep -c '^<' "$scratch.out")" = 2 ] || fail "more than the policy's steps: $(cat "$scratch.out")"
echo "with entries and items locked, only --selection names them and it names the policy's"

# A locked keep list is the policy's: nvc cannot change it, and a run keeps what it names.
reg add "$policy\\Keep\\Places" /v 1 /t REG_SZ /d 'C:\vxtest\fleet\kept' /f >/dev/null
[ "$(status_of keep add path 'C:\vxtest\fleet\other')" = 2 ] || fail "a locked keep list was changed"
[ "$(status_of keep list)" = 0 ] && grep -qxF 'path C:\vxtest\fleet\kept' <(tr -d '\r' <"$scratch.out") ||
  fail "keep list does not show the policy's place"
seed a.tmp kept/b.tmp
[ "$(status_of shred --quiet --selection)" = 0 ] || fail "the locked run failed: $(cat "$scratch.err")"
[ ! -e "$scratch/a.tmp" ] && [ -e "$scratch/kept/b.tmp" ] || fail "the kept place was not kept"
reg delete 'HKLM\Software\Policies\Dravok' /f >/dev/null
echo "a locked keep list cannot be changed from nvc and holds for its runs"

# Reports to a share, its folders made and named after the machine and the user; a share that
# cannot be reached leaves the report on this computer, which says so.
mkdir -p "$share/server/reports"
reg add "$policy" /v ReportFolder /t REG_EXPAND_SZ /d '\\server\reports\%COMPUTERNAME%\%USERNAME%' /f >/dev/null
seed a.tmp
[ "$(status_of shred --quiet --items "$item")" = 0 ] || fail "the run to the share failed"
report=$(grep '^Report: ' "$scratch.out" | cut -c9- | tr -d '\r')
case "$report" in '\\server\reports\'*'\report-'*.html) ;; *) fail "the report is not on the share: $report" ;; esac
found=$(find "$share/server/reports" -name 'report-*.json')
[ "$(echo "$found" | wc -l)" = 1 ] && [ "$(basename "$(dirname "$(dirname "$found")")")" != reports ] ||
  fail "the share holds no report below the machine's and the user's folders: $found"
reg add "$policy" /v ReportFolder /t REG_SZ /d '\\nowhere\reports' /f >/dev/null
seed a.tmp
[ "$(status_of shred --quiet --items "$item")" = 0 ] || fail "the run with a missing share failed"
grep -q 'could not be reached; this report is kept on this computer' "$scratch.err" ||
  fail "the fallback was not said"
grep -q 'nowhere.*could not be reached' "$(unix_path "$(report_json)")" ||
  fail "the local report does not say the share could not be reached"
reg delete 'HKLM\Software\Policies\Dravok' /f >/dev/null
echo "reports go to the share in the machine's and the user's folders, and stay here without it"

# A weekly run registered with the Task Scheduler: the work item holds nvc, the arguments and
# the trigger as asked, read back by the scheduler and from its file; removed again.
for bad in "schedule add hourly" "schedule add logon --time 09:00 --selection" \
  "schedule add daily NoSuchEntry"; do
  # shellcheck disable=SC2086
  [ "$(status_of $bad)" = 2 ] || fail "\"$bad\" was not refused"
done
spaced='C:\vxtest\fleet two\<*.tmp><SubFolder:No>'
[ "$(status_of schedule add weekly --day fri --time 21:30 --selection "Temporary Files" --items "$spaced")" = 0 ] ||
  fail "the schedule was not added: $(cat "$scratch.err")"
[ "$(status_of schedule list)" = 0 ] || fail "schedule list failed"
grep -qF "Shreds weekly on Friday at 21:30: nvc shred --selection \"Temporary Files\" --items \"$spaced\" --quiet" \
  "$scratch.out" || fail "the scheduler does not hold the run asked for: $(cat "$scratch.out")"
job=$(find "$prefix/drive_c/windows/tasks" -name 'Norvexa shred (*).job')
python3 - "$job" "$spaced" <<'CHECK' || fail "the task's file does not hold the run asked for"
import struct, sys
data = open(sys.argv[1], "rb").read()
at = 0x46
def text():
    global at
    (count,) = struct.unpack_from("<H", data, at)
    value = data[at + 2:at + 2 + 2 * count].decode("utf-16-le").rstrip("\0")
    at += 2 + 2 * count
    return value
program, parameters = text(), text()
assert program.lower().endswith("\\nvc.exe"), program
assert parameters == 'shred --selection "Temporary Files" --items "%s" --quiet' % sys.argv[2], parameters
text(); text(); text()
for _ in range(2):
    (size,) = struct.unpack_from("<H", data, at)
    at += 2 + size
(triggers,) = struct.unpack_from("<H", data, at)
hour, minute = struct.unpack_from("<HH", data, at + 2 + 16)
kind, weeks, days = struct.unpack_from("<IHH", data, at + 2 + 32)
assert (triggers, hour, minute, kind, weeks, days) == (1, 21, 30, 2, 1, 1 << 5), (triggers, hour, minute, kind, weeks, days)
CHECK
[ "$(status_of schedule remove)" = 0 ] && [ -z "$(find "$prefix/drive_c/windows/tasks" -name '*.job')" ] ||
  fail "the schedule was not removed"
[ "$(status_of schedule list)" = 0 ] && grep -q 'No scheduled run' "$scratch.out" || fail "a removed schedule is listed"
echo "a weekly run registered with the Task Scheduler holds nvc, its arguments and its trigger; removed again"

# One run at a time: a second shred while a long one runs touches nothing and exits 4.
truncate -s 1G "$scratch/long.bin"
run shred --method gutmann --items 'C:\vxtest\fleet\<long.bin><SubFolder:No>' >/dev/null 2>"$scratch.long" &
runner=$!
for _ in $(seq 100); do grep -q 'User Define' "$scratch.long" 2>/dev/null && break; sleep 0.1; done
seed a.tmp
status=$(status_of shred --quiet --items "$item")
pid=$(prefix_processes "$prefix" 'nvc\.exe shred --method gutmann' | tail -n 1)
[ -n "$pid" ] && kill -INT "$pid"
wait "$runner" || true
rm -f "$scratch.long"
[ "$status" = 4 ] || fail "the second run gave exit $status"
[ -e "$scratch/a.tmp" ] || fail "the second run touched a file"
echo "a second run while one is going on exits 4 and touches nothing"
