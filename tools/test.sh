#!/usr/bin/env bash
# Builds every preset and runs every test: the unit tests and the static
# analysis natively (under ASan and UBSan), the unit and end-to-end tests of
# the 64-bit Windows build under Wine, the checks of the 32-bit release, and
# a short fuzz run of the command encoding.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/deps.sh
trap 'tools/wine-run --stop' EXIT

status=0
for preset in native win64 win32 fuzz; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
  ctest --preset "$preset" || status=1
done
exit $status
