#!/usr/bin/env bash
# Proves erasure on real volumes: a small ext4 or NTFS image is mapped to a drive letter of the
# build's Wine prefix, files are written and erased through the engine, and the unmounted image
# is searched byte by byte for what was erased.
#
#   forensic.sh shred|freespace ext4|ntfs LETTER WORKDIR PREFIX TOOL
#
# shred:     for every erase method, a populated folder is emptied with EmptyDirectory; before the
#            erase every marker must be in the image (the control), after it none may be.
# freespace: plainly deleted files are wiped from the free space, which must come back whole;
#            then a wipe killed midway must leave no filler file behind.
#
# Needs root to mount the images; without it the test fails. Only WORKDIR is written on the host.
set -euo pipefail

suite=$1 fs=$2 letter=${3^^} work=$4 prefix=$5 tool=$6
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
drive=$work/drive
mnt=$drive/mnt
image=$drive/image
image_size=160M
mib=$((1 << 20))

methods=(81 82 84 88 90)
declare -A method_name=([81]="Gutmann" [82]="DoD 5200.28-STD" [84]="DoD 5220.22-M"
                        [88]="pseudo-random" [90]="zeroes")

fail() {
  echo "FAIL [$fs $suite]: $*" >&2
  exit 1
}

note() { echo "[$fs $suite] $*"; }

background=
cleanup() {
  if [ -n "$background" ]; then
    kill -9 "$background" 2>/dev/null || true
    wait "$background" 2>/dev/null || true
  fi
  "$root/tools/image-drive" down "$drive" || echo "cleanup of $drive failed" >&2
}

vx() { "$root/tools/wine-run" "$prefix" "$tool" "$@"; }

detach() { "$root/tools/image-drive" detach "$drive"; }
attach() { "$root/tools/image-drive" attach "$drive"; }

scan() { python3 "$here/scan_image.py" "$image" "$fs" "$@"; }

# Writes the test files into FOLDER (a name at the drive's root) and prints the markers that a
# raw scan can find: those of files at least as long as one marker.
populate() {
  local folder=$1 tag=$2 listing id size
  listing=$(vx populate "$letter:\\$folder" "$tag" | tr -d '\r') || fail "populate $folder failed"
  # Wine keeps no read-only attribute on folders but reports one for a folder it cannot write.
  chmod a-w "$mnt/$folder/rosub"
  while read -r id size; do
    if ((size >= ${#tag} + ${#id} + 3)); then
      echo "$id"
    fi
  done <<<"$listing"
}

free_bytes() {
  local bytes
  bytes=$(vx free "$letter:\\" | tr -d '\r') || fail "free space of $letter: unreadable"
  echo "$bytes"
}

expect_same_free() {
  local before=$1 after=$2 what=$3 delta
  delta=$((after - before))
  ((delta < 0)) && delta=$((-delta))
  ((delta <= mib)) || fail "$what: free space $before before, $after after"
}

# The free-space wipe's folder at the root must hold no filler file.
fillers_left() {
  local folder=$mnt/~VXFREE.TMP
  [ -d "$folder" ] && find "$folder" -mindepth 1 | head -n 5
  return 0
}

shred_suite() {
  local method tag folder markers start
  for method in "${methods[@]}"; do
    tag="vxf-$fs-$method-shred"
    folder=shred$method
    vx method "$method" || fail "cannot store method $method"
    markers=$(populate "$folder" "$tag")
    detach
    # shellcheck disable=SC2086
    scan "$tag" --present $markers || fail "control for ${method_name[$method]}"
    attach

    start=$SECONDS
    vx shred "$letter:\\$folder" || fail "shred with ${method_name[$method]} failed"
    [ -d "$mnt/$folder" ] || fail "${method_name[$method]}: the emptied folder was removed"
    [ -z "$(ls -A "$mnt/$folder")" ] ||
      fail "${method_name[$method]}: left in the folder: $(find "$mnt/$folder" -mindepth 1)"
    detach
    scan "$tag" --absent || fail "${method_name[$method]}: erased content is in the image"
    attach
    note "${method_name[$method]} (0x$method): nothing left ($((SECONDS - start)) s)"
  done
}

wipe_suite() {
  local tag="vxf-$fs-free" markers before after
  vx method 84 || fail "cannot store method 84"
  markers=$(populate plain "$tag")
  vx plaindelete "$letter:\\plain" || fail "plain delete failed"
  detach
  # shellcheck disable=SC2086
  scan "$tag" --present $markers || fail "control for the free-space wipe"
  attach

  before=$(free_bytes)
  vx wipe "$letter:\\" || fail "free-space wipe failed"
  after=$(free_bytes)
  expect_same_free "$before" "$after" "wipe"
  [ ! -e "$mnt/~VXFREE.TMP" ] || fail "the wipe left its folder: $(fillers_left)"
  detach
  scan "$tag" --absent || fail "deleted content is still in the free space after the wipe"
  attach
  note "free-space wipe: nothing left, free space $before before, $after after"
}

# A wipe killed with SIGKILL while it fills the volume: its delete-on-close fillers must vanish.
kill_suite() {
  local before after pid candidate waited
  vx method 81 || fail "cannot store method 81"
  before=$(free_bytes)
  "$root/tools/wine-run" "$prefix" "$tool" wipe "$letter:\\" &
  background=$!
  for waited in $(seq 1 300); do
    [ -n "$(fillers_left)" ] && break
    kill -0 "$background" 2>/dev/null || fail "the wipe ended before it could be killed"
    sleep 0.1
  done
  [ -n "$(fillers_left)" ] || fail "no filler file appeared within 30 s"
  sleep 1
  # The Windows process of this prefix's wipe, not one of another build tree.
  pid=
  for candidate in $(pgrep -f 'vxforensic\.exe wipe' || true); do
    if tr '\0' '\n' <"/proc/$candidate/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$prefix"; then
      pid=$candidate
    fi
  done
  [ -n "$pid" ] || fail "the wipe's process was not found"
  kill -9 "$pid"
  wait "$background" 2>/dev/null || true
  background=
  for waited in $(seq 1 300); do
    [ -z "$(fillers_left)" ] && break
    sleep 0.1
  done
  [ -z "$(fillers_left)" ] || fail "killed wipe left filler files: $(fillers_left)"
  after=$(free_bytes)
  expect_same_free "$before" "$after" "killed wipe"
  note "killed wipe: no filler left, free space $before before, $after after"
}

[ "$(id -u)" -eq 0 ] || fail "must run as root to mount test images"
prefix=$(realpath -m "$prefix")
mkdir -p "$work"
"$root/tools/image-drive" down "$drive" # what an interrupted run left
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
# The first program creates the prefix.
vx method 88 || fail "cannot run $tool"
"$root/tools/image-drive" up "$drive" "$fs" "$image_size" "$prefix" "$letter"

case $suite in
shred) shred_suite ;;
freespace)
  wipe_suite
  kill_suite
  ;;
*) fail "unknown suite $suite" ;;
esac
