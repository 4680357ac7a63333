#!/usr/bin/env bash
# telemetry-dump --gpx end to end: the real receiver sidecars, one of them cut
# short by a power loss, and bytes that are no sidecar at all. Every file must
# pass the GPX 1.1 schema, hold the route's points, and read back through an
# independent converter as the same points.
#   gpx_roundtrip.sh TELEMETRY_DUMP REAL_SIDECAR_DIR WORK_DIR
set -euo pipefail
export LC_ALL=C
dump="$1"; real="$2"; work="$3"
here="$(cd "$(dirname "$0")" && pwd)"

fail() { echo "gpx_roundtrip: $*" >&2; exit 1; }

for tool in xmllint gpsbabel; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done
shopt -s nullglob
sidecars=("$real"/*.nmea)
[ ${#sidecars[@]} -gt 0 ] || fail "no real sidecars in $real (built by the target real_sidecars)"
rm -rf "$work"; mkdir -p "$work"

# "lat,lon" of every point, in order: as written, as the route has them, as read back.
written() { sed -n 's/.*<trkpt lat="\([^"]*\)" lon="\([^"]*\)".*/\1,\2/p' "$1"; }
route() { sed -n 's/.*{ lat: \([^,]*\), lng : \([^ ]*\) }.*/\1,\2/p' "$1"; }
read_back() {
  gpsbabel -t -i gpx -f "$1" -o unicsv -F "$2"
  awk -F, 'NR == 1 { for (i = 1; i <= NF; ++i) { if ($i == "Latitude") la = i; if ($i == "Longitude") lo = i }; next }
           { printf "%.6f,%.6f\n", $la, $lo }' "$2"
}

same() {  # name what file1 file2
  cmp -s "$3" "$4" || { diff "$3" "$4" | head -5 >&2; fail "$1: $2 differ ($3, $4)"; }
}

# Exports one sidecar as NAME and checks the file; leaves NAME.points behind.
check() {
  local name="$1" sidecar="$2" base="$work/$1"
  mkdir -p "$base.route"
  "$dump" --summary --route "$base.route" --gpx "$base.gpx" "$sidecar" >/dev/null ||
    fail "$name: telemetry-dump exited with status $?"
  xmllint --noout --schema "$here/gpx.xsd" "$base.gpx" 2>"$base.xmllint" ||
    { cat "$base.xmllint" >&2; fail "$name: $base.gpx is not valid GPX 1.1"; }
  written "$base.gpx" >"$base.points"
  route "$base.route/line_path.js" >"$base.route.points"
  same "$name" "the GPX and route points" "$base.points" "$base.route.points"
  read_back "$base.gpx" "$base.csv" >"$base.read"
  same "$name" "the points written and read back" "$base.points" "$base.read"
  echo "$name: $(wc -l <"$base.points") points, $(grep -c '<time>' "$base.gpx" || true) times," \
       "$(grep -c '<ele>' "$base.gpx" || true) altitudes; valid, read back alike"
}

total=0
for sidecar in "${sidecars[@]}"; do
  check "$(basename "$sidecar" .nmea)" "$sidecar"
  total=$((total + $(wc -l <"$work/$(basename "$sidecar" .nmea).points")))
done
[ "$total" -gt 0 ] || fail "the real sidecars gave no points at all"

# Power lost while the 300th second with a fix was written: its "$GPRMC" line
# stops inside the date (ten fields, so still a row with a fix) and NUL bytes
# follow. The points are those of the whole clip up to there; the last has no
# time (no whole date) and no altitude (its "$GPGGA" line was never written).
full="$real/swiss.nmea"
[ -f "$full" ] || fail "$full is missing"
at=$(grep -n '^\$GPRMC,[^,]*,A,' "$full" | sed -n '300s/:.*//p')
[ -n "$at" ] || fail "$full has fewer than 300 seconds with a fix"
cut="$work/swiss_cut.nmea"
head -n $((at - 1)) "$full" >"$cut"
sed -n "${at}p" "$full" | sed 's/,\([0-9]\{4\}\)[0-9][0-9],.*$/,\1/' | tr -d '\n' >>"$cut"
head -c 200 /dev/zero >>"$cut"
check swiss_cut "$cut"
[ "$(wc -l <"$work/swiss_cut.points")" -eq 300 ] || fail "swiss_cut: 300 points expected"
head -n "$(wc -l <"$work/swiss_cut.points")" "$work/swiss.points" >"$work/swiss.head.points"
same swiss_cut "the points before the cut" "$work/swiss_cut.points" "$work/swiss.head.points"
last=$(grep '<trkpt' "$work/swiss_cut.gpx" | tail -n 1)
[[ "$last" =~ \<trkpt\ lat=\"[-0-9.]+\"\ lon=\"[-0-9.]+\"\>\</trkpt\> ]] ||
  fail "swiss_cut: the cut second should be a bare point: $last"

# Bytes that are no sidecar (the start of the program itself): a valid, empty track.
head -c 65536 "$dump" >"$work/binary.nmea"
check binary "$work/binary.nmea"

echo "gpx_roundtrip: all files valid and read back alike"
