#!/usr/bin/env bash
# Builds what the benchmarks need and runs them all; each prints its
# figures. Arguments go to bench.py (for example: overhead --runs 501).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/deps.sh
for preset in bench win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target Quorvantel >/dev/null
done
cmake --build --preset bench >/dev/null
exec python3 bench/bench.py "$@"
