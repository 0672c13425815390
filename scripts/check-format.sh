#!/usr/bin/env bash
# Fails when a source file is not laid out as .clang-format says. Every *.h
# and *.cpp of the code folders goes through clang-format 14 (Debian 12's
# clang-format, the version .clang-format is written for) without being
# changed; each place that it would change is named. Layouts that stay as
# written stand between `// clang-format off` and `// clang-format on`.
#
# To lay a file out so: clang-format -i FILE.
#
#   bash scripts/check-format.sh [TREE]    (the tree this script is in by default)
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

folders=(framework engine goods demo cmdmailer tests bench fuzz)
formatter=${CLANG_FORMAT:-clang-format}

command -v "$formatter" >/dev/null ||
  { echo "check-format: needs $formatter (Debian package: clang-format)" >&2; exit 1; }
version=$("$formatter" --version)
# Another version lays some constructs out differently, so its verdict would
# not be the one this tree was formatted with.
[[ $version =~ version\ 14\. ]] ||
  { echo "check-format: .clang-format is written for clang-format 14, not for: $version" >&2; exit 1; }

present=()
for folder in "${folders[@]}"; do
  [[ -d $folder ]] && present+=("$folder")
done
mapfile -d '' files < <(find "${present[@]}" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

# xargs answers non-zero when any clang-format did, after all have run.
if ! printf '%s\0' "${files[@]}" | xargs -0 -P "$(nproc)" -n 25 "$formatter" --dry-run -Werror --style=file; then
  echo "check-format: the places above are not laid out as .clang-format says (clang-format -i FILE lays a file out)" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files laid out as .clang-format says"
