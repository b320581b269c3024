#!/usr/bin/env bash
# Load on the reference web service: requests per second and latency
# percentiles with concurrent clients on loopback, keep-alive and with a new
# connection per request. Native Release build (no sanitizers).
#   tools/web-server-bench.sh [clients (50)] [requests per client (400)]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
clients=${1:-50}
requests=${2:-400}
build=$root/build/bench
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZAVOTRA_SANITIZE=OFF -DZAVOTRA_FUZZ=OFF -DZAVOTRA_BENCH=ON >/dev/null
cmake --build "$build" -j 2 --target zavotra-web-server zavotra-web-bench
state=$build/web-bench
"$root/tools/web-server.sh" start "$state" "$build/server/zavotra-web-server" --max-connections 2048
trap '"$root/tools/web-server.sh" stop "$state"' EXIT
# A catalogue as the service keeps it; the requests say their list is
# current, so each answer is the next call time (the common case).
printf '1\t0\t0\t0\t0\t0\t0\tSearch\thttp://example.org/\tq\tFORM\r\n' > "$state/catalogue/weblist"
port=$(cat "$state/port")
echo "== $clients clients x $requests requests, keep-alive"
"$build/server/zavotra-web-bench" --port "$port" --clients "$clients" --requests "$requests"
echo "== $clients clients x $requests requests, a new connection each"
"$build/server/zavotra-web-bench" --port "$port" --clients "$clients" --requests "$requests" --new-connection
