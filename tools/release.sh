#!/usr/bin/env bash
# Builds the release from a clean build folder: the 32-bit Quorvantel.exe,
# stripped, and its SHA-256, both in the output folder (default dist/).
# The build is reproducible: the same source gives the same bytes, whatever
# the folders it is built in.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out="$(mkdir -p "${1:-dist}" && cd "${1:-dist}" && pwd)"
build="${2:-build/release}"

tools/deps.sh
rm -rf "$build"
cmake -S . -B "$build" --toolchain "$PWD/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DQUORVANTEL_UNIT_TESTS=OFF >/dev/null
cmake --build "$build" --target Quorvantel >/dev/null
# strip writes the PE header anew, with the time as its stamp unless told.
SOURCE_DATE_EPOCH=0 i686-w64-mingw32-strip -o "$out/Quorvantel.exe" \
  "$build/Quorvantel.exe"
(cd "$out" && sha256sum Quorvantel.exe >SHA256SUMS && cat SHA256SUMS)
