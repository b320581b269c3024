#!/usr/bin/env bash
# Benchmarks.
#   tools/bench.sh [benchmark filter regex]
#       Google Benchmark programs, native Release build (no sanitizers).
#   tools/bench.sh --wine [runs]
#       Under Wine, with the Windows build of the tests (PE32 where 32-bit
#       Wine runs, else PE32+): the start-up of the staged Zavotra.exe from
#       process start to its tray icon, 100 plug-ins and 200 user symbols in
#       its profile, median of `runs` starts (default 7); then the road of a
#       gesture (one stroke point, gesture end to worker start).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" = --wine ]; then
  cd "$root"
  flavour=$(./tools/wine-session.sh flavour "$root")
  if [ "$flavour" = 32 ]; then dir=win32; toolchain=toolchain-mingw-i686.cmake; else dir=win64; toolchain=toolchain-mingw-x86_64.cmake; fi
  cmake -S "$root" -B "$root/build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" -DZAVOTRA_TESTS=ON >/dev/null
  cmake --build "$root/build/$dir" -j "${ZAVOTRA_JOBS:-2}" --target startup_bench road_bench stage_install
  session=$root/build/bench-wine
  mkdir -p "$session"
  ./tools/wine-session.sh start "$session"
  trap './tools/wine-session.sh stop "$session"' EXIT
  # shellcheck disable=SC1091
  . "$session/wine/env"
  "$ZAVOTRA_WINE" "$root/build/$dir/tests/shell/startup_bench.exe" "${2:-7}"
  "$ZAVOTRA_WINE" "$root/build/$dir/tests/road/road_bench.exe"
  exit 0
fi

cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZAVOTRA_SANITIZE=OFF -DZAVOTRA_FUZZ=OFF -DZAVOTRA_BENCH=ON >/dev/null
cmake --build "$root/build/bench" -j 2
for b in "$root"/build/bench/tests/bench/*_bench; do
  [ -x "$b" ] || continue
  "$b" --benchmark_filter="${1:-.}"
done
