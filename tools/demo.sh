#!/usr/bin/env bash
# The demo: runs the channel-list plug-in for real. Installs what is missing,
# builds the Windows build this machine runs (32-bit wherever 32-bit Wine
# can, else 64-bit) and the native channel-list server in build dirs of
# its own (build/demo/), starts the server on loopback with the sample data,
# prepares a client folder per configuration (plug-in, framework DLLs, MinGW
# runtime, Images, catalogues) and runs the demo driver (peltora_demo) under
# Wine in a virtual X display, in the configuration's locale. The driver
# clicks through the window and writes four screenshots of the lobby frame
# per configuration.
#
# usage: bash tools/demo.sh [--config ko|ja|cn | --all] [--out DIR]
#                           [--update-readme-images] [--interactive]
#
#   --config C     the configuration to run (default ko)
#   --all          ko, ja and cn in turn
#   --out DIR      where the screenshots go (default build/demo/out)
#   --update-readme-images
#                  after a run that passed, copy each configuration's first
#                  screenshot to docs/images/demo-<config>.png
#   --interactive  (needs DISPLAY) opens the lobby on your display for you to
#                  click in; the server runs until you close the window
#   -h, --help     prints this and exits
#
# Exit status 0 only when every step of every configuration passed.
#
# It runs in the Wine prefix WINEPREFIX names (default ~/.wine) and starts
# alike whether Wine is running or not: every Wine program before the
# driver (the probe of tools/arch.sh, the image generator) runs inside an X
# display, so that the desktop process of the Wine session, which Wine
# starts from the session's first program, always has a display driver
# (tools/with-display.sh says why). tools/demo-coldstart-check.sh starts it
# from a cold Wine several times.
set -euo pipefail
# Wine keeps its prefix under HOME; make sure there is one even when the
# caller's environment does not name it.
if [ -z "${HOME:-}" ]; then HOME=$(getent passwd "$(id -u)" | cut -d: -f6); export HOME; fi
cd "$(dirname "$0")/.."
root=$PWD

# usage [STATUS]: the usage lines of the comment above; on standard output
# for --help (status 0), else on standard error (status 2).
usage() {
  local status=${1:-2} text
  text=$(sed -n '/^# usage:/,/^#   -h, --help/p' "$0" | sed 's/^# \{0,1\}//')
  if [ "$status" -eq 0 ]; then echo "$text"; else echo "$text" >&2; fi
  exit "$status"
}

configs=(ko)
out=build/demo/out
interactive=0
update_images=0
while [ $# -gt 0 ]; do
  case "$1" in
    --config)
      [ $# -ge 2 ] || usage
      case "$2" in ko | ja | cn) configs=("$2") ;; *) echo "demo: no configuration '$2' (ko, ja or cn)" >&2; exit 2 ;; esac
      shift 2
      ;;
    --all) configs=(ko ja cn); shift ;;
    --out)
      [ $# -ge 2 ] || usage
      out=$2
      shift 2
      ;;
    --interactive) interactive=1; shift ;;
    --update-readme-images) update_images=1; shift ;;
    -h | --help) usage 0 ;;
    *) echo "demo: unknown argument '$1'" >&2; usage ;;
  esac
done
if [ "$interactive" -eq 1 ]; then
  if [ -z "${DISPLAY:-}" ]; then
    echo "demo: --interactive needs an X display (DISPLAY is not set)" >&2
    exit 2
  fi
  if ! bash tools/with-display.sh --live; then
    echo "demo: --interactive needs an X display, and DISPLAY=$DISPLAY does not answer" >&2
    exit 2
  fi
  if [ "${#configs[@]}" -ne 1 ]; then
    echo "demo: --interactive runs one configuration; choose it with --config" >&2
    exit 2
  fi
fi

bash tools/setup.sh

# Wine says nothing but its diagnostics for users (the channel winediag),
# such as "no driver could be loaded" when a window cannot be created.
export WINEDEBUG=-all,err+winediag WINEDLLOVERRIDES="mscoree,mshtml="
jobs=$(nproc)
# The 32-bit DLLs that ship, wherever 32-bit Wine runs them (natively or
# through the emulator the setup registers); else the 64-bit build.
if bash tools/arch.sh runs32; then
  preset=cross bits=32 loader=wine cxx=i686-w64-mingw32-g++-posix
else
  echo "== demo: the 64-bit build, because $(bash tools/arch.sh why32)"
  preset=cross64 bits=64 loader=$(bash tools/arch.sh wine64) cxx=x86_64-w64-mingw32-g++-posix
fi
demo_dir=build/demo
win_build=$demo_dir/$preset
native_build=$demo_dir/native

echo "== demo: building the $bits-bit Windows build ($win_build) and the channel-list server ($native_build)"
cmake --preset native -B "$native_build" >/dev/null
cmake --build "$native_build" -j "$jobs" --target peltora_listserver
cmake --preset "$preset" -B "$win_build" >/dev/null
cmake --build "$win_build" -j "$jobs" --target peltora_demo peltora_host peltora_ko peltora_ja \
  peltora_cn peltora_images

# Processes this script started, stopped on every way out.
server_pid=
driver_pid=
stop_all() {
  if [ -n "$driver_pid" ]; then
    # The driver runs in a process group of its own (timeout's, or a new
    # session): end the whole group, Wine and the X server included.
    kill -TERM -- "-$driver_pid" 2>/dev/null || true
    wait "$driver_pid" 2>/dev/null || true
    driver_pid=
  fi
  if [ -n "$server_pid" ]; then
    kill -TERM "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
    server_pid=
  fi
}
trap stop_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The channel-list server, on 127.0.0.1 at a port of its choosing.
server_dir=$demo_dir/server
mkdir -p "$server_dir"
rm -f "$server_dir/port"
"$native_build/bin/peltora_listserver" --data samples/server/channels.txt --port 0 \
  --port-file "$server_dir/port" >"$server_dir/log" 2>&1 </dev/null &
server_pid=$!
for _ in $(seq 100); do
  [ -s "$server_dir/port" ] && break
  kill -0 "$server_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -s "$server_dir/port" ]; then
  echo "demo: the channel-list server did not start:" >&2
  cat "$server_dir/log" >&2
  exit 1
fi
port=$(cat "$server_dir/port")
echo "== demo: channel-list server on 127.0.0.1:$port (log: $server_dir/log)"

# The MinGW runtime DLLs the programs and DLLs import.
runtime_dlls=()
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libgcc_s_dw2-1.dll libgcc_s_sjlj-1.dll libwinpthread-1.dll; do
  path=$("$cxx" -print-file-name="$dll")
  if [ -f "$path" ]; then runtime_dlls+=("$path"); fi
done

# A client folder: the programs, the plug-in of the configuration beside
# the framework DLLs, the runtime, the images and the catalogues (the
# server's port written into catalogues that name their servers).
prepare_client() {
  local config=$1 client=$2
  rm -rf "$client"
  mkdir -p "$client"
  cp "$win_build/bin/peltora_demo.exe" "$win_build/bin/peltora_host.exe" \
    "$win_build/bin/peltora_$config.dll" "$win_build"/bin/lib*.dll "${runtime_dlls[@]}" "$client/"
  # Each configuration's picture is drawn for its own member panel.
  local images="$win_build/bin/Images"
  [ "$config" = ko ] || images="$win_build/bin/Images-$config"
  cp -r "$images" "$client/Images"
  for catalogue in samples/catalogues/*.tsg; do
    LC_ALL=C sed "s/{port}/$port/g" "$catalogue" >"$client/$(basename "$catalogue")"
  done
}

locale_of() {
  case "$1" in ko) echo ko_KR.UTF-8 ;; ja) echo ja_JP.UTF-8 ;; cn) echo zh_CN.UTF-8 ;; esac
}

mkdir -p "$out"
out_abs=$(cd "$out" && pwd)
xvfb=(xvfb-run -a -s "-screen 0 1024x768x24")

if [ "$interactive" -eq 1 ]; then
  config=${configs[0]}
  client=$demo_dir/$config/client
  prepare_client "$config" "$client"
  echo "== demo: $config lobby on $DISPLAY; close its window to stop"
  lang=$(locale_of "$config")
  setsid env LANG="$lang" LC_ALL="$lang" "$loader" "$client/peltora_demo.exe" --interactive \
    "Z:$root/$client/peltora_$config.dll" "Z:$root/samples/hosts/$config.conf" "$port" </dev/null &
  driver_pid=$!
  status=0
  wait "$driver_pid" || status=$?
  driver_pid=
  exit "$status"
fi

failed=()
start_all=$SECONDS
for config in "${configs[@]}"; do
  start=$SECONDS
  client=$demo_dir/$config/client
  lang=$(locale_of "$config")
  echo "== demo: $config ($lang, $bits-bit) from $client"
  prepare_client "$config" "$client"
  rm -f "$out_abs/$config"-*.png
  # timeout makes a process group of its own, so that stop_all can end the
  # driver with its X server; the driver's own waits are bounded, this only
  # catches a hang outside them.
  status=0
  # Wine's helper processes may outlive the driver by a moment and then
  # report the end of the X display; that line is no news.
  timeout -k 10 300 "${xvfb[@]}" env LANG="$lang" LC_ALL="$lang" "$loader" \
    "$client/peltora_demo.exe" "Z:$root/$client/peltora_$config.dll" \
    "Z:$root/samples/hosts/$config.conf" "$port" "Z:$out_abs" "$config" </dev/null \
    2> >(grep -v --line-buffered '^X connection to .* broken' >&2) &
  driver_pid=$!
  wait "$driver_pid" || status=$?
  driver_pid=
  if [ "$status" -eq 0 ]; then
    echo "== demo: $config passed in $((SECONDS - start)) s"
  else
    echo "== demo: $config FAILED (exit status $status) after $((SECONDS - start)) s"
    failed+=("$config")
  fi
done

echo "== demo: screenshots in $out_abs:"
ls -1 "$out_abs"/*.png 2>/dev/null | sed 's/^/   /' || true
if [ "${#failed[@]}" -gt 0 ]; then
  echo "== demo: FAILED: ${failed[*]} (server log: $server_dir/log)" >&2
  exit 1
fi
if [ "$update_images" -eq 1 ]; then
  mkdir -p docs/images
  for config in "${configs[@]}"; do
    cp "$out_abs/$config-1-loaded.png" "docs/images/demo-$config.png"
    echo "== demo: docs/images/demo-$config.png updated"
  done
fi
echo "== demo: passed: ${configs[*]} in $((SECONDS - start_all)) s"
