#!/usr/bin/env bash
# Proves the README's two commands on a new Debian 12 machine, made on this one: a minimal
# Debian 12 root (debootstrap --variant=minbase) with only a C++ toolchain installed, a clone
# of this repository's committed HEAD in it, then
#   1. `bash scripts/run.sh` on a virtual display, until the viewer's window appears
#      (first, so that the viewer's own package list is shown to be enough on its own);
#   2. `bash scripts/test.sh`, which must pass;
#   3. `bash scripts/package.sh`, whose .deb is then installed with `apt-get install ./<deb>`
#      into a second pristine root holding nothing but the base system; there the viewer
#      opens a sample on a virtual display (checked on a screenshot taken from the first
#      root, which has the tools) and `man vantrel-tiff-reader` shows its page (man-db, the
#      reader of manual pages, is installed there after the package).
# Prints how long each took. Needs root (debootstrap, chroot, mounts).
#
#   bash scripts/fresh-machine.sh
#
# The pristine root is cached as a tarball in $VTR_FRESH_CACHE (default
# /tmp/vtr-fresh-machine), so a re-run skips the download. Uncommitted changes are not
# tested: commit first.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cache="${VTR_FRESH_CACHE:-/tmp/vtr-fresh-machine}"
tarball="$cache/bookworm-minbase.tar.gz"
title="Vantrel TIFF Reader"

[[ $(id -u) -eq 0 ]] || { echo "fresh-machine: needs root" >&2; exit 2; }

# What this machine needs to make and watch the new one.
host_missing=()
for p in debootstrap xvfb x11-utils git; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || host_missing+=("$p")
done
if [[ ${#host_missing[@]} -gt 0 ]]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${host_missing[@]}"
fi

work=$(mktemp -d /tmp/vtr-fresh.XXXXXX)
root="$work/root"
package_root="$work/package-root"
roots=()
mounted=()
xvfb_pid=""

# Every process whose root is one of the new machines', so that nothing holds them when they go.
kill_inside() {
  local pid link r
  for pid in /proc/[0-9]*; do
    link=$(readlink "$pid/root" 2>/dev/null) || continue
    for r in "${roots[@]}"; do
      [[ $link == "$r" || $link == "$r"/* ]] && kill -9 "${pid#/proc/}" 2>/dev/null
    done
  done
  return 0
}

# Unmounts in reverse order, then removes a root only when nothing is mounted under it: a
# recursive removal through a bind-mounted /dev would delete this machine's own devices.
remove_roots() {
  [[ ${#roots[@]} -gt 0 ]] || return 0
  kill_inside
  sleep 0.5
  local i r left=0
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[$i]}" 2>/dev/null || umount -l "${mounted[$i]}" 2>/dev/null || true
  done
  mounted=()
  for r in "${roots[@]}"; do
    if findmnt -rn -o TARGET | grep -q "^$r\(/\|$\)"; then
      echo "fresh-machine: still mounted under $r, left in place:" >&2
      findmnt -rn -o TARGET | grep "^$r" >&2
      left=1
    else
      rm -rf --one-file-system "$r"
    fi
  done
  return $left
}

stop_display() {
  [[ -n $xvfb_pid ]] || return 0
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}

cleanup() {
  stop_display
  remove_roots && rm -rf --one-file-system "$work"
}
trap cleanup EXIT

# The package sources this machine uses, so the new one gets the same packages.
mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
[[ -n $mirror ]] || mirror=$(awk '$1 == "deb" {print $2; exit}' /etc/apt/sources.list 2>/dev/null)
[[ -n $mirror ]] || { echo "fresh-machine: no Debian mirror in this machine's apt sources" >&2; exit 2; }

stage_start=$(date +%s)
if [[ ! -f $tarball ]]; then
  echo "== making a pristine Debian 12 root (cached in $tarball) =="
  mkdir -p "$cache" "$root"
  roots+=("$root")
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 \
    || { tail -n 20 "$work/debootstrap.log"; exit 1; }
  tar -C "$root" -czf "$tarball.part" . && mv "$tarball.part" "$tarball"
else
  echo "== new root from the cached pristine one ($tarball) =="
  mkdir -p "$root"
  roots+=("$root")
  tar -C "$root" -xzf "$tarball"
fi

bind() {
  mount "$@"
  mounted+=("${*: -1}")
}

# Makes a pristine root ready to use: this machine's name service and package sources, no
# service started by a package, the kernel's file systems and the devices mounted.
prepare_root() {
  local r=$1
  cp /etc/resolv.conf "$r/etc/resolv.conf"
  if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    cp /etc/apt/sources.list.d/debian.sources "$r/etc/apt/sources.list.d/"
    : >"$r/etc/apt/sources.list"
  fi
  # No service starts inside the root when its package is installed, as in any chroot.
  printf '#!/bin/sh\nexit 101\n' >"$r/usr/sbin/policy-rc.d"
  chmod 755 "$r/usr/sbin/policy-rc.d"
  bind -t proc proc "$r/proc"
  bind -t sysfs sysfs "$r/sys"
  bind --bind /dev "$r/dev"
  bind --bind /dev/pts "$r/dev/pts"
  bind -t tmpfs tmpfs "$r/dev/shm"
}
prepare_root "$root"

# Runs a command in a root ("run_in ROOT ...") or in the first one ("inside ..."), with a clean
# environment.
run_in() {
  local r=$1
  shift
  chroot "$r" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
inside() { run_in "$root" "$@"; }

start_display() {
  display=":$((100 + RANDOM % 400))"
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  sleep 1
}

root_seconds=$(($(date +%s) - stage_start))
echo "root made in ${root_seconds} s"

echo "== installing the C++ toolchain only =="
stage_start=$(date +%s)
toolchain=(g++ clang libclang-rt-14-dev cmake ninja-build git python3 libgtest-dev libbenchmark-dev)
inside apt-get update -qq
inside env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "${toolchain[@]}" >"$work/toolchain.log" 2>&1 || { tail -n 20 "$work/toolchain.log"; exit 1; }

toolchain_seconds=$(($(date +%s) - stage_start))
echo "toolchain installed in ${toolchain_seconds} s"

echo "== cloning $(git -C "$repo" rev-parse --short HEAD) =="
git clone -q "$repo" "$root/src/vantrel"

echo "== run command on a virtual display =="
start_display
run_start=$(date +%s)
inside env DISPLAY="$display" bash -c 'cd /src/vantrel && bash scripts/run.sh' \
  >"$work/run.log" 2>&1 &
run_pid=$!
appeared=""
for _ in $(seq 1800); do
  if xwininfo -display "$display" -root -tree 2>/dev/null | grep -q "\"$title"; then
    appeared=yes
    break
  fi
  kill -0 "$run_pid" 2>/dev/null || break
  sleep 1
done
run_seconds=$(($(date +%s) - run_start))
kill_inside
wait "$run_pid" 2>/dev/null || true
# The X server goes too: its abstract socket is shared with the root, whose X11 test starts
# a server of its own.
stop_display
if [[ -z $appeared ]]; then
  echo "fresh-machine: the viewer's window did not appear; run.sh said:" >&2
  tail -n 30 "$work/run.log" >&2
  exit 1
fi
echo "run command: window \"$title ...\" appeared after ${run_seconds} s"

echo "== test command =="
test_start=$(date +%s)
if ! inside env CI=true bash -c 'cd /src/vantrel && bash scripts/test.sh' 2>&1 | tee "$work/test.log"; then
  echo "fresh-machine: the test command failed" >&2
  exit 1
fi
test_seconds=$(($(date +%s) - test_start))
echo "test command: ${test_seconds} s"

echo "== package command =="
stage_start=$(date +%s)
inside bash -c 'cd /src/vantrel && bash scripts/package.sh' >"$work/package.log" 2>&1 ||
  { tail -n 30 "$work/package.log" >&2; echo "fresh-machine: the package command failed" >&2; exit 1; }
deb="$root$(tail -n 1 "$work/package.log")"
[[ -f $deb ]] || { tail -n 5 "$work/package.log" >&2; echo "fresh-machine: no .deb" >&2; exit 1; }
package_seconds=$(($(date +%s) - stage_start))
echo "package command: $(basename "$deb") in ${package_seconds} s"

echo "== the package on a second pristine root =="
stage_start=$(date +%s)
mkdir -p "$package_root"
roots+=("$package_root")
tar -C "$package_root" -xzf "$tarball"
prepare_root "$package_root"
cp "$deb" "$package_root/tmp/"
cp "$repo/samples/grey8_ii.tif" "$package_root/tmp/"
run_in "$package_root" apt-get update -qq
run_in "$package_root" env DEBIAN_FRONTEND=noninteractive \
  bash -c "cd /tmp && apt-get install -y -qq ./$(basename "$deb")" >"$work/install.log" 2>&1 ||
  { tail -n 20 "$work/install.log" >&2; echo "fresh-machine: apt-get install ./.deb failed" >&2; exit 1; }
install_seconds=$(($(date +%s) - stage_start))
echo "apt-get install ./$(basename "$deb"): ${install_seconds} s"

stage_start=$(date +%s)
start_display
run_in "$package_root" env DISPLAY="$display" QT_QPA_PLATFORM=xcb \
  vantrel-tiff-reader /tmp/grey8_ii.tif >"$work/viewer.log" 2>&1 &
viewer_pid=$!
shown=""
for _ in $(seq 60); do
  if xwininfo -display "$display" -name "$title Version 1.06" >"$root/tmp/package-win.txt" 2>/dev/null; then
    # The screenshot and its check run in the first root, which has the test tools.
    sleep 1
    inside import -display "$display" -window root /tmp/package-screen.png 2>/dev/null &&
      inside /usr/bin/python3 /src/vantrel/tests/tools/window_shows_image.py \
        /tmp/package-win.txt /tmp/package-screen.png /src/vantrel/samples/grey8_ii.tif \
        >"$work/shows.txt" 2>&1 && { shown=yes; break; }
  fi
  kill -0 "$viewer_pid" 2>/dev/null || break
  sleep 1
done
window_seconds=$(($(date +%s) - stage_start))
kill_inside
wait "$viewer_pid" 2>/dev/null || true
stop_display
if [[ -z $shown ]]; then
  echo "fresh-machine: the installed viewer did not show the sample:" >&2
  cat "$work/shows.txt" "$work/viewer.log" >&2 2>/dev/null
  exit 1
fi
echo "installed viewer: $(cat "$work/shows.txt"), after ${window_seconds} s"

stage_start=$(date +%s)
run_in "$package_root" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends man-db >"$work/man-db.log" 2>&1 ||
  { tail -n 20 "$work/man-db.log" >&2; exit 1; }
run_in "$package_root" env MANWIDTH=80 man -P cat vantrel-tiff-reader >"$work/man.txt" 2>"$work/man.err"
grep -Eq 'vantrel-tiff-reader +- view scientific TIFF images' "$work/man.txt" ||
  { cat "$work/man.err" >&2; echo "fresh-machine: man vantrel-tiff-reader shows no page" >&2; exit 1; }
man_seconds=$(($(date +%s) - stage_start))
echo "man vantrel-tiff-reader: $(wc -l <"$work/man.txt") lines, $(grep -c . "$work/man.err" || true) on standard error, after ${man_seconds} s (man-db installed)"
sed -n '1,8p' "$work/man.txt"

echo
echo "fresh-machine: root ${root_seconds} s, toolchain ${toolchain_seconds} s, run command ${run_seconds} s to the window, test command ${test_seconds} s"
echo "fresh-machine: package ${package_seconds} s, apt-get install ./.deb ${install_seconds} s, installed viewer showed the sample after ${window_seconds} s, man page ${man_seconds} s"
echo "fresh-machine: $(tail -n 1 "$work/test.log")"
