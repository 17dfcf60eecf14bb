#!/usr/bin/env bash
# Builds the Debian package of the viewer from the CMake install rules, with debhelper
# (packaging/debian/, `dh --buildsystem=cmake+ninja`), and prints the path of the .deb as its
# last line:
#
#   bash scripts/package.sh          # then: sudo apt-get install ./<that .deb>
#
# Installs what building it needs first (`bash scripts/deps.sh package`). The sources are
# copied to build-deb/src (the files git knows, committed or not, without the build folders),
# packaging/debian/ becomes its debian/, and the .deb lands in build-deb/. The build log is
# build-deb/build.log.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
bash scripts/deps.sh package

out="$repo/build-deb"
rm -rf "$out"
mkdir -p "$out/src"
if git -C "$repo" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git -C "$repo" ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [[ -e $f ]] && printf '%s\0' "$f"; done |
    tar -C "$repo" --null -T - -cf - | tar -C "$out/src" -xf -
else
  tar -C "$repo" --exclude='./build*' --exclude=./out -cf - . | tar -C "$out/src" -xf -
fi
rm -rf "$out/src/debian"
cp -r "$repo/packaging/debian" "$out/src/debian"

echo "building the package (log: $out/build.log)" >&2
if ! (cd "$out/src" && dpkg-buildpackage -b -us -uc) >"$out/build.log" 2>&1; then
  tail -n 40 "$out/build.log" >&2
  echo "package: dpkg-buildpackage failed" >&2
  exit 1
fi
version=$(dpkg-parsechangelog -l "$repo/packaging/debian/changelog" -S Version)
deb="$out/vantrel-tiff-reader_${version}_$(dpkg-architecture -q DEB_HOST_ARCH).deb"
[[ -f $deb ]] || { echo "package: no $deb was made" >&2; exit 1; }
echo "$deb"
