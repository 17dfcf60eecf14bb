#!/usr/bin/env bash
# Printing through a real print system: a CUPS-PDF queue as the default destination.
#   1. With no print system reachable, print writes its "[error]" line and nothing else.
#   2. Print puts one landscape page holding the window's image into a PDF.
#   3. The help window's Print puts its text into a PDF.
# The print system is a scheduler of the test's own, so the test runs wherever the test
# command does. Exits 77 (skipped) only when it cannot: not root (the PDF queue's backend
# runs as root), or CUPS / CUPS-PDF / poppler missing.
set -uo pipefail
driver="$1"
export QT_QPA_PLATFORM=offscreen

skip() { echo "SKIPPED: $*"; exit 77; }
[[ $(id -u) -eq 0 ]] || skip "needs root to add a print queue"
command -v cupsd >/dev/null && command -v lpadmin >/dev/null || skip "cups is not installed"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[[ -f $ppd ]] || skip "printer-driver-cups-pdf is not installed"
command -v pdftoppm >/dev/null && command -v pdfinfo >/dev/null || skip "poppler-utils missing"

work=$(mktemp -d)
cupsd_pid=""
queue=vtr-pdf
failures=0

cleanup() {
  if [[ -n $cupsd_pid ]]; then
    kill "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# 1. No print system: the program reports it and changes nothing else.
out=$(CUPS_SERVER=/nonexistent/vtr-cups.sock "$driver" print "$work/none.png" 2>/dev/null)
echo "$out" | grep -q '^top: \[error\] print failed - no printer available$' \
  || fail "print without a printer: $out"
echo "$out" | grep -q '^colour: idle$' || fail "print button not idle after the failure: $out"

# A print system of the test's own: a scheduler with its configuration, spool and logs in the
# work folder, listening only on a socket there, that lets anyone add a queue. The machine's
# own scheduler, running or not, and its queues are left alone.
cups="$work/cups"
mkdir -p "$cups/root" "$cups/spool" "$cups/cache" "$cups/state" "$cups/log" "$cups/tmp"
chmod 755 "$work" "$cups"
chmod 1777 "$cups/tmp"  # the filters run as the scheduler's unprivileged user
cat >"$cups/cups-files.conf" <<CONF
ServerRoot $cups/root
RequestRoot $cups/spool
CacheDir $cups/cache
StateDir $cups/state
TempDir $cups/tmp
ErrorLog $cups/log/error_log
AccessLog $cups/log/access_log
PageLog $cups/log/page_log
SystemGroup root
CONF
cat >"$cups/cupsd.conf" <<CONF
Listen $cups/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
export CUPS_SERVER="$cups/cups.sock"
cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" 2>"$work/cupsd.err" &
cupsd_pid=$!
for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.2; done
lpstat -r 2>/dev/null | grep -q 'is running' \
  || { echo "FAIL: the test's cupsd did not start: $(cat "$work/cupsd.err")"; exit 1; }

lpadmin -p "$queue" -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E 2>"$work/lpadmin.err" \
  || lpadmin -p "$queue" -v cups-pdf:/ -P "$ppd" -E 2>>"$work/lpadmin.err" \
  || { echo "FAIL: cannot add a CUPS-PDF queue: $(cat "$work/lpadmin.err")"; exit 1; }
lpadmin -d "$queue"
cupsenable "$queue" 2>/dev/null
cupsaccept "$queue" 2>/dev/null

# Where CUPS-PDF writes: its Out setting, for root's jobs ~root/PDF, else its spool.
outdirs=("$HOME/PDF" /root/PDF /var/spool/cups-pdf)
mark="$work/mark"
touch "$mark"
sleep 1

newest_pdf() {
  find "${outdirs[@]}" -name '*.pdf' -newer "$mark" -type f 2>/dev/null | head -n 1
}
wait_pdf() {
  local pdf=""
  for _ in $(seq 120); do
    pdf=$(newest_pdf)
    if [[ -n $pdf ]] && ! lpstat -o "$queue" 2>/dev/null | grep -q .; then
      sleep 0.5
      echo "$pdf"
      return 0
    fi
    sleep 0.5
  done
  return 1
}

# 2. The window: one page that looks like the grab the driver saved.
out=$("$driver" print "$work/window.png" 2>/dev/null)
echo "$out" | grep -q '^top: Welcome to VantrelTIFFReader$' || fail "print wrote a line: $out"
if pdf=$(wait_pdf); then
  pages=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
  [[ $pages == 1 ]] || fail "window print has $pages pages"
  pdftoppm -r 60 -png -singlefile "$pdf" "$work/page" 2>/dev/null
  /usr/bin/python3 - "$work/page.png" "$work/window.png" <<'PY' || fail "printed page does not show the window"
import sys
from PIL import Image, ImageChops, ImageOps
page = Image.open(sys.argv[1]).convert("L")
window = Image.open(sys.argv[2]).convert("L")
# The window's image sits on white paper: cut the page to what is printed on it.
box = ImageOps.invert(page).point(lambda v: 255 if v > 8 else 0).getbbox()
assert box, "blank page"
printed = page.crop(box)
# The window is wider than tall, so it is printed landscape: the queue puts such a page on an
# upright sheet with the window turned a quarter turn to the left, as large as the sheet's
# length allows. Turned back, it must look like the window.
assert printed.height > printed.width, f"printed portrait: {printed.size}"
assert printed.height > page.height * 0.85, f"printed {printed.height} of {page.height} long"
printed = printed.rotate(-90, expand=True)
ratio = printed.width / printed.height
want = window.width / window.height
assert abs(ratio - want) < 0.05, f"aspect {ratio:.3f} vs {want:.3f}"
size = (176, 112)
a = printed.resize(size)
b = window.resize(size)
diff = sum(ImageChops.difference(a, b).getdata()) / (size[0] * size[1])
print(f"window page: mean difference {diff:.1f} of 255")
assert diff < 25, diff
PY
  rm -f "$pdf"
else
  fail "no PDF arrived for the window print"
fi

# 3. The help window's text.
touch "$mark"
sleep 1
out=$("$driver" printhelp 2>/dev/null)
echo "$out" | grep -q '^tab: 3$' || fail "print tab not selected: $out"
echo "$out" | grep -q '^top: Welcome to VantrelTIFFReader$' || fail "help print wrote a line: $out"
if pdf=$(wait_pdf); then
  # The queue turns text into glyph drawings, so the page is compared as a picture with
  # the same text laid out by the program for the same printer into a local PDF.
  "$driver" helppdf "$work/help-local.pdf" >/dev/null 2>&1
  pdftoppm -r 50 -png -f 1 -l 1 -singlefile "$pdf" "$work/help-printed" 2>/dev/null
  pdftoppm -r 50 -png -f 1 -l 1 -singlefile "$work/help-local.pdf" "$work/help-local" 2>/dev/null
  /usr/bin/python3 - "$work/help-printed.png" "$work/help-local.png" <<'PY' || fail "printed help does not show the help text"
import sys
from PIL import Image
a = Image.open(sys.argv[1]).convert("L")
b = Image.open(sys.argv[2]).convert("L").resize(a.size)
# The queue draws glyphs a little heavier: compare which rows and columns carry ink.
def profile(img, rows):
    w, h = img.size
    px = img.load()
    if rows:
        return [any(px[x, y] < 160 for x in range(w)) for y in range(h)]
    return [any(px[x, y] < 160 for y in range(h)) for x in range(w)]
ink = sum(1 for v in a.getdata() if v < 128)
rows = sum(p == q for p, q in zip(profile(a, True), profile(b, True))) / a.height
cols = sum(p == q for p, q in zip(profile(a, False), profile(b, False))) / a.width
print(f"help page: {ink} dark pixels, rows agree {rows:.3f}, columns agree {cols:.3f}")
assert ink > 2000, "the page holds text"
assert rows > 0.9 and cols > 0.9
PY
  rm -f "$pdf"
else
  fail "no PDF arrived for the help print"
fi

if [[ $failures -eq 0 ]]; then
  echo "print test: all checks passed"
  exit 0
fi
exit 1
