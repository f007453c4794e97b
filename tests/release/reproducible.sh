#!/usr/bin/env bash
# Two release builds from copies of the source in two different folders,
# each built in a build folder of another name, must give the same bytes.
set -euo pipefail
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for tree in first "second tree"; do
  mkdir -p "$work/$tree"
  (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 cp --parents -t "$work/$tree")
done
"$work/first/tools/release.sh" "$work/out-1" "$work/first/build" >/dev/null
"$work/second tree/tools/release.sh" "$work/out-2" \
  "$work/second tree/another build folder" >/dev/null

cmp "$work/out-1/Quorvantel.exe" "$work/out-2/Quorvantel.exe"
cmp "$work/first/build/Quorvantel.exe" \
  "$work/second tree/another build folder/Quorvantel.exe"
if grep -a -q -e "$work" -e "$source_dir" "$work/out-1/Quorvantel.exe" \
  "$work/first/build/Quorvantel.exe"; then
  echo "a build folder's path is in the binary" >&2
  exit 1
fi
echo "reproducible: $(cut -d' ' -f1 "$work/out-1/SHA256SUMS")"
