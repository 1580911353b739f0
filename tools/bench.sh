#!/usr/bin/env bash
# The one benchmark command: builds what the benchmarks need and runs them,
# printing figures and ratios measured in the same run (never asserted).
#
# usage: bash tools/bench.sh [--part kelp|server|windows]... [Google Benchmark flags...]
#
# Without --part every part runs: kelp (the message library), server (the
# channel-list server under load and abuse) and windows (the list views and
# the window under Wine). The other flags go to each Google Benchmark
# program, e.g. --benchmark_filter=Reader or --benchmark_repetitions=5.
# -h or --help prints this and exits.
set -euo pipefail
cd "$(dirname "$0")/.."

# usage [STATUS]: the comment above; on standard output for --help (status
# 0), else on standard error (status 2).
usage() {
  local status=${1:-2} text
  text=$(sed -n '/^# usage:/,/^# -h or --help/p' "$0" | sed 's/^# \{0,1\}//')
  if [ "$status" -eq 0 ]; then echo "$text"; else echo "$text" >&2; fi
  exit "$status"
}
for arg in "$@"; do
  case "$arg" in -h | --help) usage 0 ;; esac
done

parts=""
while [ "${1:-}" = "--part" ]; do
  [ $# -ge 2 ] || usage
  case "$2" in
    kelp | server | windows) parts="$parts $2" ;;
    *) echo "bench: no part '$2' (kelp, server or windows)" >&2; exit 2 ;;
  esac
  shift 2
done
parts=${parts:-kelp server windows}
wants() { case " $parts " in *" $1 "*) return 0 ;; *) return 1 ;; esac; }

bash tools/setup.sh
cmake --preset bench >/dev/null

# ---- native: the message library (build/bench: Release, clang, no sanitizers)
if wants kelp; then
  echo "== native: kelp_bench (msgdata reader and renderer, Boost.URL, memcpy)"
  cmake --build --preset bench
  build/bench/tools/bench/kelp_bench "$@"
fi

# ---- native: the channel-list server under load, beside a bare reference
# and beside abusive clients (about 40 s)
if wants server; then
  echo "== native: peltora_listload against peltora_listserver and the bare peltora_listecho"
  cmake --build --preset bench --target peltora_listserver peltora_listload peltora_listecho
  bash tools/listload/bench-load.sh build/bench
fi
wants windows || exit 0

# ---- Windows: the list views and the window under Wine in Xvfb (the
# Windows build this machine can run, optimised as the product is), with
# the channel-list server of the bench preset on loopback.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if bash tools/arch.sh runs32; then
  preset=cross loader=wine cxx=i686-w64-mingw32-g++-posix
else
  preset=cross64 loader=$(bash tools/arch.sh wine64) cxx=x86_64-w64-mingw32-g++-posix
fi
# Wine finds the MinGW runtime DLLs (libstdc++, libgcc, winpthread) here.
WINEPATH="$(dirname "$("$cxx" -print-file-name=libstdc++-6.dll)");$(dirname "$("$cxx" -print-file-name=libwinpthread-1.dll)")"
export WINEPATH
win_build=build/bench-$preset
echo "== Windows ($preset, $win_build): list_bench (filling and sorting the lists, replies, group clicks)"
cmake --build --preset bench --target peltora_listserver
cmake --preset "$preset" -B "$win_build" >/dev/null
cmake --build "$win_build" --target list_bench
server_dir=$PWD/build/bench/list-server
bash tools/listserver/fixture.sh start "$server_dir" build/bench/bin/peltora_listserver \
  tools/bench-win/bench-channels.txt
trap 'bash tools/listserver/fixture.sh stop "$server_dir"' EXIT
PELTORA_LISTSERVER_PORT_FILE="Z:$server_dir/port" \
  xvfb-run -a -s "-screen 0 1024x768x24" "$loader" "$PWD/$win_build/bin/list_bench.exe"
