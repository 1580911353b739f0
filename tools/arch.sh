#!/usr/bin/env bash
# What this machine can run, for the setup, test, demo and release scripts.
#   arch.sh runs32   exit 0 when a tiny 32-bit Windows program runs under
#                    32-bit Wine (`wine`), in the caller's Wine prefix
#   arch.sh runs64   exit 0 when a tiny 64-bit Windows program runs under
#                    Wine's 64-bit loader
#   arch.sh why32    prints, in one line, why runs32 fails (empty when it
#                    does not)
#   arch.sh execs32  exit 0 when the kernel starts 32-bit Linux programs,
#                    natively or through a binfmt_misc handler such as
#                    QEMU's user-mode emulator
#   arch.sh wine64   prints the path of Wine's 64-bit loader
#
# runs32 and runs64 ask what the tests need: that Wine starts a Windows
# program of that architecture. The i386 loader starting is not enough: with
# an emulator registered it starts, yet 32-bit Wine fails in a prefix made
# without its 32-bit half. The probe programs are compiled once into
# build/probe/.
set -u
here=$(cd "$(dirname "$0")" && pwd)
probe_dir="$here/../build/probe"

execs32() {
  # Some kernels have IA-32 emulation switched off: every 32-bit program
  # then fails with "Exec format error". The i386 dynamic loader (installed
  # with wine32) is the smallest 32-bit program at hand.
  local ld
  for ld in /lib/ld-linux.so.2 /usr/lib/i386-linux-gnu/ld-linux.so.2; do
    if [ -x "$ld" ]; then
      "$ld" --version >/dev/null 2>&1
      return $?
    fi
  done
  return 1
}

wine64_path() {
  local w
  for w in /usr/lib/wine/wine64 /usr/lib64/wine/wine64 "$(command -v wine64 2>/dev/null)"; do
    if [ -n "$w" ] && [ -x "$w" ]; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

# build_probe BITS: prints the path of the probe program, compiling it when
# missing or out of date.
build_probe() {
  local bits=$1 cc
  case "$bits" in
    32) cc=i686-w64-mingw32-gcc-posix ;;
    64) cc=x86_64-w64-mingw32-gcc-posix ;;
  esac
  command -v "$cc" >/dev/null 2>&1 || return 1
  mkdir -p "$probe_dir" || return 1
  local src="$probe_dir/probe.c" exe="$probe_dir/probe$bits.exe" tmp
  tmp=$(mktemp "$probe_dir/probe.c.XXXXXX") || return 1
  cat >"$tmp" <<'EOF'
#include <stdio.h>
#include <windows.h>
int main(void) {
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  printf("peltora-probe %u\n", (unsigned)(sizeof(void*) * 8));
  return si.dwPageSize != 0 ? 0 : 1;
}
EOF
  if cmp -s "$tmp" "$src"; then rm -f "$tmp"; else mv -f "$tmp" "$src"; fi
  if [ ! -f "$exe" ] || [ "$src" -nt "$exe" ]; then
    "$cc" -O1 -s -o "$exe.tmp$$" "$src" >/dev/null 2>&1 || { rm -f "$exe.tmp$$"; return 1; }
    mv -f "$exe.tmp$$" "$exe"
  fi
  echo "$exe"
}

# probe BITS LOADER: runs the probe; succeeds when it printed its line. The
# first start of a prefix takes tens of seconds (minutes under an emulator);
# the timeout only catches a hang. The probe opens no window, yet it runs
# inside an X display (with-display.sh): on a cold Wine it is the program
# that starts the session's desktop process, and a desktop started without
# a display leaves the windowed program that follows it (the demo's driver,
# the first tests) without a display driver.
probe() {
  local bits=$1 loader=$2 exe out
  exe=$(build_probe "$bits") || return 1
  out=$(WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    timeout -k 10 600 bash "$here/with-display.sh" "$loader" "$exe" </dev/null 2>/dev/null) || return 1
  [ "$(printf '%s' "$out" | tr -d '\r')" = "peltora-probe $bits" ]
}

case "${1:-}" in
  runs32)
    execs32 || exit 1
    command -v wine >/dev/null 2>&1 || exit 1
    probe 32 wine
    ;;
  runs64)
    w=$(wine64_path) || exit 1
    probe 64 "$w"
    ;;
  why32)
    prefix="${WINEPREFIX:-$HOME/.wine}"
    if ! execs32; then
      if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
        echo "this machine's kernel runs no 32-bit programs, and the qemu-i386 handler registered for them does not start them"
      else
        echo "this machine's kernel runs no 32-bit programs, and no emulator is registered for them"
      fi
    elif ! command -v wine >/dev/null 2>&1; then
      echo "32-bit Wine (package wine32:i386) is not installed"
    elif ! bash "$here/with-display.sh" --live && ! command -v xvfb-run >/dev/null 2>&1; then
      echo "there is no X display for Wine and no xvfb-run (package xvfb)"
    elif ! probe 32 wine; then
      if grep -q '^#arch=win64' "$prefix/system.reg" 2>/dev/null &&
        [ ! -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
        echo "the Wine prefix $prefix lacks its 32-bit half (bash tools/setup.sh makes it again)"
      else
        echo "32-bit Linux programs start, but 32-bit Wine does not run a 32-bit Windows program in $prefix"
      fi
    fi
    ;;
  execs32) execs32 ;;
  wine64)
    wine64_path && exit 0
    echo "arch.sh: Wine's 64-bit loader (package wine64) is missing" >&2
    exit 1
    ;;
  -h | --help)
    echo "usage: arch.sh runs32|runs64|why32|execs32|wine64"
    ;;
  *)
    echo "usage: arch.sh runs32|runs64|why32|execs32|wine64" >&2
    exit 2
    ;;
esac
