#!/usr/bin/env bash
# The files a desktop and a package take from packaging/ are what their readers accept: the
# desktop entry (desktop-file-validate, no hint but that of its two main categories, Graphics
# and Science, in the metainfo too), the AppStream metainfo (appstreamcli --pedantic: no
# error or warning; --no-net, as its URLs are checked where they are published), the manual
# page (groff, every warning on); the version is the program's in all of them and in the
# package's changelog, the metainfo launches the entry it names, and each PNG icon has the
# size of its folder. Exits 77 (skipped) when a tool is missing.
set -uo pipefail
source_dir="$1"
version="$2"
dir="$source_dir/packaging"
id=org.vantrel.TiffReader

skip() { echo "SKIPPED: $*"; exit 77; }
for tool in desktop-file-validate appstreamcli groff; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
failed=0
fail() { echo "FAIL: $*"; failed=1; }

hints=$(desktop-file-validate "$dir/$id.desktop" 2>&1) || fail "desktop entry: $hints"
# The entry is listed under Graphics and under Science on purpose: the hint that it has two
# main categories is the one expected.
hints=$(grep -v 'contains more than one main category' <<<"$hints")
[[ -z $hints ]] || fail "desktop entry has hints: $hints"
grep -q '^Keywords=.*microscopy;.*16-bit;.*histogram;' "$dir/$id.desktop" || fail "Keywords="
grep -q '^Categories=Graphics;Science;' "$dir/$id.desktop" || fail "Categories="

report=$(appstreamcli validate --pedantic --no-net "$dir/$id.metainfo.xml" 2>&1) ||
  fail "metainfo: $report"
grep -E '^[EW]:' <<<"$report" && fail "metainfo has errors or warnings"

warnings=$(groff -ww -z -man "$dir/vantrel-tiff-reader.1" 2>&1) || fail "man page: $warnings"
[[ -z $warnings ]] || fail "man page warnings: $warnings"

/usr/bin/python3 - "$dir" "$id" "$version" <<'PY' || failed=1
import re, struct, sys, xml.etree.ElementTree as ET
from pathlib import Path
dir, id, version = Path(sys.argv[1]), sys.argv[2], sys.argv[3]
bad = []
meta = ET.parse(dir / f"{id}.metainfo.xml").getroot()
if meta.findtext("id") != id or meta.findtext("launchable") != f"{id}.desktop":
    bad.append("metainfo id or launchable")
if [c.text for c in meta.iterfind("categories/category")][:2] != ["Graphics", "Science"]:
    bad.append("metainfo categories")
versions = {
    "metainfo release": meta.find("releases/release").get("version"),
    "changelog": re.match(r"\S+ \(([^)]+)\)", (dir / "debian/changelog").read_text()).group(1),
    "man page": re.search(r'^\.TH .*"vantrel-tiff-reader ([^"]+)"', (dir / "vantrel-tiff-reader.1").read_text(), re.M).group(1),
}
bad += [f"{k} says {v}, the program {version}" for k, v in versions.items() if v != version]
for size in (16, 24, 32, 48, 64, 128, 256):
    png = dir / f"icons/{size}x{size}/vantrel-tiff-reader.png"
    head = png.read_bytes()[:24] if png.exists() else b""
    if head[:8] != b"\x89PNG\r\n\x1a\n" or struct.unpack(">II", head[16:24]) != (size, size):
        bad.append(f"{png.name} in {size}x{size} is not a {size}x{size} PNG")
for b in bad:
    print("FAIL:", b)
sys.exit(1 if bad else 0)
PY
[[ $failed -eq 0 ]] && echo "packaging files: all checks passed"
exit $failed
