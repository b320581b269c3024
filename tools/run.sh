#!/usr/bin/env bash
# Builds the distribution folder, installs it into a Wine prefix kept for
# these runs (build/run) and runs the installed Zavotra.exe, as a new user
# of a Windows machine gets it.
#   - The installation goes to "C:\Program Files\Zavotra Pro" of the prefix:
#     through the installer's unattended switch (ZavotraInstall.exe /quiet
#     FOLDER) when the distribution holds the installer, otherwise by copying
#     its "program" and "windows" folders and writing "AppFolder" as the
#     installer does. Files already installed are replaced only by newer
#     ones, and the users' profiles stay; ZAVOTRA_RUN_FRESH=1 removes the
#     installation first, so that the program starts as for a new user.
#   - With a display in $DISPLAY the program runs there until it is closed.
#   - Without one it runs on a private Xvfb display: once the main window
#     exists its tray icon is clicked (which shows the window also on later
#     starts, when it starts hidden), build/run/shot.png is saved after the
#     splash screen has gone, then the program is closed cleanly (WM_DESTROY,
#     as the installer does) and the display stopped. ZAVOTRA_SHOT_DELAY
#     (seconds, default 3) is waited between the click and the picture.
# The deliverables are PE32 (build/win32/distribution). Where this machine's
# kernel runs no 32-bit programs, the same code as PE32+
# (build/win64/distribution) is what gets installed and runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./tools/setup.sh
jobs=${ZAVOTRA_JOBS:-2}
build=$root/build

configure() { # dir toolchain [cmake arguments]
  local dir=$1 toolchain=$2; shift 2
  if [ -e "$build/$dir/build.ninja" ] && [ $# -eq 0 ]; then return 0; fi
  cmake -S "$root" -B "$build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" -DZAVOTRA_TESTS=OFF "$@" >/dev/null
}

flavour=$(./tools/wine-session.sh flavour "$root")
if [ "$flavour" = 32 ]; then
  echo "== build the PE32 distribution (build/win32/distribution)"
  configure win32 toolchain-mingw-i686.cmake
  cmake --build "$build/win32" -j "$jobs" --target distribution ZavotraClose ZavotraShow
  run_build=win32
else
  echo "== 32-bit Wine cannot run here: the PE32+ distribution runs (build/win64/distribution)"
  configure win64 toolchain-mingw-x86_64.cmake
  cmake --build "$build/win64" -j "$jobs" --target distribution ZavotraClose ZavotraShow
  run_build=win64
  echo "== build the PE32 distribution (build/win32/distribution), its content written by the PE32+ tool"
  configure win32 toolchain-mingw-i686.cmake \
    -DZAVOTRA_CONTENT_TOOL="$build/win64/tools/distribution/ZavotraContent.exe"
  cmake --build "$build/win32" -j "$jobs" --target distribution
fi
dist=$build/$run_build/distribution
tools_dir=$build/$run_build/shell
closer=$tools_dir/ZavotraClose.exe
target='C:\Program Files\Zavotra Pro\'

# Installs the distribution into the prefix of the sourced Wine environment.
install_distribution() { # wine
  local wine=$1 drive_c=$WINEPREFIX/drive_c
  local folder="$drive_c/Program Files/Zavotra Pro"
  [ -e "$WINEPREFIX/system.reg" ] || "$wine" wineboot --init </dev/null >/dev/null 2>&1 || true
  if [ "${ZAVOTRA_RUN_FRESH:-0}" = 1 ]; then rm -rf "$folder"; fi
  local start
  start=$(date +%s.%N)
  if [ -e "$dist/ZavotraInstall.exe" ]; then
    echo "== install: ZavotraInstall.exe /quiet \"$target\""
    "$wine" "$dist/ZavotraInstall.exe" /quiet "$target" </dev/null >"$build/run/install.log" 2>&1 ||
      { echo "the installer failed; see $build/run/install.log"; exit 1; }
  else
    echo "== install: no installer in the distribution yet; copying it as the installer does"
    mkdir -p "$folder"
    cp -R --update "$dist/program/." "$folder/"
    cp -R --update "$dist/windows/." "$drive_c/windows/"
    "$wine" reg add 'HKLM\SOFTWARE\Zavotra\Pro' /v AppFolder /t REG_SZ /d "$target" /f </dev/null >/dev/null 2>&1
  fi
  echo "== installed into $target in $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s"
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # The user's own display, with a prefix kept for these runs.
  if [ "$flavour" = 32 ]; then wine=/usr/lib/wine/wine; arch=win32; else wine=/usr/lib/wine/wine64; arch=win64; fi
  export WINEPREFIX=$build/run/prefix-$arch WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$build/run"
  install_distribution "$wine"
  echo "== running on $DISPLAY (close it from its window or the tray)"
  exec "$wine" "${target}Zavotra.exe"
fi

mkdir -p "$build/run"
./tools/wine-session.sh start "$build/run"
trap './tools/wine-session.sh stop "$build/run"' EXIT
# shellcheck disable=SC1091
. "$build/run/wine/env"
install_distribution "$ZAVOTRA_WINE"
"$ZAVOTRA_WINE" "${target}Zavotra.exe" </dev/null >"$build/run/zavotra.log" 2>&1 &
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
echo "== distribution: $(du -sh "$build/win32/distribution" | cut -f1) (PE32, build/win32/distribution)"
