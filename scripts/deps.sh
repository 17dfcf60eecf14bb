#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing, for one of three purposes:
#
#   bash scripts/deps.sh run    # what building and running the viewer needs
#   bash scripts/deps.sh test   # that, and what the tests, fuzzing and benchmarks add (default)
#   bash scripts/deps.sh package  # what building the viewer and its Debian package needs
#   bash scripts/deps.sh bench  # that, and what the cold-process benchmark adds
#
# Packages are installed with apt-get, through sudo when not run as root. Another install
# running at the same time (on a fresh machine, often the unattended upgrades) is waited for
# for up to 10 minutes rather than failing the build.
set -euo pipefail

purpose="${1:-test}"

# Building and running the viewer: compiler, CMake, Qt Widgets, Charts and PrintSupport with
# their development files (Charts' CMake package needs Qt's OpenGL one), the platform plugins
# for X11 and for Wayland (qt6-wayland: the client, its xdg-shell and window-decoration
# plugins; windows are drawn in shared memory), a font for the window's text, and the
# header-only libraries of the command line's option table (CLI11) and JSON (nlohmann-json).
run_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev qt6-qpa-plugins qt6-wayland
  fonts-dejavu-core libcli11-dev nlohmann-json3-dev
)

# What the tests add: the sanitizer runtimes (ThreadSanitizer's for g++) and clang for
# fuzzing, GoogleTest, Google Benchmark, libtiff and Python readers as oracles, ImageMagick,
# a virtual X server and a clipboard client for the X11 test, CUPS with its PDF queue and
# poppler for the print test, weston (its headless backend and screenshot client) for the
# Wayland test, clang-format for the format check, the AppStream and manual-page checkers for
# the packaging files, jq for the command line's JSON.
test_packages=(
  clang libclang-rt-14-dev libtsan2 clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  libtiff-dev libtiff-tools python3 python3-tifffile python3-pil python3-numpy imagemagick
  xvfb xauth xclip x11-utils openbox desktop-file-utils xdg-utils libglib2.0-bin
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  weston appstream groff-base jq
)

# Building the Debian package (scripts/package.sh): debhelper and the build essentials that
# dpkg-buildpackage checks for.
package_packages=(build-essential debhelper)

# What the cold-process benchmark adds: Xlib for its screen poller, and the viewer it is
# timed beside with the Qt 5 plugin through which it reads TIFF files.
bench_packages=(libx11-dev qimgv qt5-image-formats-plugins)

case "$purpose" in
  run) packages=("${run_packages[@]}") ;;
  package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  bench) packages=("${run_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}") ;;
  *)
    echo "usage: $0 [run|test|package|bench]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
wait_lock=(-o DPkg::Lock::Timeout=600)
# apt-get update waits for no lock of its own: it is tried again while another holds it.
for try in $(seq 60); do
  if errors=$("${sudo_cmd[@]}" apt-get update -qq 2>&1 >/dev/null); then break; fi
  if [[ $errors != *"Could not get lock"* || $try -eq 60 ]]; then
    echo "$errors" >&2
    exit 1
  fi
  sleep 10
done
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get "${wait_lock[@]}" install -y -qq \
  --no-install-recommends \
  "${missing[@]}"
