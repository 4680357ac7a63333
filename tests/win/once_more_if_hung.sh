#!/usr/bin/env bash
# Runs a command; when it has not ended after SECONDS (it hung, it did not fail),
# stops it and runs it again, up to four attempts. A failure is a failure and is
# not repeated.
#
#   once_more_if_hung.sh SECONDS COMMAND [ARGS...]   (SECONDS for each attempt)
#
# For the engine's tests under Wine: its GStreamer parser now and then never
# returns from connecting its input pin (winegstreamer parser_sink_connect under
# IGraphBuilder::RenderFile). Seen with an MPEG transport stream in 1 of 40 runs
# on a quiet machine and in 1 of 2 on a loaded one, and once with the damaged
# MP4 clips on a loaded machine. IGraphBuilder::Abort is a stub there, so
# nothing in the program can end the wait.
set -u
[ $# -ge 2 ] || { echo "usage: $0 SECONDS COMMAND [ARGS...]" >&2; exit 2; }
limit=$1; shift
for attempt in 1 2 3 4; do
  timeout -k 5 "$limit" "$@"
  status=$?
  [ $status -ne 124 ] && [ $status -ne 137 ] && exit $status
  echo "once_more_if_hung: attempt $attempt did not end within $limit s (hung)" >&2
  sleep 2
done
exit $status
