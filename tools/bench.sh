#!/usr/bin/env bash
# Builds and runs the benchmarks (Google Benchmark):
#  - native: the portable code, Release build, no sanitizers, clang (as the
#    native tests); each program with repetitions, reporting mean, median
#    and spread. The recognizer's benchmarks read the gesture logs from
#    ../shared/gestures beside the checkout.
#  - Windows: the PE32 code (RelWithDebInfo, as shipped) under Wine with its
#    own Xvfb display and prefix (build/win32-bench), each program run with
#    repetitions, reporting mean, median and spread; then the start-up of the
#    staged Zavotra.exe, from process start to its tray icon with 100
#    plug-ins and 200 user symbols in its profile, median of
#    ZAVOTRA_BENCH_STARTS starts (default 7).
#
#   tools/bench.sh [benchmark filter regex]
# Environment: ZAVOTRA_BENCH_PARTS="native windows" (default both),
#              ZAVOTRA_BENCH_REPETITIONS (default 5).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
filter=${1:-.}
parts=${ZAVOTRA_BENCH_PARTS:-native windows}
repetitions=${ZAVOTRA_BENCH_REPETITIONS:-5}

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Google Benchmark's sources for the Windows build: Debian's source package
# of the version the native build uses, fetched by apt through private source
# lists made from the machine's own (which stay untouched). Prints the folder.
benchmark_source() {
  local third=$root/build/third_party version upstream dir apt
  version=$(dpkg-query -W -f='${Version}' libbenchmark-dev)
  upstream=${version%-*}
  dir=$third/benchmark-$upstream
  if [ ! -e "$dir/CMakeLists.txt" ]; then
    apt=$third/apt
    mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache/archives/partial"
    if [ -e /etc/apt/sources.list ]; then
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$apt/sources.list"
    else
      : >"$apt/sources.list"
    fi
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -e "$f" ] && sed 's/^Types: deb$/Types: deb-src/' "$f" >"$apt/parts/$(basename "$f")"
    done
    local options=(-o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/parts"
                   -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
    apt-get "${options[@]}" update -qq >&2
    (cd "$third" && apt-get "${options[@]}" source --download-only "benchmark=$version" >&2)
    tar xzf "$third/benchmark_$upstream.orig.tar.gz" -C "$third"
  fi
  echo "$dir"
}

run_native() {
  # clang, as the native test build: the portable headers shared with the
  # hook library name the Windows calling convention, which g++ rejects.
  cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZAVOTRA_SANITIZE=OFF -DZAVOTRA_FUZZ=OFF -DZAVOTRA_BENCH=ON >/dev/null
  cmake --build "$root/build/bench" -j 2 --target benchmarks
  echo "load before the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
  for b in "$root"/build/bench/tests/bench/*_bench; do
    [ -x "$b" ] || continue
    "$b" --benchmark_filter="$filter" --benchmark_repetitions="$repetitions" \
      --benchmark_report_aggregates_only=true
  done
  echo "load after the run: $(cut -d' ' -f1-3 /proc/loadavg)"
}

run_windows() {
  local build=$root/build/win32-bench toolchain=i686
  # Where the kernel runs no 32-bit programs, the same code as PE32+.
  [ "$("$root/tools/wine-session.sh" flavour "$root")" = 32 ] || toolchain=x86_64
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$toolchain.cmake" \
    -DZAVOTRA_BENCH=ON -DZAVOTRA_BENCHMARK_SOURCE="$(benchmark_source)" >/dev/null
  cmake --build "$build" -j 2 --target benchmarks startup_bench stage_install
  ZAVOTRA_WINE_SOUND=paced "$root/tools/wine-session.sh" start "$build"
  # shellcheck disable=SC2064  # the folders as they are now
  trap "'$root/tools/wine-session.sh' stop '$build'" EXIT
  # shellcheck disable=SC1091
  . "$build/wine/env"
  echo "load before the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
  for b in "$build"/bench/*_bench.exe; do
    [ -e "$b" ] || continue
    "$ZAVOTRA_WINE" "$b" --benchmark_filter="$filter" --benchmark_repetitions="$repetitions" \
      --benchmark_report_aggregates_only=true
  done
  "$ZAVOTRA_WINE" "$build/tests/shell/startup_bench.exe" "${ZAVOTRA_BENCH_STARTS:-7}"
  echo "load after the run: $(cut -d' ' -f1-3 /proc/loadavg)"
}

for part in $parts; do
  "run_$part"
done
