#!/usr/bin/env bash
# Starts and stops the reference web service for the tests, from the Linux
# side (a Windows test under Wine can't start a Linux program).
#
#   tools/web-server.sh start STATE_DIR SERVER_BINARY [server options...]
#   tools/web-server.sh stop  STATE_DIR
#
# start empties STATE_DIR, makes STATE_DIR/catalogue (the service's
# catalogue, which the tests fill while it runs) and starts the server on
# 127.0.0.1 on a free port; it returns once the server listens, with the
# port in STATE_DIR/port, the PID in STATE_DIR/pid, the request log in
# STATE_DIR/requests.log and the server's output in STATE_DIR/server.out.
# stop ends the server by its PID. When SERVER_BINARY is missing and it sits
# in a configured native build tree, it is built first.
set -euo pipefail
cmd=${1:?start or stop}
state=${2:?state folder}

stop() {
  [ -e "$state/pid" ] || return 0
  local pid
  pid=$(cat "$state/pid")
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$state/pid" "$state/port"
}

start() {
  local binary=${1:?server binary}
  shift
  if [ ! -x "$binary" ]; then
    local tree
    tree=$(dirname "$(dirname "$binary")")
    if [ -e "$tree/build.ninja" ] || [ -e "$tree/Makefile" ]; then
      cmake --build "$tree" --target zavotra-web-server >"$state.build.log" 2>&1 || { cat "$state.build.log" >&2; exit 1; }
    else
      echo "web-server.sh: no server at $binary; configure and build the native tree first" >&2
      echo "  (cmake -S . -B build/native ... && cmake --build build/native --target zavotra-web-server)" >&2
      exit 1
    fi
  fi
  stop
  rm -rf "$state"
  mkdir -p "$state/catalogue"
  "$binary" --catalogue "$state/catalogue" --log "$state/requests.log" --port-file "$state/port" "$@" \
    </dev/null >"$state/server.out" 2>&1 &
  echo $! >"$state/pid"
  for _ in $(seq 1 100); do
    [ -s "$state/port" ] && { echo "web server on 127.0.0.1:$(cat "$state/port"), PID $(cat "$state/pid")"; return 0; }
    kill -0 "$(cat "$state/pid")" 2>/dev/null || break
    sleep 0.05
  done
  cat "$state/server.out" >&2
  stop
  echo "web-server.sh: the server did not start" >&2
  exit 1
}

case "$cmd" in
  start) shift 2; start "$@" ;;
  stop) stop ;;
  *) echo "usage: $0 start STATE_DIR SERVER_BINARY [options] | stop STATE_DIR" >&2; exit 2 ;;
esac
