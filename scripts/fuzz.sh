#!/usr/bin/env bash
# Builds the libFuzzer targets with clang 16 and runs each for a while
# (FUZZ_SECONDS, default 120). Findings land in build-fuzz/findings/<target>/.
# Not part of the test run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for p in clang-16 libclang-rt-16-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p"
done
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"
seconds=${FUZZ_SECONDS:-120}
for target in build-fuzz/fuzz/*/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  src=fuzz/${name#fuzz_}
  mkdir -p "build-fuzz/findings/$name" "build-fuzz/corpus/$name"
  cp -n "$src"/corpus/* "build-fuzz/corpus/$name/" 2>/dev/null || true
  dict=()
  for d in "$src"/*.dict; do [ -f "$d" ] && dict=(-dict="$d"); done
  "$target" "${dict[@]}" -max_total_time="$seconds" -artifact_prefix="build-fuzz/findings/$name/" \
    "build-fuzz/corpus/$name"
done
