#!/usr/bin/env bash
# The installer in a fresh Wine prefix: a silent install with the Group Policy templates and a
# shortcut for all users, the program started from where it was installed, an upgrade in place
# that keeps the settings and, given /STARTUP=0, leaves the start with Windows out, an install
# into a folder given with /D=, and silent uninstalls that keep the settings or, given
# /REMOVESETTINGS, remove them too. Also the zip beside the installer.
#
#   install.sh BUILD_DIR WORKDIR
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tools/lib.sh"
build=$(realpath "$1")
work=$(realpath -m "$2")
prefix=$work/wine
setup=$build/package/nv-setup.exe
installed="$prefix/drive_c/Program Files/Norvexa"
templates=(policy/norvexa.admx policy/en-US/norvexa.adml)
# The 64-bit installer of a host that cannot run 32-bit code still writes to the 32-bit view of
# the registry.
arch=$(build_arch "$build")
view=
[ "$arch" = i686 ] || view=/reg:32
settings='HKCU\Software\Dravok\nv'
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Norvexa'

wine_in() { "$root/tools/wine-run" "$prefix" "$@"; }
reg() { wine_in "$prefix/drive_c/windows/system32/reg.exe" "$@" $view 2>/dev/null | tr -d '\r'; }
# The uninstaller runs from a copy of itself and returns at once: waits until its work shows.
wait_for() {
  for _ in $(seq 300); do eval "$1" && return 0; sleep 0.1; done
  return 1
}
cleanup() { WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; }

[ -f "$setup" ] || fail "$setup is missing; run make package"
cleanup
rm -rf "$work"
mkdir -p "$prefix/drive_c"
on_exit cleanup

# install [SWITCH...]: a silent install with the switches.
install() {
  cp "$setup" "$prefix/drive_c/nv-setup.exe"
  wine_in "$prefix/drive_c/nv-setup.exe" /S "$@"
}
# The shortcut is for all users: in the Start menu of ProgramData, none in a user's own.
shortcut() { find "$prefix/drive_c/$1" -ipath '*/Start Menu/Programs/Norvexa.lnk' | grep -q .; }
# installed_in FOLDER: the binaries, the read-me and the templates as the package has them.
installed_in() {
  local file
  for file in nv.exe nvc.exe vxclean.dll vxerase.dll uninstall.exe README.txt; do
    [ -f "$1/$file" ] || fail "$file was not installed"
  done
  for file in "${templates[@]}"; do
    cmp -s "$root/installer/$file" "$1/$file" || fail "$file was not installed as it is"
  done
}

zipped=$(python3 -m zipfile -l "$build"/package/norvexa-*.zip | awk 'NR > 1 {print $1}' | sort)
[ "$zipped" = "$(printf '%s\n' nv.exe nvc.exe vxclean.dll vxerase.dll README.txt "${templates[@]}" |
  sort)" ] || fail "the zip holds ${zipped//$'\n'/ }"
echo "the zip holds the binaries, the read-me and the policy templates"

install /STARTUP=maybe && fail "the installer took /STARTUP=maybe"
[ ! -e "$installed" ] || fail "the installer refused /STARTUP=maybe but installed"
echo "the installer refused /STARTUP=maybe and installed nothing"

install
installed_in "$installed"
shortcut ProgramData || fail "no Start-menu shortcut for all users"
! shortcut users || fail "the Start-menu shortcut is in a user's own Start menu"
reg query "$run_key" /v Norvexa | grep -q 'nv.exe" /tray' || fail "no Run entry with /tray"
reg query "$uninstall_key" /v Publisher | grep -q Dravok || fail "not registered for removal"
echo "installed: files, policy templates, shortcut for all users, Run entry, uninstall entry"

# Every binary names its product, maker and version in its version resource.
product=("$(product_define VX_PRODUCT_NAME)" "$(product_define VX_COMPANY_NAME)"
  "$(product_define VX_VERSION_MAJOR).$(product_define VX_VERSION_MINOR)")
for file in nv.exe nvc.exe vxclean.dll vxerase.dll; do
  python3 - "$installed/$file" "${product[@]}" <<'PY' || fail "$file: version resource incomplete"
import re, sys
path, name, company, version = sys.argv[1:]
text = open(path, "rb").read().decode("utf-16-le", "ignore")
fields = {k: v for k, v in re.findall(r"(ProductName|CompanyName|FileVersion|FileDescription)\x00+([^\x00]+)", text)}
assert fields.get("ProductName") == name, fields
assert fields.get("CompanyName") == company, fields
assert re.fullmatch(re.escape(version) + r"\.0\.\d+", fields.get("FileVersion", "")), fields
assert fields.get("FileDescription"), fields
print(path.rsplit("/", 1)[1], fields["FileVersion"], fields["FileDescription"])
PY
done

# The installed program starts and shows its main window; the installer does not run over it.
export DISPLAY=$VX_DISPLAY
"$root/tools/virtual-display" "$DISPLAY"
title=$(title_regex)
others=$(xdotool search --name "$title" 2>/dev/null || true)
start_program() {
  wine_in "$installed/nv.exe" &
  window=$(wait_for_window "$title" 60 "$others") || fail "the installed program showed no main window"
}
start_program
sleep 1
mkdir -p "$work/artifacts"
import -window "$window" "$work/artifacts/installed-main-window.png"
echo "the installed program showed its main window"
cp "$setup" "$prefix/drive_c/nv-setup.exe"
wine_in "$prefix/drive_c/nv-setup.exe" /S && fail "the installer ran over a running copy"
xdotool search --name "$title" | grep -qxF "$window" || fail "the running copy was ended"
echo "the installer refused to run over the running copy"
cleanup

reg add "$settings" /v Setting /t REG_DWORD /d 129 /f >/dev/null
reg add "$settings" /v Data1 /t REG_DWORD /d 7 /f >/dev/null
install /STARTUP=0
reg query "$settings" /v Setting | grep -q 0x81 || fail "the upgrade lost Setting"
reg query "$settings" /v Data1 | grep -q 0x7 || fail "the upgrade lost Data1"
! reg query "$run_key" /v Norvexa | grep -q Norvexa || fail "/STARTUP=0 kept the Run entry"
echo "upgrade in place with /STARTUP=0 kept the settings and left the start with Windows out"

start_program
wine_in "$installed/uninstall.exe" /S
wait_for '[ ! -e "$installed" ]' || fail "left behind: $(find "$installed")"
! xdotool search --name "$title" | grep -qxF "$window" || fail "the running copy was not ended"
sleep 1
! shortcut . || fail "shortcut left"
! reg query "$run_key" /v Norvexa | grep -q Norvexa || fail "Run entry left"
! reg query "$uninstall_key" | grep -q Norvexa || fail "uninstall entry left"
reg query "$settings" /v Setting | grep -q 0x81 || fail "a silent uninstall removed the settings"
echo "uninstalled, settings kept"

# /D= is taken only last and unquoted, as a command line typed at a prompt gives it; Wine would
# quote an argument with a blank, so cmd passes the line on as it is.
chosen="$prefix/drive_c/Some Dir"
cp "$setup" "$prefix/drive_c/nv-setup.exe"
wine_in "$prefix/drive_c/windows/system32/cmd.exe" /c 'C:\nv-setup.exe /S /STARTUP=1 /D=C:\Some Dir'
installed_in "$chosen"
[ ! -e "$installed" ] || fail "/D= installed into Program Files as well"
reg query "$run_key" /v Norvexa | grep -qF '"C:\Some Dir\nv.exe" /tray' ||
  fail "/STARTUP=1 gave no Run entry for C:\Some Dir"
reg query "$uninstall_key" /v InstallLocation | grep -qF 'C:\Some Dir' ||
  fail "not registered for removal from C:\Some Dir"
echo "installed into C:\Some Dir given with /D=, started with Windows given /STARTUP=1"

wine_in "$chosen/uninstall.exe" /S /REMOVESETTINGS
wait_for '[ ! -e "$chosen" ]' || fail "left behind: $(find "$chosen")"
wait_for '! reg query "$settings" | grep -q Setting' || true
! reg query "$settings" | grep -q Setting || fail "/REMOVESETTINGS kept the settings"
! reg query "$run_key" /v Norvexa | grep -q Norvexa || fail "Run entry left"
echo "uninstalled from C:\Some Dir with /REMOVESETTINGS: files, templates and settings removed"
