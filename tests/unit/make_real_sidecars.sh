#!/usr/bin/env bash
# Turns the real receiver logs into sidecars for the unit tests.
set -euo pipefail
src="$1"; out="$2"
conv="python3 $src/to_sidecar.py -q"
$conv "$src/gpsd_garmin25lp.log" -o "$out/garmin25lp.nmea"
$conv "$src/gpsd_magellan-ec10.log" -o "$out/magellan.nmea"
$conv "$src/xcsoar_pflaf03.nmea" -o "$out/pflaf03.nmea"
$conv "$src/genivi_20100403_Z205_Switzerland.lines24884-28102.txt" -o "$out/swiss.nmea"
$conv "$src/genivi_20100411_Geko_Regensburg.lines1-5739.txt" -o "$out/geko.nmea"
$conv "$src/gpsd_ch-4711.log" -o "$out/ch4711.nmea"
