#!/usr/bin/env bash
# make-content.sh TOOL FOLDER PREFIX: runs ZavotraContent.exe (TOOL) under
# Wine to write the default content into FOLDER (made anew). PREFIX is a Wine
# prefix of the build tree's own, made on first use.
set -euo pipefail
tool=$1 out=$2 prefix=$3
# PE32+ ("PE\0\0" then machine 0x8664) runs on 64-bit Wine, PE32 on 32-bit Wine.
pe=$(od -An -tu4 -j 60 -N 4 "$tool" | tr -d ' ')
machine=$(od -An -tx2 -j $((pe + 4)) -N 2 "$tool" | tr -d ' ')
if [ "$machine" = 8664 ]; then wine=/usr/lib/wine/wine64 arch=win64; else wine=/usr/lib/wine/wine arch=win32; fi
rm -rf "$out"
mkdir -p "$out" "$(dirname "$prefix")"
winpath() { echo "Z:$1" | sed 's|/|\\|g'; }
# No display and no pipes: the content tool is a console program, and the
# Wine server that outlives it must not hold the build's output open.
status=0
env -u DISPLAY WINEPREFIX="$prefix" WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  "$wine" "$tool" "$(winpath "$out")" </dev/null >"$out.log" 2>&1 || status=$?
if [ $status -ne 0 ] || [ ! -e "$out/skel/plug-ins/common.ztc" ]; then
  echo "make-content.sh: $tool failed ($status); see $out.log" >&2
  exit 1
fi
