#!/usr/bin/env bash
# Fuzzes parsing, the option checks, the command assembly and its encoding
# for cmd.exe and /bin/sh for the given number of seconds (default 600),
# then prints the executions and the findings (inputs that broke a check,
# kept in build/fuzz/findings/). Inputs stay under 1 KiB: the encoding's
# states are all reached by far shorter command lines.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds="${1:-600}"

tools/deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_command >/dev/null
mkdir -p build/fuzz/corpus build/fuzz/findings
status=0
build/fuzz/tests/fuzz_command -max_total_time="$seconds" -max_len=1024 \
  -print_final_stats=1 \
  -artifact_prefix=build/fuzz/findings/ build/fuzz/corpus tests/fuzz/seeds \
  >build/fuzz/last-run.log 2>&1 || status=$?
grep -aE '^Done|^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)|SUMMARY' \
  build/fuzz/last-run.log
echo "findings: $(find build/fuzz/findings -type f | wc -l) (exit status $status)"
exit $status
