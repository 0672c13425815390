#!/usr/bin/env bash
# The README's main job on a bare Debian 12 machine, as root: installs what is
# missing, builds, and runs the RTF writer's throughput benchmark (255 pages
# of 1 MiB each against xxd -p over the same bytes).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target bench_rtf_throughput -j"$(nproc)"
./build/bench/bench_rtf_throughput "$@"
