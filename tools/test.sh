#!/usr/bin/env bash
# Builds every preset and runs every test: the unit tests and the static
# analysis natively (under ASan and UBSan), the unit and end-to-end tests of
# the 64-bit Windows build under Wine, the checks of the 32-bit release, and
# a short fuzz run of the command encoding. Ends with the tally of all.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/deps.sh
trap 'tools/wine-run --stop' EXIT

log="$(mktemp)"
status=0
for preset in native win64 win32 fuzz; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
  ctest --preset "$preset" 2>&1 | tee -a "$log" || status=1
done

# ctest closes each preset with "N% tests passed, F tests failed out of T".
read -r passed failed < <(awk '/tests passed, .* tests failed out of/ {
  failed += $4; passed += $NF - $4 } END { print passed + 0, failed + 0 }' "$log")
rm -f "$log"
echo "all presets: $passed passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit $status
