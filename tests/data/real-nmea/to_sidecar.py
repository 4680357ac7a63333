#!/usr/bin/env python3
"""to_sidecar.py - turn a real NMEA 0183 log into a telemetry sidecar for tests.

The sidecar format is the one our viewer reads: for
every second a block of eight lines, CR LF terminated,

    $GSENSOR,x,y,z        (five of them, thousandths of g)
    $GPRMC,...            (the real RMC line from the log)
    $GPGGA,...            (the matching real GGA, or a plausible synthetic one)
    $GPGSA,...            (a real GSA from the same second, or a synthetic one)

One block is written for every usable $GPRMC line of the input, in input
order.  The G-sensor values are pseudo-random around (0, 0, 1000) and fully
deterministic: the same input and options always give the same bytes.

Pairing rules for each RMC (the "window" of an RMC is everything between the
previous and the next RMC line of the input):
  1. a GGA in the window whose UTC time equals the RMC time (both empty counts
     as equal) is used; such a GGA is reserved for that RMC;
  2. otherwise the next unused GGA after the RMC inside the window;
  3. otherwise the last unused GGA before the RMC inside the window;
  4. otherwise a synthetic GGA is written: time and position from the RMC,
     quality 1 (6 when the RMC mode field says E = dead reckoning) for status A
     and 0 otherwise, satellites / HDOP / altitude / geoid separation carried
     over from the most recent real GGA that had a fix (altitude empty for no
     fix; when no such GGA is known yet, --default-alt, empty by default).
GSA lines are taken from the window the same way (next after the RMC, then
the last before it) or synthesized.  Real lines are copied byte for byte
(except for --as-gp talker rewriting); synthetic lines get a valid checksum.

Lines that are not used as RMC/GGA/GSA of a block ("other" lines: other
talkers such as $GNRMC/$GLGSV, GP sentences such as $GPGSV/$GPVTG,
proprietary $P... sentences, AIS !AIVDM) are dropped by default; with
--others keep they are copied, in input order, in front of the block of the
RMC that follows them (lines after the last RMC go at the end).  GP RMC/GGA/GSA
lines that were not used for a block are always dropped, because extra
$GPGGA lines would shift the altitude column.  Anything that is not an NMEA
sentence (comment lines such as gpsd's "# ..." headers, blank lines, binary
garbage, NUL bytes) is always dropped: a NUL ends the viewer's text and a
blank line makes it stop with an error.

Only the Python 3 standard library is used.

Examples:
  python3 to_sidecar.py gpsd_quectel.log -o quectel.nmea
  python3 to_sidecar.py gpsd_ch-4711.log --others keep -o ch4711_keep.nmea
  python3 to_sidecar.py gpsd_ublox-zed-f9p-nmea.log --as-gp GN -o f9p.nmea
  python3 to_sidecar.py genivi_20100403_Z205_Switzerland.lines24884-28102.txt \\
      --start 600 --seconds 180 --motion -o swiss_3min.nmea
"""

import argparse
import bisect
import math
import re
import sys

# Names the viewer's parser looks for (a substring test on field 0).
VIEWER_NAMES = ("GSENSOR", "INDICATOR", "SPEED", "GPRMC", "GPGGA")

RMC_MIN, RMC_MAX = 10, 14
GGA_MIN, GGA_MAX = 10, 16

_LINE_SPLIT = re.compile(r"\r\n|\r|\n")
_PRINTABLE = re.compile(r"[^\x20-\x7e]")


# --------------------------------------------------------------------------
# small helpers
# --------------------------------------------------------------------------

def nmea_checksum(body):
    """XOR of all characters of body (the text between '$' and '*')."""
    c = 0
    for ch in body:
        c ^= ord(ch)
    return "%02X" % c


def with_checksum(fields):
    """Join fields and append a fresh checksum; fields[0] starts with '$'."""
    body = ",".join(fields)[1:]
    return "$" + body + "*" + nmea_checksum(body)


def parse_time(text):
    """hhmmss[.sss] -> seconds of day as float, or None."""
    text = text.strip()
    if len(text) < 6 or not text[:6].isdigit():
        return None
    try:
        h, m, s = int(text[0:2]), int(text[2:4]), float(text[4:])
    except ValueError:
        return None
    return h * 3600 + m * 60 + s


def same_time(a, b):
    """UTC time fields a and b denote the same instant (both empty: same)."""
    if a.strip() == "" and b.strip() == "":
        return True
    ta, tb = parse_time(a), parse_time(b)
    return ta is not None and tb is not None and abs(ta - tb) < 1e-3


def to_float(text):
    try:
        return float(text)
    except ValueError:
        return None


class XorShift32(object):
    """Tiny deterministic PRNG (Marsaglia xorshift32); independent of the
    random module so output never changes between Python versions."""

    def __init__(self, seed):
        self.state = (seed * 2654435761 + 0x9E3779B9) & 0xFFFFFFFF or 0x12345678

    def next_u32(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x & 0xFFFFFFFF
        return self.state

    def uniform(self):
        """Uniform in [-1, 1)."""
        return self.next_u32() / 2147483648.0 - 1.0

    def bell(self):
        """Roughly normal in [-1, 1): mean of three uniforms."""
        return (self.uniform() + self.uniform() + self.uniform()) / 3.0


def between(items, keys, lo, hi):
    """Items whose index lies strictly between lo and hi; keys = sorted indices."""
    return items[bisect.bisect_right(keys, lo):bisect.bisect_left(keys, hi)]


# --------------------------------------------------------------------------
# reading the log
# --------------------------------------------------------------------------

class Sentence(object):
    __slots__ = ("index", "text", "fields", "name", "talker", "kind")

    def __init__(self, index, text):
        self.index = index
        self.text = text
        self.fields = text.split(",")
        self.name = self.fields[0][1:]          # without '$' / '!'
        n = self.name
        if n.startswith("P") or len(n) != 5:     # proprietary or odd name
            self.talker, self.kind = "", n
        else:
            self.talker, self.kind = n[:2], n[2:]


def read_sentences(data, find_dollar):
    """Split raw bytes into cleaned sentence lines; return (sentences, dropped)."""
    text = data.decode("latin-1")
    sentences = []
    dropped = 0
    for raw in _LINE_SPLIT.split(text):
        line = _PRINTABLE.sub("", raw).strip()   # NUL, binary bytes, tabs...
        if find_dollar:
            pos = [p for p in (line.find("$"), line.find("!")) if p >= 0]
            if pos:
                line = line[min(pos):]
        if not line:
            continue
        if line[0] not in "$!" or len(line) < 6:
            dropped += 1
            continue
        sentences.append(Sentence(len(sentences), line))
    return sentences, dropped


def rewrite_talker(s, new_talker):
    """Return the sentence text with its talker replaced (checksum redone)."""
    fields = list(s.fields)
    fields[0] = fields[0][0] + new_talker + s.kind
    last = fields[-1]
    star = last.rfind("*")
    if star >= 0:
        fields[-1] = last[:star]
        return with_checksum(fields)
    return ",".join(fields)


# --------------------------------------------------------------------------
# building blocks
# --------------------------------------------------------------------------

class Converter(object):

    def __init__(self, args):
        self.args = args
        self.as_gp = set(t.strip().upper() for t in args.as_gp.split(",") if t.strip()) \
            if args.as_gp else set()
        self.warnings = []
        self.stats = dict(rmc_in=0, rmc_skipped=0, blocks=0, gga_real=0, gga_synth=0,
                          gsa_real=0, gsa_synth=0, others_kept=0, others_dropped=0,
                          gp_unused_dropped=0, non_sentence_dropped=0, outside_cut=0)

    def warn(self, msg):
        self.warnings.append(msg)

    # which GP sentence (after talker mapping) is this?
    def gp_kind(self, s):
        if s.text[0] != "$":
            return None
        if s.talker == "GP" or (s.talker in self.as_gp and s.talker):
            if s.kind in ("RMC", "GGA", "GSA"):
                return s.kind
        return None

    def gp_text(self, s):
        return s.text if s.talker == "GP" else rewrite_talker(s, "GP")

    def convert(self, data):
        a = self.args
        sents, self.stats["non_sentence_dropped"] = read_sentences(data, a.find_dollar)

        kinds = [self.gp_kind(s) for s in sents]
        rmcs = []
        for s, k in zip(sents, kinds):
            if k != "RMC":
                continue
            self.stats["rmc_in"] += 1
            n = len(s.fields)
            if not a.raw and not (RMC_MIN <= n <= RMC_MAX):
                self.stats["rmc_skipped"] += 1
                self.warn("line skipped, RMC with %d fields: %s" % (n, s.text[:70]))
                continue
            rmcs.append(s)

        # --start / --seconds select a contiguous run of RMCs
        first = max(0, a.start)
        last = len(rmcs) if a.seconds is None else min(len(rmcs), first + a.seconds)
        all_rmcs = rmcs
        rmcs = rmcs[first:last]

        ggas = [s for s, k in zip(sents, kinds) if k == "GGA"]
        gsas = [s for s, k in zip(sents, kinds) if k == "GSA"]
        gga_keys = [g.index for g in ggas]
        gsa_keys = [g.index for g in gsas]
        gga_ok = {}
        for g in ggas:
            n = len(g.fields)
            gga_ok[g.index] = a.raw or (GGA_MIN <= n <= GGA_MAX)
            if not gga_ok[g.index]:
                self.warn("GGA not used, %d fields: %s" % (n, g.text[:70]))

        # window bounds from ALL usable RMCs, so a cut never steals lines
        pos = [r.index for r in all_rmcs]
        bounds = {}
        for i, r in enumerate(all_rmcs):
            lo = pos[i - 1] if i > 0 else -1
            hi = pos[i + 1] if i + 1 < len(pos) else len(sents)
            bounds[r.index] = (lo, hi)

        # pass 1: time-matched GGAs (reserved)
        used = set()
        gga_for = {}
        for r in rmcs:
            lo, hi = bounds[r.index]
            cands = [g for g in between(ggas, gga_keys, lo, hi) if gga_ok[g.index]
                     and g.index not in used and len(g.fields) > 1 and len(r.fields) > 1
                     and same_time(g.fields[1], r.fields[1])]
            if cands:
                g = min(cands, key=lambda g: abs(g.index - r.index))
                gga_for[r.index] = g
                used.add(g.index)
        # pass 2: next after, then last before
        for r in rmcs:
            if r.index in gga_for:
                continue
            lo, hi = bounds[r.index]
            after = [g for g in between(ggas, gga_keys, r.index, hi) if gga_ok[g.index]
                     and g.index not in used]
            before = [g for g in between(ggas, gga_keys, lo, r.index) if gga_ok[g.index]
                      and g.index not in used]
            g = after[0] if after else (before[-1] if before else None)
            if g is not None:
                gga_for[r.index] = g
                used.add(g.index)

        gsa_for = {}
        used_gsa = set()
        for r in rmcs:
            lo, hi = bounds[r.index]
            after = [g for g in between(gsas, gsa_keys, r.index, hi) if g.index not in used_gsa]
            before = [g for g in between(gsas, gsa_keys, lo, r.index)
                      if g.index not in used_gsa]
            g = after[0] if after else (before[-1] if before else None)
            if g is not None:
                gsa_for[r.index] = g
                used_gsa.add(g.index)

        # "other" lines, grouped in front of the RMC that follows them
        keep = a.others == "keep"
        selected = set(r.index for r in rmcs)
        hi_cut = rmcs[-1].index if rmcs else -1
        prev_lo = bounds[rmcs[0].index][0] if rmcs else -1
        others_before = {}
        trailing = []
        next_rmc_pos = [r.index for r in rmcs]
        j = 0
        cut_at_end = rmcs and last < len(all_rmcs)
        for s, k in zip(sents, kinds):
            if s.index in selected or s.index in used or s.index in used_gsa:
                continue
            # lines before the window of the first kept RMC, or after the last
            # kept RMC when --seconds cut the log, lie outside the cut
            if (first > 0 and s.index <= prev_lo) or (cut_at_end and s.index > hi_cut):
                self.stats["outside_cut"] += 1
                continue
            if k is not None:                     # unused GP RMC/GGA/GSA
                self.stats["gp_unused_dropped"] += 1
                continue
            if not keep:
                self.stats["others_dropped"] += 1
                continue
            f0 = s.fields[0]
            if not a.raw and any(v in f0 for v in VIEWER_NAMES):
                self.stats["others_dropped"] += 1
                self.warn("other line dropped, its name looks like a sidecar name: %s"
                          % s.text[:70])
                continue
            while j < len(next_rmc_pos) and next_rmc_pos[j] < s.index:
                j += 1
            if j < len(next_rmc_pos):
                others_before.setdefault(next_rmc_pos[j], []).append(s.text)
            else:
                trailing.append(s.text)
            self.stats["others_kept"] += 1

        out = []
        rng = XorShift32(a.seed)
        last_fix_gga = None      # most recent real GGA with a fix (quality > 0)
        prev_fix = None          # (time, speed m/s, course deg) of previous valid RMC
        for r in rmcs:
            out.extend(others_before.get(r.index, []))
            # G-sensor samples for this second
            base_x, base_y = 0.0, 0.0
            f = r.fields
            valid = len(f) > 8 and f[2] == "A"
            if valid:
                t = parse_time(f[1])
                v = to_float(f[7])
                c = to_float(f[8])
                v = v * 0.514444 if v is not None else None
                if a.motion and prev_fix is not None and v is not None:
                    pt, pv, pc = prev_fix
                    dt = 1.0                      # times unknown: assume 1 s
                    if t is not None and pt is not None:
                        d = t - pt
                        if d < 0:
                            d += 86400.0          # midnight roll-over
                        dt = d if 0.0 < d <= 10.0 else None
                    if dt is not None:            # no motion across long gaps
                        if pv is not None:
                            base_y = (v - pv) / dt / 9.80665 * 1000.0
                        if c is not None and pc is not None:
                            dc = (c - pc + 540.0) % 360.0 - 180.0
                            base_x = v * math.radians(dc) / dt / 9.80665 * 1000.0
                        base_x = max(-1500.0, min(1500.0, base_x))
                        base_y = max(-1500.0, min(1500.0, base_y))
                prev_fix = (t, v, c)
            for i in range(a.samples):
                x = int(round(base_x + rng.bell() * a.amp_xy))
                y = int(round(base_y + rng.bell() * a.amp_xy))
                z = int(round(1000.0 + rng.bell() * a.amp_z))
                if a.gsensor_index:
                    out.append("$GSENSOR,%d,%d,%d,%d" % (i, x, y, z))
                else:
                    out.append("$GSENSOR,%d,%d,%d" % (x, y, z))
            out.append(self.gp_text(r))

            g = gga_for.get(r.index)
            if g is not None:
                out.append(self.gp_text(g))
                gf = g.fields
                if len(gf) > 6 and gf[6] not in ("", "0"):
                    last_fix_gga = gf
                self.stats["gga_real"] += 1
            else:
                out.append(self.synth_gga(r, last_fix_gga))
                self.stats["gga_synth"] += 1

            s = gsa_for.get(r.index)
            if s is not None:
                out.append(self.gp_text(s))
                self.stats["gsa_real"] += 1
            else:
                out.append(self.synth_gsa(r, last_fix_gga))
                self.stats["gsa_synth"] += 1
            self.stats["blocks"] += 1
        out.extend(trailing)
        if out and len(out[0]) > 98:
            self.warn("first line is longer than 98 characters; the viewer looks for the "
                      "line break in the first 100 characters only")
        return out

    def synth_gga(self, r, last):
        f = r.fields
        status = f[2] if len(f) > 2 else ""
        fix = status == "A"
        mode = f[12] if len(f) > 12 else ""
        mode = mode.split("*")[0]
        t = f[1] if len(f) > 1 else ""

        def lastf(i, default):
            if last is not None and len(last) > i and last[i].split("*")[0] != "":
                return last[i].split("*")[0]
            return default

        if fix:
            lat, ns, lon, ew = (f[3], f[4], f[5], f[6]) if len(f) > 6 else ("", "", "", "")
            q = "6" if mode == "E" else "1"
            sats = lastf(7, "08")
            hdop = lastf(8, "1.0")
            alt = lastf(9, self.args.default_alt)
            geo = lastf(11, "")
        else:
            lat = ns = lon = ew = ""
            q, sats, hdop, alt, geo = "0", "00", "99.99", "", ""
        fields = ["$GPGGA", t, lat, ns, lon, ew, q, sats, hdop, alt, "M", geo, "M", "", ""]
        return with_checksum(fields)

    def synth_gsa(self, r, last):
        fix = len(r.fields) > 2 and r.fields[2] == "A"
        if fix:
            hdop = "1.0"
            if last is not None and len(last) > 8 and last[8] != "":
                hdop = last[8]
            h = to_float(hdop) or 1.0
            fields = ["$GPGSA", "A", "3"] + [""] * 12 + ["%.1f" % (h * 1.6), hdop, "%.1f" % (h * 1.3)]
        else:
            fields = ["$GPGSA", "A", "1"] + [""] * 12 + ["99.99", "99.99", "99.99"]
        return with_checksum(fields)


def main(argv=None):
    p = argparse.ArgumentParser(
        description="Turn a real NMEA 0183 log into a dash-camera telemetry sidecar "
                    "(5 x $GSENSOR, $GPRMC, $GPGGA, $GPGSA per second, CR LF).")
    p.add_argument("input", help="NMEA log file (any line ends; comments and garbage are skipped)")
    p.add_argument("-o", "--output", help="sidecar to write (default: standard output)")
    p.add_argument("--others", choices=("drop", "keep"), default="drop",
                   help="other sentences (other talkers, other GP sentence types, "
                        "proprietary, AIS): drop (default) or keep them in input order")
    p.add_argument("--as-gp", metavar="TALKERS", default="",
                   help="comma list of talkers whose RMC/GGA/GSA are used as GP ones and "
                        "rewritten to $GP... with a new checksum, e.g. GN")
    p.add_argument("--samples", type=int, default=5, help="G-sensor lines per second (default 5)")
    p.add_argument("--gsensor-index", action="store_true",
                   help="write the 5-field form $GSENSOR,n,x,y,z (n = 0..samples-1)")
    p.add_argument("--seed", type=int, default=1, help="PRNG seed (default 1)")
    p.add_argument("--amp-xy", type=float, default=40.0,
                   help="noise amplitude on x and y in mg (default 40)")
    p.add_argument("--amp-z", type=float, default=40.0,
                   help="noise amplitude on z around 1000 mg (default 40)")
    p.add_argument("--motion", action="store_true",
                   help="add the car's motion: y += longitudinal acceleration from the RMC "
                        "speed change, x += lateral acceleration from the course change")
    p.add_argument("--start", type=int, default=0, help="skip the first N usable RMC lines")
    p.add_argument("--seconds", type=int, default=None, help="write at most N blocks")
    p.add_argument("--default-alt", default="",
                   help="altitude for synthetic GGAs before any real GGA was seen (default empty)")
    p.add_argument("--find-dollar", action="store_true",
                   help="drop anything before the first '$' or '!' of a line "
                        "(for logs with timestamps or other prefixes)")
    p.add_argument("--raw", action="store_true",
                   help="do not enforce the field counts (RMC 10..14, GGA 10..16) and do not "
                        "drop kept lines whose name looks like a sidecar name (for negative tests)")
    p.add_argument("-q", "--quiet", action="store_true", help="no summary on standard error")
    args = p.parse_args(argv)
    if args.samples < 0:
        p.error("--samples must be >= 0")

    with open(args.input, "rb") as fh:
        data = fh.read()
    conv = Converter(args)
    lines = conv.convert(data)
    payload = "".join(line + "\r\n" for line in lines).encode("ascii")
    if args.output:
        with open(args.output, "wb") as fh:
            fh.write(payload)
    else:
        sys.stdout.buffer.write(payload)

    if not args.quiet:
        st = conv.stats
        sys.stderr.write(
            "%s: %d blocks (%d RMC in input, %d skipped); GGA real %d / synthetic %d; "
            "GSA real %d / synthetic %d; others kept %d / dropped %d; unused GP lines "
            "dropped %d; non-sentence lines dropped %d; lines outside --start/--seconds %d\n"
            % (args.input, st["blocks"], st["rmc_in"], st["rmc_skipped"], st["gga_real"],
               st["gga_synth"], st["gsa_real"], st["gsa_synth"], st["others_kept"],
               st["others_dropped"], st["gp_unused_dropped"], st["non_sentence_dropped"],
               st["outside_cut"]))
        for w in conv.warnings[:20]:
            sys.stderr.write("  warning: %s\n" % w)
        if len(conv.warnings) > 20:
            sys.stderr.write("  ... %d more warnings\n" % (len(conv.warnings) - 20))
        if st["blocks"] == 0:
            sys.stderr.write("  note: no usable $GPRMC line; for GN-only logs try --as-gp GN\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
