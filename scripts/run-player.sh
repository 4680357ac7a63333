#!/usr/bin/env bash
# Starts the viewer under Wine on the demo clip.
#
#   run-player.sh WIN_BUILD DEMO_DIR
#
# With a reachable display the viewer runs in the foreground until it is closed.
# Without one it runs for a few seconds in a private X server, and a screenshot is
# saved to out/player.png.
set -eu

if [ $# -ne 2 ]; then
  echo "usage: $0 WIN_BUILD DEMO_DIR" >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "$1" && pwd)
demo=$2
exe=$build/app/player.exe
seconds=${PLAYER_SHOW_SECONDS:-6}

if [ ! -f "$exe" ]; then
  echo "run-player: $exe is missing (make win)" >&2
  exit 1
fi

# The program takes "<clip>-<start second>"; Wine shows the Unix root as drive Z:.
args=()
if [ -f "$demo/DEMO0001.MP4" ]; then
  clip=$(cd "$demo" && pwd)/DEMO0001.MP4
  [ -f "${clip%.MP4}.nmea" ] || echo "run-player: $clip has no sidecar" >&2
  args=("Z:${clip//\//\\}-0")
else
  echo "run-player: no demo clip in $demo; starting without a clip" >&2
fi

private_running() { bash "$here/xvfb.sh" status "$build"; }

# While the tests' private server runs for this folder, Wine uses that display.
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 && ! private_running; then
  # Files left by a private server that is gone would send Wine to a dead display.
  [ -f "$build/xvfb.display" ] && bash "$here/xvfb.sh" stop "$build"
  # A headless run that ended badly may have left windows unmanaged (see xvfb.sh).
  if grep -q '^"Managed"="N"' "$build/wineprefix/user.reg" 2>/dev/null; then
    bash "$here/wine-run.sh" "$build" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f \
      >/dev/null 2>&1 || true
  fi
  exec bash "$here/wine-run.sh" "$build" "$exe" "${args[@]}"
fi

# Headless: our own X server, unless one already runs for this build folder.
started_xvfb=0
if ! private_running; then
  bash "$here/xvfb.sh" start "$build"
  started_xvfb=1
fi
viewer=
cleanup() {
  if [ -n "$viewer" ] && kill -0 "$viewer" 2>/dev/null; then
    kill "$viewer" 2>/dev/null || true
  fi
  if [ "$started_xvfb" = 1 ]; then
    bash "$here/xvfb.sh" stop "$build"
  fi
}
trap cleanup EXIT

bash "$here/wine-run.sh" "$build" "$exe" "${args[@]}" &
viewer=$!
sleep "$seconds"
if ! kill -0 "$viewer" 2>/dev/null; then
  rc=0
  wait "$viewer" || rc=$?
  viewer=
  echo "run-player: the viewer ended early with exit code $rc" >&2
  exit 1
fi

mkdir -p "$root/out"
shot=$root/out/player.png
DISPLAY=$(cat "$build/xvfb.display") import -window root "$shot"

# Close it as a user would; if that fails, end the process we started.
closer=$build/tests/win/close-window.exe
if [ -f "$closer" ]; then
  bash "$here/wine-run.sh" "$build" "$closer" PLAYER 5000 || true
fi
for _ in $(seq 50); do
  kill -0 "$viewer" 2>/dev/null || break
  sleep 0.1
done
rc=0
if kill -0 "$viewer" 2>/dev/null; then
  echo "run-player: the viewer did not close; ending it" >&2
  kill "$viewer" 2>/dev/null || true
fi
wait "$viewer" || rc=$?
viewer=
echo "run-player: viewer exit code $rc"
echo "run-player: screenshot $shot"
