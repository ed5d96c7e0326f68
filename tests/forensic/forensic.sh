#!/usr/bin/env bash
# Proves erasure on real volumes: a small ext4 or NTFS image is mapped to a drive letter of the
# build's Wine prefix, files are written and erased through the engine, and the unmounted image
# is searched byte by byte for what was erased.
#
#   forensic.sh shred|freespace|browsers|useritem ext4|ntfs|exfat LETTER WORKDIR PREFIX TOOL [END_TO_END]
#
# shred:     for every erase method, a populated folder (files of every size and attribute, names
#            outside the code page, device names, closing dots and blanks, a path past 300
#            characters) is emptied with EmptyDirectory; before the erase every marker must be
#            in the image (the control), after it none may be; then the same on a volume filled
#            to its last block; then runs killed at twenty points, each followed by a complete
#            run of the same folder; last, the names of erased files and folders: none may be
#            readable on NTFS or exFAT (ext4's journal keeps them: that figure is reported).
# freespace: plainly deleted files are wiped from the free space, which must come back whole,
#            and the names of files another program deleted must be gone from their folder;
#            then a wipe killed midway must leave no filler file behind, and the wipe after a
#            power loss midway (process and Wine server killed) must remove the fillers it left;
#            a wipe through nvc of the volume mounted read-only must end with exit 1 and say so.
# browsers:  Chrome and Firefox profiles on the volume are run through every browser entry but
#            the saved passwords: no visited address may be left, the bookmark must be.
# useritem:  the program itself, driven by the END_TO_END test program through its windows, adds
#            a user-defined item for a folder of the volume and shreds it: the files of its
#            patterns must be gone from the image, those outside its patterns or folder intact.
#
# Needs root to mount the images; without it the test fails. Only WORKDIR is written on the host.
set -euo pipefail

suite=$1 fs=$2 letter=${3^^} work=$4 prefix=$5 tool=$6 end_to_end=${7:-}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/tools/lib.sh"
drive=$work/drive
mnt=$drive/mnt
image=$drive/image
image_size=160M
mib=$((1 << 20))

methods=(81 82 84 88 90)
declare -A method_name=([81]="Gutmann" [82]="DoD 5200.28-STD" [84]="DoD 5220.22-M"
                        [88]="pseudo-random" [90]="zeroes")

# A step that could not be carried out ends the run (fail); a check that does not hold is
# reported and the run goes on, so one run shows every defect.
defects=0
defect() {
  echo "DEFECT [$fs $suite]: $*" >&2
  defects=$((defects + 1))
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

scan() { python3 "$here/scan_image.py" "$image" "$fs" "$@"; }

# Runs a raw scan of the unmounted image between two mounts.
scan_unmounted() {
  local status=0
  "$root/tools/image-drive" detach "$drive"
  scan "$@" || status=$?
  "$root/tools/image-drive" attach "$drive"
  return $status
}

# Writes the test files into FOLDER (a name at the drive's root) and prints the markers that a
# raw scan can find: those of files at least as long as one marker.
populate() {
  local folder=$1 tag=$2 listing id size status=0 plain=()
  # exFAT keeps no attributes and no permissions.
  [ "$fs" = exfat ] && plain=(plain)
  listing=$(vx populate "$letter:\\$folder" "$tag" "${plain[@]}" | tr -d '\r') || status=$?
  # Under 64-bit Wine this program, started between the kill points, was once itself ended by
  # SIGKILL (one run in five; the cause was not found): it writes the files once more, while any
  # other failure ends the suite.
  if ((status == 137)); then
    echo "[$fs $suite] populate $folder: the program was killed; once more" >&2
    status=0
    listing=$(vx populate "$letter:\\$folder" "$tag" "${plain[@]}" | tr -d '\r') || status=$?
  fi
  ((status == 0)) || fail "populate $folder failed"
  # Wine keeps no read-only attribute on folders but reports one for a folder it cannot write.
  [ "$fs" = exfat ] || chmod a-w "$mnt/$folder/rosub"
  while read -r id size; do
    if [[ $size =~ ^[0-9]+$ ]] && ((size >= ${#tag} + ${#id} + 3)); then
      echo "$id"
    fi
  done <<<"$listing"
}

free_bytes() {
  local bytes
  bytes=$(vx free "$letter:\\" | tr -d '\r' | grep -E '^[0-9]+$') ||
    fail "free space of $letter: unreadable"
  echo "$bytes"
}

check_same_free() {
  local before=$1 after=$2 what=$3 delta
  delta=$((after - before))
  ((delta < 0)) && delta=$((-delta))
  ((delta <= mib)) || defect "$what: free space $before before, $after after"
}

# What the free-space wipe's folder at the root still holds.
fillers_left() {
  local folder=$mnt/~VXFREE.TMP
  [ -d "$folder" ] && find "$folder" -mindepth 1 | head -n 5
  return 0
}

shred_suite() {
  local method name tag folder markers start
  for method in "${methods[@]}"; do
    name="${method_name[$method]} (0x$method)"
    tag="vxf-$fs-$method-shred"
    folder=shred$method
    vx method "$method" || fail "cannot store method $method"
    markers=$(populate "$folder" "$tag")
    # shellcheck disable=SC2086
    scan_unmounted "$tag" --present $markers || fail "control for $name"

    start=$SECONDS
    vx shred "$letter:\\$folder" || fail "shred with $name did not run"
    if [ ! -d "$mnt/$folder" ]; then
      defect "$name: the emptied folder itself was removed"
    elif [ -n "$(ls -A "$mnt/$folder")" ]; then
      defect "$name: left in the folder: $(find "$mnt/$folder" -mindepth 1 | tr '\n' ' ')"
    fi
    if scan_unmounted "$tag" --absent; then
      note "$name: nothing left ($((SECONDS - start)) s)"
    else
      defect "$name: erased content is in the image"
    fi
  done
}

# Files NTFS keeps compressed, as in a folder a user compressed to save space: a pattern that
# compresses to nothing would free their clusters instead of covering them. For every method, a
# text of 300 KB in a compressed folder is shredded and none of its content may stay.
compressed_suite() {
  local method tag folder
  for method in "${methods[@]}"; do
    tag="vxf-$fs-$method-compressed"
    folder=compressed$method
    mkdir -p "$mnt/$folder"
    setfattr -h -v 0x00000800 -n system.ntfs_attrib_be "$mnt/$folder"
    yes "|$tag|text|" | head -c 300000 >"$mnt/$folder/text.txt" || true
    sync
    (($(du -k "$mnt/$folder/text.txt" | cut -f1) < 100)) || fail "the text was not stored compressed"
    scan_unmounted "$tag" --present text || fail "control for the compressed file"
    vx method "$method" && vx shred "$letter:\\$folder" || fail "shred of the compressed folder did not run"
    if scan_unmounted "$tag" --absent; then
      note "${method_name[$method]}: nothing left of a compressed file"
    else
      defect "${method_name[$method]}: content of a compressed file is in the image"
    fi
  done
}

# A volume with no free space left: the erase overwrites in place, so every file still goes and
# none of its content stays.
full_volume_shred() {
  local tag="vxf-$fs-full" markers
  vx method 88 || fail "cannot store method 88"
  markers=$(populate full "$tag")
  dd if=/dev/zero of="$mnt/filling" bs=1M status=none 2>/dev/null || true
  dd if=/dev/zero of="$mnt/filling-tail" bs=4k status=none 2>/dev/null || true
  sync
  note "volume filled: $(free_bytes) bytes free"
  # shellcheck disable=SC2086
  scan_unmounted "$tag" --present $markers || fail "control for the full volume"
  vx shred "$letter:\\full" || fail "shred on a full volume did not run"
  [ -z "$(ls -A "$mnt/full")" ] || defect "full volume: left in the folder: $(find "$mnt/full" -mindepth 1 | tr '\n' ' ')"
  if scan_unmounted "$tag" --absent; then
    note "full volume: nothing left"
  else
    defect "full volume: erased content is in the image"
  fi
  rm -f "$mnt/filling" "$mnt/filling-tail"
}

# Seconds that a command takes.
seconds_of() {
  local start
  start=$(date +%s.%N)
  "$@" >/dev/null || fail "$* did not run"
  awk "BEGIN { print $(date +%s.%N) - $start }"
}

# Fills folder K of the volume for a killed run: the populated files and a long one, so that the
# run spends seconds among its files (NTFS through FUSE writes about ten times slower).
populate_killed() {
  local long=$((48 * mib))
  [ "$fs" = ntfs ] && long=$((4 * mib))
  populate "$1" "$2" >/dev/null
  yes "|$2|long|" | head -c "$long" >"$mnt/$1/long.bin" || true
}

# A shred killed at twenty points spread over its files (the program's start is measured on an
# empty folder, the whole run on a full one): a file the run renamed is already empty, a file
# elsewhere on the volume never changes, and the next run of the same folder leaves nothing of
# any of them in the image.
killpoints_suite() {
  local tag="vxf-$fs-kill" outside i pid name left=0 running=0 start whole
  vx method 81 || fail "cannot store method 81"
  populate outside "vxf-$fs-outside" >/dev/null
  outside=$(cd "$mnt/outside" && find . -type f -exec md5sum {} + | sort)
  mkdir -p "$mnt/empty"
  start=$(seconds_of vx shred "$letter:\\empty")
  populate_killed k0 "$tag"
  whole=$(seconds_of vx shred "$letter:\\k0")
  for i in $(seq 1 20); do
    populate_killed "k$i" "$tag"
    vx shred "$letter:\\k$i" &
    background=$!
    sleep "$(awk "BEGIN { print $start + ($whole - $start) * $i / 21 }")"
    pid=$(wipe_process shred)
    if [ -n "$pid" ]; then
      # shellcheck disable=SC2086
      kill -9 $pid
      running=$((running + 1))
    fi
    wait "$background" 2>/dev/null || true
    background=
    while IFS= read -r name; do
      [[ $(basename "$name") =~ ^[A-Z0-9]+$ ]] || continue
      left=$((left + 1))
      [ ! -s "$mnt/k$i/$name" ] || defect "kill point $i: $name was renamed with its content"
    done < <(cd "$mnt/k$i" && find . -type f -printf '%P\n')
    chmod u+w "$mnt/k$i/rosub" 2>/dev/null || true
    vx method 88 >/dev/null && vx shred "$letter:\\k$i" && vx method 81 >/dev/null ||
      fail "the run after kill point $i did not run"
    [ -z "$(ls -A "$mnt/k$i")" ] || defect "kill point $i: the next run left $(ls -A "$mnt/k$i" | tr '\n' ' ')"
  done
  [ "$(cd "$mnt/outside" && find . -type f -exec md5sum {} + | sort)" = "$outside" ] ||
    defect "a file outside the killed runs' folders changed"
  if scan_unmounted "$tag" --absent; then
    note "20 kill points over a ${whole} s run, $running of them while it ran: $left renamed empty file(s) left, none after the next run"
  else
    defect "content of a killed run's files is in the image after the next run"
  fi
}

# Prints how many of the NAMEs the unmounted image still shows, then the names: in its raw
# bytes (ASCII, or UTF-16 as NTFS and exFAT spell them) or among the deleted entries that
# `fls -rd` lists.
names_left() {
  local deleted
  "$root/tools/image-drive" detach "$drive"
  deleted=$(fls -rd "$image" 2>/dev/null || true)
  python3 - "$image" "$@" 3<<<"$deleted" <<'PY'
import mmap, os, sys
deleted = os.fdopen(3).read()
with open(sys.argv[1], "rb") as image:
    data = mmap.mmap(image.fileno(), 0, access=mmap.ACCESS_READ)
    found = [n for n in sys.argv[2:] if n in deleted or data.find(n.encode()) >= 0
             or data.find(n.encode("utf-16-le")) >= 0]
print(len(found), " ".join(found))
PY
  "$root/tools/image-drive" attach "$drive"
}

# Notes how many of the names are left; on NTFS and exFAT any is a defect.
check_names() {
  local what=$1 left
  shift
  left=$(names_left "$@")
  note "names still readable $what: ${left%% *} of $#"
  if [ "$fs" != ext4 ] && [ "${left%% *}" != 0 ]; then
    defect "names readable $what: ${left#* }"
  fi
}

# What an investigator still reads of the names of erased files and folders: ten folders of three
# small files each, named uniquely, are shredded and the image is searched for their names. On
# ext4 the journal keeps them out of a program's reach: that figure is reported, not held.
names_measure() {
  local folders=() files=() i j name
  mkdir -p "$mnt/names"
  for i in $(seq 10 19); do
    name="vxdir$fs$i$RANDOM"
    folders+=("$name")
    mkdir "$mnt/names/$name"
    for j in 1 2 3; do
      files+=("vxfile$fs$i$j$RANDOM.txt")
      echo "small" >"$mnt/names/$name/${files[-1]}"
    done
  done
  sync
  vx method 88 >/dev/null && vx shred "$letter:\\names" || fail "shred of the named files did not run"
  [ -z "$(ls -A "$mnt/names")" ] || defect "names: left in the folder: $(ls -A "$mnt/names")"
  check_names "after the shred (folders)" "${folders[@]}"
  check_names "after the shred (files)" "${files[@]}"
  rmdir "$mnt/names"
  vx wipe "$letter:\\" || fail "the wipe after the named files did not run"
  check_names "after a free-space wipe" "${folders[@]}" "${files[@]}"
}

# Names of files that another program deleted from folders that stay: they are readable in the
# folders' free directory space until the free-space wipe covers it; the folders' files and times
# stay as they were. The small folder holds files already, as most do: the first names an NTFS
# folder takes stay in its own record's unused end once its index outgrows the record, where no
# call of a program reaches them, and the names counted here come later. The large one holds 200
# names that begin alike, as a cache's or the cookies' do: NTFS spreads them over index blocks that
# only names beginning the same way reach; every other one goes.
deleted_names() {
  local names=() i kept=$mnt/kept large=$mnt/large before left
  mkdir -p "$kept" "$large"
  for i in $(seq 1 8); do
    echo "not erased" >"$kept/stays$i-$(printf '%*s' 40 '' | tr ' ' k).txt"
  done
  mkdir "$kept/vxgonedir$fs$RANDOM"
  for i in $(seq 10 39); do
    names+=("vxgone$fs$i$RANDOM.txt")
    echo "small" >"$kept/${names[-1]}"
  done
  names+=("$(basename "$kept"/vxgonedir*)")
  for i in $(seq 100 299); do
    echo "not erased" >"$large/vxcache$fs$i$RANDOM.txt"
  done
  sync
  (cd "$kept" && rm -r -- "${names[@]}")
  for i in $(seq 100 2 299); do
    names+=("$(basename "$large/vxcache$fs$i"*)")
    rm -- "$large/${names[-1]}"
  done
  sync
  before="$(stat -c %Y "$kept") $(stat -c %Y "$large")"
  left=$(names_left "${names[@]}")
  note "names of files another program deleted: ${left%% *} of ${#names[@]} readable before the wipe"
  vx method 88 >/dev/null && vx wipe "$letter:\\" || fail "the wipe after the deleted names did not run"
  check_names "after a free-space wipe of deleted files" "${names[@]}"
  [ "$(cat "$kept"/* "$large"/* | sort -u)" = "not erased" ] && [ "$(ls -A "$kept" | wc -l)" = 8 ] &&
    [ "$(ls -A "$large" | wc -l)" = 100 ] ||
    defect "the wipe changed the folders of the deleted files: $(ls -A "$kept" | tr '\n' ' ')"
  [ "$(stat -c %Y "$kept") $(stat -c %Y "$large")" = "$before" ] ||
    defect "the wipe changed the time of a folder"
}

wipe_suite() {
  local tag="vxf-$fs-free" markers before after
  vx method 84 || fail "cannot store method 84"
  markers=$(populate plain "$tag")
  vx plaindelete "$letter:\\plain" || fail "plain delete failed"
  # shellcheck disable=SC2086
  scan_unmounted "$tag" --present $markers || fail "control for the free-space wipe"

  before=$(free_bytes)
  vx wipe "$letter:\\" || fail "free-space wipe did not run"
  after=$(free_bytes)
  check_same_free "$before" "$after" "wipe"
  [ ! -e "$mnt/~VXFREE.TMP" ] || defect "the wipe left its folder: $(fillers_left | tr '\n' ' ')"
  if scan_unmounted "$tag" --absent; then
    note "free-space wipe: nothing left, free space $before before, $after after"
  else
    defect "deleted content is still in the free space after the wipe"
  fi
}

# The Windows process of this prefix's wipe (or of another command).
wipe_process() { prefix_processes "$prefix" "vxforensic\\.exe ${1:-wipe}"; }

# Starts a wipe of the drive in the background: its runner in $background, its Windows process
# in $pid.
start_wipe() {
  "$root/tools/wine-run" "$prefix" "$tool" wipe "$letter:\\" &
  background=$!
  pid=
  for _ in $(seq 1 1000); do
    pid=$(wipe_process)
    [ -n "$pid" ] && break
    sleep 0.01
  done
  [ -n "$pid" ] || fail "the wipe's process was not found"
}

# A wipe killed with SIGKILL while it writes its fillers: they are delete-on-close, so none may
# stay and the free space must come back whole.
kill_suite() {
  local before after pid
  rm -rf "$mnt/~VXFREE.TMP"
  vx method 81 || fail "cannot store method 81"
  before=$(free_bytes)
  start_wipe
  for _ in $(seq 1 3000); do
    [ -n "$(fillers_left)" ] && break
    kill -0 "$background" 2>/dev/null || fail "the wipe ended before it could be killed"
    sleep 0.01
  done
  [ -n "$(fillers_left)" ] || fail "no filler file appeared within 30 s"
  # shellcheck disable=SC2086
  kill -9 $pid
  wait "$background" 2>/dev/null || true
  background=
  for _ in $(seq 1 300); do
    [ -z "$(fillers_left)" ] && break
    sleep 0.1
  done
  [ -z "$(fillers_left)" ] || defect "the killed wipe left: $(fillers_left | tr '\n' ' ')"
  after=$(free_bytes)
  check_same_free "$before" "$after" "killed wipe"
  note "killed wipe: free space $before before, $after after"
}

# A wipe cut short by a power loss: the wiping process and the prefix's Wine server are killed
# together, so that delete-on-close never runs and the fillers stay on the volume, as they do on
# Windows. The next wipe removes them (and nothing else of the folder): the free space is whole.
powerloss_suite() {
  local before after pid folder=$mnt/~VXFREE.TMP
  rm -rf "$folder"
  vx method 90 || fail "cannot store method 90"
  before=$(free_bytes)
  start_wipe
  for _ in $(seq 1 3000); do
    [ -d "$folder" ] && (($(du -sb "$folder" | cut -f1) > 32 * mib)) && break
    kill -0 "$background" 2>/dev/null || fail "the wipe ended before the power loss"
    sleep 0.01
  done
  # One signal each, at once: a server that outlives its client closes the fillers' last handles
  # and deletes them.
  # shellcheck disable=SC2086,SC2046
  kill -9 $pid $(prefix_processes "$prefix" '^[^ ]*wineserver') 2>/dev/null || true
  wait "$background" 2>/dev/null || true
  background=
  [ -n "$(fillers_left)" ] || fail "the power loss left no filler behind"
  echo "not the wipe's" >"$folder/notes.txt"

  vx wipe "$letter:\\" || fail "the wipe after the power loss did not run"
  after=$(free_bytes)
  check_same_free "$before" "$after" "wipe after a power loss"
  [ "$(ls -A "$folder")" = notes.txt ] || defect "after the power loss the wipe left: $(ls -A "$folder" | tr '\n' ' ')"
  [ "$(cat "$folder/notes.txt")" = "not the wipe's" ] || defect "the wipe changed a file it did not make"
  rm -rf "$folder"
  note "wipe after a power loss: free space $before before, $after after"
}

# A volume that takes no writes, as a write-protected stick: the wipe cannot write there, and nvc
# says so and ends with exit 1 instead of reporting the run done.
readonly_suite() {
  local status=0 said
  "$root/tools/image-drive" detach "$drive"
  "$root/tools/image-drive" attach "$drive" ro
  said=$("$root/tools/wine-run" "$prefix" "$(dirname "$tool")/nvc.exe" shred --free-space \
    "$letter:" 2>&1) || status=$?
  "$root/tools/image-drive" detach "$drive"
  "$root/tools/image-drive" attach "$drive"
  ((status == 1)) || defect "the wipe of a read-only volume gave exit $status: $said"
  grep -q 'could not be erased' <<<"$said" || defect "the read-only wipe did not say so: $said"
  note "read-only volume: the wipe ended with exit $status"
}

# Chrome's and Firefox's profiles on the volume: after a run of every browser entry but the saved
# passwords no visited address, typed term or cookie is left in the image, and the bookmark that
# shares Firefox's database with the history is.
browsers_suite() {
  local tag="vxf-$fs-web" kept="vxf-$fs-bookmark" markers
  markers=$(vx browsers "$letter:\\browsers" "$tag" "$kept" | tr -d '\r') ||
    fail "the browser profiles were not made"
  # shellcheck disable=SC2086
  scan_unmounted "$tag" --present $markers || fail "control for the browser profiles"
  vx browsershred "$letter:\\browsers" || fail "the browser entries did not run"
  if scan_unmounted "$tag" --absent; then
    note "browsers: no visited address, typed term or cookie left"
  else
    defect "browsers: visited addresses are in the image"
  fi
  scan_unmounted "$kept" --present bookmark || defect "browsers: the bookmark is gone"
}

# Writes FILE on the mounted volume, filled with the marker of TAG and ID.
write_marked() {
  local file=$mnt/$1 tag=$2 id=$3
  mkdir -p "$(dirname "$file")"
  yes "|$tag|$id|" | head -c 65536 >"$file" || true
}

useritem_suite() {
  local gone="vxf-$fs-item-gone" kept="vxf-$fs-item-kept" before status=0
  write_marked ud/a.tmp "$gone" a
  write_marked ud/b.bak "$gone" b
  write_marked ud/sub/c.tmp "$gone" c
  write_marked ud/keep.txt "$kept" keep
  write_marked other/d.tmp "$kept" other
  before=$(md5sum "$mnt/ud/keep.txt" "$mnt/other/d.tmp")
  scan_unmounted "$gone" --present a b c || fail "control for the item's files"

  VX_VOLUME="$letter:" "$root/tools/wine-run" "$prefix" "$end_to_end" \
    --gtest_filter='UserItemOnVolume.*' || status=$?
  ((status == 0)) || defect "the program did not add and shred the item as expected"
  for file in ud/a.tmp ud/b.bak ud/sub/c.tmp; do
    [ ! -e "$mnt/$file" ] || defect "$file is still there"
  done
  [ "$(md5sum "$mnt/ud/keep.txt" "$mnt/other/d.tmp")" = "$before" ] ||
    defect "a file outside the item's patterns or folder changed"
  if scan_unmounted "$gone" --absent; then
    note "user-defined item: nothing left of its files"
  else
    defect "content of the item's files is in the image"
  fi
  scan_unmounted "$kept" --present keep other || defect "a kept file's content is gone"
}

[ "$(id -u)" -eq 0 ] || fail "must run as root to mount test images"
prefix=$(realpath -m "$prefix")
mkdir -p "$work"
"$root/tools/image-drive" down "$drive" # what an interrupted run left
on_exit cleanup
trap 'exit 1' INT TERM HUP
# The first program creates the prefix.
vx method 88 || fail "cannot run $tool"
"$root/tools/image-drive" up "$drive" "$fs" "$image_size" "$prefix" "$letter"

case $suite in
shred)
  shred_suite
  [ "$fs" = ntfs ] && compressed_suite
  full_volume_shred
  killpoints_suite
  names_measure
  ;;
browsers) browsers_suite ;;
freespace)
  wipe_suite
  deleted_names
  kill_suite
  powerloss_suite
  readonly_suite
  ;;
useritem) useritem_suite ;;
*) fail "unknown suite $suite" ;;
esac
((defects == 0)) || fail "$defects check(s) failed"
