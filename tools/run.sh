#!/usr/bin/env bash
# Builds Wendle and starts it under Wine on the Japanese bench. On the user's
# X display it runs until closed; with none, it starts on a virtual display,
# saves a screenshot of the main window and says where.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/setup.sh
for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)" --target wendle >/dev/null
done
echo "built: build/win32/bin/wendle.exe (shipped, 32-bit) and build/win64/bin/wendle.exe (run here, copied to build/run beside the encoder bridge)"
# Wendle runs the oggenc.exe beside wendle.exe first: here that is the
# bridge to the host's own oggenc. In a folder of its own, so that the test
# programs in the build folder find no encoder beside them.
run=build/run
mkdir -p "$run"
rm -f build/win64/bin/oggenc.exe "$run/oggenc.exe"
cp build/win64/bin/wendle.exe "$run/wendle.exe"
if command -v oggenc >/dev/null 2>&1; then
    cmake --build --preset win64 -j "$(nproc)" --target oggenc_bridge >/dev/null
    cp build/win64/bin/oggenc_bridge.exe "$run/oggenc.exe"
    echo "encoder: $run/oggenc.exe hands each job to $(command -v oggenc)"
else
    echo "encoder: skipped, no native oggenc on this host (package vorbis-tools);" \
        "Wendle will say that oggenc.exe is missing"
fi
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    # Wine's desktop follows the display its server started on: use a server
    # of this display's own, not the tests' one on the virtual display.
    user_display=$DISPLAY
    tools/winebench prefix
    tools/winebench stop
    eval "$(tools/winebench env)"
    export DISPLAY=$user_display
    cd "$run" && exec /usr/lib/wine/wine64 wendle.exe
fi
tools/winebench setup
eval "$(tools/winebench env)"
(cd "$run" && exec /usr/lib/wine/wine64 wendle.exe </dev/null >/dev/null 2>&1) &
window=""
for _ in $(seq 300); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"Wendle v[0-9.]+"/ {print $1; exit}')
    [ -n "$window" ] && break
    sleep 0.1
done
shot=$root/build/wendle-main-window.png
if [ -n "$window" ]; then
    import -window "$window" "$shot" 2>/dev/null || import -window root "$shot"
    echo "no X display: Wendle ran on a virtual display; screenshot of its main window: $shot"
else
    echo "Wendle's main window did not appear" >&2
fi
tools/winebench stop
[ -n "$window" ]
