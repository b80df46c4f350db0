#!/usr/bin/env bash
# Builds the utility and runs it. Until the Windows program lands this shows, through the
# command-line companion, the configuration the program would load from its generated data set.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash tools/install-deps.sh
cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native -j "$(nproc)"
build/native/bin/ventrioctl show "$@"
