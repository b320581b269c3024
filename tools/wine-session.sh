#!/usr/bin/env bash
# One Wine session for a whole test run: an Xvfb display, a Wine prefix inside
# the build tree, and one persistent, primed wineserver.
#
#   tools/wine-session.sh start BUILD_DIR   writes BUILD_DIR/wine/env
#   tools/wine-session.sh stop  BUILD_DIR   stops the server and the display by their PIDs
#
# Sound goes to ALSA's null device, which takes everything at once; with
# ZAVOTRA_WINE_SOUND=paced (the benchmarks) to one that plays in real time.
#
# tools/wine-run.sh (the tests' emulator) reads BUILD_DIR/wine/env, so ctest can
# also be run by hand while a session is started.
set -euo pipefail

cmd=${1:?start or stop}
build=$(cd "${2:?build dir}" && pwd)
state=$build/wine
mkdir -p "$state"

# Which Wine runs our programs: 32-bit Wine where the kernel runs i386
# programs, else 64-bit Wine (the test build is then PE32+).
# ZAVOTRA_FORCE_FLAVOUR=64 takes the 64-bit road on any machine, to try it.
wine_flavour() {
  if [ -n "${ZAVOTRA_FORCE_FLAVOUR:-}" ]; then echo "$ZAVOTRA_FORCE_FLAVOUR"; return; fi
  if /lib/ld-linux.so.2 --help >/dev/null 2>&1; then echo 32; else echo 64; fi
}

free_display() {
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  echo "$n"
}

start() {
  local flavour prefix wine server display
  flavour=$(wine_flavour)
  if [ "$flavour" = 32 ]; then
    wine=/usr/lib/wine/wine; server=/usr/lib/wine/wineserver32; arch=win32
  else
    wine=/usr/lib/wine/wine64; server=/usr/lib/wine/wineserver64; arch=win64
  fi
  prefix=$state/prefix-$arch

  display=$(free_display)
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done

  cat >"$state/env" <<ENV
export ZAVOTRA_WINE_FLAVOUR=$flavour
export ZAVOTRA_WINE=$wine
export WINELOADER=$wine
export WINESERVER=$server
export WINEPREFIX=$prefix
export WINEARCH=$arch
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=:$display
export ALSA_CONFIG_PATH=$state/asound.conf
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
ENV
  if [ "${ZAVOTRA_WINE_SOUND:-}" = paced ]; then
    # Benchmarks: a device that plays at the pace of a real one (44.1 kHz,
    # 16-bit stereo after ALSA's conversion).
    cat >"$state/asound.conf" <<ALSA
pcm.!default {
  type plug
  slave { pcm "paced"; format S16_LE; rate 44100; channels 2 }
}
pcm.paced {
  type file
  slave.pcm { type null }
  file "|python3 -u $(cd "$(dirname "$0")" && pwd)/paced_sound.py 176400"
  format "raw"
}
ctl.!default { type hw card 0 }
ALSA
  else
    cat >"$state/asound.conf" <<'ALSA'
pcm.!default { type null }
ctl.!default { type hw card 0 }
ALSA
  fi
  # shellcheck disable=SC1091
  . "$state/env"

  # The display must exist before the server starts, or explorer dies. The
  # server needs its prefix folder, or it exits at once and every test then
  # pays for a server of its own.
  mkdir -p "$prefix"
  "$server" -f -p >"$state/wineserver.log" 2>&1 &
  echo $! >"$state/wineserver.pid"
  sleep 0.2

  if [ ! -e "$prefix/.zavotra-ready" ]; then
    "$wine" wineboot --init </dev/null >"$state/wineboot.log" 2>&1
    # Without a window manager, hiding a managed window takes 2 s.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
    touch "$prefix/.zavotra-ready"
  fi
  # Priming: the service processes must not inherit a test's pipes.
  "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
  echo "wine session: Wine $flavour-bit, display :$display, prefix $prefix"
}

stop_pid() {
  local file=$1
  [ -e "$file" ] || return 0
  local pid
  pid=$(cat "$file")
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$file"
}

stop() {
  if [ -e "$state/env" ]; then
    # shellcheck disable=SC1091
    . "$state/env"
    "$WINESERVER" -k >/dev/null 2>&1 || true
  fi
  stop_pid "$state/wineserver.pid"
  stop_pid "$state/xvfb.pid"
  rm -f "$state/env"
}

case "$cmd" in
  start) start ;;
  stop) stop ;;
  flavour) wine_flavour ;;
  *) echo "usage: $0 start|stop|flavour BUILD_DIR" >&2; exit 2 ;;
esac
