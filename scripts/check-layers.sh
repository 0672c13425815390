#!/usr/bin/env bash
# Fails when a dependency crosses a layer upward. The layers, bottom up:
#
#   framework/            includes only the framework
#   engine/   goods/      include the framework and themselves
#   demo/     cmdmailer/  the two programs: include everything below them,
#                         never each other
#
# tests/, bench/ and fuzz/ stand outside the layers and may use anything.
# Two things are checked in every layer's folder: each #include (every
# header is named from the top of the tree, so its first folder is its
# layer; a path with ".." would hide that and is refused too), and each
# target_link_libraries of its CMake files against the folder in which the
# linked library is defined.
#
#   bash scripts/check-layers.sh [TREE]    (the tree this script is in by default)
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

layers=(framework engine goods demo cmdmailer)
outside=(tests bench fuzz)
declare -A allowed=(
  [framework]="framework"
  [engine]="framework engine"
  [goods]="framework goods"
  [demo]="framework engine goods demo"
  [cmdmailer]="framework engine goods cmdmailer"
)

faults=0
fault() {
  echo "check-layers: $*" >&2
  faults=$((faults + 1))
}

may_use() { # layer, layer used
  [[ " ${allowed[$1]} " == *" $2 "* ]]
}

is_ours() { # a top folder of this tree that a layer must not reach into uninvited
  local name
  for name in "${layers[@]}" "${outside[@]}"; do
    [[ $1 == "$name" ]] && return 0
  done
  return 1
}

# Includes.
for layer in "${layers[@]}"; do
  [[ -d $layer ]] || continue
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    [[ ${rest#*:} =~ include[[:space:]]*[\<\"]([^\>\"]*) ]] || continue
    included=${BASH_REMATCH[1]}
    if [[ $included == *../* ]]; then
      fault "$file:$line includes \"$included\": name headers from the top of the tree"
      continue
    fi
    top=${included%%/*}
    [[ $included == */* ]] || continue
    if is_ours "$top" && ! may_use "$layer" "$top"; then
      fault "$file:$line includes $included: $layer may include ${allowed[$layer]// /, }"
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$layer" \
             --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.cc' --include='*.c' || true)
done

# Libraries: where each one is defined, then who links it.
declare -A home=()
for layer in "${layers[@]}" "${outside[@]}"; do
  [[ -d $layer ]] || continue
  while IFS= read -r name; do
    home[$name]=$layer
  done < <(find "$layer" \( -name CMakeLists.txt -o -name '*.cmake' \) -exec cat {} + |
             sed 's/#.*//' | grep -oE 'add_library\([[:space:]]*[A-Za-z0-9_.+-]+' | sed -E 's/add_library\([[:space:]]*//')
done
for layer in "${layers[@]}"; do
  [[ -d $layer ]] || continue
  while IFS= read -r file; do
    # One call per line, comments dropped, then the words after the target.
    while IFS= read -r call; do
      call=${call#target_link_libraries(}
      read -ra words <<<"${call%)}"
      for linked in "${words[@]:1}"; do
        case $linked in PUBLIC | PRIVATE | INTERFACE) continue ;; esac
        used=${home[$linked]:-}
        if [[ -n $used ]] && ! may_use "$layer" "$used"; then
          fault "$file links ${words[0]} to $linked (defined in $used/): $layer may link ${allowed[$layer]// /, }"
        fi
      done
    done < <(sed 's/#.*//' "$file" | tr '\n' ' ' | grep -oE 'target_link_libraries\([^)]*\)' || true)
  done < <(find "$layer" \( -name CMakeLists.txt -o -name '*.cmake' \) | sort)
done

if ((faults > 0)); then
  echo "check-layers: $faults dependencies point upward" >&2
  exit 1
fi
echo "check-layers: every include and library link points down"
