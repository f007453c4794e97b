#!/usr/bin/env bash
# Installs what the builds and tests need, when it is missing (Debian, as
# root). Safe to run again: with everything present it installs nothing.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
have g++ || need+=(g++)
have cmake || need+=(cmake)
have python3 || need+=(python3)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64)
have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686)
have makensis || need+=(nsis)
have wine || need+=(wine)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
have clang++ || need+=(clang)
have clang-tidy || need+=(clang-tidy)
have clang-format || need+=(clang-format)
have cppcheck || need+=(cppcheck)
# libFuzzer's runtime comes with clang's compiler-rt.
compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" \
  >/dev/null || need+=(libclang-rt-dev)

if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    --no-install-recommends "${need[@]}" >/dev/null
fi
