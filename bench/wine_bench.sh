#!/usr/bin/env bash
# Speed figures of the Windows tree under Wine, in a private Xvfb: the video
# engine against a bare graph, the G-sensor graph's paint, and the whole player
# (tick, CPU against a bare graph, layout passes, repaints) and what the rear
# camera's second engine costs. Figures only: the
# exit status says whether they could be taken, never whether they are good.
#   wine_bench.sh WIN_BUILD NATIVE_BUILD
set -eu
[ $# -eq 2 ] || { echo "usage: $0 WIN_BUILD NATIVE_BUILD" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
win=$(cd "$1" && pwd)
native=$(cd "$2" && pwd)
run="bash $root/scripts/wine-run.sh $win"

bash "$root/scripts/xvfb.sh" start "$win"
trap 'bash "$root/scripts/xvfb.sh" stop "$win"' EXIT

echo "== video engine (tests/win/engine_bench)"
bash "$root/tests/win/engine_bench.sh" "$win"

echo "== G-sensor graph (tests/win/graph_bench)"
$run "$win/tests/win/graph_bench.exe"

echo "== the player (tests/e2e, case speed)"
work=$win/bench/e2e
mkdir -p "$work"
e2e=(--build "$win" --wine-run "$root/scripts/wine-run.sh"
     --player "$win/app/player.exe" --driver "$win/tests/e2e/player-driver.exe"
     --bare-graph "$win/tests/e2e/bare-graph.exe" --native "$native"
     --work "$work" --shots "$work/shots")
python3 "$root/tests/e2e/e2e.py" clips "${e2e[@]}" >"$work.clips.log" 2>&1 ||
  { cat "$work.clips.log" >&2; exit 1; }
status=0
python3 "$root/tests/e2e/e2e.py" speed "${e2e[@]}" >"$work.speed.log" 2>&1 || status=$?
cat "$work/speed.txt" 2>/dev/null || { cat "$work.speed.log" >&2; status=1; }

echo "== front and rear camera together (tests/e2e, case pair-speed)"
python3 "$root/tests/e2e/e2e.py" pair-speed "${e2e[@]}" >"$work.pair-speed.log" 2>&1 || status=$?
cat "$work/pair-speed.txt" 2>/dev/null || { cat "$work.pair-speed.log" >&2; status=1; }
exit $status
