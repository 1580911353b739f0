#!/usr/bin/env bash
# Packs the release for host developers: the three 32-bit plug-in DLLs of
# the 32-bit build (build/cross, the build the 32-bit tests run), every DLL
# of that build or of the MinGW runtime they import (followed through the
# imports of those in turn), the sample files and a SHA256SUMS list:
#
#   build/release/peltora-<version>-win32.zip
#     peltora-<version>-win32/  peltora_ko.dll peltora_ja.dll peltora_cn.dll,
#                               lib*.dll, samples/, SHA256SUMS
#
# The version is the project's (CMakeLists.txt). DLLs the imports name that
# are neither built here nor MinGW's are Windows' own and listed, not packed.
set -euo pipefail
if [ -z "${HOME:-}" ]; then HOME=$(getent passwd "$(id -u)" | cut -d: -f6); export HOME; fi
cd "$(dirname "$0")/.."

bash tools/setup.sh >/dev/null

plugins=(peltora_ko.dll peltora_ja.dll peltora_cn.dll)
cxx=i686-w64-mingw32-g++-posix
objdump=i686-w64-mingw32-objdump
bin=build/cross/bin

echo "== release: building the 32-bit plug-in DLLs (build/cross)"
cmake --preset cross >/dev/null
cmake --build --preset cross -j "$(nproc)" --target peltora_ko peltora_ja peltora_cn
version=$(sed -n 's/^#define PELTORA_VERSION_STRING "\(.*\)"$/\1/p' build/cross/generated/peltora_version.h)
if [ -z "$version" ]; then
  echo "release: no version in build/cross/generated/peltora_version.h" >&2
  exit 1
fi

runtime_dirs=()
for dll in libstdc++-6.dll libwinpthread-1.dll; do
  runtime_dirs+=("$(dirname "$("$cxx" -print-file-name="$dll")")")
done

# find_dll NAME: the path of a DLL of the build or of the MinGW runtime,
# matched without regard to case as Windows does; nothing for Windows' own.
find_dll() {
  local dir hit
  for dir in "$bin" "${runtime_dirs[@]}"; do
    hit=$(find "$dir" -maxdepth 1 -type f -iname "$1" -print -quit 2>/dev/null)
    if [ -n "$hit" ]; then
      echo "$hit"
      return
    fi
  done
}

# Every DLL the plug-ins need, breadth first through the import tables.
declare -A packed=()
system=()
queue=()
for p in "${plugins[@]}"; do queue+=("$bin/$p"); done
while [ "${#queue[@]}" -gt 0 ]; do
  file=${queue[0]}
  queue=("${queue[@]:1}")
  key=$(basename "$file" | tr '[:upper:]' '[:lower:]')
  [ -z "${packed[$key]:-}" ] || continue
  if ! "$objdump" -f "$file" | grep -q 'file format pei-i386'; then
    echo "release: $file is not a 32-bit Windows DLL" >&2
    exit 1
  fi
  packed[$key]=$file
  while read -r name; do
    path=$(find_dll "$name")
    if [ -n "$path" ]; then
      queue+=("$path")
    elif [[ ! " ${system[*]} " =~ " ${name,,} " ]]; then
      system+=("${name,,}")
    fi
  done < <("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
done

name=peltora-$version-win32
stage=build/release/$name
rm -rf "$stage" "build/release/$name.zip"
mkdir -p "$stage"
for key in "${!packed[@]}"; do cp "${packed[$key]}" "$stage/"; done
cp -r samples "$stage/samples"
(cd "$stage" && find . -type f ! -name SHA256SUMS -printf '%P\n' | LC_ALL=C sort | xargs sha256sum >SHA256SUMS)
(cd build/release && zip -q -X -r "$name.zip" "$name")

echo "== release: build/release/$name.zip"
echo "   DLLs: $(printf '%s\n' "${!packed[@]}" | LC_ALL=C sort | tr '\n' ' ')"
echo "   from Windows itself (not packed): $(printf '%s\n' "${system[@]}" | LC_ALL=C sort | tr '\n' ' ')"
echo "   files: $(wc -l <"$stage/SHA256SUMS") with their SHA-256 in SHA256SUMS;" \
  "archive SHA-256 $(sha256sum "build/release/$name.zip" | cut -d' ' -f1)"
