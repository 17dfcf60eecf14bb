#!/usr/bin/env bash
# Nothing is kept between runs: with HOME and XDG_CONFIG_HOME in an empty folder, the window
# opens a file twice through its real file dialog and the program ends; the folder is still
# empty. Within the run the dialog keeps its state: the second one opens in the file's folder.
set -uo pipefail
driver="$1"
sample="$(realpath "$2")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
mkdir -m 700 "$work/home" "$work/runtime"

env -u XDG_CACHE_HOME -u XDG_DATA_HOME -u XDG_STATE_HOME HOME="$work/home" \
  XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
  timeout 120 "$driver" dialog "$sample" >"$work/out" 2>"$work/err" || {
  cat "$work/out" "$work/err"
  fail "the session did not end normally"
}
cat "$work/out"
grep -qx "second dialog opened in: $(dirname "$sample")" "$work/out" ||
  fail "the second dialog did not open where the first left off"
[[ $(grep -c '^top: time for last task' "$work/out") -eq 2 ]] || fail "a load did not finish"
left=$(cd "$work/home" && find . -mindepth 1)
[[ -z "$left" ]] || fail "the run left files behind: $left"
echo "no-state test: nothing written under HOME"
