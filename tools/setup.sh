#!/usr/bin/env bash
# Installs what the build and the tests need, and only what is missing, then
# boots the Wine prefix once. Safe to run again: a machine that has it all
# returns in a second or two. Works as root, or as a user with sudo.
set -euo pipefail
# Wine keeps its prefix under HOME; make sure there is one even when the
# caller's environment does not name it.
if [ -z "${HOME:-}" ]; then HOME=$(getent passwd "$(id -u)" | cut -d: -f6); export HOME; fi

if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi

need_pkgs=(
  wine wine32:i386 wine64 g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  cmake ninja-build g++ clang libclang-rt-14-dev llvm
  googletest libgtest-dev libbenchmark-dev libboost-url1.81-dev libasio-dev
  locales fonts-nanum fonts-noto-cjk xvfb xauth clang-format
)

missing=()
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${SUDO[@]}" dpkg --add-architecture i386
  fi
  "${SUDO[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from LANG only when the glibc locale exists.
wanted_locales=(ko_KR.UTF-8 ja_JP.UTF-8 zh_CN.UTF-8)
regen=0
for l in "${wanted_locales[@]}"; do
  norm=$(echo "$l" | sed 's/UTF-8/utf8/')
  if ! locale -a 2>/dev/null | grep -qx "$norm"; then
    "${SUDO[@]}" sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | "${SUDO[@]}" tee -a /etc/locale.gen >/dev/null
    regen=1
  fi
done
if [ "$regen" -eq 1 ]; then "${SUDO[@]}" locale-gen >/dev/null; fi

# Boot the Wine prefix once, so the first test does not pay for it. The
# loader must be one this machine can run: where the kernel refuses 32-bit
# programs, Debian's `wine` wrapper (which starts the 32-bit loader first)
# fails silently, while Wine's 64-bit loader makes a working prefix.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
prefix="${WINEPREFIX:-$HOME/.wine}"
if [ ! -f "$prefix/system.reg" ]; then
  echo "setup: creating the Wine prefix in $prefix"
  if bash "$(dirname "$0")/arch.sh" runs32; then
    wineboot -i >/dev/null 2>&1 || true
  else
    "$(bash "$(dirname "$0")/arch.sh" wine64)" wineboot -i >/dev/null 2>&1 || true
  fi
  wineserver -w || true
fi
# A program that crashes must end, not wait for a click on Wine's crash
# dialog in the virtual display (which holds a test run until its timeout):
# the debugger then only writes its report.
if ! grep -q '"ShowCrashDialog"=dword:00000000' "$prefix/user.reg" 2>/dev/null; then
  if bash "$(dirname "$0")/arch.sh" runs32; then loader=wine; else
    loader=$(bash "$(dirname "$0")/arch.sh" wine64)
  fi
  "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1 || true
  wineserver -w || true
fi
echo "setup: done"
