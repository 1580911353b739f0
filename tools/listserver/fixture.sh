#!/usr/bin/env bash
# Starts and stops a channel-list server for the Windows tests (a CTest
# fixture): the server runs natively on 127.0.0.1 on a port it chooses,
# which it writes into DIR/port; its log goes to DIR/log.
#   fixture.sh start DIR SERVER DATA [MORE SERVER OPTIONS...]
#   fixture.sh stop DIR
set -euo pipefail
cmd=$1 dir=$2
case "$cmd" in
  start)
    server=$3 data=$4
    shift 4
    if [ ! -x "$server" ]; then
      echo "fixture: no channel-list server at $server (build the native preset first)" >&2
      exit 1
    fi
    mkdir -p "$dir"
    rm -f "$dir/port"
    if [ -f "$dir/pid" ]; then kill "$(cat "$dir/pid")" 2>/dev/null || true; fi
    setsid "$server" --data "$data" --port 0 --port-file "$dir/port" "$@" >"$dir/log" 2>&1 </dev/null &
    echo $! >"$dir/pid"
    for _ in $(seq 100); do
      [ -s "$dir/port" ] && exit 0
      kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
      sleep 0.1
    done
    echo "fixture: the channel-list server did not start:" >&2
    cat "$dir/log" >&2
    exit 1
    ;;
  stop)
    if [ -f "$dir/pid" ]; then
      kill "$(cat "$dir/pid")" 2>/dev/null || true
      rm -f "$dir/pid"
    fi
    ;;
  *)
    echo "usage: fixture.sh start DIR SERVER DATA | stop DIR" >&2
    exit 2
    ;;
esac
