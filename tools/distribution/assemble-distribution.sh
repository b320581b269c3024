#!/usr/bin/env bash
# assemble-distribution.sh: lays out the distribution folder the installer
# installs from. Called by the build (target "distribution") with:
#   OUT        the distribution folder, made anew
#   CONTENT    what ZavotraContent.exe wrote (symbols\, skel\, dls\, system\help\)
#   THEME      the sound theme folder "English Female Voice"
#   STATIC     resources/distribution (help pages, the home page shortcut)
#   EXE DLL    Zavotra.exe and Zavotra.dll as built (with debug information)
#   DEBUG      where the debug information of the shipped files is kept
#   STRIP OBJCOPY   the cross binutils
#   INSTALLER UNINSTALLER   ZavotraInstall.exe and ztap_unst.exe, or "" before they exist
#   FILE_DIRS  folders searched, in order, for license.txt and anim.avi (";"-separated)
set -euo pipefail
out=$1 content=$2 theme=$3 static=$4 exe=$5 dll=$6 debug=$7 strip=$8 objcopy=$9
installer=${10} uninstaller=${11} file_dirs=${12}

rm -rf "$out"
mkdir -p "$out/program/system" "$out/program/sounds" "$out/windows" "$debug"

# Shipped stripped; the debug information stays in the build tree, linked by
# name so that a debugger beside it finds it.
ship() { # built shipped
  local name
  name=$(basename "$2")
  "$objcopy" --only-keep-debug "$1" "$debug/$name.debug"
  "$strip" --strip-all -o "$2" "$1"
  (cd "$debug" && "$objcopy" --add-gnu-debuglink="$name.debug" "$2")
}
ship "$exe" "$out/program/Zavotra.exe"
ship "$dll" "$out/program/system/Zavotra.dll"

cp -R "$content/." "$out/program/"
cp -R "$static/system/." "$out/program/system/"
cp -R "$theme" "$out/program/sounds/"

[ -n "$installer" ] && cp "$installer" "$out/ZavotraInstall.exe"
[ -n "$uninstaller" ] && cp "$uninstaller" "$out/windows/ztap_unst.exe"
for file in license.txt anim.avi; do
  IFS=';' read -ra dirs <<<"$file_dirs"
  for dir in "${dirs[@]}"; do
    if [ -n "$dir" ] && [ -f "$dir/$file" ]; then cp "$dir/$file" "$out/$file"; break; fi
  done
done
# The "windows" folder exists in every distribution; a dummy keeps it when
# the uninstaller is not built.
[ -n "$(ls -A "$out/windows")" ] || : >"$out/windows/dummy"
echo "distribution: $out ($(du -sh "$out" | cut -f1))"
