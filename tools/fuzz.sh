#!/usr/bin/env bash
# Runs the tag reader's fuzz entry point over COUNT inputs (default 10^6)
# under AddressSanitizer and UndefinedBehaviorSanitizer, starting from the
# files real tools made (tests/fixtures/wave). With clang's libFuzzer it is
# coverage-guided; without it, the native build's driver makes random chunk
# trees and mutations. Exits non-zero on a finding.
#
#   ./tools/fuzz.sh [COUNT]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
count=${1:-1000000}
fixtures=(tests/fixtures/wave/*.wav)
out=build/fuzz
mkdir -p "$out"
sources=(tests/fuzz/wave_reader_fuzz.cpp src/core/id3_tag.cpp src/core/tag_text.cpp
    src/core/wave_reader.cpp src/core/wide_names.cpp src/core/path_rules.cpp)
if command -v clang++ >/dev/null &&
    clang++ -std=c++17 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        -I src -I tests -O1 -g "${sources[@]}" -o "$out/wave_reader_libfuzzer" 2>"$out/build.log"; then
    echo "fuzz: libFuzzer, $count inputs"
    rm -rf "$out/corpus" && mkdir -p "$out/corpus" && cp "${fixtures[@]}" "$out/corpus/"
    # -max_len: 64 KiB of tags is the most the reader takes in.
    if ! "$out/wave_reader_libfuzzer" -runs="$count" -max_len=70000 -seed=1 -timeout=10 \
        -artifact_prefix="$out/" "$out/corpus" >"$out/run.log" 2>&1; then
        tail -n 40 "$out/run.log"
        echo "fuzz: a finding, kept in $out/ (the run's output: $out/run.log)" >&2
        exit 1
    fi
    grep '^Done' "$out/run.log"
    echo "fuzz: $count inputs, 0 findings"
else
    echo "fuzz: no libFuzzer (see $out/build.log); the native build's driver, $count inputs"
    cmake --preset native >/dev/null
    cmake --build --preset native -j 2 --target wave_reader_fuzz >/dev/null
    build/native/bin/wave_reader_fuzz "$count" 1 "${fixtures[@]}"
fi
