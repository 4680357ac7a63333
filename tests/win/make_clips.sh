#!/usr/bin/env bash
# Writes the engine tests' clips into OUT_DIR (made once, kept while this script
# is unchanged). Each frame differs from the next (ffmpeg's test pattern with a
# running counter), so a one-frame step shows.
#   CLIP.MP4  12 s, H.264 640x360 30 fps, key frame every second, AAC sound
#   CLIP.MOV  the same streams in a QuickTime file
#   CLIP.AVI  12 s, MJPEG, no sound
#   CLIP.TS   the H.264 and AAC streams in an MPEG transport stream
#   REAR.MP4  a rear camera's clip: 6 s, H.264 320x240 30 fps, another pattern, no sound (no
#             front clip beside it: the window tests play CLIP.MP4 alone)
#   NOVIDEO.MP4  text under a video name
#   EMPTY.MP4, CUT.MP4 (the first half of CLIP.MP4), SOUND.MOV (AAC only) and the
#   folder FOLDER.MP4: files that no decoder would help
#   list/P1.MP4, P2.MP4 (2 s each) and P3.MP4 (3 s): short clips for playlist runs
# usage: make_clips.sh OUT_DIR
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 OUT_DIR" >&2; exit 2; }
out=$1
mkdir -p "$out"
stamp=$out/.made
if [ -f "$stamp" ] && [ "$stamp" -nt "${BASH_SOURCE[0]}" ]; then
  exit 0
fi
command -v ffmpeg >/dev/null 2>&1 || {
  echo "make_clips: ffmpeg not found; install the Debian package ffmpeg (scripts/install-deps.sh)" >&2
  exit 1
}

ff() { ffmpeg -hide_banner -loglevel error -nostdin -y "$@"; }
picture=(-f lavfi -i testsrc=size=640x360:rate=30:duration=12)
sound=(-f lavfi -i sine=frequency=440:sample_rate=48000:duration=12)

ff "${picture[@]}" "${sound[@]}" -c:v libx264 -preset veryfast -pix_fmt yuv420p -g 30 \
   -c:a aac -b:a 64k -shortest "$out/CLIP.MP4"
ff -i "$out/CLIP.MP4" -c copy -f mov "$out/CLIP.MOV"
ff -i "$out/CLIP.MP4" -c copy -f mpegts "$out/CLIP.TS"
ff -f lavfi -i testsrc2=size=320x240:rate=30:duration=6 -c:v libx264 -preset veryfast \
   -pix_fmt yuv420p -g 30 "$out/REAR.MP4"
ff "${picture[@]}" -c:v mjpeg -q:v 5 -pix_fmt yuvj420p -f avi "$out/CLIP.AVI"
printf 'This file has a video name but holds no video.\r\n' >"$out/NOVIDEO.MP4"
: >"$out/EMPTY.MP4"
head -c "$(( $(stat -c %s "$out/CLIP.MP4") / 2 ))" "$out/CLIP.MP4" >"$out/CUT.MP4"
ff "${sound[@]}" -c:a aac -b:a 64k -f mov "$out/SOUND.MOV"
mkdir -p "$out/FOLDER.MP4" "$out/list"
for clip in P1:2 P2:2 P3:3; do
  ff -f lavfi -i "testsrc=size=320x180:rate=25:duration=${clip#*:}" -c:v libx264 -preset veryfast \
     -pix_fmt yuv420p -g 25 "$out/list/${clip%:*}.MP4"
done
touch "$stamp"
echo "make_clips: clips in $out"
