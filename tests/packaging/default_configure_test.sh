#!/usr/bin/env bash
# The default configure must need nothing but a compiler and CMake: with
# GoogleTest, Google Benchmark and Python hidden it still succeeds, says no
# warning, and sets up the game without any test target.
#
# Usage: tests/packaging/default_configure_test.sh <source dir>
set -euo pipefail

source_dir=$(realpath "$1")
scratch=$(mktemp -d /tmp/sol-configure-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

if ! cmake -S "$source_dir" -B "$scratch" -G "Unix Makefiles" --no-warn-unused-cli \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_Python3=ON >"$scratch/log" 2>&1; then
    cat "$scratch/log"
    echo "FAIL: the default configure needs something that was hidden" >&2
    exit 1
fi
if grep -qi warning "$scratch/log"; then
    cat "$scratch/log"
    echo "FAIL: the default configure warns" >&2
    exit 1
fi
targets=$(make -C "$scratch" help)
grep -qx '\.\.\. solbangul' <<<"$targets" || { echo "FAIL: no solbangul target" >&2; exit 1; }
if grep -E '_tests$|_bench$|_fuzz$' <<<"$targets"; then
    echo "FAIL: the default build has developer targets" >&2
    exit 1
fi
echo "default configure: game only, no warning"
