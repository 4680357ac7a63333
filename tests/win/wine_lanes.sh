#!/usr/bin/env bash
# Starts or stops the X servers and wineservers of the Windows tests' lanes, all
# at once (scripts/xvfb.sh for each lane folder).
#   wine_lanes.sh start|stop LANE_DIR...
set -u
[ $# -ge 2 ] && { [ "$1" = start ] || [ "$1" = stop ]; } ||
  { echo "usage: $0 start|stop LANE_DIR..." >&2; exit 2; }
xvfb="$(cd "$(dirname "$0")/../../scripts" && pwd)/xvfb.sh"
action=$1; shift
pids=()
for dir in "$@"; do
  bash "$xvfb" "$action" "$dir" &
  pids+=($!)
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
exit $status
