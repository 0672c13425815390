#!/usr/bin/env bash
# Builds the tree and runs every test. This is the README's test command and
# exactly what CI runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
ctest --preset default
