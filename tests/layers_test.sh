#!/usr/bin/env bash
# The library graph of docs/design.md held against the code: each library
# links in CMake exactly the libraries its row names, and every source file
# of a library's folder includes headers only of that library and of the
# ones it links, directly or through them (no include runs up a layer or
# sideways into a library that is not linked).
#   layers_test.sh SOURCE_DIR
set -euo pipefail
source="$1"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

declare -A library_of links_of folder_of
# The rows after the marker, up to the end of the code block: FOLDER LIBRARY
# LINKS..., or LIBRARY LINKS... for another target of the folder above.
folder=""
while read -r first rest; do
  [[ "$first" == '```' ]] && { [[ -n "$folder" ]] && break || continue; }
  if [[ "$first" == */ ]]; then
    folder="${first%/}"
    read -r library rest <<<"$rest"
    library_of[$folder]="$library"
  else
    library="$first"
  fi
  folder_of[$library]="$folder"
  links_of[$library]="$(grep -o 'zorvat_[a-z_]*' <<<"$rest" | tr '\n' ' ' || true)"
done < <(sed -n '/<!-- library graph/,$p' "$source/docs/design.md" | tail -n +2)
((${#library_of[@]} > 5)) || fail "no library graph found in docs/design.md"

# 1. The CMake links of each library, as the table names them.
for library in "${!links_of[@]}"; do
  cmake_links="$(cat "$source"/*/CMakeLists.txt "$source"/*/*/CMakeLists.txt |
    tr '\n' ' ' | grep -o "target_link_libraries($library [^)]*)" | grep -o 'zorvat_[a-z_]*' |
    grep -vx "$library" | sort -u | tr '\n' ' ' || true)"
  table_links="$(tr ' ' '\n' <<<"${links_of[$library]}" | grep . | sort -u | tr '\n' ' ' || true)"
  [[ "$cmake_links" == "$table_links" ]] || fail "$library links '$cmake_links' in CMake, the table says '$table_links'"
done

# Every library `library` reaches through its links, itself included.
reach() {
  local todo=("$1") seen=" " next
  while ((${#todo[@]})); do
    next="${todo[-1]}"
    unset 'todo[-1]'
    [[ "$seen" == *" $next "* ]] && continue
    seen+="$next "
    for link in ${links_of[$next]:-}; do todo+=("$link"); done
  done
  echo "$seen"
}

# 2. The includes of every library folder.
for folder in "${!library_of[@]}"; do
  allowed=" "
  for library in "${!folder_of[@]}"; do
    [[ "${folder_of[$library]}" == "$folder" ]] && allowed+="$(reach "$library") "
  done
  for file in "$source/$folder"/*.h "$source/$folder"/*.cpp; do
    [[ -e "$file" ]] || continue
    while read -r included; do
      owner="${library_of[$(dirname "$included")]:-}"
      if [[ -z "$owner" ]]; then
        fail "${file#"$source"/} includes $included, which is in no library"
      elif [[ "$allowed" != *" $owner "* ]]; then
        fail "${file#"$source"/} includes $included of $owner, which ${library_of[$folder]} does not link"
      fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
  done
done

((failures == 0)) && echo "library layers: every check passed"
((failures == 0))
