#!/usr/bin/env bash
# Installs what is missing for the viewer alone, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
cmake --preset plain -DVTR_WERROR=ON >/dev/null
cmake --build --preset plain --target vantrel-tiff-reader
exec build/bin/vantrel-tiff-reader "$@"
