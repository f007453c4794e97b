#!/usr/bin/env bash
# Builds the three presets and runs every test: the unit tests natively
# under ASan and UBSan, the unit and end-to-end tests of the 64-bit Windows
# build under Wine, and the checks of the 32-bit release.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/deps.sh
trap 'tools/wine-run --stop' EXIT

status=0
for preset in native win64 win32; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
  ctest --preset "$preset" || status=1
done
exit $status
