#!/usr/bin/env bash
# Runs a Windows program under Wine with the build folder's own prefix.
#
#   wine-run.sh BUILD_DIR PROGRAM [ARGS...]   run PROGRAM; its exit code and stdout pass through
#   wine-run.sh BUILD_DIR --prepare           only make sure the prefix exists
#
# The prefix (BUILD_DIR/wineprefix) is created on first use, under a lock so that two
# first runs at once don't both build it. DISPLAY comes from BUILD_DIR/xvfb.display
# when scripts/xvfb.sh has started a server for this folder.
set -eu

if [ $# -lt 2 ]; then
  echo "usage: $0 BUILD_DIR PROGRAM [ARGS...] | $0 BUILD_DIR --prepare" >&2
  exit 2
fi

mkdir -p "$1"
build=$(cd "$1" && pwd)
shift
prefix=$build/wineprefix

export WINEPREFIX=$prefix
export WINEARCH=win64
export WINEDEBUG=-all
# No .NET or HTML engine prompts, no menu entries in HOME, no sound driver (clips
# with audio would print ALSA errors on a machine without a sound card).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winealsa.drv=d"
# Video is only visible under Xvfb with the GDI renderer; the registry key below
# says the same, this also covers a prefix made by someone else.
export WINE_D3D_CONFIG=renderer=gdi

if [ -s "$build/xvfb.display" ]; then
  DISPLAY=$(cat "$build/xvfb.display")
  export DISPLAY
fi

prepare() {
  [ -f "$prefix/.ready" ] && return 0
  exec 9>"$build/wineprefix.lock"
  flock 9
  if [ ! -f "$prefix/.ready" ]; then
    local t0=$SECONDS
    echo "wine-run: creating Wine prefix $prefix" >&2
    # A half-made prefix from an interrupted run is thrown away.
    if [ -d "$prefix" ]; then
      wineserver -k 9>&- >/dev/null 2>&1 || true
      rm -rf "$prefix"
    fi
    wine wineboot --init 9>&- >&2
    wine reg add 'HKCU\Software\Wine\Direct3D' /v renderer /t REG_SZ /d gdi /f 9>&- >/dev/null
    # Wait until every process of the new prefix has ended and the registry is on disk.
    timeout 120 wineserver -w 9>&- || true
    touch "$prefix/.ready"
    echo "wine-run: prefix ready after $((SECONDS - t0)) s" >&2
  fi
  flock -u 9
  exec 9>&-
}

prepare

if [ "$1" = "--prepare" ]; then
  exit 0
fi

exec wine "$@"
