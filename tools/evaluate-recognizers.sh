#!/usr/bin/env bash
# Both recognizers over the public gesture logs (../shared/gestures beside
# the repository, read at run time): accuracy with 1, 3 and 9 templates per
# type, unknown types accepted, time per recognition. Builds the evaluation
# program natively (clang, Release, no sanitizers) in build/evaluation.
#
#   tools/evaluate-recognizers.sh [--draws N] [--unknown N] [--seed N] [--errors] [--data FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

build=$root/build/evaluation
# clang, as the native test build: the portable headers shared with the hook
# library name the Windows calling convention, which g++ rejects.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DZAVOTRA_SANITIZE=OFF -DZAVOTRA_FUZZ=OFF -DZAVOTRA_TESTS=OFF >/dev/null
cmake --build "$build" -j 2 --target recognizer_evaluation >/dev/null
echo "load before the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
"$build/tools/recognizer_evaluation" --data "$root/../shared/gestures" "$@"
