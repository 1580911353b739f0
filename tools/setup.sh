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
  locales fonts-nanum fonts-noto-cjk xvfb xauth clang-format zip
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

# Where the kernel refuses 32-bit programs, hand them to QEMU's user-mode
# emulator, so that 32-bit Wine, and with it the 32-bit build that ships,
# runs here too. QEMU must be 8 or newer: older releases ignore
# MAP_FIXED_NOREPLACE, and every Wine start then costs about a minute of CPU
# reserving its address space. Debian 12 has QEMU 10 in bookworm-backports.
arch="$(dirname "$0")/arch.sh"
binfmt=/proc/sys/fs/binfmt_misc

# The Debian mirror the machine already uses, for the backports suite.
debian_mirror() {
  local uri
  uri=$(awk 'BEGIN { RS = "" }
    /(^|\n)Suites:[^\n]*[ \t]bookworm([ \t\n]|$)/ {
      if (match($0, /URIs:[ \t]*[^ \t\n]+/)) {
        s = substr($0, RSTART, RLENGTH); sub(/URIs:[ \t]*/, "", s); print s; exit
      }
    }' /etc/apt/sources.list.d/*.sources 2>/dev/null)
  if [ -z "$uri" ]; then
    uri=$(awk '$1 == "deb" { for (i = 2; i < NF; i++) if ($i !~ /^\[/ && $(i + 1) == "bookworm") { print $i; exit } }' \
      /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null)
  fi
  echo "${uri:-http://deb.debian.org/debian}"
}

qemu_major() {
  qemu-i386 --version 2>/dev/null | sed -n '1s/^qemu-i386 version \([0-9]*\)\..*/\1/p'
}

install_qemu() {
  local major codename
  major=$(qemu_major)
  if [ -n "$major" ] && [ "$major" -ge 8 ]; then return 0; fi
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  if [ "$codename" = bookworm ]; then
    if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
      echo "setup: adding Debian's bookworm-backports suite (for QEMU 10) as /etc/apt/sources.list.d/bookworm-backports.sources"
      {
        echo "Types: deb"
        echo "URIs: $(debian_mirror)"
        echo "Suites: bookworm-backports"
        echo "Components: main"
        if [ -f /usr/share/keyrings/debian-archive-keyring.gpg ]; then
          echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
        fi
      } >/etc/apt/sources.list.d/bookworm-backports.sources
    fi
    echo "setup: installing qemu-user from bookworm-backports"
    apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
      --no-install-recommends -t bookworm-backports qemu-user
  else
    echo "setup: installing qemu-user"
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
      --no-install-recommends qemu-user
  fi
  major=$(qemu_major)
  if [ -z "$major" ] || [ "$major" -lt 8 ]; then
    echo "setup: QEMU 8 or newer is needed to run 32-bit Wine, found '${major:-none}'"
    return 1
  fi
}

# Registers qemu-i386 for every i386 ELF program (flags: O hands QEMU the
# open program, P keeps argv[0] as Wine expects, F opens QEMU now, so it
# works in other mount namespaces too). Says what it did, or why not.
register_emulator() {
  local why="the Windows tests take the 64-bit path"
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: this machine's kernel runs no 32-bit programs; registering QEMU's emulator for them needs root, so $why"
    return 1
  fi
  if [ ! -e "$binfmt/register" ] &&
    ! mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
    echo "setup: this machine's kernel runs no 32-bit programs, and binfmt_misc cannot be mounted here to register an emulator for them, so $why"
    return 1
  fi
  if [ -e "$binfmt/qemu-i386" ]; then
    echo "setup: this machine's kernel runs no 32-bit programs, and the qemu-i386 handler already registered does not start them ($(tr '\n' ' ' <"$binfmt/qemu-i386")); left alone, so $why"
    return 1
  fi
  if ! install_qemu; then
    echo "setup: QEMU's user-mode emulator could not be installed, so $why"
    return 1
  fi
  local qemu err
  qemu=$(readlink -f "$(command -v qemu-i386)")
  if ! err=$({ printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':OPF' \
    >"$binfmt/register"; } 2>&1); then
    echo "setup: this machine's kernel runs no 32-bit programs, and binfmt_misc refused QEMU's emulator for them (${err##*: }), so $why"
    return 1
  fi
  if ! bash "$arch" execs32; then
    echo -1 >"$binfmt/qemu-i386" 2>/dev/null || true
    echo "setup: QEMU's emulator was registered but still started no 32-bit program; registration undone, so $why"
    return 1
  fi
  echo "setup: this machine's kernel runs no 32-bit programs: registered QEMU's user-mode emulator ($qemu, QEMU $(qemu_major)) for them, machine-wide until the next boot; undo with: echo -1 > $binfmt/qemu-i386"
}

if ! bash "$arch" execs32; then register_emulator || true; fi

# Boot the Wine prefix once, so the first test does not pay for it. The
# loader must be one this machine can run: where 32-bit programs do not
# start, Debian's `wine` wrapper (which starts the 32-bit loader first) fails
# silently, while Wine's 64-bit loader makes a working prefix, but one
# without its 32-bit half (an empty syswow64): 32-bit Wine then fails with
# "could not load kernel32.dll". Once 32-bit programs start, such a prefix is
# moved aside and made again.
#
# Both Wine starts here run inside an X display (with-display.sh): a Wine
# session begun without one has a desktop with no display driver, and the
# windowed programs that start while it lives cannot create a window.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
prefix="${WINEPREFIX:-$HOME/.wine}"
with_display=(bash "$(dirname "$0")/with-display.sh")
if bash "$arch" execs32; then execs32=1; else execs32=0; fi
if [ "$execs32" -eq 1 ] && grep -q '^#arch=win64' "$prefix/system.reg" 2>/dev/null &&
  [ ! -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
  echo "setup: the Wine prefix $prefix lacks its 32-bit half (made while 32-bit programs could not run); moved to $prefix.without-32bit, making it again"
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -rf "$prefix.without-32bit"
  mv "$prefix" "$prefix.without-32bit"
fi
if [ ! -f "$prefix/system.reg" ]; then
  echo "setup: creating the Wine prefix in $prefix"
  if [ "$execs32" -eq 1 ]; then
    "${with_display[@]}" wineboot -i >/dev/null 2>&1 || true
  else
    "${with_display[@]}" "$(bash "$arch" wine64)" wineboot -i >/dev/null 2>&1 || true
  fi
  wineserver -w || true
fi
# A program that crashes must end, not wait for a click on Wine's crash
# dialog in the virtual display (which holds a test run until its timeout):
# the debugger then only writes its report.
if ! grep -q '"ShowCrashDialog"=dword:00000000' "$prefix/user.reg" 2>/dev/null; then
  if [ "$execs32" -eq 1 ]; then loader=wine; else loader=$(bash "$arch" wine64); fi
  "${with_display[@]}" "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
    /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  wineserver -w || true
fi
echo "setup: done"
