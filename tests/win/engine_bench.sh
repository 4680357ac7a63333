#!/usr/bin/env bash
# Speed figures of the video engine under Wine, on the tests' clips.
#   engine_bench.sh WIN_BUILD [CLIP_NAME] [SECONDS] [RUNS]
# Uses the build folder's private X server when it runs, else starts and stops one.
set -eu
[ $# -ge 1 ] || { echo "usage: $0 WIN_BUILD [CLIP_NAME] [SECONDS] [RUNS]" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
scripts=$(cd "$here/../../scripts" && pwd)
build=$(cd "$1" && pwd)
clips=$build/tests/win/clips
bench=$build/tests/win/engine_bench.exe
[ -f "$bench" ] || { echo "engine_bench: build the target engine_bench first" >&2; exit 1; }
bash "$here/make_clips.sh" "$clips"

started=0
if ! bash "$scripts/xvfb.sh" status "$build"; then
  bash "$scripts/xvfb.sh" start "$build"
  started=1
fi
trap '[ "$started" = 1 ] && bash "$scripts/xvfb.sh" stop "$build"' EXIT
bash "$scripts/wine-run.sh" "$build" "$bench" "$clips/${2:-CLIP.MP4}" "${3:-10}" "${4:-5}"
