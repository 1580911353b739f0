#!/usr/bin/env bash
# Checks the release as a host developer meets it: unpacks
# build/release/peltora-<version>-win32.zip (tools/release.sh), configures
# and builds the sample host project it ships (samples/host-project) with
# its MinGW toolchain file and find_package(peltora) pointed at the
# unpacked folder, and runs the program under Wine in Xvfb against the
# channel-list server (build/native, built when missing) with the sample
# data: it passes when the Korean plug-in lists the server's channels of
# group T01.
#
# Then, one case per kind of file, it takes that file out of a copy of the
# unpacked folder and checks that the host project fails where it should,
# naming the file:
#   header          include/lobbykit/TsLobbyFrame.h       the build fails
#   import library  lib/liblobbykit.dll.a                 configuring fails
#   runtime DLL     bin/libstdc++-6.dll                   the program does not start
#   image           share/peltora/ko/Images/bnclref.tsi   the program reports it
# so that a release missing any of them cannot pass.
#
#   bash tools/host-project-check.sh [-h | --help]
#
# Where 32-bit Wine cannot run (bash tools/arch.sh why32), it builds the
# host project and says why it does not run it. Work files: build/host-project/.
set -euo pipefail
if [ -z "${HOME:-}" ]; then HOME=$(getent passwd "$(id -u)" | cut -d: -f6); export HOME; fi
cd "$(dirname "$0")/.."
root=$PWD

case "${1:-}" in
  -h | --help)
    sed -n '2,23p' "$0" | sed 's/^# \{0,1\}//'
    exit 0
    ;;
  "") ;;
  *)
    echo "host-project-check: unknown argument '$1' (see --help)" >&2
    exit 2
    ;;
esac

version=$(sed -n 's/^project(peltora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
archive=build/release/peltora-$version-win32.zip
if [ ! -f "$archive" ]; then
  echo "host-project-check: no $archive (make it with bash tools/release.sh)" >&2
  exit 1
fi

bash tools/setup.sh >/dev/null
# Quiet Wine, but for its loader's errors: a DLL it cannot find.
export WINEDEBUG=-all,err+module WINEDLLOVERRIDES="mscoree,mshtml="
# The program must find every DLL in its own folder, as on a user's
# machine: no MinGW folders on Wine's search path.
unset WINEPATH
runs=1
if ! bash tools/arch.sh runs32; then runs=0; fi

work=build/host-project
rm -rf "$work"
mkdir -p "$work"
unzip -q "$archive" -d "$work/unpacked"
tree=$root/$work/unpacked/peltora-$version-win32

# The channels the server lists for group T01 of TETRIS, from the data it
# serves (samples/server/channels.txt, format in docs/listserver.md).
mapfile -t expected < <(awk '$1 == "group" { g = ($2 == "TETRIS" && $3 == "T01") }
                             g && $1 == "channel" { print $2 }' samples/server/channels.txt)
if [ "${#expected[@]}" -eq 0 ]; then
  echo "host-project-check: samples/server/channels.txt lists no channel of TETRIS T01" >&2
  exit 1
fi

server_dir=$work/server
if [ "$runs" -eq 1 ]; then
  cmake --preset native >/dev/null
  cmake --build --preset native -j "$(nproc)" --target peltora_listserver >/dev/null
  trap 'bash tools/listserver/fixture.sh stop "$server_dir"' EXIT
  bash tools/listserver/fixture.sh start "$server_dir" build/native/bin/peltora_listserver \
    samples/server/channels.txt
  port=$(cat "$server_dir/port")
fi

# try TREE BUILD: configures and builds the host project of the unpacked
# folder TREE in BUILD, then runs it there (the program's folder is the
# client folder). Prints the stage that failed (configure, build or run)
# and returns 1, or returns 0 when the program passed.
try() {
  local tree=$1 build=$2 log=$2.log status=0
  if ! cmake -S "$tree/samples/host-project" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$tree/samples/host-project/mingw-i686.cmake" \
    -DCMAKE_PREFIX_PATH="$tree" >"$log" 2>&1; then
    echo configure
    return 1
  fi
  if ! cmake --build "$build" >>"$log" 2>&1; then
    echo build
    return 1
  fi
  if [ "$runs" -eq 0 ]; then
    return 0
  fi
  # timeout only catches a hang outside the program's own deadline.
  (cd "$build" && timeout -k 10 120 xvfb-run -a -s "-screen 0 1024x768x24" \
    env LANG=ko_KR.UTF-8 LC_ALL=ko_KR.UTF-8 wine "$build/sample_host.exe" 127.0.0.1 "$port" \
    "${expected[@]}") >>"$log" 2>&1 </dev/null || status=$?
  if [ "$status" -ne 0 ]; then
    echo "run (exit status $status)"
    return 1
  fi
  return 0
}

start=$SECONDS
echo "== host-project-check: building samples/host-project against $archive"
if ! stage=$(try "$tree" "$root/$work/build"); then
  echo "host-project-check: FAILED at $stage; the log:" >&2
  grep -v '^X connection to .* broken' "$work/build.log" >&2
  exit 1
fi
if [ "$runs" -eq 0 ]; then
  echo "== host-project-check: built; not run, because $(bash tools/arch.sh why32)"
  exit 0
fi
grep '^sample_host:' "$work/build.log" | sed 's/^/   /'

# Each kind of file the host project needs, taken out in turn: the name of
# the case, the file, the stage that must then fail, and what its log must
# say (an extended regular expression).
cases=(
  "header|include/lobbykit/TsLobbyFrame.h|build|TsLobbyFrame\.h: No such file"
  "import library|lib/liblobbykit.dll.a|configure|liblobbykit\.dll\.a.*does not exist"
  "runtime DLL|bin/libstdc++-6.dll|run|Library libstdc\+\+-6\.dll .*not found"
  "image|share/peltora/ko/Images/bnclref.tsi|run|bnclref\.tsi missing"
)
failed=0
for entry in "${cases[@]}"; do
  IFS='|' read -r kind file want says <<<"$entry"
  name=${kind// /-}
  copy=$root/$work/without-$name
  cp -a "$tree" "$copy"
  if [ ! -f "$copy/$file" ]; then
    echo "host-project-check: the archive has no $file to take out" >&2
    exit 1
  fi
  rm "$copy/$file"
  if stage=$(try "$copy" "$copy-build"); then
    echo "host-project-check: without the $kind $file the host project still passed" >&2
    failed=1
  elif [ "${stage%% *}" != "$want" ]; then
    echo "host-project-check: without the $kind $file it failed at $stage, not at $want" \
      "(log: $copy-build.log)" >&2
    failed=1
  elif ! tr '\n' ' ' <"$copy-build.log" | grep -Eq "$says"; then
    echo "host-project-check: without the $kind $file it failed at $stage, but its log does" \
      "not say /$says/ (log: $copy-build.log)" >&2
    failed=1
  else
    echo "   without the $kind ($file): fails at $stage, as it must"
  fi
done
if [ "$failed" -ne 0 ]; then
  exit 1
fi
echo "== host-project-check: passed in $((SECONDS - start)) s"
