#!/usr/bin/env bash
# The benchmarks (not tests): the shipped program's size and imports, the
# start-up of wendle.exe against its floor (the same windows with nothing
# behind them) and against a bare one-window program, the folder
# list's rebuild against a bare directory walk, one encode job against
# the encoder alone, choosing a tagged 1 GiB WAVE against the same without
# tags, and a batch against the encoder alone on each file shared among the
# processors. Each prints a ratio measured
# in this run against its target. Exits non-zero when a benchmark could not
# run or the program imports more than Windows' own DLLs; a ratio over its
# target is reported, not a failure.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/setup.sh
for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
done
cmake --build --preset win32 -j "$(nproc)" --target wendle >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target start_up_bench folder_list_bench \
    encode_job_bench choose_bench batch_bench >/dev/null

status=0
echo "== size of the shipped program (i686, build/win32/bin/wendle.exe)"
program=build/win32/bin/wendle.exe
bytes=$(stat -c %s "$program")
limit=$((320 * 1024))
awk -v b="$bytes" -v l="$limit" 'BEGIN {
    printf "size: %d bytes (%.1f KiB)\n", b, b / 1024
    printf "ratio size / 320 KiB: %.3f (target 1.000 or less)\n", b / l }'
if report=$(tools/check-pe "$program" i386); then
    verdict="Windows' own DLLs only (target)"
else
    verdict="NOT only Windows' own DLLs, or a broken program (see tools/check-pe)"
    status=1
fi
echo "imports: $(sed -n 's/^imports //p' <<<"$report" | paste -sd ' ') -- $verdict"

# Wine says once per process that it cannot read the label of Z: (the host's
# root); Wendle's drive chooser asks for it, off its window's thread, at
# every start.
run() {
    tools/wine-run "$1" 2>&1 | { grep -v 'Read access denied for device' || true; }
    return "${PIPESTATUS[0]}"
}
trap 'tools/winebench stop' EXIT
echo "== start-up under Wine (x86_64 build, from process start to the main window shown and idle)"
run build/win64/bin/start_up_bench.exe || status=1
echo "== folder list rebuild under Wine (x86_64 build)"
run build/win64/bin/folder_list_bench.exe || status=1
echo "== one encode job under Wine (x86_64 build, a 60-second WAVE, the host's oggenc through the bridge)"
run build/win64/bin/encode_job_bench.exe || status=1
echo "== choosing a 1 GiB WAVE with its tags after the audio, against the same without (x86_64 build)"
run build/win64/bin/choose_bench.exe || status=1
echo "== a batch under Wine (x86_64 build, eight 2-minute WAVE files, the host's oggenc through the bridge)"
run build/win64/bin/batch_bench.exe || status=1
exit $status
