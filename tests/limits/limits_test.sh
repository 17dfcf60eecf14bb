#!/usr/bin/env bash
# Loads files with the load probe in a child process under one real limit of the process and
# checks what the viewer makes of it:
#   cgroup        a child memory control group limited to 1 GiB (v1 or v2)
#   addressspace  prlimit --as: the store's size and 64 MiB
#   data          prlimit --data: likewise
# each loading a small image, then 28000 x 28000 16-bit grey (a 1.46 GiB store), then the small
# image again: the large one is refused with the "not enough memory" line, the previous image
# kept, and the next load works; and
#   threads       no thread may be started (a child pids group with pids.max 1, else the user
#                 nobody under prlimit --nproc=1): a 2100 x 2100 image loads as it does
#                 without the limit.
#   onecore       the process may run on one CPU only (taskset -c 0): likewise.
#   window-cgroup, window-addressspace
#                 the window itself (the GUI driver, offscreen) under the first two limits:
#                 28000 x 28000 16-bit is refused, the copy that follows works and the small
#                 image then loads.
#   window-copy   the window in the 1 GiB memory group loads 8-bit 21000 x 21000, and then
#                 22000 x 22000, and copies each: the copy is made or refused with its line,
#                 and the program lives (an 8-bit picture, its copy and its store are about as
#                 large, so a copy let through unjudged is more than the group holds).
# The program must end normally: a child killed by a signal fails the case. Where the machine
# does not allow the limit, the case is skipped (exit 77) with the reason printed.
#
#   limits_test.sh PROBE CASE [DRIVER]
set -uo pipefail
probe=$1 case=$2 driver=${3:-}
work=$(mktemp -d)
chmod 755 "$work"
groups=()
cleanup() {
  local g
  for g in "${groups[@]}"; do rmdir "$g" 2>/dev/null || echo "cannot remove $g"; done
  rm -rf "$work"
}
trap cleanup EXIT

skip() {
  echo "skipped ($case): $*"
  exit 77
}
fail() {
  echo "FAILED ($case): $*"
  [[ -f $work/out ]] && { echo "--- probe output:"; cat "$work/out"; }
  exit 1
}

"$probe" --make "$work" || fail "cannot write the test files"
big_store=$((2 * 28000 * 28000))
refused="[error] not enough memory for a 28000 x 28000 image"
sanitized=$("$probe" --sanitized)

# The folder of this process's group in a hierarchy, from its mount (mountinfo field 5, the
# file system type after " - ") and the path in /proc/self/cgroup.
#   groupfolder v2        the cgroup2 hierarchy
#   groupfolder CONTROLLER  the v1 hierarchy carrying CONTROLLER
groupfolder() {
  local want=$1 mount path
  if [[ $want == v2 ]]; then
    mount=$(awk '$0 ~ / - cgroup2 / {print $5; exit}' /proc/self/mountinfo)
    path=$(sed -n 's/^0:://p' /proc/self/cgroup)
  else
    mount=$(awk -v c="$want" '/ - cgroup / {n = split($NF, o, ","); for (i = 1; i <= n; i++)
              if (o[i] == c) {print $5; exit}}' /proc/self/mountinfo)
    path=$(awk -F: -v c="$want" '{n = split($2, o, ","); for (i = 1; i <= n; i++)
              if (o[i] == c) {print $3; exit}}' /proc/self/cgroup)
  fi
  path=${path%/}
  [[ -n $mount && -d $mount$path ]] && echo "$mount$path"
}

# Makes a child group under `parent` into $group; it is removed on exit. Not to be run in a
# subshell, which would not pass the group on to the clean-up.
childgroup() {
  group=$1/vtr-limits-$$
  mkdir "$group" 2>/dev/null || return 1
  groups+=("$group")
}

# Runs PROGRAM ARGS... in the child group `group` (the shell joins it, then becomes PROGRAM).
rungroup() {
  bash -c 'echo $$ > "$0/cgroup.procs" && exec "$@"' "$group" "$@" >"$work/out" 2>&1
}

# A 1 GiB memory group into $group: v2 where this process's v2 group offers the memory
# controller, else v1.
memorygroup() {
  local parent
  if parent=$(groupfolder v2) && grep -qw memory "$parent/cgroup.controllers" 2>/dev/null; then
    echo +memory >"$parent/cgroup.subtree_control" 2>/dev/null
    childgroup "$parent" && [[ -f $group/memory.max ]] && echo 1G >"$group/memory.max" && return 0
  fi
  parent=$(groupfolder memory) && childgroup "$parent" &&
    echo 1G >"$group/memory.limit_in_bytes" 2>/dev/null
}

# The probe's status: fails the case when it was killed by a signal or did not end normally.
checkstatus() {
  local status=$1
  ((status > 128)) && fail "the probe was killed by signal $((status - 128))"
  ((status != 0)) && fail "the probe ended with status $status"
  return 0
}

# Section N of the probe's output (the lines of the Nth load, from its "==" line on).
section() {
  awk -v n="$1" '/^== / {k++} k == n' "$work/out"
}

# small, big, small: the big load refused with the image kept, the next load painted.
checkrefused() {
  section 2 | grep -qxF "$refused" || fail "no line \"$refused\" for the large image"
  section 2 | grep -qxF -- "-- busy 0, open files 0, button idle" ||
    fail "the refused load left the program busy, a file open or the button coloured"
  [[ $(section 1 | tail -n 1) == "$(section 2 | tail -n 1)" ]] ||
    fail "the refused load changed the stored image or the picture"
  [[ $(section 1 | tail -n +2) == "$(section 3 | tail -n +2)" ]] ||
    fail "the small image did not load as before after the refusal"
  section 3 | grep -qxF "image painted" || fail "the small image after the refusal was not painted"
}

# The window's session: the large image refused with the start-up picture kept, the copy
# still made, the small image loaded after.
checkwindow() {
  grep -qxF "error: $refused" "$work/out" || fail "the window wrote no \"$refused\""
  grep -qxF "picture: 512x512" "$work/out" || fail "the start-up picture was not kept"
  grep -qxF "top: image copied to clipboard" "$work/out" || fail "the copy after it failed"
  grep -qxF "nextpicture: 3x2" "$work/out" || fail "the small image did not load after it"
}

# A copy after a load of `side` x `side`: the program lived, and the image loaded (21000:
# always; else it may be refused), the copy made or refused with its line.
checkcopy() {
  local side=$1 shown="picture: $(($1 / 2))x$(($1 / 2))"
  local loadline="error: [error] not enough memory for a $side x $side image"
  grep -qxF "$shown" "$work/out" || { ((side != 21000)) && grep -qxF "$loadline" "$work/out"; } ||
    fail "the $side x $side image was neither shown nor refused"
  grep -qxE "top: (image copied to clipboard|\[error\] not enough memory to copy the picture)" \
    "$work/out" || fail "the copy of $side x $side wrote neither its line nor its refusal"
  cat "$work/out"
}

loads=("$work/small.tif" "$work/big.tif" "$work/small.tif")
session=(load "$work/big.tif" copy 0 "$work/small.tif")
export QT_QPA_PLATFORM=offscreen
case $case in
  cgroup)
    memorygroup || skip "no child memory control group can be made (cgroup v1 or v2)"
    echo "memory group $group, limit 1 GiB"
    rungroup "$probe" --headroom && cat "$work/out"
    rungroup "$probe" "${loads[@]}"
    checkstatus $?
    checkrefused
    ;;
  addressspace | data)
    [[ $sanitized == yes ]] &&
      skip "AddressSanitizer reserves terabytes of address space: its limits cannot be tested"
    limit=$((big_store + (64 << 20)))
    option=--as
    [[ $case == data ]] && option=--data
    echo "prlimit $option=$limit (the store is $big_store bytes)"
    prlimit "$option=$limit" "$probe" --headroom
    prlimit "$option=$limit" "$probe" "${loads[@]}" >"$work/out" 2>&1
    checkstatus $?
    checkrefused
    ;;
  threads)
    # LeakSanitizer needs a thread of its own to check for leaks at the end.
    export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
    "$probe" "$work/mid.tif" "$work/small.tif" >"$work/expected" 2>&1 ||
      fail "the probe failed without a limit"
    if parent=$(groupfolder pids) && childgroup "$parent" && echo 1 >"$group/pids.max"; then
      echo "pids group $group, pids.max 1"
      rungroup "$probe" "$work/mid.tif" "$work/small.tif"
    elif command -v setpriv >/dev/null && ((EUID == 0)); then
      echo "user nobody, prlimit --nproc=1"
      setpriv --reuid=nobody --regid=nogroup --clear-groups prlimit --nproc=1 \
        "$probe" "$work/mid.tif" "$work/small.tif" >"$work/out" 2>&1
    else
      skip "neither a child pids group nor another user can limit the threads"
    fi
    checkstatus $?
    diff "$work/expected" "$work/out" || fail "the load under the thread limit differs"
    ;;
  onecore)
    "$probe" "$work/mid.tif" "$work/small.tif" >"$work/expected" 2>&1 ||
      fail "the probe failed on every CPU"
    command -v taskset >/dev/null || skip "no taskset"
    echo "taskset -c 0"
    taskset -c 0 "$probe" "$work/mid.tif" "$work/small.tif" >"$work/out" 2>&1
    checkstatus $?
    diff "$work/expected" "$work/out" || fail "the load on one CPU differs"
    ;;
  window-cgroup)
    memorygroup || skip "no child memory control group can be made (cgroup v1 or v2)"
    echo "memory group $group, limit 1 GiB"
    rungroup "$driver" "${session[@]}"
    checkstatus $?
    checkwindow
    ;;
  window-copy)
    memorygroup || skip "no child memory control group can be made (cgroup v1 or v2)"
    echo "memory group $group, limit 1 GiB"
    for side in 21000 22000; do
      # The last file's pages, read twice (rows straddle pages), stay charged to the group as
      # active cache, which is not counted as free: they are dropped first.
      dd if=/dev/null of="$work/copy$side.tif" oflag=nocache conv=notrunc,fdatasync count=0 \
        2>/dev/null
      rungroup "$driver" load "$work/copy$side.tif" copy 0
      checkstatus $?
      checkcopy "$side"
    done
    ;;
  window-addressspace)
    [[ $sanitized == yes ]] &&
      skip "AddressSanitizer reserves terabytes of address space: its limits cannot be tested"
    limit=$((big_store + (64 << 20)))
    echo "prlimit --as=$limit (the store is $big_store bytes)"
    prlimit --as="$limit" "$driver" "${session[@]}" >"$work/out" 2>&1
    checkstatus $?
    checkwindow
    ;;
  *) fail "unknown case" ;;
esac
cat "$work/out"
echo "passed ($case)"
