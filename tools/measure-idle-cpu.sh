#!/usr/bin/env bash
# Measures the CPU time ventrio-sim.exe (and the Wine server working for it) uses over ten idle
# seconds after start-up, with the simulated mouse attached. Needs a built win64 folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds=${1:-10}
source "$root/tools/wine-env.sh"
mkdir -p "$root/build/win64/measure"
wine_start "$root/build/win64/measure"
cd "$root/build/win64/bin"
wine_run ./ventrio-sim.exe &
# The splash shows for three seconds; give start-up time to settle.
sleep 8
pid=$(pgrep -f 'ventrio-sim.exe' | head -n 1)
server=$(pgrep -x wineserver64 || pgrep -x wineserver | head -n 1)
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks "$pid")
server_before=$(ticks "$server")
sleep "$seconds"
after=$(ticks "$pid")
server_after=$(ticks "$server")
awk -v p=$((after - before)) -v s=$((server_after - server_before)) -v hz="$hz" -v t="$seconds" \
    'BEGIN { printf "idle %d s: program %.2f%% of one core (%d ticks), wineserver %.2f%% (%d ticks)\n",
             t, 100 * p / hz / t, p, 100 * s / hz / t, s }'
