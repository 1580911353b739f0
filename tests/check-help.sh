#!/usr/bin/env bash
# The help of one program or script: COMMAND --help and COMMAND -h each exit
# with status 0 and print a usage line ("usage: ...") on standard output.
#   bash tests/check-help.sh COMMAND [ARGS...]
# A CTest test per program (tests/listserver, tests/lobbykit).
set -u
[ $# -gt 0 ] || { echo "usage: bash tests/check-help.sh COMMAND [ARGS...]" >&2; exit 2; }
failed=0
for option in --help -h; do
  status=0
  out=$("$@" "$option" </dev/null 2>/dev/null) || status=$?
  if [ "$status" -ne 0 ]; then
    echo "FAIL: $* $option: exit status $status, expected 0"
    failed=1
  elif ! printf '%s\n' "$out" | grep -q '^usage: '; then
    echo "FAIL: $* $option: no usage line on standard output:"
    printf '%s\n' "$out" | sed 's/^/  | /'
    failed=1
  else
    echo "ok: $* $option"
  fi
done
exit "$failed"
