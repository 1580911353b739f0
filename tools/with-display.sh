#!/usr/bin/env bash
# Runs a command with an X display, for every start of Wine outside the
# tests' and the demo's own virtual displays (the probe of tools/arch.sh,
# the prefix's first boot in tools/setup.sh, the image generator in the
# build).
#
#   bash tools/with-display.sh COMMAND [ARGS...]
#   bash tools/with-display.sh --live     exit 0 when DISPLAY answers
#
# Why no Wine program may start without a display, not even one that opens
# no window: the first program of a Wine session (no wineserver running for
# the prefix) makes Wine start the session's desktop process
# (explorer.exe /desktop) with that program's environment. Started with no
# X display, the desktop loads no display driver, and every program that
# joins the session while it lives gets none either: Wine prints
# "nodrv_CreateWindow Application tried to create a window, but no driver
# could be loaded" and CreateWindow fails. The desktop lives about a second
# after the session's last program, the wineserver about three, so a
# windowed program started soon after such a display-less one fails, even
# inside an Xvfb of its own. A desktop started inside a display that ends
# later does no harm: the programs that come after open their own display.
#
# The caller's display is used when it answers (a local display whose
# socket exists and whose server runs, or a remote one); otherwise the
# command runs in a private Xvfb (1024 x 768, 24 bits) that ends with it.
set -u

# display_live: DISPLAY names a display that is there. Local displays
# (":N", ":N.S", "unix:N") are checked by their socket and the lock file of
# their server; remote ones (ssh forwarding) are taken as they are.
display_live() {
  local d=${DISPLAY:-} n pid
  [ -n "$d" ] || return 1
  case "$d" in
    :* | unix:*)
      n=${d#*:}
      n=${n%%.*}
      case "$n" in '' | *[!0-9]*) return 1 ;; esac
      [ -S "/tmp/.X11-unix/X$n" ] || return 1
      if [ -f "/tmp/.X$n-lock" ]; then
        pid=$(tr -dc '0-9' <"/tmp/.X$n-lock")
        [ -n "$pid" ] && [ -d "/proc/$pid" ] || return 1
      fi
      ;;
  esac
  return 0
}

usage() {
  echo "usage: bash tools/with-display.sh COMMAND [ARGS...]"
  echo "       bash tools/with-display.sh --live"
}
case "${1:-}" in
  --live) display_live; exit ;;
  -h | --help) usage; exit 0 ;;
  "") usage >&2; exit 2 ;;
esac

if display_live; then exec "$@"; fi
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "with-display: no X display and no xvfb-run (package xvfb; bash tools/setup.sh installs it):" \
    "Wine must not start without one" >&2
  exit 127
fi
# Wine's helper processes may outlive the command by a moment and then
# report the end of the private display; that line is no news.
exec xvfb-run -a -s "-screen 0 1024x768x24" "$@" \
  2> >(grep -v --line-buffered '^X connection to .* broken' >&2)
