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
fail() { cat "$scratch/log"; echo "FAIL: $1" >&2; exit 1; }

cmake -S "$source_dir" -B "$scratch" -G "Unix Makefiles" --no-warn-unused-cli \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_Python3=ON >"$scratch/log" 2>&1 ||
    fail "the default configure needs something that was hidden"
! grep -qi warning "$scratch/log" || fail "the default configure warns"
make -C "$scratch" help >"$scratch/log"
grep -qx '\.\.\. solbangul' "$scratch/log" || fail "no solbangul target"
! grep -E '_tests$|_bench$|_fuzz$' "$scratch/log" || fail "the default build has developer targets"
echo "default configure: game only, no warning"
