#!/usr/bin/env bash
# Runs the Windows test binary of a cross build under Wine inside its own Xvfb display.
set -euo pipefail
build="${1:?usage: run-windows-tests.sh BUILD-FOLDER [gtest options]}"
shift
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine-env.sh"
wine_start "$build"
cd "$build/bin"
status=0
wine_run ./ventrio_win_tests.exe --gtest_color=no "$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "Windows tests failed (exit code $status)" >&2
fi
exit "$status"
