#!/usr/bin/env bash
# A private X server (and a resident wineserver) for one build folder.
#
#   xvfb.sh start BUILD_DIR   start Xvfb on a free display, write BUILD_DIR/xvfb.display
#                             and xvfb.pid, keep the folder's wineserver running
#   xvfb.sh stop BUILD_DIR    end exactly what start started
#   xvfb.sh status BUILD_DIR  exit code 0 when the server for BUILD_DIR answers
#
# start and stop are idempotent. The screen is 1920x1080: the program opens at its
# 1366x768 canvas size in the top-left corner, and maximised fills a full-HD screen.
set -eu

if [ $# -ne 2 ] || { [ "$1" != start ] && [ "$1" != stop ] && [ "$1" != status ]; }; then
  echo "usage: $0 start|stop|status BUILD_DIR" >&2
  exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$2"
build=$(cd "$2" && pwd)
display_file=$build/xvfb.display
pid_file=$build/xvfb.pid
server_pid_file=$build/wineserver.pid

export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all

# alive PID [NAME]: running (not a zombie waiting for init to reap it) and, when
# NAME is given, still that program, so a recycled PID from a stale file is left alone.
alive() {
  [ -n "$1" ] && kill -0 "$1" 2>/dev/null || return 1
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  [ "$(echo "${stat##*) }" | cut -d' ' -f1)" != Z ] || return 1
  [ -z "${2:-}" ] || [ "$(cat "/proc/$1/comm" 2>/dev/null)" = "$2" ]
}

# end_pid PID NAME: TERM to one process we started, then wait; KILL if it lingers.
end_pid() {
  local pid=$1 name=$2 i
  alive "$pid" "$name" || return 0
  kill "$pid" 2>/dev/null || true
  for i in $(seq 50); do alive "$pid" || return 0; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
}

x11_key='HKCU\Software\Wine\X11 Driver'
server_name=wineserver64  # what Debian's wineserver wrapper execs

stop() {
  local pid
  if [ -f "$server_pid_file" ]; then
    pid=$(cat "$server_pid_file")
    if alive "$pid" "$server_name"; then
      # Windows are managed again when the prefix is used on a real desktop.
      bash "$here/wine-run.sh" "$build" reg delete "$x11_key" /v Managed /f \
        </dev/null >/dev/null 2>&1 || true
      # Ends every Wine process of this prefix, then the server itself.
      wineserver -k >/dev/null 2>&1 || true
      end_pid "$pid" "$server_name"
    fi
    rm -f "$server_pid_file"
  fi
  if [ -f "$pid_file" ]; then
    end_pid "$(cat "$pid_file")" Xvfb
    rm -f "$pid_file"
  fi
  rm -f "$display_file"
}

answers() { DISPLAY=":$1" xdpyinfo >/dev/null 2>&1; }

# owns N PID: display N's lock names our server. Lanes start at once, and a
# server that lost the race for N lives on a moment while the winner answers.
owns() { [ "$(tr -d ' \n' <"/tmp/.X$1-lock" 2>/dev/null)" = "$2" ]; }

start_xvfb() {
  local n pid i
  for n in $(seq 90 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    pid=$!
    for i in $(seq 100); do
      owns "$n" "$pid" && answers "$n" && break
      alive "$pid" || break
      sleep 0.1
    done
    if alive "$pid" && owns "$n" "$pid" && answers "$n"; then
      echo "$pid" >"$pid_file"
      echo ":$n" >"$display_file"
      return 0
    fi
    # Lost a race for this number (or the server failed): try the next one.
    end_pid "$pid" Xvfb
  done
  echo "xvfb: no free display between :90 and :199" >&2
  return 1
}

running() {
  [ -f "$pid_file" ] && [ -f "$display_file" ] && alive "$(cat "$pid_file")" Xvfb \
    && answers "$(cut -c2- "$display_file")"
}

start() {
  if ! running; then
    stop
    start_xvfb
  fi
  if [ -f "$server_pid_file" ] && alive "$(cat "$server_pid_file")" "$server_name"; then
    return 0
  fi
  # The prefix must exist before a resident server holds it (prefix creation waits
  # for the server to end).
  bash "$here/wine-run.sh" "$build" --prepare
  # Kept resident so that each program start doesn't pay for a cold server. A server
  # of an earlier run may still be winding down (about 3 s); it must go first.
  local i
  for i in 1 2; do
    wineserver -f -p </dev/null >/dev/null 2>&1 &
    echo $! >"$server_pid_file"
    sleep 0.3
    alive "$(cat "$server_pid_file")" "$server_name" && break
    timeout 30 wineserver -w || true
  done
  # Boot the session now: its service processes stay with the resident server and
  # would otherwise inherit the output pipe of the first test, which then never ends.
  bash "$here/wine-run.sh" "$build" wineboot </dev/null >/dev/null 2>&1
  # No window manager runs here. Managed windows would wait 2 s for it on every
  # close and would not get keyboard input.
  bash "$here/wine-run.sh" "$build" reg add "$x11_key" /v Managed /t REG_SZ /d N /f \
    </dev/null >/dev/null 2>&1
}

case $1 in
  start) start; echo "xvfb: display $(cat "$display_file") for $build" >&2 ;;
  stop) stop ;;
  status) running ;;
esac
