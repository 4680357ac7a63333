#!/usr/bin/env bash
# telemetry-dump.exe under Wine must print exactly what the native tool prints,
# for the demo drive, real receiver logs and awkward inputs.
set -euo pipefail
native_dump="$1"; native_gen="$2"; exe="$3"; shift 3
wine_run=("$@")                       # command prefix that runs a Windows program
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

"$native_gen" --seconds 90 -o demo.nmea
"$native_gen" --seconds 600 --lf --seed 9 -o demo_lf.nmea
printf '$GSENSOR,1,2,3\r\n\r\n$GPRMC,1,A,3539.1234,S,13945.0,E,5.4,1,x\r\n\0\0\0$SPEED,0,28\r\n$GPGGA,1,2' > cut.nmea
printf '$SPEED,0,1\r$GPRMC,1,A,4807.038,N,01131.000,W,1e400,nan,x\r\r$GSENSOR,9,9,9,9,9,9\r' > cr_only.nmea
head -c 6000 "$native_gen" | tail -c 3000 > binary.nmea   # arbitrary but repeatable bytes
files=(demo.nmea demo_lf.nmea cut.nmea cr_only.nmea binary.nmea missing.nmea)
real_dir="${REAL_SIDECAR_DIR:-}"
if [ -n "$real_dir" ] && [ -d "$real_dir" ]; then
  for f in "$real_dir"/*.nmea; do cp "$f" "real_$(basename "$f")"; files+=("real_$(basename "$f")"); done
fi

status=0
for args in "--length 120" "--summary --length 0"; do
  # shellcheck disable=SC2086
  set +e
  "$native_dump" $args "${files[@]}" > native.txt; native_rc=$?
  "${wine_run[@]}" "$exe" $args "${files[@]}" > wine.txt; wine_rc=$?
  set -e
  if [ "$native_rc" != "$wine_rc" ]; then
    echo "exit status differs for '$args': native $native_rc, Windows $wine_rc"; status=1
  fi
  if ! cmp -s native.txt wine.txt; then
    echo "output differs for '$args':"; diff native.txt wine.txt | head -20; status=1
  fi
  echo "'$args': $(wc -l < native.txt) lines, exit $native_rc, identical: $([ $status = 0 ] && echo yes || echo no)"
done
exit $status
