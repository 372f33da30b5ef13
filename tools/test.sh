#!/usr/bin/env bash
# Builds the three builds and runs every test: the native logic with
# sanitizers, the x86_64 program under Wine, and the check of the shipped
# 32-bit program. The test programs are built for i686 too, never run (these
# machines run no 32-bit code). Exits non-zero on any failure; CTest's
# summary ends it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/setup.sh
for preset in native win64 win32 win32-tests; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)" >/dev/null || cmake --build --preset "$preset"
done
# One CTest run over the three build trees, so one summary counts every test.
printf 'subdirs("native")\nsubdirs("win64")\nsubdirs("win32")\n' >build/CTestTestfile.cmake
status=0
ctest --test-dir build --output-on-failure -j 2 "$@" || status=$?
# Stopped after the run, not by a test: other runs may share the bench.
tools/winebench stop
exit $status
