#!/usr/bin/env bash
# The one test command: installs what is missing, builds and runs every
# test. The native build (protocol code and tools under ASan/UBSan, the
# fuzzers) runs first; the Windows builds run their tests under Wine inside
# an X display, because without one Wine sends owner-drawn list views no
# WM_MEASUREITEM or WM_DRAWITEM and delivers no WSAAsyncSelect socket events.
#
# The product is the 32-bit DLLs, so their build is tested first wherever
# 32-bit Wine runs a 32-bit Windows program: natively, or through QEMU's
# user-mode emulator, which the setup registers where the kernel refuses
# 32-bit programs and the user is root. Then the 64-bit build, so that
# neither architecture breaks unseen. Where 32-bit Wine cannot run (no root
# to register the emulator, binfmt_misc not mountable), the 32-bit plug-in
# DLLs are still built and their string tables checked as files, and every
# Windows test runs in the 64-bit build under 64-bit Wine; the output says
# why. At the end it prints how long each part took.
#
#   PELTORA_TEST_ARCH=both|32|64   restrict the Windows tests to one build;
#                                  64 takes the 64-bit-only path anywhere
#   PELTORA_SKIP_NATIVE=1          skip the native build and its fuzzers
set -euo pipefail
# Wine keeps its prefix under HOME; make sure there is one even when the
# caller's environment does not name it.
if [ -z "${HOME:-}" ]; then HOME=$(getent passwd "$(id -u)" | cut -d: -f6); export HOME; fi
cd "$(dirname "$0")/.."

times=()
part_start=$SECONDS
# timed NAME: records and prints how long the part since the previous call
# took; every part so far is listed again when the command ends, passed or
# failed.
timed() {
  local s=$((SECONDS - part_start))
  times+=("$1: $((s / 60)) min $((s % 60)) s")
  echo "== $1: $((s / 60)) min $((s % 60)) s"
  part_start=$SECONDS
}
print_times() {
  if [ "${#times[@]}" -gt 0 ]; then
    echo "== times:"
    printf '   %s\n' "${times[@]}"
  fi
}
trap print_times EXIT

bash tools/setup.sh
timed setup

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
jobs=$(nproc)
xvfb=(xvfb-run -a -s "-screen 0 1024x768x24")

if bash tools/arch.sh runs32; then runs32=1 why32=; else runs32=0 why32=$(bash tools/arch.sh why32); fi
how32="natively"
if grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null; then
  how32="through QEMU's user-mode emulator"
fi
arch="${PELTORA_TEST_ARCH:-}"
if [ -z "$arch" ]; then
  if [ "$runs32" -eq 1 ]; then arch=both; else arch=64; fi
fi
case "$arch" in
  both | 32)
    if [ "$runs32" -eq 0 ]; then
      echo "test: PELTORA_TEST_ARCH=$arch, but 32-bit Wine cannot run here: $why32" >&2
      exit 1
    fi
    ;;
  64) ;;
  *)
    echo "test: PELTORA_TEST_ARCH must be both, 32 or 64, not '$arch'" >&2
    exit 2
    ;;
esac
case "$arch" in
  both) echo "== Windows tests: the 32-bit build, then the 64-bit build (32-bit Wine runs here, $how32)" ;;
  32) echo "== Windows tests: 32-bit only (PELTORA_TEST_ARCH=32; 32-bit Wine runs here, $how32)" ;;
  64)
    if [ "$runs32" -eq 1 ]; then
      echo "== Windows tests: 64-bit only (PELTORA_TEST_ARCH=64); the 32-bit DLLs are built, not run"
    else
      echo "== Windows tests: 64-bit only, because $why32;"
      echo "   the 32-bit DLLs are built and their string tables read as files"
    fi
    ;;
esac

if [ "${PELTORA_SKIP_NATIVE:-0}" != 1 ]; then
  echo "== native build"
  cmake --preset native >/dev/null
  cmake --build --preset native -j "$jobs"
  ctest --preset native -j "$jobs"
  timed "native build and tests"
fi

echo "== 32-bit Windows build"
cmake --preset cross >/dev/null
if [ "$arch" = 64 ]; then
  # Only what needs no Windows program at build time: the shipped DLLs.
  cmake --build --preset cross -j "$jobs" --target peltora_ko peltora_ja peltora_cn
  timed "32-bit build (plug-in DLLs only)"
else
  cmake --build --preset cross -j "$jobs"
  timed "32-bit build"
  echo "== 32-bit Windows tests ($how32)"
  "${xvfb[@]}" ctest --preset cross -j "$jobs"
  timed "32-bit tests"
fi

if [ "$arch" != 32 ]; then
  echo "== 64-bit Windows build"
  cmake --preset cross64 -DPELTORA_SHIPPED_DLL_DIR="$PWD/build/cross/bin" >/dev/null
  cmake --build --preset cross64 -j "$jobs"
  timed "64-bit build"
  # The long runs (label soak) watch the shipped DLLs for leaks: where the
  # 32-bit build ran them, the 64-bit build skips them, which keeps the
  # command several minutes shorter.
  skip_soak=()
  if [ "$arch" = both ]; then
    skip_soak=(-LE soak)
    echo "== 64-bit Windows tests (the long runs, label soak, ran in the 32-bit build only)"
  else
    echo "== 64-bit Windows tests"
  fi
  "${xvfb[@]}" ctest --preset cross64 -j "$jobs" "${skip_soak[@]}"
  timed "64-bit tests"
fi
if [ "$arch" = both ]; then tested="32-bit and 64-bit"; else tested="$arch-bit"; fi
if [ "${PELTORA_SKIP_NATIVE:-0}" != 1 ]; then tested="native, $tested"; fi
echo "== tested: $tested Windows"
