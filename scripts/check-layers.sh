#!/usr/bin/env bash
# Checks every include of the source tree against the layer table in
# README.md ("## Layout"): a file may include its own folder, the folders its
# row names and, through them, what those may; a file named in a row
# (`report/whole_file.h`) is allowed alone, not its folder. Qt's headers only
# where the row names Qt. Fails too when the table itself has a cycle, when a
# folder with C++ in it has no row, or when an include does not name its folder.
# Usage: scripts/check-layers.sh [SOURCE_DIR]
set -euo pipefail
root=${1:-$(dirname "$0")/..}
cd "$root"

# folder<TAB>uses, from the rows "| `folder/` | uses | what it holds |" of the
# table headed "| folder | uses |".
table=$(awk '
  /^## Layout/ { layout = 1; next }
  /^## / { layout = 0 }
  layout && /^\| folder \| uses \|/ { inside = 1; next }
  !/^\|/ { inside = 0 }
  inside && /^\| `[a-z_]+\/` \|/ {
    split($0, cell, "|")
    folder = cell[2]; gsub(/[ `\/]/, "", folder)
    print folder "\t" cell[3]
  }' README.md)
if [ -z "$table" ]; then
  echo "check-layers: no table \"| folder | uses |\" under \"## Layout\" in README.md" >&2
  exit 1
fi

declare -A uses    # folder -> folders it uses directly, space-separated
declare -A files   # folder -> single files it may include from other folders
declare -A qt      # folder -> 1 where Qt is allowed
declare -A any     # folder -> 1 where every layer is allowed
folders=()
while IFS=$'\t' read -r folder cell; do
  folders+=("$folder")
  uses[$folder]=""
  files[$folder]=""
  [[ $cell == *Qt* ]] && qt[$folder]=1
  [[ $cell == *"all of the above"* ]] && any[$folder]=1
  for token in $(grep -oE '`[a-z_]+/[a-z_.]*`' <<<"$cell" | tr -d '`'); do
    if [[ $token == */ ]]; then
      uses[$folder]+=" ${token%/}"
    else
      files[$folder]+=" $token"
    fi
  done
done <<<"$table"

status=0
fail() { echo "check-layers: $*" >&2; status=1; }

# The table must be a layering: no folder may reach itself through its uses.
edges=$(for f in "${folders[@]}"; do
  echo "$f $f"
  for u in ${uses[$f]}; do echo "$u $f"; done
  for file in ${files[$f]}; do echo "${file%%/*} $f"; done
done)
if ! tsort <<<"$edges" >/dev/null 2>&1; then
  fail "the layer table in README.md has a cycle through:" \
    $(tsort <<<"$edges" 2>&1 >/dev/null | grep -v 'contains a loop' | sed 's/^tsort: //' | sort -u)
fi

# What each folder may reach: its uses, and theirs in turn.
declare -A reach
for f in "${folders[@]}"; do
  seen=" $f "
  todo=(${uses[$f]})
  while [ ${#todo[@]} -gt 0 ]; do
    u=${todo[0]}
    todo=("${todo[@]:1}")
    [[ $seen == *" $u "* ]] && continue
    if [ -z "${uses[$u]+set}" ]; then
      fail "row $f/ uses $u/, which has no row"
      continue
    fi
    seen+="$u "
    todo+=(${uses[$u]})
  done
  reach[$f]=$seen
done

# Every folder at the top of the tree that holds C++ needs a row. Build
# folders (with a CMakeCache.txt) are not source.
for dir in */; do
  dir=${dir%/}
  [ -n "${uses[$dir]+set}" ] && continue
  [ -f "$dir/CMakeCache.txt" ] && continue
  if [ -n "$(find "$dir" \( -name '*.cpp' -o -name '*.h' \) -print -quit)" ]; then
    fail "$dir/ holds C++ but has no row in the layer table"
  fi
done

for f in "${folders[@]}"; do
  [ -d "$f" ] || { fail "row $f/ names a folder that is not there"; continue; }
  while IFS=: read -r file line text; do
    if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
      target=${BASH_REMATCH[1]}
      [[ $target == *.moc ]] && continue
      if [[ $target != */* ]]; then
        fail "$file:$line: \"$target\" does not name its folder"
        continue
      fi
      layer=${target%%/*}
      [ -n "${any[$f]+set}" ] && [ -n "${uses[$layer]+set}" ] && continue
      [[ ${reach[$f]} == *" $layer "* ]] && continue
      [[ " ${files[$f]} " == *" $target "* ]] && continue
      fail "$file:$line: $f/ may not include \"$target\""
    elif [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(Q[A-Za-z]*)[/\>] ]]; then
      [ -n "${qt[$f]+set}" ] || fail "$file:$line: $f/ is plain C++, yet includes <${BASH_REMATCH[1]}>"
    fi
  done < <(find "$f" \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z \
             | xargs -0 -r grep -nH -E '^[[:space:]]*#[[:space:]]*include' || true)
done

[ $status -eq 0 ] && echo "check-layers: every include keeps to the layer table (${#folders[@]} folders)"
exit $status
