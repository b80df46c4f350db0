#!/usr/bin/env bash
# Builds the utility and starts it: on Linux the program with the simulated mouse,
# ventrio-sim.exe, under Wine. With a display it simply runs there (Ctrl+C ends it). Without one
# it runs inside a private Xvfb display, takes pictures once it has started, says where they are
# and ends.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash tools/install-deps.sh

jobs=$(nproc)
# The native build provides the build-time tools of the Windows build.
cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native -j "$jobs"
cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake" \
    -DVENTRIO_HOST_TOOLS="$root/build/native" >/dev/null
cmake --build build/win64 -j "$jobs" --target ventrio-sim screenshot

bin="$root/build/win64/bin"
if [ -n "${DISPLAY:-}" ]; then
    export WINE_USE_DISPLAY=1
fi
source tools/wine-env.sh
# A prefix of its own, apart from the one the tests use.
mkdir -p "$root/build/win64/run"
wine_start "$root/build/win64/run"

cd "$bin"
if [ -n "${WINE_USE_DISPLAY:-}" ]; then
    echo "Starting ventrio-sim.exe on $DISPLAY (Ctrl+C ends it)."
    wine_run ./ventrio-sim.exe
    exit 0
fi

shots="$root/build/win64/screenshots"
mkdir -p "$shots"
wine_run ./ventrio-sim.exe &
title='Korvex2016版'
sleep 1.5
wine_run ./screenshot.exe --screen "$(windows_path "$shots/run-splash.png")" >/dev/null || true
# The window takes its title when the splash has gone; give it a moment to finish starting.
if ! wine_run ./screenshot.exe --window "$title" --wait 30 "$(windows_path "$shots/run-probe.png")" \
    >/dev/null 2>&1; then
    echo "ventrio-sim.exe did not start" >&2
    exit 1
fi
rm -f "$shots/run-probe.png"
sleep 2
wine_run ./screenshot.exe --screen "$(windows_path "$shots/run-screen.png")" >/dev/null
wine_run ./screenshot.exe --window "$title" --show "$(windows_path "$shots/run-main-window.png")" \
    >/dev/null
echo "ventrio-sim.exe started. Pictures:"
echo "  $shots/run-splash.png       the splash during start-up"
echo "  $shots/run-screen.png       the screen after start-up"
echo "  $shots/run-main-window.png  the main window (shown for the picture if it runs hidden)"
