#!/usr/bin/env bash
# Writes the demo clip DEMO_DIR/DEMO0001.MP4 and its telemetry sidecar
# DEMO_DIR/DEMO0001.nmea, SECONDS long (default 90).
# usage: make-demo.sh NATIVE_BUILD DEMO_DIR [SECONDS]
#
# The picture is a synthetic road with the clip time and a big second number,
# so a test (or a person) can read off which second is on screen. H.264
# yuv420p 960x540, 30 fps, a key frame every second, no audio (nothing for a
# sound-card-less player to trip over).
set -euo pipefail

usage() { echo "usage: $0 NATIVE_BUILD DEMO_DIR [SECONDS]" >&2; exit 2; }
[ $# -ge 2 ] && [ $# -le 3 ] || usage
native=$1
demo=$2
seconds=${3:-90}
[[ $seconds =~ ^[1-9][0-9]*$ ]] || { echo "make-demo: SECONDS must be a positive whole number" >&2; exit 2; }

name=DEMO0001
gen=$native/tools/demo/gen-demo
nmea=$demo/$name.nmea
mp4=$demo/$name.MP4
font_dir=/usr/share/fonts/truetype/dejavu
width=960
height=540
fps=30

if [ ! -x "$gen" ]; then
  [ -f "$native/CMakeCache.txt" ] || { echo "make-demo: $native is not a configured build tree" >&2; exit 1; }
  if ! out=$(cmake --build "$native" --target gen-demo 2>&1); then
    echo "$out" >&2
    echo "make-demo: building gen-demo failed" >&2
    exit 1
  fi
fi

# Up to date: both files newer than the generator and this script, and the
# sidecar has the asked length (one RMC sentence a second).
fresh() { [ -f "$1" ] && [ "$1" -nt "$gen" ] && [ "$1" -nt "${BASH_SOURCE[0]}" ]; }
if fresh "$nmea" && fresh "$mp4" && [ "$(grep -c GPRMC "$nmea")" = "$seconds" ]; then
  exit 0
fi

command -v ffmpeg >/dev/null 2>&1 || {
  echo "make-demo: ffmpeg not found; install the Debian package ffmpeg (scripts/install-deps.sh)" >&2
  exit 1
}
for f in DejaVuSans-Bold.ttf DejaVuSansMono-Bold.ttf; do
  [ -f "$font_dir/$f" ] || {
    echo "make-demo: $font_dir/$f not found; install the Debian package fonts-dejavu-core" >&2
    exit 1
  }
done

mkdir -p "$demo"
graph=$(mktemp)
trap 'rm -f "$graph" "$nmea.tmp" "$mp4.tmp"' EXIT

"$gen" --seconds "$seconds" -o "$nmea.tmp"

# The road is drawn with geq on small frames. Its motion (lane dashes and
# grass bands) repeats every 24 frames, so only those are drawn, scaled and
# looped; a slow sideways pan and the texts change on every frame. Texts count
# frames (n) rather than time so that the second shown cannot round down.
pan_width=$((width * 11 / 10 / 2 * 2))
shade="st(1,0.42*H);st(2,(Y-ld(1))/(H-ld(1)));st(3,W/2);st(4,ld(2)*0.46*W+1);st(5,1/(ld(2)+0.03)+T*5);\
if(lt(Y,ld(1)),if(gt(Y,ld(1)-(mod(floor(X/11)*37,23)+3)*0.012*H),SKYLINE,SKY),\
if(lt(abs(X-ld(3)),ld(4)),if(lt(abs(X-ld(3)),ld(2)*0.012*W+0.3)*lt(mod(ld(5),2),1)+\
lt(abs(abs(X-ld(3))-ld(4)*0.93),ld(2)*0.012*W+0.3),225,ROAD),if(lt(mod(ld(5),4),2),GRASS1,GRASS2)))"
channel() {  # skyline sky road grass1 grass2
  local e=${shade/SKYLINE/$1+mod(floor(X/11)*53,40)}
  e=${e/SKY/$2}; e=${e/ROAD/$3}; e=${e/GRASS1/$4}; e=${e/GRASS2/$5}
  printf '%s' "$e"
}
cat >"$graph" <<EOF
color=c=black:s=352x180:r=$fps:d=1,format=rgb24,
geq=r='$(channel 70 "90+80*Y/ld(1)" "58+22*ld(2)" 48 62)':g='$(channel 75 "140+70*Y/ld(1)" "58+22*ld(2)" 118 134)':b='$(channel 85 "220+25*Y/ld(1)" "62+22*ld(2)" 40 48)',
scale=$pan_width:$height:flags=bicubic,format=yuv420p,loop=loop=-1:size=24,trim=duration=$seconds,
crop=$width:$height:x='($pan_width-$width)/2*(1+0.9*sin(t*0.45))':y=0,
drawtext=fontfile=$font_dir/DejaVuSansMono-Bold.ttf:fontsize=$((height / 20)):fontcolor=white:box=1:boxcolor=black@0.55:boxborderw=10:x=18:y=14:
text='$name  %{eif\:floor(n/$((fps * 3600)))\:d\:2}\:%{eif\:mod(floor(n/$((fps * 60))),60)\:d\:2}\:%{eif\:mod(floor(n/$fps),60)\:d\:2}',
drawtext=fontfile=$font_dir/DejaVuSans-Bold.ttf:fontsize=$((height / 3)):fontcolor=white:borderw=5:bordercolor=black:
x=(w-text_w)/2:y=(h-text_h)/2-$((height / 12)):text='%{eif\:floor(n/$fps)\:d}'
EOF

if ! out=$(ffmpeg -hide_banner -loglevel error -nostdin -y -filter_complex_script "$graph" \
             -c:v libx264 -preset veryfast -crf 28 -pix_fmt yuv420p \
             -g $fps -keyint_min $fps -sc_threshold 0 -an -movflags +faststart -f mp4 "$mp4.tmp" 2>&1); then
  echo "$out" >&2
  echo "make-demo: ffmpeg failed to make $mp4" >&2
  exit 1
fi

mv -f "$nmea.tmp" "$nmea"
mv -f "$mp4.tmp" "$mp4"
echo "make-demo: $mp4 and $nmea ($seconds s)"
