#!/usr/bin/env bash
# Builds the libFuzzer targets with clang 16 and runs each for a while
# (FUZZ_SECONDS, default 120). Findings land in build-fuzz/findings/<target>/;
# a run without findings writes none there and exits 0, and a run with
# findings names them and exits 1. Not part of the test run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for p in clang-16 libclang-rt-16-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p" >/dev/null
done
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"
seconds=${FUZZ_SECONDS:-120}

# Leaks stay checked, except what the libraries we call keep until the
# process ends on purpose (fuzz/lsan.supp says which and why).
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0"

failed=()
for target in build-fuzz/fuzz/*/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  src=fuzz/${name#fuzz_}
  findings=build-fuzz/findings/$name
  mkdir -p "$findings" "build-fuzz/corpus/$name"
  cp -n "$src"/corpus/* "build-fuzz/corpus/$name/" 2>/dev/null || true
  dict=()
  for d in "$src"/*.dict; do [ -f "$d" ] && dict=(-dict="$d"); done
  before=$(find "$findings" -type f | sort)
  status=0
  "$target" "${dict[@]}" -max_total_time="$seconds" -artifact_prefix="$findings/" \
    "build-fuzz/corpus/$name" || status=$?
  new=$(comm -13 <(echo "$before") <(find "$findings" -type f | sort) | sed '/^$/d')
  if ((status != 0)) || [[ -n "$new" ]]; then
    failed+=("$name")
    echo "fuzz: $name ended with status $status; its findings:" ${new:-none written} >&2
  fi
done
if ((${#failed[@]})); then
  echo "fuzz: findings in ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: no findings in ${seconds}s per target"
