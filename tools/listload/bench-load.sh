#!/usr/bin/env bash
# The channel-list server under load, from tools/bench.sh: throughput and
# latency for 1, 100 and 1,000 concurrent clients against a bare reference
# measured in the same run, then 100 clients beside abusive ones, with the
# server's memory and descriptors. Loopback only; every run is bounded.
#   bash tools/listload/bench-load.sh BUILD_DIR [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$1 seconds=${2:-4}
bin=$build/bin
data=tools/listload/load-channels.txt
fixture=tools/listserver/fixture.sh
work=$PWD/$build/load
server_dir=$work/server echo_dir=$work/echo abuse_dir=$work/abuse
mkdir -p "$work"
results=$work/results
: >"$results"
trap 'bash $fixture stop "$server_dir"; bash $fixture stop "$echo_dir"; bash $fixture stop "$abuse_dir"' EXIT

# load LABEL DIR [peltora_listload options...]: one run against the server
# started in DIR; its summary goes to the screen, its result line to $results.
load() {
  local label=$1 dir=$2
  shift 2
  "$bin/peltora_listload" --port "$(cat "$dir/port")" --server-pid "$(cat "$dir/pid")" \
    --game LOAD --sub C100 --seconds "$seconds" --label "$label" "$@" | tee -a "$results" |
    grep -v '^result '
}

bash $fixture start "$server_dir" "$bin/peltora_listserver" "$data"
bash $fixture start "$echo_dir" "$bin/peltora_listecho" "$data" --game LOAD --sub C100
for clients in 1 100 1000; do
  load "server-$clients" "$server_dir" --clients "$clients"
  load "bare-$clients" "$echo_dir" --clients "$clients"
done
bash $fixture stop "$server_dir"
bash $fixture stop "$echo_dir"

# A fresh server: 100 clients alone, then the same beside 1,000 idle
# connections, 200 half-sent requests and 50 clients that never read (a
# 3.8 MB reply each, held until they go).
bash $fixture start "$abuse_dir" "$bin/peltora_listserver" "$data"
load alone "$abuse_dir" --clients 100
load abused "$abuse_dir" --clients 100 --idle 1000 --half 200 --no-read 50 --no-read-sub C20000
bash $fixture stop "$abuse_dir"

awk '
  /^result / {
    for (i = 2; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
    l = v["label"]
    for (k in v) r[l, k] = v[k]
  }
  function ms(x) { return sprintf("%.2f", x) }
  END {
    print ""
    print "Channel-list server against the bare reference (100-channel reply, " '"$seconds"' " s each):"
    print ""
    print "| clients | server req/s | p50 ms | p99 ms | max ms | failed | bare req/s | p50 ms | p99 ms | server/bare req/s |"
    print "|---|---|---|---|---|---|---|---|---|---|"
    n = split("1 100 1000", cs, " ")
    for (i = 1; i <= n; ++i) {
      s = "server-" cs[i]; b = "bare-" cs[i]
      printf "| %s | %d | %s | %s | %s | %d | %d | %s | %s | %.2f |\n", cs[i], r[s, "rps"],
        ms(r[s, "p50_ms"]), ms(r[s, "p99_ms"]), ms(r[s, "max_ms"]), r[s, "failed"], r[b, "rps"],
        ms(r[b, "p50_ms"]), ms(r[b, "p99_ms"]), r[s, "rps"] / (r[b, "rps"] > 0 ? r[b, "rps"] : 1)
    }
    print ""
    print "100 clients alone and beside 1,000 idle, 200 half-sent and 50 never-reading connections (fresh server):"
    print ""
    print "| run | req/s | p50 ms | p99 ms | max ms | failed | resident MB before / under / after | descriptors before / under / after |"
    print "|---|---|---|---|---|---|---|---|"
    m = split("alone abused", runs, " ")
    for (i = 1; i <= m; ++i) {
      a = runs[i]
      printf "| %s | %d | %s | %s | %s | %d | %.1f / %.1f / %.1f | %d / %d / %d |\n", a, r[a, "rps"],
        ms(r[a, "p50_ms"]), ms(r[a, "p99_ms"]), ms(r[a, "max_ms"]), r[a, "failed"],
        r[a, "rss_before_kb"] / 1024, r[a, "rss_under_kb"] / 1024, r[a, "rss_after_kb"] / 1024,
        r[a, "fds_before"], r[a, "fds_under"], r[a, "fds_after"]
    }
    idle = r["alone", "rss_before_kb"]
    print ""
    printf "Goals (reported, not asserted): failed well-behaved requests beside the abusive ones %d (goal 0); "\
      "p99 beside them / alone %.2f (goal at most 3); resident memory once they are gone %+.1f %% of the idle %.1f MB (goal within 10 %%).\n",
      r["abused", "failed"], r["abused", "p99_ms"] / (r["alone", "p99_ms"] > 0 ? r["alone", "p99_ms"] : 1),
      100 * (r["abused", "rss_after_kb"] - idle) / idle, idle / 1024
  }' "$results"
