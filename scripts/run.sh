#!/usr/bin/env bash
# Installs what is missing, builds the viewer and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVTR_WITH_QT=ON >/dev/null
cmake --build build --target vantrel-tiff-reader
exec build/ui/qt/vantrel-tiff-reader
