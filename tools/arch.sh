#!/usr/bin/env bash
# What this machine can run, for the setup, test and demo scripts.
#   arch.sh runs32   exit 0 when 32-bit programs run here (so Wine's 32-bit
#                    loader, and with it the 32-bit Windows build, can run)
#   arch.sh wine64   prints the path of Wine's 64-bit loader
set -u
case "${1:-}" in
  runs32)
    # Some kernels have IA-32 emulation switched off: every 32-bit program
    # then fails with "Exec format error". Running the i386 dynamic loader
    # (installed with wine32) tells the two kinds of machine apart.
    for ld in /lib/ld-linux.so.2 /usr/lib/i386-linux-gnu/ld-linux.so.2; do
      if [ -x "$ld" ]; then
        "$ld" --version >/dev/null 2>&1
        exit $?
      fi
    done
    exit 1
    ;;
  wine64)
    for w in /usr/lib/wine/wine64 /usr/lib64/wine/wine64 "$(command -v wine64 2>/dev/null)"; do
      if [ -n "$w" ] && [ -x "$w" ]; then
        echo "$w"
        exit 0
      fi
    done
    echo "arch.sh: Wine's 64-bit loader (package wine64) is missing" >&2
    exit 1
    ;;
  *)
    echo "usage: arch.sh runs32|wine64" >&2
    exit 2
    ;;
esac
