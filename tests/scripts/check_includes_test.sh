#!/usr/bin/env bash
# scripts/check-includes on a copy of src/ with an include planted between every two rule
# folders, each way: every include that runs up the ladder must be reported, none that runs
# down, and the real tree must pass as it is.
set -euo pipefail
source_dir="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/src" "$work/src"

"$source_dir/scripts/check-includes" "$work" > "$work/clean.txt" ||
  { cat "$work/clean.txt"; echo "FAIL: the tree as it is breaks its floors"; exit 1; }

ladder=(core persist battle items world creation flow)
header_of() { find "$work/src/$1" -maxdepth 1 -name '*.h' | sort | head -n 1 | sed "s|$work/src/||"; }
for ((lo = 0; lo < ${#ladder[@]}; lo++)); do
  for ((hi = lo + 1; hi < ${#ladder[@]}; hi++)); do
    low=${ladder[$lo]} high=${ladder[$hi]}
    printf '#include "%s"\n' "$(header_of "$high")" > "$work/src/$low/planted_up_$high.cpp"
    printf '#include "%s"\n' "$(header_of "$low")" > "$work/src/$high/planted_down_$low.cpp"
  done
done

set +e
"$source_dir/scripts/check-includes" "$work" > "$work/planted.txt"
status=$?
set -e
fail=0
[ $status -eq 1 ] || { echo "FAIL: check-includes exited $status with back-includes planted"; fail=1; }
for f in "$work"/src/*/planted_up_*.cpp; do
  name=${f#"$work/src/"}
  grep -q "^$name:1: includes" "$work/planted.txt" || { echo "FAIL: not reported: $name"; fail=1; }
done
if grep -q "planted_down_" "$work/planted.txt"; then
  echo "FAIL: an include down the ladder was reported:"; grep "planted_down_" "$work/planted.txt"; fail=1
fi
[ $fail -eq 0 ] || { cat "$work/planted.txt"; exit 1; }
echo "check-includes: $(ls "$work"/src/*/planted_up_*.cpp | wc -l) back-includes caught, none down the ladder reported"
