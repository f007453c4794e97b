#!/usr/bin/env bash
# The program's main job on the bundled example: the example suite's real
# installer, placed under a path with blanks, installed silently through
# Quorvantel.exe and cmd.exe under Wine with one unknown tool letter and a
# target directory with blanks. Shows the command, the program's output and
# exit status, and what was installed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tools/deps.sh
# The 32-bit program where this machine runs 32-bit Windows programs,
# otherwise the same source built for 64-bit Windows.
if [ -x /usr/lib/wine/wine ] && [ -d /usr/lib/i386-linux-gnu/wine ]; then
  preset=win32
else
  preset=win64
fi
echo "Building the $preset preset (this machine runs $([ $preset = win32 ] \
  && echo 32 || echo 64)-bit Windows programs under Wine)..."
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Quorvantel example_suite >/dev/null

export WINEPREFIX="$PWD/build/wineprefix-demo"
trap 'tools/wine-run --stop' EXIT
tools/wine-run --keep-desktop
drive_c="$WINEPREFIX/drive_c"
mkdir -p "$drive_c/Suite Setup (x86)" "$drive_c/Temp"
cp "build/$preset/example/setup.exe" "$drive_c/Suite Setup (x86)/setup.exe"
rm -rf "$drive_c/Program Files/My Tools" "$drive_c/Temp/errorFile.txt"

args=('C:\Suite Setup (x86)\setup.exe' /T=cbx /L=g /S=i
      '/D=C:\Program Files\My Tools')
printf '\n> Quorvantel.exe'
printf ' "%s"' "${args[@]}"
printf '\n'
status=0
tools/wine-run "build/$preset/Quorvantel.exe" "${args[@]}" || status=$?
echo "> exit status $status"

echo
echo "Installed into C:\\Program Files\\My Tools:"
for settings in "$drive_c/Program Files/My Tools"/*/settings.ini; do
  tool=$(basename "$(dirname "$settings")")
  echo "  $tool: $(tr -d '\r' <"$settings" | grep = | paste -sd ' ')"
done
