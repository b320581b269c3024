#!/usr/bin/env bash
# Emulator through which ctest runs a Windows test program under Wine.
# Uses the session that tools/wine-session.sh started for this build tree.
set -eu
if [ -z "${ZAVOTRA_WINE:-}" ]; then
  here=$(cd "$(dirname "$0")/.." && pwd)
  env_file=${ZAVOTRA_WINE_ENV:-}
  if [ -z "$env_file" ]; then
    for f in "$here"/build/wine/env; do [ -e "$f" ] && env_file=$f; done
  fi
  if [ -z "$env_file" ] || [ ! -e "$env_file" ]; then
    echo "wine-run: no Wine session; start one with tools/wine-session.sh start build" >&2
    exit 2
  fi
  # shellcheck disable=SC1090
  . "$env_file"
fi
exec "$ZAVOTRA_WINE" "$@"
