# What the project's bash scripts share; each sources it: . "$root/tools/lib.sh"
# shellcheck shell=bash

vx_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
vx_exits=()

# The virtual display that the Wine runs of every build tree share.
# shellcheck disable=SC2034 # read by the scripts
VX_DISPLAY=:77

# Ends the script with "<script's path in the tree>: MESSAGE" on standard error.
fail() {
  echo "$(realpath -m --relative-to="$vx_root" "$0"): $*" >&2
  exit 1
}

# Adds COMMAND with its ARGS, as they are now, to what runs when the script exits, latest first.
on_exit() {
  local action
  printf -v action '%q ' "$@"
  vx_exits=("$action" "${vx_exits[@]}")
  trap vx_run_exits EXIT
}

# Runs the commands of on_exit; one that fails does not keep the others from running.
vx_run_exits() {
  local action
  for action in "${vx_exits[@]}"; do eval "$action" || true; done
}

# Prints the id of a window titled TITLE_REGEX, not in IGNORED, within SECONDS and while PID runs.
wait_for_window() {
  local title=$1 deadline=$((SECONDS + $2)) ignored=${3:-} pid=${4:-} window
  while ((SECONDS < deadline)) && { [ -z "$pid" ] || kill -0 "$pid" 2>/dev/null; }; do
    window=$(xdotool search --name "$title" 2>/dev/null | grep -vxF "$ignored" | head -n 1 || true)
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# Prints the pids of the processes matching PATTERN (pgrep -f) that run in the Wine prefix PREFIX.
prefix_processes() {
  local pid
  for pid in $(pgrep -f "$2" || true); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$1"; then
      echo "$pid"
    fi
  done
}

# Writes out and drops the page cache, so that a measured run reads from disk.
settle() {
  sync
  echo 3 >/proc/sys/vm/drop_caches
}

# Prints the value of #define NAME in product/Product.h, without quotes.
product_define() {
  local value
  value=$(sed -nE "s/^#define $1 \"?([^\"]*)\"?\$/\\1/p" "$vx_root/product/Product.h")
  [ -n "$value" ] || fail "product/Product.h defines no $1"
  echo "$value"
}

# Prints the product's title, as the main window shows it: "Name Major.Minor".
product_title() {
  local name major minor
  name=$(product_define VX_PRODUCT_NAME) && major=$(product_define VX_VERSION_MAJOR) &&
    minor=$(product_define VX_VERSION_MINOR) && echo "$name $major.$minor"
}

# Prints a regular expression for xdotool that matches the main window's title and no other.
title_regex() {
  product_title | sed 's/[][\.*^$+?(){}|]/\\&/g; s/.*/^&$/'
}

# Prints the Windows architecture (i686 or x86_64) the build tree BUILD_DIR was configured for.
build_arch() {
  [ -f "$1/windows-arch" ] || fail "$1/windows-arch is missing; configure the build (make build)"
  cat "$1/windows-arch"
}

# Prints the architecture (i686 or x86_64) of Windows program FILE, read from its PE header.
pe_arch() {
  local header machine
  header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null)
  machine=$(od -An -tx2 -j$((${header:-0} + 4)) -N2 "$1" 2>/dev/null)
  case ${machine// /} in
  014c) echo i686 ;;
  8664) echo x86_64 ;;
  *) fail "$1 is not a Windows program for i686 or x86_64" ;;
  esac
}
