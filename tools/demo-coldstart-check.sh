#!/usr/bin/env bash
# Checks that the demo starts from a cold Wine, round after round. Before
# each round it ends the Wine session of the demo's prefix (wineserver -k)
# and waits until it has ended (wineserver -w), so that no wineserver and no
# desktop process of that prefix is left; then it runs
# `bash tools/demo.sh --config C`, which must exit 0. The --interactive
# rounds do the same with `tools/demo.sh --interactive` in a virtual display
# of their own, and pass once the driver says the lobby is open (its frame
# and the plug-in's window were created); the check then ends that demo.
#
# usage: bash tools/demo-coldstart-check.sh [--rounds N] [--interactive-rounds N]
#                                           [--config ko|ja|cn] [--prefix DIR]
#
#   --rounds N     cold starts of the demo (default 3)
#   --interactive-rounds N
#                  cold starts of the demo's --interactive mode (default 1)
#   --config C     the configuration the demo runs (default ko)
#   --prefix DIR   the Wine prefix the demo runs in, whose session each
#                  round ends (default build/demo/coldstart-wine, the
#                  check's own, made on its first run: about 20 s and, with
#                  Debian's Wine, 1.3 GB). Name another only when nobody
#                  else's programs run in it meanwhile: ending its session
#                  ends them too.
#   -h, --help     prints this and exits
#
# The demo builds in build/demo/ only when something changed: the first
# round of a fresh checkout builds, the others do not. Each round's output
# goes to build/demo/coldstart/round-<n>.log, shown when the round fails.
# Exit status 0 only when every round passed.
set -euo pipefail
if [ -z "${HOME:-}" ]; then HOME=$(getent passwd "$(id -u)" | cut -d: -f6); export HOME; fi
cd "$(dirname "$0")/.."
root=$PWD

usage() {
  local status=${1:-2} text
  text=$(sed -n '/^# usage:/,/^#   -h, --help/p' "$0" | sed 's/^# \{0,1\}//')
  if [ "$status" -eq 0 ]; then echo "$text"; else echo "$text" >&2; fi
  exit "$status"
}

# count NAME VALUE: VALUE as a round count (0 to 100), else a usage error.
count() {
  case "$2" in
    '' | *[!0-9]*) echo "coldstart: $1 needs a number from 0 to 100, got '$2'" >&2; exit 2 ;;
  esac
  if [ "$2" -gt 100 ]; then echo "coldstart: $1 needs a number from 0 to 100, got '$2'" >&2; exit 2; fi
  echo "$((10#$2))"
}

rounds=3
interactive_rounds=1
config=ko
prefix=$root/build/demo/coldstart-wine
while [ $# -gt 0 ]; do
  case "$1" in
    -h | --help) usage 0 ;;
    --rounds | --interactive-rounds | --config | --prefix)
      [ $# -ge 2 ] || usage
      case "$1" in
        --rounds) rounds=$(count "$1" "$2") ;;
        --interactive-rounds) interactive_rounds=$(count "$1" "$2") ;;
        --config)
          case "$2" in ko | ja | cn) config=$2 ;; *) echo "coldstart: no configuration '$2' (ko, ja or cn)" >&2; exit 2 ;; esac
          ;;
        --prefix)
          case "$2" in /*) prefix=$2 ;; *) prefix=$root/$2 ;; esac
          ;;
      esac
      shift 2
      ;;
    *) echo "coldstart: unknown argument '$1'" >&2; usage ;;
  esac
done

export WINEPREFIX=$prefix
work=$root/build/demo/coldstart
mkdir -p "$work"
echo "== coldstart: Wine prefix $WINEPREFIX; $rounds rounds of the demo ($config)" \
  "and $interactive_rounds of --interactive, each from a cold Wine"
start_all=$SECONDS
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== coldstart: making the prefix (once)"
fi
bash tools/setup.sh >"$work/setup.log" 2>&1 || { cat "$work/setup.log" >&2; exit 1; }

# cold: ends the prefix's Wine session and waits until every process of it
# has gone.
cold() {
  wineserver -k 2>/dev/null || true
  wineserver -w
}

# show_failure LOG: the end of a failed round's output.
show_failure() {
  echo "   last lines of $1:"
  tail -n 20 "$1" | sed 's/^/   | /'
}

passed=0
failed=0
# report OK WHAT LOG: counts a round and says how it went (WHAT names it,
# and for a failure what went wrong); a failed round shows its output.
report() {
  if [ "$1" -eq 1 ]; then
    passed=$((passed + 1))
    echo "== coldstart: $2 passed in $((SECONDS - start)) s"
  else
    failed=$((failed + 1))
    echo "== coldstart: $2 FAILED after $((SECONDS - start)) s"
    show_failure "$3"
  fi
}
for round in $(seq "$rounds"); do
  log=$work/round-$round.log
  cold
  start=$SECONDS
  status=0
  bash tools/demo.sh --config "$config" --out "$work/out" >"$log" 2>&1 </dev/null || status=$?
  if [ "$status" -eq 0 ]; then
    report 1 "round $round" "$log"
  else
    report 0 "round $round (exit status $status)" "$log"
  fi
done

# The interactive demo runs until its window is closed: the check tells the
# demo itself (the child of xvfb-run) to stop, which ends the driver and the
# server it started; xvfb-run then ends its display. Anything left of the
# process group (setsid) goes after it.
interactive_pid=
stop_interactive() {
  [ -n "$interactive_pid" ] || return 0
  local child
  for child in $(ps -o pid= --ppid "$interactive_pid" 2>/dev/null); do
    if tr '\0' ' ' <"/proc/$child/cmdline" 2>/dev/null | grep -q 'tools/demo\.sh'; then
      kill -TERM "$child" 2>/dev/null || true
    fi
  done
  wait "$interactive_pid" 2>/dev/null || true
  kill -TERM -- "-$interactive_pid" 2>/dev/null || true
  interactive_pid=
}
trap stop_interactive EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

for round in $(seq "$interactive_rounds"); do
  log=$work/interactive-$round.log
  cold
  start=$SECONDS
  : >"$log"
  setsid xvfb-run -a -s "-screen 0 1024x768x24" bash tools/demo.sh --interactive --config "$config" \
    >"$log" 2>&1 </dev/null &
  interactive_pid=$!
  # Bounded only against a hang: the demo says so at once when the lobby
  # opens, and exits when it cannot.
  opened=0
  for _ in $(seq 1200); do
    if grep -q 'the lobby is open' "$log"; then opened=1; break; fi
    kill -0 "$interactive_pid" 2>/dev/null || break
    sleep 0.25
  done
  stop_interactive
  if [ "$opened" -eq 1 ]; then
    report 1 "interactive round $round (lobby open)" "$log"
  else
    report 0 "interactive round $round (the lobby did not open)" "$log"
  fi
done

# Nothing of the check's Wine session outlives it.
wineserver -w
total=$((rounds + interactive_rounds))
echo "== coldstart: $passed of $total cold starts passed in $((SECONDS - start_all)) s"
[ "$failed" -eq 0 ]
