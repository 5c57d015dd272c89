#!/usr/bin/env bash
# The default configure must need nothing but a compiler and CMake: with
# GoogleTest, Google Benchmark and Python hidden it still succeeds, says no
# warning, and sets up the game without any test target. A warning that a
# newer compiler adds must not stop the play command's or the package's build:
# neither preset makes warnings errors, and a file with a warned construct
# compiles with their flags, while the developers' presets refuse it.
#
# Usage: tests/packaging/default_configure_test.sh <source dir>
set -euo pipefail

source_dir=$(realpath "$1")
scratch=$(mktemp -d /tmp/sol-configure-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { cat "$scratch/log"; echo "FAIL: $1" >&2; exit 1; }

cmake -S "$source_dir" -B "$scratch/plain" -G "Unix Makefiles" --no-warn-unused-cli \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_Python3=ON >"$scratch/log" 2>&1 ||
    fail "the default configure needs something that was hidden"
! grep -qi warning "$scratch/log" || fail "the default configure warns"
make -C "$scratch/plain" help >"$scratch/log"
grep -qx '\.\.\. solbangul' "$scratch/log" || fail "no solbangul target"
! grep -E '_tests$|_bench$|_fuzz$' "$scratch/log" || fail "the default build has developer targets"
echo "default configure: game only, no warning"

# The compile command of the program's entry under <preset>, run on a file
# that declares an unused variable shadowing a parameter.
compile_warned() {
    local preset=$1 command
    (cd "$source_dir" && cmake --preset "$preset" -B "$scratch/$preset" >"$scratch/log" 2>&1) ||
        fail "the $preset preset does not configure"
    command=$(python3 -c '
import json, sys
for entry in json.load(open(sys.argv[1])):
    if entry["file"].endswith("frontend/main.cpp"):
        print(entry["command"])' "$scratch/$preset/compile_commands.json")
    [[ -n $command ]] || fail "no compile command for main.cpp under $preset"
    printf 'int f(int x) {\n    int unused = 0;\n    { int x = 1; return x; }\n}\n' >"$scratch/warned.cpp"
    command=${command/"$source_dir/frontend/main.cpp"/"$scratch/warned.cpp"}
    command=${command/" -o "*" -c "/" -o $scratch/warned.o -c "}
    (cd "$scratch/$preset" && eval "$command") >"$scratch/log" 2>&1
}
for preset in default package; do
    compile_warned "$preset" || fail "a warning stops the $preset build"
    grep -q 'Wunused-variable' "$scratch/log" || fail "the $preset build does not warn"
    ! grep -q -- '-Werror' "$scratch/$preset/compile_commands.json" || fail "$preset has -Werror"
done
! compile_warned test || fail "the test preset lets a warning through"
echo "default and package presets: warnings shown, not errors; the test preset refuses them"
