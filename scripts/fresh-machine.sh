#!/usr/bin/env bash
# Proves the README's two commands on a new Debian 12 machine, made on this one: a minimal
# Debian 12 root (debootstrap --variant=minbase) with only a C++ toolchain installed, a clone
# of this repository's committed HEAD in it, then
#   1. `bash scripts/run.sh` on a virtual display, until the viewer's window appears
#      (first, so that the viewer's own package list is shown to be enough on its own);
#   2. `bash scripts/test.sh`, which must pass.
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
mounted=()
xvfb_pid=""

# Every process whose root is the new machine's, so that nothing holds it when it goes.
kill_inside() {
  local pid link
  for pid in /proc/[0-9]*; do
    link=$(readlink "$pid/root" 2>/dev/null) || continue
    [[ $link == "$root" || $link == "$root"/* ]] && kill -9 "${pid#/proc/}" 2>/dev/null
  done
  return 0
}

# Unmounts in reverse order, then removes the root only when nothing is mounted under it: a
# recursive removal through a bind-mounted /dev would delete this machine's own devices.
remove_root() {
  [[ -d $root ]] || return 0
  kill_inside
  sleep 0.5
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[$i]}" 2>/dev/null || umount -l "${mounted[$i]}" 2>/dev/null || true
  done
  mounted=()
  if findmnt -rn -o TARGET | grep -q "^$root\(/\|$\)"; then
    echo "fresh-machine: still mounted under $root, left in place:" >&2
    findmnt -rn -o TARGET | grep "^$root" >&2
    return 1
  fi
  rm -rf --one-file-system "$root"
}

cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  remove_root && rm -rf --one-file-system "$work"
}
trap cleanup EXIT

# The package sources this machine uses, so the new one gets the same packages.
mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
[[ -n $mirror ]] || mirror=$(awk '$1 == "deb" {print $2; exit}' /etc/apt/sources.list 2>/dev/null)
[[ -n $mirror ]] || { echo "fresh-machine: no Debian mirror in this machine's apt sources" >&2; exit 2; }

if [[ ! -f $tarball ]]; then
  echo "== making a pristine Debian 12 root (cached in $tarball) =="
  mkdir -p "$cache" "$root"
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 \
    || { tail -n 20 "$work/debootstrap.log"; exit 1; }
  tar -C "$root" -czf "$tarball.part" . && mv "$tarball.part" "$tarball"
else
  echo "== new root from the cached pristine one ($tarball) =="
  mkdir -p "$root"
  tar -C "$root" -xzf "$tarball"
fi

cp /etc/resolv.conf "$root/etc/resolv.conf"
if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
  cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
  : >"$root/etc/apt/sources.list"
fi
# No service starts inside the root when its package is installed, as in any chroot.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"

bind() {
  mount "$@"
  mounted+=("${*: -1}")
}
bind -t proc proc "$root/proc"
bind -t sysfs sysfs "$root/sys"
bind --bind /dev "$root/dev"
bind --bind /dev/pts "$root/dev/pts"
bind -t tmpfs tmpfs "$root/dev/shm"

inside() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

echo "== installing the C++ toolchain only =="
toolchain=(g++ clang libclang-rt-14-dev cmake ninja-build git python3 libgtest-dev libbenchmark-dev)
inside apt-get update -qq
inside env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "${toolchain[@]}" >"$work/toolchain.log" 2>&1 || { tail -n 20 "$work/toolchain.log"; exit 1; }

echo "== cloning $(git -C "$repo" rev-parse --short HEAD) =="
git clone -q "$repo" "$root/src/vantrel"

echo "== run command on a virtual display =="
display=":$((100 + RANDOM % 400))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
sleep 1
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
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""
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

echo
echo "fresh-machine: run command ${run_seconds} s to the window, test command ${test_seconds} s"
echo "fresh-machine: $(tail -n 1 "$work/test.log")"
