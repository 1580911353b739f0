#!/usr/bin/env bash
# Packs the release for host developers: builds what the 32-bit build
# (build/cross, the build the 32-bit tests run) installs, and has CPack
# make the archives of that install (cmake/PeltoraInstall.cmake):
#
#   build/release/peltora-<version>-win32.zip
#     peltora-<version>-win32/  bin/ (the stripped DLLs: plug-ins, framework,
#                               MinGW runtime), include/, lib/ (import
#                               libraries, lib/cmake/peltora), share/peltora/
#                               <config>/Images, samples/
#   build/release/peltora-<version>-win32-debug.zip
#     peltora-<version>-win32/  bin/<dll>.debug, the debug information of
#                               each DLL, which its debug link names
#
# each with its SHA-256 beside it (<archive>.sha256). The version is the
# project's (CMakeLists.txt).
#
#   bash tools/release.sh [-h | --help]
set -euo pipefail
if [ -z "${HOME:-}" ]; then HOME=$(getent passwd "$(id -u)" | cut -d: -f6); export HOME; fi
cd "$(dirname "$0")/.."

case "${1:-}" in
  -h | --help)
    sed -n '2,18p' "$0" | sed 's/^# \{0,1\}//'
    exit 0
    ;;
  "") ;;
  *)
    echo "release: unknown argument '$1' (see --help)" >&2
    exit 2
    ;;
esac

bash tools/setup.sh >/dev/null
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The images are drawn by a Windows program at build time. Where 32-bit
# Wine cannot run it, the 64-bit build draws them (the same bytes) and the
# 32-bit build takes them from there.
image_source=
if ! bash tools/arch.sh runs32; then
  echo "== release: the images from the 64-bit build, because $(bash tools/arch.sh why32)"
  cmake --preset cross64 >/dev/null
  cmake --build --preset cross64 -j "$(nproc)" --target peltora_images
  image_source=$PWD/build/cross64/bin
fi

echo "== release: building what the 32-bit build installs (build/cross)"
cmake --preset cross -DPELTORA_IMAGE_SOURCE_DIR="$image_source" >/dev/null
cmake --build --preset cross -j "$(nproc)" --target peltora_release
rm -rf build/release
cpack --config build/cross/CPackConfig.cmake -B build/release
# CPack's staging folders, the same files again.
rm -rf build/release/_CPack_Packages

# The sizes of the DLLs as packed and as built (the MinGW runtime DLLs as
# the compiler ships them).
version=$(sed -n 's/^project(peltora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=peltora-$version-win32
mb() { awk -v b="$1" 'BEGIN { printf "%.1f MB", b / 1000000 }'; }
packed=0 built=0 count=0
while read -r size path; do
  dll=$(basename "$path")
  source=build/cross/bin/$dll
  [ -f "$source" ] || source=$(i686-w64-mingw32-g++-posix -print-file-name="$dll")
  packed=$((packed + size))
  built=$((built + $(stat -c %s "$source")))
  count=$((count + 1))
done < <(unzip -l "build/release/$name.zip" | awk '$4 ~ /\/bin\/[^/]*\.dll$/ { print $1, $4 }')
echo "== release: build/release/$name.zip ($(mb "$(stat -c %s "build/release/$name.zip")")) and" \
  "$name-debug.zip ($(mb "$(stat -c %s "build/release/$name-debug.zip")"))"
echo "   $count DLLs: $(mb "$packed") stripped, $(mb "$built") as built"

# The archives as a user's crash report meets them: every DLL is stripped
# and names its debug file, and once the debug archive is unpacked over the
# release, an address in the plug-in resolves to its source line.
check=build/release/check
rm -rf "$check"
mkdir -p "$check"
unzip -q "build/release/$name.zip" -d "$check"
for dll in "$check/$name"/bin/*.dll; do
  sections=$(i686-w64-mingw32-objdump -h "$dll")
  if grep -q '\.debug_info' <<<"$sections" || ! grep -q '\.gnu_debuglink' <<<"$sections"; then
    echo "release: $(basename "$dll") is not stripped, or links no debug file" >&2
    exit 1
  fi
done
unzip -q -o "build/release/$name-debug.zip" -d "$check"
bin=$check/$name/bin
address=$(i686-w64-mingw32-nm "$bin/peltora_ko.dll.debug" | awk '$3 == "_TsCreateChannelListWnd" { print $1 }')
line=$(i686-w64-mingw32-addr2line -e "$bin/peltora_ko.dll" "0x$address")
case "$line" in
  */chanlist/PeltoraModule.cpp:*) ;;
  *)
    echo "release: address 0x$address of peltora_ko.dll resolves to '$line'," \
      "not to chanlist/PeltoraModule.cpp, with the debug files beside it" >&2
    exit 1
    ;;
esac
rm -rf "$check"
echo "   every DLL stripped and linked to its debug file; peltora_ko.dll 0x$address -> ${line#"$PWD"/}"
