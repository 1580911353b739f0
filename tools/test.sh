#!/usr/bin/env bash
# The one test command: installs what is missing, builds both presets and runs
# every test. The native build (protocol code under ASan/UBSan, the fuzzers)
# runs first; the Windows build runs its tests under Wine inside an X display,
# because without one Wine sends owner-drawn list views no WM_MEASUREITEM or
# WM_DRAWITEM and delivers no WSAAsyncSelect socket events.
set -euo pipefail
# Wine keeps its prefix under HOME; make sure there is one even when the
# caller's environment does not name it.
if [ -z "${HOME:-}" ]; then HOME=$(getent passwd "$(id -u)" | cut -d: -f6); export HOME; fi
cd "$(dirname "$0")/.."

bash tools/setup.sh

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
jobs=$(nproc)

echo "== native build"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

echo "== 32-bit Windows build"
cmake --preset cross >/dev/null
cmake --build --preset cross -j "$jobs"
xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset cross -j "$jobs"
