#!/bin/bash
# Configures the project in a fresh folder with the settings given and
# passes when the configure stops with a message that says WANTED.
#   configure-refused.sh SCRATCH WANTED SETTING...
set -uo pipefail
scratch=$1 wanted=$2
shift 2
src="$(cd "$(dirname "$0")/../.." && pwd)"
rm -rf "$scratch"
if out=$(cmake -S "$src" -B "$scratch" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
               -DBUILD_TESTING=OFF "$@" 2>&1); then
  echo "$out"
  echo "The configure went through; it should have stopped saying: $wanted" >&2
  exit 1
fi
echo "$out"
# CMake wraps long messages: compare with the lines joined.
if ! tr -s ' \n' '  ' <<<"$out" | grep -qF -- "$wanted"; then
  echo "The configure stopped, but without saying: $wanted" >&2
  exit 1
fi
rm -rf "$scratch"
