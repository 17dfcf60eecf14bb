#!/usr/bin/env bash
# The installed program as a desktop reaches it: installed into a temporary prefix, its
# desktop entry validates and is registered for TIFF images, it answers --help, --version and
# a second FILE without a display, and the command its Exec line makes for a TIFF file (what
# a file manager runs on a double-click) shows that image in the window under a window
# manager, for a file whose name is not UTF-8.
# Exits 77 (skipped) when one of the tools it drives is missing.
set -uo pipefail
build="$1"
sample="$(realpath "$2")"

skip() { echo "SKIPPED: $*"; exit 77; }
for tool in xvfb-run import openbox desktop-file-validate gio xdg-mime xwininfo; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
/usr/bin/python3 -c 'import PIL' 2>/dev/null || skip "python3-pil is not installed"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "cmake --install"; }
entry="$prefix/share/applications/org.vantrel.TiffReader.desktop"
program="$prefix/bin/vantrel-tiff-reader"
for icon in scalable/apps/vantrel-tiff-reader.svg 48x48/apps/vantrel-tiff-reader.png; do
  [[ -f "$prefix/share/icons/hicolor/$icon" ]] || fail "no icon $icon"
done
[[ -f "$prefix/share/metainfo/org.vantrel.TiffReader.metainfo.xml" ]] || fail "no metainfo"
[[ -f "$prefix/share/man/man1/vantrel-tiff-reader.1" ]] || fail "no manual page"
hints=$(desktop-file-validate "$entry" 2>&1) || fail "entry does not validate: $hints"
# Listed under Graphics and under Science on purpose: that hint is the one expected.
hints=$(grep -v 'contains more than one main category' <<<"$hints")
[[ -z "$hints" ]] || fail "entry has hints: $hints"
echo "entry validates"

# Without a display: help and version print and end; a second FILE is an error.
out=$(env -u DISPLAY -u QT_QPA_PLATFORM "$program" --version) || fail "--version failed"
[[ "$out" == "vantrel-tiff-reader 1.06" ]] || fail "--version printed '$out'"
env -u DISPLAY -u QT_QPA_PLATFORM "$program" --help | grep -q '\[FILE\]' || fail "--help"
env -u DISPLAY -u QT_QPA_PLATFORM "$program" a.tif b.tif >"$work/two.out" 2>"$work/two.err"
rc=$?
[[ $rc -ne 0 && ! -s "$work/two.out" && -s "$work/two.err" ]] || fail "two FILEs: rc $rc"
echo "command line answers: $out; two FILEs: $(cat "$work/two.err")"

# Without a display a window cannot open: exactly one line names what is missing, status 1,
# no abort. A display that is named but not there ends with status 1 and the program's line.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR)
"${nodisplay[@]}" "$program" "$sample" >"$work/nd.out" 2>"$work/nd.err"
rc=$?
want="vantrel-tiff-reader: cannot open a window: neither DISPLAY nor WAYLAND_DISPLAY is set"
[[ $rc -eq 1 && ! -s "$work/nd.out" && "$(cat "$work/nd.err")" == "$want" ]] ||
  fail "no display: rc $rc, $(cat "$work/nd.out" "$work/nd.err")"
"${nodisplay[@]}" DISPLAY=:7339 "$program" "$sample" >"$work/gone.out" 2>"$work/gone.err"
rc=$?
gone=$(tail -n 1 "$work/gone.err")
[[ $rc -eq 1 && $gone == "vantrel-tiff-reader: cannot open a window: "* ]] &&
  ! grep -q Reinstalling "$work/gone.err" || fail "display gone: rc $rc, $(cat "$work/gone.err")"
echo "no display: $(cat "$work/nd.err"); display gone: $gone"

# The desktop of a user with nothing but this program installed in the prefix.
export XDG_DATA_DIRS="$prefix/share:/usr/share"
export XDG_DATA_HOME="$work/home/share" XDG_CONFIG_HOME="$work/home/config"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
export PATH="$prefix/bin:$PATH"
gio mime image/tiff >"$work/mime.txt" 2>&1
grep -q 'org.vantrel.TiffReader.desktop' "$work/mime.txt" ||
  { cat "$work/mime.txt"; fail "not offered for TIFF"; }
xdg-mime default org.vantrel.TiffReader.desktop image/tiff
[[ "$(xdg-mime query default image/tiff)" == "org.vantrel.TiffReader.desktop" ]] ||
  fail "not the default for TIFF"
echo "offered for and the default for image/tiff"

# The command a launcher runs for the file: the entry's Exec line with its %f field, the one
# file's path, put in the field's place. The file is the sample under a name that is not
# UTF-8: the window opens it under its own bytes.
named="$work/bad"$'\xff\xfe'".tif"
cp "$sample" "$named"
/usr/bin/python3 - "$entry" "$named" >"$work/command" <<'PY' || fail "Exec has no %f field"
import configparser, os, shlex, sys
entry = configparser.ConfigParser(interpolation=None)
entry.read(sys.argv[1])
words = shlex.split(entry["Desktop Entry"]["Exec"])
assert words.count("%f") == 1 and not any("%" in w for w in words if w != "%f"), words
sys.stdout.buffer.write(b"\0".join(os.fsencode(sys.argv[2] if w == "%f" else w) for w in words))
PY

cat >"$work/session.sh" <<'INNER'
#!/usr/bin/env bash
set -uo pipefail
work="$1"
export QT_QPA_PLATFORM=xcb
openbox --sm-disable >"$work/wm.log" 2>&1 &
wm=$!
sleep 1
mapfile -d '' -t command <"$work/command"
"${command[@]}" >"$work/open.log" 2>&1 &
viewer=$!
title="Vantrel TIFF Reader Version 1.06"
for _ in $(seq 150); do xwininfo -name "$title" >"$work/win.txt" 2>/dev/null && break; sleep 0.1; done
sleep 2
xwininfo -name "$title" >"$work/win.txt" 2>&1
import -window root "$work/screen.png"
kill "$viewer" 2>/dev/null
kill "$wm" 2>/dev/null
exit 0
INNER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" "$work" ||
  fail "no session"
grep -q 'Absolute upper-left' "$work/win.txt" || { cat "$work/win.txt"; fail "no window"; }

/usr/bin/python3 "$(dirname "$0")/../tools/window_shows_image.py" "$work/win.txt" "$work/screen.png" \
  "$sample"
rc=$?
[[ $rc -eq 0 ]] && echo "desktop test: all checks passed"
exit $rc
