#!/usr/bin/env bash
# Builds the deliverables, stages an installation folder and runs Zavotra.exe
# from it under Wine.
#   - With a display in $DISPLAY the program runs there until it is closed.
#   - Without one it runs on a private Xvfb display: once the main window
#     exists its tray icon is clicked (which shows the window also on later
#     starts, when it starts hidden), build/run/shot.png is saved after the
#     splash screen has gone, then the program is closed cleanly (WM_DESTROY,
#     as the installer does) and the display stopped. ZAVOTRA_SHOT_DELAY
#     (seconds, default 3) is waited between the click and the picture.
# Until the installer brings the real content, a few demo actions are
# written into the staged skeleton's plug-ins (common.ztc, services.ztc)
# when it has none; a profile made from the skeleton starts with them.
# The deliverables are PE32 (build/win32). Where this machine's kernel runs no
# 32-bit programs, the same code staged as PE32+ (build/win64) is what runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${ZAVOTRA_JOBS:-2}
build=$root/build

configure() { # dir toolchain
  [ -e "$build/$1/build.ninja" ] && return 0
  cmake -S "$root" -B "$build/$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" -DZAVOTRA_TESTS=OFF >/dev/null
}

echo "== build PE32 deliverables (build/win32)"
configure win32 toolchain-mingw-i686.cmake
cmake --build "$build/win32" -j "$jobs" --target stage_install

flavour=$(./tools/wine-session.sh flavour "$root")
if [ "$flavour" = 32 ]; then
  run_build=win32
else
  echo "== 32-bit Wine cannot run here: staging the PE32+ build (build/win64)"
  configure win64 toolchain-mingw-x86_64.cmake
  cmake --build "$build/win64" -j "$jobs" --target stage_install
  run_build=win64
fi
stage=$build/$run_build/install
tools_dir=$build/$run_build/shell
closer=$tools_dir/ZavotraClose.exe
echo "== installation folder: $stage"
# Windows paths of the staged folders for the tools that run under Wine.
winpath() { echo "Z:$1" | sed 's|/|\\|g'; }
demo_content() { # wine
  [ -e "$stage/skel/plug-ins/common.ztc" ] && [ -e "$stage/skel/plug-ins/services.ztc" ] && return 0
  echo "== demo plug-ins into $stage/skel/plug-ins"
  "$1" "$tools_dir/ZavotraDemoContent.exe" "$(winpath "$stage/skel/plug-ins")" </dev/null >/dev/null 2>&1 ||
    echo "could not write the demo plug-ins"
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # The user's own display, with a prefix kept for these runs.
  if [ "$flavour" = 32 ]; then wine=/usr/lib/wine/wine; arch=win32; else wine=/usr/lib/wine/wine64; arch=win64; fi
  export WINEPREFIX=$build/run/prefix-$arch WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$build/run"
  demo_content "$wine"
  echo "== running on $DISPLAY (close it from its window or the tray)"
  exec "$wine" "$stage/Zavotra.exe"
fi

mkdir -p "$build/run"
./tools/wine-session.sh start "$build/run"
trap './tools/wine-session.sh stop "$build/run"' EXIT
# shellcheck disable=SC1091
. "$build/run/wine/env"
demo_content "$ZAVOTRA_WINE"
"$ZAVOTRA_WINE" "$stage/Zavotra.exe" </dev/null >"$build/run/zavotra.log" 2>&1 &
program=$!
shot=$build/run/shot.png
"$ZAVOTRA_WINE" "$tools_dir/ZavotraShow.exe" </dev/null >/dev/null 2>&1 || echo "no Zavotra window appeared"
sleep "${ZAVOTRA_SHOT_DELAY:-3}"
import -display "$DISPLAY" -window root "$shot"
echo "== screenshot: $shot"
"$ZAVOTRA_WINE" "$closer" </dev/null >/dev/null 2>&1 || echo "no Zavotra window was found"
status=0
wait "$program" || status=$?
echo "== Zavotra.exe exited with $status"
