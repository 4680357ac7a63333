#!/usr/bin/env python3
"""End-to-end cases of the viewer under Wine + Xvfb.

    e2e.py CASE --build DIR --wine-run SH --player EXE --driver EXE --bare-graph EXE
                --native DIR --work DIR --shots DIR

CASE is clips (make the clips, sidecars and expected readouts), playback, playlist,
unrenderable, startup or speed. Each case starts the viewer through player-driver,
talks to the driver line by line, and checks what it saw against what the player's
own portable code says: telemetry-dump --readouts for the texts of each second,
layout-dump for the places of the controls. Controls are named as in
resources/resource.h. Every check prints PASS or FAIL with its evidence; the exit
code is 1 when any check failed. Timings are reported, never judged.
"""

import argparse
import importlib
import ntpath
import os
import queue
import re
import shutil
import statistics
import subprocess
import sys
import threading
import time
from types import SimpleNamespace


def control_ids():
    """The IDC_ names of resources/resource.h without their prefix, ids as text."""
    header = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources",
                          "resource.h")
    with open(header) as f:
        return SimpleNamespace(**{m.group(1): m.group(2) for m in
                                  re.finditer(r"#define\s+IDC_(\w+)\s+(\d+)", f.read())})


ID = control_ids()

# ---------------------------------------------------------------- clips

# Slices of the 90-second demo drive (first second, length) and what they hold.
DRIVE = ("E2E_DRIVE", 62, 20)  # hard brake at 5, tunnel without fix 11..16, turn from 17
CLIP_A = ("E2E_A", 40, 12)     # shown through the clip E2E_AR.MP4 (the R rule); stop at 5..11
CLIP_B_SECONDS = 10            # E2E_B.MP4: no sidecar
AR_SECONDS = 6                 # AR.MP4: a name that E2E_AR.MP4 contains; no sidecar
SPEED_SECONDS = 32
BAD_SECONDS = 4
# Copies of E2E_B.MP4 whose Windows paths have these lengths: one just fits the
# 260 characters that file dialogs take on every system, one does not.
LONG_PATHS = (250, 300)
# Names outside every 8-bit code page: the rear clip reads the CLIP_A slice as its
# sidecar (the R rule), the other clip has none.
UNICODE_FOLDER = "Поездка 行程 🚗"
UNICODE_REAR = "行程 🚗R.MP4"
UNICODE_OTHER = "Кадр 中文.mp4"


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, **kw)


def sidecar_blocks(text):
    """The sidecar split into per-second blocks (each ends with its GSA sentence)."""
    blocks, current = [], []
    for line in text.splitlines(keepends=True):
        current.append(line)
        if line.startswith("$GPGSA"):
            blocks.append("".join(current))
            current = []
    return blocks


def make_video(path, seconds, size, rate, extra=()):
    # A moving test picture, a key frame every second, no audio.
    run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
         "-f", "lavfi", "-i", f"testsrc=size={size}:rate={rate}", "-t", str(seconds),
         "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p",
         "-g", str(rate), *extra, path])


def long_clip(clips, total):
    """A path under clips whose Windows form has `total` characters (None when the
    clips folder itself is too long for that)."""
    room = total - len(win_path(clips)) - len("\\LONG.MP4")
    parts = []
    while room > 1:
        n = min(room - 1, 200)  # a separator, then up to 200 characters
        parts.append(str(total) + "x" * (n - len(str(total))) if n > len(str(total)) else "x" * n)
        room -= n + 1
    if room != 0:
        return None
    path = os.path.join(clips, *parts, "LONG.MP4")
    return path if len(win_path(path)) == total else None


def make_clips(a):
    clips = os.path.join(a.work, "clips")
    stamp = os.path.join(clips, "ready")
    gen = os.path.join(a.native, "tools", "demo", "gen-demo")
    dump = os.path.join(a.native, "tools", "telemetry-dump")
    for tool in (gen, dump):
        if not os.access(tool, os.X_OK):
            print(f"clips: {tool} is missing (build the native tree first)", file=sys.stderr)
            return 1
    if os.path.exists(stamp) and all(os.path.getmtime(stamp) > os.path.getmtime(f)
                                     for f in (__file__, gen, dump)):
        print("clips: up to date in", clips)
        return 0
    shutil.rmtree(clips, ignore_errors=True)
    os.makedirs(clips)
    full = os.path.join(clips, "drive90.nmea")
    run([gen, "--seconds", "90", "-o", full])
    with open(full, newline="") as f:
        blocks = sidecar_blocks(f.read())

    def cut(name, first, length):
        path = os.path.join(clips, name + ".nmea")
        with open(path, "w", newline="") as f:
            f.write("".join(blocks[first:first + length]))
        return path

    def expect(sidecar, name, length):
        # A sidecar that is not there gives the readouts of a clip without one.
        with open(os.path.join(clips, name + ".readouts"), "w") as f:
            subprocess.run([dump, "--summary", "--readouts", "--length", str(length), sidecar],
                           stdout=f, check=False)
        if not os.path.exists(sidecar):
            return
        route = os.path.join(clips, name + ".route")
        os.makedirs(route, exist_ok=True)
        run([dump, "--summary", "--length", str(length), "--route", route, sidecar],
            stdout=subprocess.DEVNULL)

    name, first, length = DRIVE
    expect(cut(name, first, length), name, length)
    make_video(os.path.join(clips, name + ".MP4"), length, "640x360", 25)
    name, first, length = CLIP_A
    expect(cut(name, first, length), name, length)
    make_video(os.path.join(clips, name + "R.MP4"), length, "640x360", 25)
    make_video(os.path.join(clips, "E2E_B.MP4"), CLIP_B_SECONDS, "640x360", 25)
    expect(os.path.join(clips, "E2E_B.nmea"), "E2E_B", CLIP_B_SECONDS)
    make_video(os.path.join(clips, "AR.MP4"), AR_SECONDS, "640x360", 25)
    # A receiver that never got a fix: every "$GPRMC" says V (void).
    shutil.copy(os.path.join(clips, "E2E_B.MP4"), os.path.join(clips, "E2E_NOFIX.MP4"))
    with open(os.path.join(clips, DRIVE[0] + ".nmea"), newline="") as f:
        void = re.sub(r"^(\$GPRMC,[^,]*),A,", r"\1,V,", f.read(), flags=re.M)
    with open(os.path.join(clips, "E2E_NOFIX.nmea"), "w", newline="") as f:
        f.write(void)
    for total in LONG_PATHS:
        path = long_clip(clips, total)
        if path:
            os.makedirs(os.path.dirname(path))
            shutil.copy(os.path.join(clips, "E2E_B.MP4"), path)
    unicode = os.path.join(clips, UNICODE_FOLDER)
    os.makedirs(unicode)
    shutil.copy(os.path.join(clips, CLIP_A[0] + "R.MP4"), os.path.join(unicode, UNICODE_REAR))
    shutil.copy(os.path.join(clips, CLIP_A[0] + ".nmea"),
                os.path.join(unicode, UNICODE_REAR[:-len("R.MP4")] + ".nmea"))
    shutil.copy(os.path.join(clips, "E2E_B.MP4"), os.path.join(unicode, UNICODE_OTHER))
    # What a camera writes, and what this platform's decoders cannot open.
    make_video(os.path.join(clips, "E2E_BAD.TS"), BAD_SECONDS, "640x360", 25, ["-f", "mpegts"])
    speed = os.path.join(clips, "E2E_SPEED.nmea")
    run([gen, "--seconds", str(SPEED_SECONDS), "-o", speed])
    make_video(os.path.join(clips, "E2E_SPEED.MP4"), SPEED_SECONDS, "960x540", 30)
    os.remove(full)
    open(stamp, "w").close()
    print("clips: made in", clips)
    return 0


# ---------------------------------------------------------------- driver

FIELD = re.compile(r'(\S+?)=("(?:[^"\\]|\\.)*"|\S*)')


def unquote(value):
    if not value.startswith('"'):
        return value
    out, i, body = [], 0, value[1:-1]
    while i < len(body):
        c = body[i]
        if c == "\\" and i + 1 < len(body):
            n = body[i + 1]
            if n == "x":
                out.append(chr(int(body[i + 2:i + 4], 16)))
                i += 4
                continue
            out.append({"r": "\r", "n": "\n"}.get(n, n))
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


class Line:
    """One driver output line: t, kind (first word) and its key=value fields."""

    def __init__(self, text):
        self.text = text
        head, _, rest = text.partition(" ")
        self.t = int(head[2:]) if head.startswith("t=") else -1
        self.kind, _, body = rest.partition(" ")
        self.fields = {k: unquote(v) for k, v in FIELD.findall(body)}
        self.body = body

    def __getitem__(self, key):
        return self.fields[key]

    def get(self, key, default=None):
        return self.fields.get(key, default)


def win_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def quote_arg(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


class Driver:
    """player-driver under Wine, spoken to one command at a time."""

    def __init__(self, a, log):
        self.log = log
        self.proc = subprocess.Popen(
            ["bash", a.wine_run, a.build, a.driver], stdin=subprocess.PIPE,
            stdout=subprocess.PIPE, stderr=log, text=True, bufsize=1, start_new_session=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for text in self.proc.stdout:
            self.lines.put(text.rstrip("\n"))
        self.lines.put(None)

    def cmd(self, command, timeout=30, ok=False):
        """Runs one command; returns its output lines (without the done line)."""
        self.log.write("> " + command + "\n")
        self.proc.stdin.write(command + "\n")
        self.proc.stdin.flush()
        out, end = [], time.monotonic() + timeout
        while True:
            try:
                text = self.lines.get(timeout=max(0.1, end - time.monotonic()))
            except queue.Empty:
                raise RuntimeError(f"driver: no answer to {command!r} within {timeout} s")
            if text is None:
                raise RuntimeError(f"driver ended during {command!r}")
            self.log.write(text + "\n")
            line = Line(text)
            if line.kind == "done":
                return out
            if line.kind == "fail":
                if ok:
                    out.append(line)
                    return out
                raise RuntimeError(f"driver: {text}")
            out.append(line)

    def close(self):
        try:
            if self.proc.poll() is None:
                self.proc.stdin.write("quit\n")
                self.proc.stdin.flush()
                self.proc.wait(timeout=10)
        except (OSError, subprocess.TimeoutExpired):
            pass
        if self.proc.poll() is None:
            # Only what this script started: the driver's own process group.
            os.killpg(self.proc.pid, 9)
            self.proc.wait()

    def pid(self):
        return self.proc.pid


# ---------------------------------------------------------------- checks

class Checks:
    def __init__(self, name):
        self.name, self.failed, self.notes = name, 0, []

    def check(self, what, ok, detail=""):
        print(f"{'PASS' if ok else 'FAIL'} {self.name}: {what}" + (f" -- {detail}" if detail else ""))
        sys.stdout.flush()
        if not ok:
            self.failed += 1
        return ok

    def note(self, text):
        print(f"INFO {self.name}: {text}")
        sys.stdout.flush()


class Readouts:
    """What the player's own code shows at each second of a clip, from
    telemetry-dump --readouts: the texts, where the position texts come from ("row",
    "kept" from an earlier second, "empty" without a sidecar) and the position file."""

    FIELDS = [ID.ALTITUDE, ID.LATITUDE, ID.LONGITUDE, ID.SPEED_TEXT, ID.UNIT_TEXT, ID.SECOND_TEXT,
              ID.GFORCE_X, ID.GFORCE_Y, ID.GFORCE_Z]
    POSITION = (ID.ALTITUDE, ID.LATITUDE, ID.LONGITUDE)

    def __init__(self, path):
        with open(path) as f:
            lines = f.read().split("\n")
        self.rows, self.start = {}, None
        for line in lines[lines.index("readouts") + 1:]:
            parts = line.split("\t")
            if parts[0] == "start":
                self.start = parts[1]
            elif len(parts) == 12:
                self.rows[int(parts[0])] = {"from": parts[1], "texts": dict(zip(self.FIELDS, parts[2:11])),
                                            "target": None if parts[11] == "-" else parts[11]}

    def expected(self, s, before):
        """The texts at second s; kept position texts are those shown before."""
        row = self.rows.get(s)
        if row is None:
            return None
        texts = dict(row["texts"])
        if row["from"] == "kept":
            for cid in self.POSITION:
                texts[cid] = before.get(cid) if before else None
        return texts


TIME = re.compile(r"^ (\d\d):(\d\d):(\d\d) / (\d\d):(\d\d):(\d\d) $")


def event_seconds(a, sidecar):
    """The seconds of a sidecar's G-force events, as telemetry-dump --events finds them."""
    out = subprocess.run([os.path.join(a.native, "tools", "telemetry-dump"), "--events", sidecar],
                         capture_output=True, text=True, check=True).stdout
    lines = out.split("\nevents\n", 1)[1].splitlines() if "\nevents\n" in out else []
    return [int(line.split("\t")[0]) for line in lines if line.strip()]


def seconds_of(text):
    """(shown second, clip length) of a time text, or None: the candidate read from
    the digits counts only when the player's own code gives that very text."""
    m = TIME.match(text or "")
    if not m:
        return None
    v = [int(x) for x in m.groups()]
    s, length = v[0] * 3600 + v[1] * 60 + v[2], v[3] * 3600 + v[4] * 60 + v[5]
    return (s, length) if time_text(s, length) == text else None


TIME_TEXTS = {}  # clip length: the time texts of its seconds (telemetry-dump --times)
NATIVE = [None]  # the native tree, set by main


def time_text(s, length):
    """The time text the player shows at second s of a clip of `length` seconds."""
    if length not in TIME_TEXTS:
        out = subprocess.run([os.path.join(NATIVE[0], "tools", "telemetry-dump"), "--summary", "--times",
                              "--length", str(length), os.devnull],
                             capture_output=True, text=True, check=True).stdout.split("\n")
        rows = (line.split("\t") for line in out[out.index("times") + 1:] if line)
        TIME_TEXTS[length] = {int(n): text for n, text in rows}
    return TIME_TEXTS[length].get(s)


MAP_RETRIES = []  # the ticks on which the offline map is asked for again (telemetry-dump --retries)


def map_retry_ticks():
    if not MAP_RETRIES:
        out = subprocess.run([os.path.join(NATIVE[0], "tools", "telemetry-dump"), "--summary", "--retries",
                              "--length", "400", os.devnull],
                             capture_output=True, text=True, check=True).stdout.split("\n")
        MAP_RETRIES.extend(int(n) for n in out[out.index("retries") + 1:] if n)
    return MAP_RETRIES


READOUTS = [ID.TIME_TEXT, ID.TIME_TEXT_LARGE, ID.LONGITUDE, ID.LATITUDE, ID.ALTITUDE, ID.GFORCE_X, ID.GFORCE_Y, ID.GFORCE_Z, ID.SPEED_TEXT, ID.UNIT_TEXT, ID.SECOND_TEXT]


def compare_readouts(c, snaps, readouts, length, label, target_file=True):
    """Every stable snapshot against what the player's own code shows at the second its
    time text shows (telemetry-dump --readouts). Kept position texts must be those of
    the snapshot before. Returns the ticks seen and the texts of the last snapshot.

    target_pos.js: the load writes the start position; each tick writes its second's
    position or leaves the file, except that the offline map retry (every ninth tick)
    writes the start position again."""
    wrong, checked, ticks, last_s, before = [], 0, [], None, None
    target, target_wrong, target_checked = readouts.start, [], 0
    for snap in snaps:
        if snap.get("stable") != "1":
            continue
        shown = seconds_of(snap.get(ID.TIME_TEXT))
        if shown is None or shown[1] != length:
            continue
        s = shown[0]
        expected = readouts.expected(s, before)
        if expected is None:
            wrong.append(f"t={snap.t}: second {s} is past the clip")
            continue
        mismatched = [cid for cid, text in expected.items()
                      if text is not None and snap.get(cid) is not None and snap.get(cid) != text]
        if s != last_s:
            if s == 0 and mismatched:
                # After a load the time text shows second 0 before any tick, with the
                # readouts left as they were; only texts that match count as a tick.
                before = snap.fields
                continue
            ticks.append(s)
            last_s = s
            if readouts.rows[s]["target"] is not None:
                target = readouts.rows[s]["target"]
        checked += 1
        wrong += [f"t={snap.t} second {s}: {cid}={snap.get(cid)!r}, the player's code says {expected[cid]!r}"
                  for cid in mismatched]
        if snap.get(ID.TIME_TEXT_LARGE) is not None and snap.get(ID.TIME_TEXT_LARGE) != snap.get(ID.TIME_TEXT):
            wrong.append(f"t={snap.t}: {ID.TIME_TEXT_LARGE}={snap.get(ID.TIME_TEXT_LARGE)!r} differs "
                         f"from {ID.TIME_TEXT}={snap.get(ID.TIME_TEXT)!r}")
        if snap.get("pos") is not None and snap.get("pos") != str(s):
            wrong.append(f"t={snap.t} second {s}: slider at {snap.get('pos')}")
        before = snap.fields
        if target_file and target is not None:
            target_checked += 1
            got = snap.get("file:target_pos.js")
            if got == readouts.start and target != readouts.start:
                # Retries come on the ticks the player's code says; the count seen
                # here may be one off (a tick that repeated its second).
                n = len(ticks)
                if any(abs(n - r) <= 1 for r in map_retry_ticks()):
                    target = readouts.start
            if got != target:
                target_wrong.append(f"t={snap.t} second {s}: {got!r}, expected {target!r}")
    c.check(f"{label}: readouts follow the player's code second by second",
            checked > 0 and not wrong,
            f"{checked} snapshots, ticks {ticks}" + ("; " + "; ".join(wrong[:6]) if wrong else ""))
    if target_file:
        c.check(f"{label}: target_pos.js follows the seconds with a fix",
                target_checked > 0 and not target_wrong,
                f"{target_checked} snapshots" + ("; " + "; ".join(target_wrong[:4]) if target_wrong else ""))
    return ticks, before


# ---------------------------------------------------------------- a case's setting

class Case:
    def __init__(self, a, name):
        self.a, self.name = a, name
        self.c = Checks(name)
        os.makedirs(a.work, exist_ok=True)
        self.clips = os.path.join(a.work, "clips")
        self.log = open(os.path.join(a.work, name + ".log"), "w")
        self.trace = os.path.join(a.work, name + ".trace")
        if os.path.exists(self.trace):
            os.remove(self.trace)
        self.d = Driver(a, self.log)
        self.d.cmd("env PLAYER_TRACE_FILE " + quote_arg(win_path(self.trace)))
        self.temp = self.unix_temp(self.d.cmd("temp")[0]["path"])
        # The map files of an earlier run must not pass for this one's.
        for f in ("target_pos.js", "line_path.js"):
            p = os.path.join(self.temp, f)
            if os.path.exists(p):
                os.remove(p)

    def unix_temp(self, path):
        drive, rest = path[0].lower(), path[2:].replace("\\", "/").strip("/")
        return os.path.realpath(os.path.join(self.a.build, "wineprefix", "dosdevices", drive + ":", rest))

    def clip(self, name):
        return os.path.join(self.clips, name)

    def start(self, clip, second, quoted=False):
        tail = win_path(self.clip(clip)) + f"-{second}"
        if quoted:
            tail = '"' + tail + '"'
        self.d.cmd(f"start {quote_arg(win_path(self.a.player))} {quote_arg(tail)}")

    def trace_text(self):
        try:
            with open(self.trace, "rb") as f:
                return f.read().decode("cp932", errors="replace")
        except OSError:
            return ""

    def screenshot(self, name):
        """The player's window from the X screen, into the shots folder."""
        os.makedirs(self.a.shots, exist_ok=True)
        path = os.path.join(self.a.shots, name)
        with open(os.path.join(self.a.build, "xvfb.display")) as f:
            display = f.read().strip()
        size = self.d.cmd("client")[0]
        w, h = size["window"].split(",")
        env = dict(os.environ, DISPLAY=display)
        # The window stays at the screen's top-left corner in these runs.
        subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+0+0", "+repage", path],
                       env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def colours_in(self, shot, rect):
        x, y, w, h = rect
        out = subprocess.run(["convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                              "-format", "%k", "info:"], capture_output=True, text=True)
        try:
            return int(out.stdout.strip() or 0)
        except ValueError:
            return 0

    def finish(self):
        try:
            out = self.d.cmd("close 8000", timeout=15, ok=True)
            exited = [l for l in out if l.kind == "exited"]
            if exited:
                self.c.check("the window closes and the program ends with code 0",
                             exited[0]["code"] == "0", f"exit code {exited[0]['code']}")
            elif any(l.kind == "fail" and "no main window" not in l.body for l in out):
                self.c.check("the window closes and the program ends", False, out[-1].text)
        except RuntimeError as e:
            self.c.check("the window closes and the program ends", False, str(e))
        self.d.close()
        self.log.close()
        print(f"{self.name}: {self.c.failed} failed; driver transcript {self.log.name}, "
              f"trace {self.trace}")
        return 1 if self.c.failed else 0


def snaps_of(lines):
    return [l for l in lines if l.kind == "snap"]


def rect_of(line, cid):
    v = line.get(cid, "none")
    if v == "none":
        return None
    x, y, w, h, vis = (int(p) for p in v.split(","))
    return (x, y, w, h), vis


def layout_of(a, width, height, enlarged=False):
    """Where the player's own layout code puts each control for a client size:
    {id: (x, y, w, h)} from layout-dump (text controls have no size there)."""
    out = subprocess.run([os.path.join(a.native, "tools", "layout-dump"), str(width), str(height),
                          "enlarged" if enlarged else "normal"],
                         capture_output=True, text=True, check=True).stdout
    return {p[0]: tuple(int(v) for v in p[1:5]) for p in (line.split() for line in out.splitlines())}


# ---------------------------------------------------------------- cases

WATCH = " ".join(READOUTS + ["pos", "video", f"caption:{ID.PLAY_PAUSE}", "file:target_pos.js"])
ZERO = None  # the time text with nothing loaded, set by main


def case_playback(a):
    k = Case(a, "playback")
    c, d = k.c, k.d
    name, _, length = DRIVE
    start_second = 3
    readouts = Readouts(k.clip(name + ".readouts"))
    try:
        k.start(name + ".MP4", start_second)
        d.cmd("wait-player 20000", timeout=25)
        snaps = []
        # Up to the second tick: the pending start must seek on the first one.
        # The first two ticks: the pending start must seek on the first one.
        snaps += snaps_of(d.cmd("watch 3500 100 " + WATCH, timeout=10))
        first_line = d.cmd(f"read max {ID.SEEK_SLIDER}")[0]
        shot = k.screenshot("playback.png")
        video_rect = rect_of(d.cmd(f"rects {ID.VIDEO_AREA}")[0], ID.VIDEO_AREA)
        origin = d.cmd(f"rects {ID.VIDEO_AREA}")[0]["origin"].split(",")
        snaps += snaps_of(d.cmd("watch 4000 100 " + WATCH, timeout=10))
        # Pause, look, play.
        d.cmd(f"click {ID.PLAY_PAUSE}")
        paused = snaps_of(d.cmd("watch 2500 100 " + WATCH, timeout=8))
        d.cmd(f"click {ID.PLAY_PAUSE}")
        resumed = snaps_of(d.cmd("watch 1800 100 " + WATCH, timeout=8))
        # Dragging a window edge: every size change pauses and resumes the clip.
        burst_from = seconds_of(d.cmd(f"read {ID.TIME_TEXT}")[0].get(ID.TIME_TEXT))
        d.cmd("resize-burst 20 30", timeout=15)
        rest = snaps_of(d.cmd(f"watch 25000 100 until {quote_arg(ID.TIME_TEXT + '=' + ZERO)} " + WATCH, timeout=30))
        d.cmd("sleep 1500")
        after_stop = d.cmd(f"read {ID.TIME_TEXT} {ID.TIME_TEXT_LARGE} pos caption:{ID.PLAY_PAUSE} " + " ".join(READOUTS[2:]))[0]
        line_path = d.cmd("file line_path.js")[0]
        all_snaps = snaps + paused + resumed + rest

        # The start: the load seeks to the start second before anything shows, so
        # the first second shown is the start second and the time never runs back.
        ticks_seen = [(sn, seconds_of(sn.get(ID.TIME_TEXT))) for sn in all_snaps if sn.get("stable") == "1"]
        played = [v[0] for sn, v in ticks_seen if v and v[1] == length]
        c.check("the first second shown is the start second",
                bool(played) and start_second <= played[0] <= start_second + 1,
                f"seconds shown {played[:6]} (start second {start_second})")
        before_stop = [v[0] for sn, v in ticks_seen if v and v[1] == length and sn in snaps + paused + resumed]
        c.check("the time text never runs backwards in plain playback",
                all(x <= y for x, y in zip(before_stop, before_stop[1:])), f"seconds {before_stop}")
        early = [sn for sn, v in ticks_seen if v and v[1] == length and v[0] < start_second
                 and sn.get("video") == "1"]
        c.check("the video shows only once it is at its start second", not early,
                f"{len(early)} snapshots with the video before second {start_second}")
        c.check("the slider's range is the clip length", first_line.get("max") == str(length),
                f"max {first_line.get('max')}")
        if video_rect:
            (x, y, w, h), _ = video_rect
            colours = k.colours_in(shot, (int(origin[0]) + x + 4, int(origin[1]) + y + 4,
                                          max(1, w - 8), max(1, h - 8)))
            c.check("the video area shows a picture after the first ticks", colours > 50,
                    f"{colours} colours in the video area of {shot}")

        ticks, last_texts = compare_readouts(c, all_snaps, readouts, length, "drive clip")
        # The start second is reached before the first tick, and size changes leave
        # the timer alone: every second of playback has its tick (a timer that
        # fires a little late may skip one second, once in the burst of resizes
        # and once where play resumes mid-second after the pause).
        gaps = [b - a_ for a_, b in zip(ticks, ticks[1:])]
        c.check("the ticks cover the clip second by second, through a burst of resizes",
                ticks and ticks[0] <= start_second + 1 and ticks[-1] >= length - 2
                and all(0 <= g <= 2 for g in gaps) and gaps.count(2) <= 2,
                f"ticks {ticks}")

        # Pause and play.
        p_stable = [sn for sn in paused if sn.get("stable") == "1"]
        settled = [sn for sn in p_stable if sn.t - paused[0].t > 400] if paused else []
        c.check("pause: the button offers Play and the time text stands still",
                bool(p_stable) and p_stable[-1].get(f"caption:{ID.PLAY_PAUSE}") == "Play"
                and len({sn.get(ID.TIME_TEXT) for sn in settled}) <= 1,
                f"captions {[sn.get('caption:' + ID.PLAY_PAUSE) for sn in p_stable]}, "
                f"time texts {[sn.get(ID.TIME_TEXT) for sn in p_stable]}")
        r_secs = [seconds_of(sn.get(ID.TIME_TEXT)) for sn in resumed + rest[:3]]
        c.check("play: the button offers Pause and the time runs on",
                bool(resumed) and resumed[-1].get(f"caption:{ID.PLAY_PAUSE}") == "Pause"
                and len({v for v in r_secs if v}) >= 2,
                f"captions {[sn.get('caption:' + ID.PLAY_PAUSE) for sn in resumed]}, seconds {r_secs}")

        # After the burst the clip goes on at its own pace and ends at its length.
        shown = [seconds_of(sn.get(ID.TIME_TEXT)) for sn in rest if sn.get("stable") == "1"]
        shown = [v[0] for v in shown if v and v[1] == length]
        c.check("a burst of resizes keeps the time: never past the length, the end at the length",
                bool(shown) and max(shown) <= length and max(shown) >= length - 2
                and all(b >= a_ for a_, b in zip(shown, shown[1:]))
                and burst_from is not None and shown[0] <= burst_from[0] + 3,
                f"from second {burst_from[0] if burst_from else '?'}: seconds {sorted(set(shown))}")

        # The end of the only playlist row stops.
        c.check("the end of the last clip stops: time text and slider back at zero, Play offered",
                after_stop.get(ID.TIME_TEXT) == ZERO and after_stop.get(ID.TIME_TEXT_LARGE) == ZERO
                and after_stop.get("pos") == "0" and after_stop.get(f"caption:{ID.PLAY_PAUSE}") == "Play",
                after_stop.body)
        # The tick that reaches the end reads row L (past the table) before it stops;
        # the stop leaves those texts.
        end_texts = readouts.expected(length, last_texts)
        wrong = [f"{cid}={after_stop.get(cid)!r}, expected {v!r}" for cid, v in end_texts.items()
                 if cid in after_stop.fields and after_stop.get(cid) != v]
        c.check("the stop keeps the readouts of the end tick (row L, past the table)", not wrong,
                "; ".join(wrong))
        trace = k.trace_text()
        tail = trace[trace.rfind("TICK"):] if "TICK" in trace else ""
        c.check("after the stop no tick runs", "TICK" in trace and "Stop Timer" in tail,
                f"text after the last tick: {tail[:120]!r}")

        with open(os.path.join(k.clip(name + ".route"), "line_path.js"), newline="") as f:
            expected_route = f.read()
        got_route = line_path.get("line_path.js")
        c.check("line_path.js holds the route of the sidecar (as telemetry-dump writes it)",
                got_route is not None and got_route.replace("\r\n", "\n") == expected_route.replace("\r\n", "\n"),
                f"{len(got_route or '')} vs {len(expected_route)} characters")
    except Exception as e:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
    return k.finish()


def case_playlist(a):
    k = Case(a, "playlist")
    c, d = k.c, k.d
    name_a, _, len_a = CLIP_A
    readouts_a = Readouts(k.clip(name_a + ".readouts"))
    readouts_b = Readouts(k.clip("E2E_B.readouts"))
    clip_a = name_a + "R.MP4"
    try:
        # The quoted form of the command line; a clip whose name ends in R reads the
        # sidecar without the R.
        k.start(clip_a, 2, quoted=True)
        d.cmd("wait-player 20000", timeout=25)
        rows = d.cmd("rows")
        c.check("the command-line clip is the playlist's only row, with its own path",
                rows[0]["count"] == "1" and len(rows) == 2
                and rows[1]["text"].startswith(clip_a.ljust(15) + "     ")
                and rows[1]["path"] == win_path(k.clip(clip_a)),
                "; ".join(r.body for r in rows))
        # Add File answers its dialog with a file from the clip folder.
        d.cmd(f"click {ID.ADD_FILE}")
        d.cmd("open-file " + quote_arg(win_path(k.clip("E2E_B.MP4"))) + " 15000", timeout=20)
        rows = d.cmd("rows")
        c.check("Add File lists the chosen file as a second row that keeps its own path",
                rows[0]["count"] == "2" and len(rows) == 3
                and rows[2]["text"].startswith("E2E_B.MP4".ljust(15) + "     ")
                and rows[2]["path"] == win_path(k.clip("E2E_B.MP4"))
                and rows[1]["path"] == win_path(k.clip(clip_a)),
                "; ".join(r.body for r in rows))

        # The normal layout, then the enlarged one and back.
        snaps = snaps_of(d.cmd("watch 1500 100 " + WATCH, timeout=5))
        shot_normal = k.screenshot("layout-normal.png")
        trace_before = k.trace_text().count("Font Size : ")
        d.cmd(f"click {ID.LARGE_VIEW}")
        d.cmd("sleep 1200")
        big = d.cmd(f"rects {ID.VIDEO_AREA} {ID.SEEK_SLIDER} {ID.TIME_TEXT} {ID.TIME_TEXT_LARGE} {ID.GSENSOR_AREA} {ID.PLAYLIST} {ID.MAP_AREA} {ID.LONGITUDE} {ID.LATITUDE} {ID.GFORCE_X} {ID.SPEED_TEXT}")[0]
        big_caption = d.cmd(f"read caption:{ID.LARGE_VIEW} caption:{ID.PLAY_PAUSE}")[0]
        shot_big = k.screenshot("layout-enlarged.png")
        client = d.cmd("client")
        snaps += snaps_of(d.cmd("watch 800 100 " + WATCH, timeout=5))
        d.cmd(f"click {ID.LARGE_VIEW}")
        d.cmd("sleep 1200")
        normal = d.cmd(f"rects {ID.VIDEO_AREA} {ID.SEEK_SLIDER} {ID.TIME_TEXT} {ID.TIME_TEXT_LARGE} {ID.GSENSOR_AREA} {ID.PLAYLIST} {ID.MAP_AREA} {ID.LONGITUDE} {ID.LATITUDE} {ID.GFORCE_X} {ID.SPEED_TEXT}")[0]
        normal_caption = d.cmd(f"read caption:{ID.LARGE_VIEW} caption:{ID.PLAY_PAUSE}")[0]
        shot_back = k.screenshot("layout-normal-again.png")
        size_line = [l for l in client if l.kind == "size"]
        w, h = (int(v) for v in size_line[0]["client"].split(",")) if size_line else (0, 0)
        # The window opens with an outer size of 1366 x 768; its first paint lays
        # out again for the client inside the frame.
        hidden = [cid for cid in (ID.TIME_TEXT, ID.GSENSOR_AREA, ID.PLAYLIST, ID.MAP_AREA, ID.LONGITUDE, ID.LATITUDE, ID.GFORCE_X, ID.SPEED_TEXT)
                  if rect_of(big, cid) and rect_of(big, cid)[1] == 1]
        exp_big = layout_of(a, w, h, enlarged=True)[ID.VIDEO_AREA]
        c.check(f"the enlarged layout hides the side panel and readouts, shows {ID.TIME_TEXT_LARGE}, enlarges the video",
                not hidden and rect_of(big, ID.TIME_TEXT_LARGE)[1] == 1 and rect_of(big, ID.VIDEO_AREA)[0] == exp_big
                and big_caption.get(f"caption:{ID.LARGE_VIEW}") == "Normal Screen",
                f"still visible {hidden}; {ID.VIDEO_AREA} {rect_of(big, ID.VIDEO_AREA)} expected {exp_big}; "
                f"{ID.LARGE_VIEW} {big_caption.get('caption:' + ID.LARGE_VIEW)!r}; client {w}x{h}")
        # The map area shows only with a connection (these runs have none).
        shown_again = [cid for cid in (ID.TIME_TEXT, ID.GSENSOR_AREA, ID.PLAYLIST, ID.LONGITUDE, ID.LATITUDE, ID.GFORCE_X, ID.SPEED_TEXT)
                       if not (rect_of(normal, cid) and rect_of(normal, cid)[1] == 1)]
        exp_normal = layout_of(a, w, h)[ID.VIDEO_AREA]
        c.check(f"back in the normal layout: panel and readouts shown, {ID.TIME_TEXT_LARGE} hidden, video back",
                not shown_again and rect_of(normal, ID.TIME_TEXT_LARGE)[1] == 0
                and rect_of(normal, ID.VIDEO_AREA)[0] == exp_normal
                and normal_caption.get(f"caption:{ID.LARGE_VIEW}") == "Full Screen",
                f"not visible {shown_again}; {ID.VIDEO_AREA} {rect_of(normal, ID.VIDEO_AREA)} expected {exp_normal}; "
                f"{ID.LARGE_VIEW} {normal_caption.get('caption:' + ID.LARGE_VIEW)!r}")
        c.check("playback goes on through both layout switches",
                normal_caption.get(f"caption:{ID.PLAY_PAUSE}") == "Pause" and big_caption.get(f"caption:{ID.PLAY_PAUSE}") == "Pause",
                f"{ID.PLAY_PAUSE} {big_caption.get('caption:' + ID.PLAY_PAUSE)!r}, {normal_caption.get('caption:' + ID.PLAY_PAUSE)!r}")
        c.note(f"screenshots {shot_normal} {shot_big} {shot_back}")

        # The end of row 0 advances to row 1, a clip without sidecar.
        b_length = f"{ID.TIME_TEXT}~/ " + time_text(0, CLIP_B_SECONDS)[12:]
        snaps += snaps_of(d.cmd(f"watch 15000 100 until {quote_arg(b_length)} " + WATCH + " sel",
                                timeout=20))
        compare_readouts(c, snaps, readouts_a, len_a, "clip with an R name")
        after_a = snaps[-1] if snaps else None
        b_snaps = snaps_of(d.cmd("watch 2600 100 " + WATCH + " sel", timeout=8))
        c.check("the end of a clip plays the next playlist row",
                bool(b_snaps) and b_snaps[-1].get("sel") == "1"
                and seconds_of(b_snaps[-1].get(ID.TIME_TEXT)) is not None
                and seconds_of(b_snaps[-1].get(ID.TIME_TEXT))[1] == CLIP_B_SECONDS,
                b_snaps[-1].body if b_snaps else "nothing seen")
        target_at_a_end = after_a.get("file:target_pos.js") if after_a else None
        compare_readouts(c, b_snaps, readouts_b, CLIP_B_SECONDS, "clip without sidecar",
                         target_file=False)
        c.check("a clip without sidecar leaves target_pos.js alone",
                all(sn.get("file:target_pos.js") == target_at_a_end for sn in b_snaps),
                f"{target_at_a_end!r}")

        # Resizing lays out exactly once, at the new size.
        fonts0 = k.trace_text().count("Font Size : ")
        size = d.cmd("resize-client 1100 620")[0]
        d.cmd("sleep 1500")
        fonts1 = k.trace_text().count("Font Size : ")
        resized = d.cmd(f"rects {ID.VIDEO_AREA} {ID.PLAYLIST} {ID.LATITUDE} {ID.SEEK_SLIDER}")[0]
        places = layout_of(a, *(int(v) for v in size["client"].split(",")))
        u = places[ID.LATITUDE][0]
        expect = {cid: places[cid] for cid in (ID.VIDEO_AREA, ID.PLAYLIST)}
        got = {cid: rect_of(resized, cid)[0] for cid in expect}
        c.check("a resize lays out once, at the new client size",
                fonts1 - fonts0 == 1 and got == expect and rect_of(resized, ID.LATITUDE)[0][0] == u
                and rect_of(resized, ID.SEEK_SLIDER)[0][3] == places[ID.SEEK_SLIDER][3],
                f"'Font Size' traces +{fonts1 - fonts0}; {got} expected {expect}; "
                f"{ID.LATITUDE} x {rect_of(resized, ID.LATITUDE)[0][0]} expected {u}; {ID.SEEK_SLIDER} {rect_of(resized, ID.SEEK_SLIDER)}")
        c.note(f"layout passes traced: {trace_before} before the enlarged switch, {fonts1} at the end")
        after_resize = snaps_of(d.cmd("watch 2200 100 " + WATCH + " sel", timeout=8))
        secs = {seconds_of(sn.get(ID.TIME_TEXT)) for sn in after_resize}
        c.check("playback resumes after the resize",
                bool(after_resize) and after_resize[-1].get(f"caption:{ID.PLAY_PAUSE}") == "Pause" and len(secs) >= 2,
                f"seconds {sorted(v for v in secs if v)}")

        # Stop, then Play reloads the selected row from its start.
        d.cmd(f"click {ID.STOP}")
        d.cmd("sleep 600")
        stopped = d.cmd(f"read {ID.TIME_TEXT} {ID.TIME_TEXT_LARGE} pos caption:{ID.PLAY_PAUSE} sel")[0]
        c.check("stop: time texts and slider at zero, Play offered",
                stopped.get(ID.TIME_TEXT) == ZERO and stopped.get(ID.TIME_TEXT_LARGE) == ZERO
                and stopped.get("pos") == "0" and stopped.get(f"caption:{ID.PLAY_PAUSE}") == "Play",
                stopped.body)
        d.cmd(f"click {ID.PLAY_PAUSE}")
        replay = snaps_of(d.cmd(f"watch 5000 50 until {quote_arg(b_length)} " + WATCH + " sel",
                                timeout=10))
        replay += snaps_of(d.cmd(f"watch 15000 100 until {quote_arg(ID.TIME_TEXT + '=' + ZERO)} " + WATCH
                                 + " sel", timeout=20))
        firsts = [seconds_of(sn.get(ID.TIME_TEXT)) for sn in replay[:6]]
        c.check("play after stop reloads the selected row from its start",
                bool(replay) and replay[-1].get("sel") == "1"
                and any(v == (0, CLIP_B_SECONDS) for v in firsts)
                and any(v and v[1] == CLIP_B_SECONDS and 1 <= v[0] <= 2 for v in
                        (seconds_of(sn.get(ID.TIME_TEXT)) for sn in replay)),
                f"first time texts {firsts}")
        compare_readouts(c, replay, readouts_b, CLIP_B_SECONDS, "clip without sidecar, replayed",
                         target_file=False)
        d.cmd("sleep 1200")
        end = d.cmd(f"read {ID.TIME_TEXT} pos caption:{ID.PLAY_PAUSE} sel")[0]
        c.check("the end of the last row stops", end.get(ID.TIME_TEXT) == ZERO and end.get("pos") == "0"
                and end.get(f"caption:{ID.PLAY_PAUSE}") == "Play", end.body)

        # A double-click plays its row.
        d.cmd("dblclick-row 0")
        played = snaps_of(d.cmd(f"watch 2600 100 " + WATCH + " sel", timeout=8))
        c.check("a double-click on row 0 plays that row's clip",
                bool(played) and played[-1].get("sel") == "0"
                and seconds_of(played[-1].get(ID.TIME_TEXT)) is not None
                and seconds_of(played[-1].get(ID.TIME_TEXT))[1] == len_a
                and played[-1].get(f"caption:{ID.PLAY_PAUSE}") == "Pause",
                played[-1].body if played else "nothing seen")

        # Open Video plays a file without listing it.
        d.cmd(f"click {ID.OPEN_VIDEO}")
        d.cmd("open-file " + quote_arg(win_path(k.clip("E2E_DRIVE.MP4"))) + " 15000", timeout=20)
        opened = snaps_of(d.cmd("watch 2200 100 " + WATCH + " sel count", timeout=8))
        c.check("Open Video plays the chosen file and does not list it",
                bool(opened) and seconds_of(opened[-1].get(ID.TIME_TEXT)) is not None
                and seconds_of(opened[-1].get(ID.TIME_TEXT))[1] == DRIVE[2]
                and opened[-1].get("count") == "2" and opened[-1].get(f"caption:{ID.PLAY_PAUSE}") == "Pause",
                opened[-1].body if opened else "nothing seen")

        # A long path that fits opens and plays; a longer one is refused with a
        # message, and the clip before plays on.
        fits, too_long = (long_clip(k.clips, n) for n in LONG_PATHS)
        if fits and too_long:
            d.cmd(f"click {ID.OPEN_VIDEO}")
            d.cmd("open-file " + quote_arg(win_path(fits)) + " 15000", timeout=20)
            opened = snaps_of(d.cmd("watch 2200 100 " + WATCH + " sel count", timeout=8))
            c.check(f"Open Video plays a clip whose path has {len(win_path(fits))} characters",
                    bool(opened) and seconds_of(opened[-1].get(ID.TIME_TEXT)) is not None
                    and seconds_of(opened[-1].get(ID.TIME_TEXT))[1] == CLIP_B_SECONDS
                    and opened[-1].get(f"caption:{ID.PLAY_PAUSE}") == "Pause",
                    opened[-1].body if opened else "nothing seen")
            d.cmd(f"click {ID.OPEN_VIDEO}")
            box = d.cmd("open-file " + quote_arg(win_path(too_long)) + " 15000 refused", timeout=20)
            box = [l for l in box if l.kind == "box"]
            still = d.cmd(f"read {ID.TIME_TEXT} caption:{ID.PLAY_PAUSE}")[0]
            c.check(f"a path of {len(win_path(too_long))} characters is refused with a message",
                    bool(box) and box[0].get("text") == "The file name is too long to be opened."
                    and seconds_of(still.get(ID.TIME_TEXT)) is not None
                    and seconds_of(still.get(ID.TIME_TEXT))[1] == CLIP_B_SECONDS,
                    f"{box[0].body if box else 'no box'}; {still.body}")
        else:
            c.note("the clips folder's path is too long for the long path checks")

        # A name inside another file's name: each row must still play its own file.
        d.cmd(f"click {ID.ADD_FILE}")
        d.cmd("open-file " + quote_arg(win_path(k.clip("AR.MP4"))) + " 15000", timeout=20)
        rows = d.cmd("rows")
        pairs = [(r["text"].split(" ")[0], r["path"].rsplit("\\", 1)[-1]) for r in rows[1:]]
        c.check("rows and paths stay pairs when one name lies inside another (AR.MP4, E2E_AR.MP4)",
                len(pairs) == 3 and all(t == p for t, p in pairs)
                and [t for t, _ in pairs] == ["AR.MP4", "E2E_AR.MP4", "E2E_B.MP4"], str(pairs))
        d.cmd("dblclick-row 0")
        ar = snaps_of(d.cmd("watch 2200 100 " + WATCH + " sel", timeout=8))
        c.check("row 0 (AR.MP4) plays its own clip",
                bool(ar) and ar[-1].get("sel") == "0" and seconds_of(ar[-1].get(ID.TIME_TEXT)) is not None
                and seconds_of(ar[-1].get(ID.TIME_TEXT))[1] == AR_SECONDS,
                ar[-1].body if ar else "nothing seen")
    except Exception as e:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
    return k.finish()


def case_unrenderable(a):
    k = Case(a, "unrenderable")
    c, d = k.c, k.d
    try:
        box = None
        for attempt in (1, 2):
            k.start("E2E_BAD.TS", 0)
            box = d.cmd("answer-box 7 25000", timeout=30, ok=True)[0]
            if box.kind != "fail" or attempt == 2:
                break
            # Wine's transport stream parser now and then never returns from
            # RenderFile (tests/win/once_more_if_hung.sh): not the player's doing.
            c.note("no question within 25 s: Wine's transport stream parser hung; once more")
            d.cmd("kill")
            d.cmd("sleep 1000")
        c.check("a clip that cannot be rendered brings up the missing-codec question",
                "Do you want to open a website" in box.get("text", ""), box.body)
        d.cmd("wait-player 20000", timeout=25)
        snaps = snaps_of(d.cmd(f"watch 2500 100 {ID.TIME_TEXT} {ID.TIME_TEXT_LARGE} pos max caption:{ID.PLAY_PAUSE} video", timeout=8))
        d.cmd("sleep 1500")
        trace = k.trace_text()
        ticks = len(re.findall(r"TICK \d+ us", trace))
        last = snaps[-1] if snaps else None
        # Nothing plays after the stop, so the play button offers Play again.
        c.check("it stops itself on the first tick: one tick, then the timer stops",
                last is not None and last.get(ID.TIME_TEXT) == ZERO and last.get(ID.TIME_TEXT_LARGE) == ZERO
                and last.get("pos") == "0" and last.get("max") == "0"
                and last.get(f"caption:{ID.PLAY_PAUSE}") == "Play"
                and ticks == 1 and "Stop Timer" in trace[trace.rfind("TICK"):],
                f"{ticks} ticks traced; last {last.body if last else '-'}")
    except Exception as e:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
    return k.finish()


def case_startup(a):
    """A start clip that cannot be opened is named in a message; nothing plays."""
    failed = 0
    missing = win_path(os.path.join(a.work, "clips", "NO_SUCH_CLIP.MP4"))
    # A relative name is looked for in the current folder, which holds no clips.
    for name, tail, says in (("startup-missing", quote_arg(missing + "-3"), missing),
                             ("startup-relative", "E2E_B.MP4", "\\E2E_B.MP4\r\n\r\nName the clip")):
        k = Case(a, name)
        c, d = k.c, k.d
        try:
            d.cmd(f"start {quote_arg(win_path(a.player))} {tail}")
            box = d.cmd("answer-box 1 20000", timeout=25)[0]
            c.check("the start clip that could not be opened is named",
                    "The clip to start with cannot be opened:" in box.get("text", "")
                    and says in box.get("text", ""), box.body)
            d.cmd("wait-player 10000", timeout=15)
            state = d.cmd(f"read caption:{ID.PLAY_PAUSE} {ID.TIME_TEXT} count")[0]
            c.check("nothing plays: Play offered, no playlist row",
                    state.get(f"caption:{ID.PLAY_PAUSE}") == "Play" and state.get("count") == "0"
                    and state.get(ID.TIME_TEXT) == ZERO, state.body)
        except Exception as e:  # a driver failure or a control that is not there
            c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
        failed += k.finish()
    # A start second past the clip's end is said, and the clip plays from its start.
    k = Case(a, "startup-past-end")
    c, d = k.c, k.d
    try:
        clip = win_path(k.clip(DRIVE[0] + ".MP4"))
        d.cmd(f"start {quote_arg(win_path(a.player))} {quote_arg(chr(34) + clip + '-999' + chr(34))}")
        box = d.cmd("answer-box 1 20000", timeout=25)[0]
        c.check("a start second past the end is named with the clip's length",
                "cannot start at second 999" in box.get("text", "")
                and f"{DRIVE[2]} s long" in box.get("text", ""), box.body)
        d.cmd("wait-player 10000", timeout=15)
        shown = seconds_of(d.cmd(f"read {ID.TIME_TEXT}")[0].get(ID.TIME_TEXT))
        c.check("the clip plays from its start", shown is not None and shown[0] <= 3
                and shown[1] == DRIVE[2], f"time text {shown}")
    except Exception as e:
        c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
    failed += k.finish()
    return 1 if failed else 0


def case_unicode(a):
    """Names in any script: a clip in a folder named in Cyrillic, Chinese and an emoji,
    given on the command line alone and relative to the current folder, plays from its
    start with its sidecar; Add File lists another such clip and a double-click plays it;
    the playlist shows both names."""
    k = Case(a, "unicode")
    c, d = k.c, k.d
    readouts = Readouts(k.clip(CLIP_A[0] + ".readouts"))
    rear = os.path.realpath(k.clip(os.path.join(UNICODE_FOLDER, UNICODE_REAR)))
    other = os.path.realpath(k.clip(os.path.join(UNICODE_FOLDER, UNICODE_OTHER)))
    same = lambda p, q: ntpath.normcase(ntpath.normpath(p)) == ntpath.normcase(ntpath.normpath(q))
    try:
        # What a file association passes: the quoted clip, no second.
        relative = os.path.relpath(rear, os.path.realpath(os.getcwd())).replace("/", "\\")
        d.cmd(f"start {quote_arg(win_path(a.player))} {quote_arg(chr(34) + relative + chr(34))}")
        d.cmd("wait-player 20000", timeout=25)
        rows = d.cmd("rows")
        c.check("the clip from the current folder is the playlist's row, under its own name",
                rows[0]["count"] == "1" and len(rows) == 2
                and rows[1]["text"].startswith(UNICODE_REAR + "     ")
                and same(rows[1]["path"], win_path(rear)),
                "; ".join(r.body for r in rows))
        snaps = snaps_of(d.cmd("watch 4500 100 " + WATCH, timeout=10))
        ticks, _ = compare_readouts(c, snaps, readouts, CLIP_A[2], "the command-line clip",
                                    target_file=False)
        # The first tick seeks to the start second, here 0, and playback goes on from there.
        after = ticks[len(ticks) - ticks[::-1].index(0):] if 0 in ticks else []
        c.check("it plays from its start, with the position of its sidecar",
                after and after == sorted(after) and after[0] == 1
                and any(readouts.rows[s]["from"] == "row" for s in ticks), str(ticks))
        d.cmd(f"click {ID.ADD_FILE}")
        d.cmd("open-file " + quote_arg(win_path(other)) + " 15000", timeout=20)
        rows = d.cmd("rows")
        texts = [r["text"] for r in rows[1:]]
        c.check("Add File lists the second clip under its own name and path",
                rows[0]["count"] == "2" and any(t.startswith(UNICODE_OTHER + "     ") for t in texts)
                and any(same(r["path"], win_path(other)) for r in rows[1:]),
                "; ".join(r.body for r in rows))
        shot = k.screenshot("unicode-playlist.png")
        c.note(f"the playlist with both names: {shot}")
        row = next((i for i, r in enumerate(rows[1:]) if same(r["path"], win_path(other))), 0)
        d.cmd(f"dblclick-row {row}")
        played = snaps_of(d.cmd("watch 3500 100 " + WATCH, timeout=8))
        lengths = {seconds_of(sn.get(ID.TIME_TEXT))[1] for sn in played
                   if seconds_of(sn.get(ID.TIME_TEXT))}
        moving = {seconds_of(sn.get(ID.TIME_TEXT))[0] for sn in played
                  if seconds_of(sn.get(ID.TIME_TEXT))}
        c.check("a double-click plays it: its length and a running second",
                CLIP_B_SECONDS in lengths and len(moving) >= 2, f"lengths {lengths}, seconds {moving}")
    except Exception as e:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
    return 1 if k.finish() else 0


def proc_cpu_ms(pid):
    """utime + stime of a Unix process, in ms."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000 // os.sysconf("SC_CLK_TCK")


def find_process(root_pid, marker):
    """The Unix process that root_pid started (in its process group, as Wine's processes
    stay even when they are not its children) whose command line holds marker."""
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            if os.getpgid(int(entry)) != root_pid and int(entry) != root_pid:
                continue
            with open(f"/proc/{entry}/cmdline", "rb") as f:
                if marker in f.read():
                    return int(entry)
        except OSError:
            pass
    return None


def run_bare_graph(a, clip, seconds):
    """CPU ms of a bare graph over `seconds` of playback, from /proc and from itself."""
    proc = subprocess.Popen(["bash", a.wine_run, a.build, a.bare_graph, win_path(clip), str(seconds),
                             "820", "440"], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            text=True, start_new_session=True)
    try:
        first = proc.stdout.readline().strip()
        pid = find_process(proc.pid, b"bare-graph.exe")
        before = proc_cpu_ms(pid) if first == "playing" and pid else None
        line = proc.stdout.readline().strip()
        after = proc_cpu_ms(pid) if before is not None else None
        proc.wait(timeout=30)
    except (OSError, subprocess.TimeoutExpired, ValueError):
        os.killpg(proc.pid, 9)
        proc.wait()
        return None, None, proc.stderr.read()
    own = Line("t=0 " + line) if line.startswith("cpu ") else None
    return (after - before if before is not None else None), own, proc.stderr.read()


def case_speed(a):
    c = Checks("speed")
    seconds = 30
    clip = os.path.join(a.work, "clips", "E2E_SPEED.MP4")
    report = []
    # The yardstick: a bare graph, same clip, same video size as the viewer's video area.
    bare_ms, own, err = run_bare_graph(a, clip, seconds)
    c.check("the bare graph played the clip", bare_ms is not None, err.strip()[-300:])
    if bare_ms is not None:
        report.append(f"bare graph: {bare_ms} ms CPU over {own['wall_ms'] if own else '?'} ms of "
                      f"playback (/proc; its own GetProcessTimes: "
                      f"{int(own['user_ms']) + int(own['kernel_ms']) if own else '?'} ms; "
                      f"RenderFile {own['render_ms'] if own else '?'} ms)")
    k = Case(a, "speed-player")
    d = k.d
    try:
        k.start("E2E_SPEED.MP4", 0)
        d.cmd("wait-player 20000", timeout=25)
        d.cmd("watch 5000 50 until " + quote_arg(f"{ID.TIME_TEXT}~00:00:01 /") + f" {ID.TIME_TEXT}", timeout=10)
        pid = find_process(d.pid(), b"player.exe")
        c.check("the player's process is found for measuring", pid is not None)
        if pid:
            cpu0, t0 = proc_cpu_ms(pid), time.monotonic()
            d.cmd(f"sleep {seconds * 1000}", timeout=seconds + 10)
            cpu1, t1 = proc_cpu_ms(pid), time.monotonic()
            player_ms = cpu1 - cpu0
            report.append(f"player: {player_ms} ms CPU over {(t1 - t0) * 1000:.0f} ms of playback (/proc)")
            if bare_ms:
                report.append(f"ratio player / bare graph: {player_ms / bare_ms:.2f}")
        trace = k.trace_text()
        ticks = [int(v) for v in re.findall(r"TICK (\d+) us", trace)]
        if ticks:
            q = sorted(ticks)
            report.append(f"tick (steps 3 to 12): {len(q)} ticks, median {statistics.median(q):.0f} us, "
                          f"90th percentile {q[max(0, int(len(q) * 0.9) - 1)]} us, max {q[-1]} us")
        else:
            report.append("tick: no TICK lines in the trace")
        routes = sorted(int(v) for v in re.findall(r"ROUTE (\d+) us", trace))
        if routes:
            report.append(f"route view paints: {len(routes)}, median {statistics.median(routes):.0f} us, "
                          f"max {routes[-1]} us (the first draws the route's layer)")
        # Layout passes: the repaint that re-lays out after a resize, against a repaint alone.
        d.cmd(f"click {ID.PLAY_PAUSE}")  # paused: the video's own painting stays out of the timing
        d.cmd("sleep 500")
        for w, h in ((1366, 768), (1920, 1080)):
            rounds, plains, got = [], [], ""
            for _ in range(3):
                d.cmd("resize-client 1200 700")
                d.cmd("sleep 300")
                paint = d.cmd("paint-time 3")[0]
                plains += [int(v) for v in paint["us"].split(",")]
                relayout = d.cmd(f"relayout-time {w} {h}")
                got = [l for l in relayout if l.kind == "size"][-1]["client"].replace(",", "x")
                rounds.append(int([l for l in relayout if l.kind == "relayout"][0]["us"]))
            plain = statistics.median(plains)
            whole = [int(v) for v in d.cmd("paint-time 5")[0]["us"].split(",")]
            note = "" if got == f"{w}x{h}" else f" (the screen allows only {got})"
            report.append(f"a whole repaint at {got}: {sorted(whole)} us")
            report.append(f"layout at {w}x{h}{note}: resize and repaint with the layout pass "
                          f"{sorted(rounds)} us, a repaint alone {plain:.0f} us (median): the pass "
                          f"takes at most about {statistics.median(rounds) - plain:.0f} us")
        for w, h, us in re.findall(r"LAYOUT (\d+)x(\d+) (\d+) us", k.trace_text()):
            report.append(f"traced layout pass {w}x{h}: {us} us")
    except Exception as e:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
    rc = k.finish()
    for line in report:
        c.note(line)
    with open(os.path.join(a.work, "speed.txt"), "w") as f:
        f.write("\n".join(report) + "\n")
    return 1 if c.failed or rc else 0


KEY_COLOUR = "rgb(1,100,250)"


def key_pixels(shot):
    """Pixels of exactly the skin's transparency key in a screenshot."""
    out = subprocess.run(["convert", shot, "-alpha", "off", "-fill", "black", "+opaque", KEY_COLOUR,
                          "-fill", "white", "-opaque", KEY_COLOUR, "-format", "%[fx:int(mean*w*h+0.5)]",
                          "info:"], capture_output=True, text=True)
    return int(out.stdout.strip() or -1)


def case_skin(a):
    """Both layouts at the window sizes people use, and maximised: screenshots, no
    key-coloured pixel anywhere, each button showing its image."""
    k = Case(a, "skin")
    c, d = k.c, k.d
    buttons = (ID.PLAY_PAUSE, ID.STOP, ID.LARGE_VIEW, ID.FULL_SCREEN, ID.FRAME_STEP, ID.CLOSE)
    try:
        k.start(DRIVE[0] + ".MP4", 4)
        d.cmd("wait-player 20000", timeout=25)
        d.cmd("sleep 3000", timeout=6)

        def look(label):
            d.cmd("sleep 900", timeout=4)
            shot = k.screenshot(f"skin-{label}.png")
            c.check(f"{label}: no pixel of the key colour", key_pixels(shot) == 0, shot)
            rects = d.cmd("rects " + " ".join(buttons))[0]
            bare = [b for b in buttons if rect_of(rects, b) and rect_of(rects, b)[1]
                    and k.colours_in(shot, rect_of(rects, b)[0]) < 6]
            c.check(f"{label}: every transport and title button shows its image", not bare,
                    f"flat buttons: {bare}")

        # The pointer over the play button: its hover image, then its tooltip.
        d.cmd(f"pointer {ID.PLAY_PAUSE}")
        d.cmd("sleep 1500", timeout=4)
        hover = k.screenshot("skin-hover.png")
        tips = [l for l in d.cmd("windows") if "tooltips_class32" in l.text and "visible=1" in l.text]
        c.check("a pointer resting on a button brings its tooltip", bool(tips), hover)
        d.cmd(f"pointer {ID.VIDEO_AREA}")
        for w, h in ((1366, 768), (1024, 576), (684, 324), (0, 0)):
            label = f"{w}x{h}" if w else "maximised"
            if w:
                d.cmd(f"resize {w} {h}")
            else:
                d.cmd(f"click {ID.MAXIMIZE}")
            look(label + "-normal")
            d.cmd(f"click {ID.LARGE_VIEW}")
            look(label + "-enlarged")
            c.check(f"{label}: the switch offers the way back",
                    d.cmd(f"read {ID.LARGE_VIEW}")[0].get(ID.LARGE_VIEW) == "Normal Screen")
            d.cmd(f"click {ID.LARGE_VIEW}")
            if not w:
                d.cmd(f"click {ID.MAXIMIZE}")
    except Exception as e:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
    return k.finish()


# What a snapshot writes for a second its clip's sidecar does not have.
PADDING_BLOCK = " \r\n".join(["$GSENSOR,0,0,0"] * 5 + ["$GPRMC" + ",0" * 12, "$GPGGA" + ",0" * 14,
                                                        "$GPGSA" + ",0" * 17])


def bmp_fields(path):
    """Magic, size field, pixel offset, width, height and bits of a BMP file, and its length."""
    import struct
    with open(path, "rb") as f:
        data = f.read()
    magic, size, _, offset = struct.unpack_from("<2sIII", data, 0)
    _, width, height, _, bits = struct.unpack_from("<IiiHH", data, 14)
    return SimpleNamespace(magic=magic, size=size, offset=offset, width=width, height=height,
                           bits=bits, length=len(data))


def frame_difference(picture, clip, second):
    """Mean difference per channel between a 32-bit bottom-up BMP and the clip's frame
    half a second into `second` (decoded by ffmpeg), over every fourth pixel."""
    b = bmp_fields(picture)
    raw = subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-ss",
                          f"{second + 0.5}", "-i", clip, "-frames:v", "1", "-f", "rawvideo",
                          "-pix_fmt", "bgr24", "-"], capture_output=True).stdout
    w, h = b.width, abs(b.height)
    if b.bits != 32 or len(raw) != w * h * 3:
        return 255.0
    with open(picture, "rb") as f:
        data = f.read()
    total, count = 0, 0
    for y in range(0, h, 4):
        row = (h - 1 - y) if b.height > 0 else y
        for x in range(0, w, 4):
            p = b.offset + (row * w + x) * 4
            q = (y * w + x) * 3
            total += abs(data[p] - raw[q]) + abs(data[p + 1] - raw[q + 1]) + abs(data[p + 2] - raw[q + 2])
            count += 3
    return total / count


def file_hashes(folder):
    """{name: sha256} of every clip and sidecar in a folder."""
    import hashlib
    out = {}
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if os.path.isfile(path) and os.path.splitext(name)[1].lower() in CLIP_AND_SIDECAR:
            with open(path, "rb") as f:
                out[name] = hashlib.sha256(f.read()).hexdigest()
    return out


CLIP_AND_SIDECAR = (".mov", ".ts", ".avi", ".mp4", ".nmea")


def guard_folder(k, work):
    """A folder of clips and sidecars (A and B with theirs, C's sidecar alone) and a
    file that a snapshot may replace when the user says so."""
    guard = os.path.join(work, "guard")
    shutil.rmtree(guard, ignore_errors=True)
    os.makedirs(guard)
    name, _, _ = DRIVE
    shutil.copy(k.clip(name + ".MP4"), os.path.join(guard, "A.MP4"))
    shutil.copy(k.clip(name + ".nmea"), os.path.join(guard, "A.nmea"))
    shutil.copy(k.clip("E2E_B.MP4"), os.path.join(guard, "B.MP4"))
    shutil.copy(k.clip(CLIP_A[0] + ".nmea"), os.path.join(guard, "B.nmea"))
    shutil.copy(k.clip(CLIP_A[0] + ".nmea"), os.path.join(guard, "C.nmea"))
    with open(os.path.join(guard, "old.bmp"), "wb") as f:
        f.write(b"an earlier picture")
    return guard


def screen_shot(k, name):
    """The whole X screen (dialogs and boxes stand apart from the window), into the
    shots folder; a picture for the eye, never a check."""
    try:
        with open(os.path.join(k.a.build, "xvfb.display")) as f:
            display = f.read().strip()
        os.makedirs(k.a.shots, exist_ok=True)
        subprocess.run(["import", "-window", "root", os.path.join(k.a.shots, name)],
                       env=dict(os.environ, DISPLAY=display), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=20)
    except (OSError, subprocess.SubprocessError):
        pass


def snapshot_guard(k, guard):
    """A playing clip's snapshot under names that would replace clips or sidecars: each
    refused with a message naming the file, the dialog staying open; a file that
    exists replaced only after Yes; playback goes on."""
    c, d = k.c, k.d
    before = file_hashes(guard)
    d.cmd(f"click {ID.OPEN_VIDEO}")
    d.cmd("open-file " + quote_arg(win_path(os.path.join(guard, "A.MP4"))) + " 10000", timeout=15)
    d.cmd("sleep 1800", timeout=4)
    d.cmd(f"command {ID.SNAPSHOT}")
    long_name = os.path.join(guard, "L" * (300 - len(win_path(guard)) - 5) + ".bmp")
    tries = (("B.bmp", '"B.nmea"'), ("C", '"C.nmea"'), ("A.nmea", '"A.nmea"'),
             ("B.MP4", '"B.MP4"'), ("a.mp4", '"a.mp4"'), (long_name, "too long to be saved."))
    for typed, named in tries:
        if typed == "B.bmp":  # the first refusal is held on screen for a picture of it
            threading.Timer(1.5, screen_shot, (k, "snapshot-refused.png")).start()
        out = d.cmd("open-file " + quote_arg(win_path(os.path.join(guard, typed))) +
                    " 10000 answer 1" + (" 2500" if typed == "B.bmp" else ""), timeout=15)
        box = [l.get("text", "") for l in out if l.kind == "box"]
        still = [l.get("open") for l in out if l.kind == "file-dialog" and l.get("open")]
        c.check(f"{os.path.basename(typed)[:12]!r} is refused, the message names {named}, "
                "the dialog stays open", len(box) == 1 and named in box[0] and still == ["1"],
                f"box {box}, dialog open {still}")
    old = os.path.join(guard, "old.bmp")
    out = d.cmd("open-file " + quote_arg(win_path(old)) + " 10000 answer 7", timeout=15)
    box = [l.get("text", "") for l in out if l.kind == "box"]
    c.check("an existing picture: the replace question, No keeps the dialog and the file",
            len(box) == 1 and '"old.bmp" already exists' in box[0] and
            [l.get("open") for l in out if l.kind == "file-dialog" and l.get("open")] == ["1"] and
            open(old, "rb").read() == b"an earlier picture", f"box {box}")
    out = d.cmd("open-file " + quote_arg(win_path(old)) + " 10000 answer 6", timeout=15)
    d.cmd("sleep 1000", timeout=3)
    c.check("Yes replaces it: the picture and its lines",
            [l.get("open") for l in out if l.kind == "file-dialog" and l.get("open")] == ["0"] and
            bmp_fields(old).magic == b"BM" and os.path.exists(os.path.join(guard, "old.nmea")))
    playing = d.cmd(f"watch 3000 100 until {quote_arg(ID.PLAY_PAUSE + '=Pause')} {ID.PLAY_PAUSE}",
                    timeout=6)
    c.check("a clip that was playing plays on after the snapshot",
            any(l.get(ID.PLAY_PAUSE) == "Pause" for l in snaps_of(playing)))
    after = file_hashes(guard)
    c.check("every clip and sidecar of the folder is byte for byte as it was",
            {n: after.get(n) for n in before} == before,
            f"changed: {[n for n in before if after.get(n) != before[n]]}")
    c.check("nothing else is left in the folder",
            sorted(os.listdir(guard)) == sorted(list(before) + ["old.bmp", "old.nmea"]),
            f"{sorted(os.listdir(guard))}")


def snapshot_not_saved(k, guard):
    """A snapshot that cannot be written says so and why, over the main window; no
    half-written file is left."""
    c, d = k.c, k.d
    before = sorted(os.listdir(guard))
    # A folder that is not there (the name of a file that is one).
    target = os.path.join(guard, "old.bmp", "x.bmp")
    d.cmd(f"command {ID.SNAPSHOT}")
    out = d.cmd("open-file " + quote_arg(win_path(target)) + " 10000", timeout=15, ok=True)
    box = d.cmd("answer-box 1 8000", timeout=12, ok=True)
    texts = [l.get("text", "") for l in box if l.kind == "box"]
    c.check("a snapshot that cannot be written says it was not saved, and why",
            len(texts) == 1 and "not saved" in texts[0] and "x.bmp" in texts[0] and
            len(texts[0].split("|")[-1]) > 0, f"{[l.text for l in out + box]}")
    c.check("and leaves nothing behind", sorted(os.listdir(guard)) == before,
            f"{sorted(os.listdir(guard))}")


def case_snapshot(a):
    """A paused clip, the snapshot button, the save dialog answered: the picture and
    that second's sidecar lines beside it; Cancel writes nothing; a paused clip stays
    paused; names that would replace clips or sidecars are refused; the clips and
    sidecars stay byte for byte as they were."""
    k = Case(a, "snapshot")
    c, d = k.c, k.d
    name, _, _ = DRIVE
    sidecar = k.clip(name + ".nmea")
    clips_before = file_hashes(k.clips)
    mtime = os.stat(sidecar).st_mtime
    shots = os.path.join(a.work, "snapshots")
    shutil.rmtree(shots, ignore_errors=True)
    os.makedirs(shots)
    guard = guard_folder(k, a.work)
    try:
        k.start(name + ".MP4", 6)
        d.cmd("wait-player 20000", timeout=25)
        d.cmd("sleep 2500", timeout=5)
        d.cmd(f"click {ID.PLAY_PAUSE}")
        d.cmd("sleep 800")
        second = seconds_of(d.cmd(f"read {ID.TIME_TEXT}")[0].get(ID.TIME_TEXT))[0]
        # The time source: the sidecar, last written at noon local time.
        noon = time.mktime((2024, 5, 18, 12, 0, 0, 0, 0, -1))
        os.utime(sidecar, (noon, noon))
        d.cmd("ctrl s")  # the button has no size in this layout; the key does its work
        dialog = d.cmd("open-file " + quote_arg(win_path(os.path.join(shots, "shot.bmp"))) + " 10000",
                       timeout=15)
        d.cmd("sleep 1000", timeout=3)
        picture = os.path.join(shots, "shot.bmp")
        c.check("the picture is written", os.path.exists(picture))
        if os.path.exists(picture):
            b = bmp_fields(picture)
            c.check("the picture is a bitmap of the clip's size whose header matches the file",
                    b.magic == b"BM" and b.size == b.length and b.offset == 54 and
                    (b.width, abs(b.height)) == (640, 360) and b.bits in (24, 32),
                    f"{b.__dict__}")
        # The engine's second (traced by the snapshot): the paused picture may be a
        # second past the time text, which the last tick wrote.
        taken = re.findall(r"Current Time : (\d+)", k.trace_text())
        at = int(taken[0]) if taken else -1
        c.check("the snapshot's second is the one on screen", second <= at <= second + 1,
                f"time text {second}, engine {at}")
        # Recorded at noon less the seconds after the frame (the last second is the
        # time source's), plus the camera's nine hours.
        offered = [l.get("offered", "").strip('"') for l in dialog if l.kind == "file-dialog"]
        expect = time.strftime("%y%m%d-%H%M%S", time.localtime(noon - (20 - at - 1) + 9 * 3600)) + ".bmp"
        c.check("the dialog offers the name of the time the frame was recorded",
                offered == [expect], f"offered {offered}, expected {expect}")
        if os.path.exists(picture) and at >= 0:
            diff = frame_difference(picture, k.clip(name + ".MP4"), at)
            c.check("the picture is the frame at that second", diff < 16,
                    f"mean difference {diff:.1f} per channel")
        with open(sidecar, "r", newline="") as f:
            blocks = sidecar_blocks(f.read())
        beside = os.path.join(shots, "shot.nmea")
        got = open(beside, "r", newline="").read() if os.path.exists(beside) else None
        want = blocks[at][:-1] if 0 <= at < len(blocks) else None
        c.check(f"beside it: exactly second {at}'s lines of the clip's sidecar (nine a second)",
                got == want, f"got {got!r:.120}, want {want!r:.120}")
        paused = d.cmd(f"watch 2500 100 {ID.PLAY_PAUSE} {ID.TIME_TEXT}", timeout=6)
        c.check("a paused clip stays paused after the snapshot",
                all(l.get(ID.PLAY_PAUSE) == "Play" and seconds_of(l.get(ID.TIME_TEXT))[0] == second
                    for l in snaps_of(paused)), f"{[l.text for l in snaps_of(paused)][:3]}")
        d.cmd(f"command {ID.SNAPSHOT}")  # as the button (it has no size in this layout)
        d.cmd("cancel-file 10000", timeout=15)
        d.cmd("sleep 800")
        written = sorted(f for f in os.listdir(shots) if f.startswith("shot"))
        c.check("Cancel writes nothing", written == ["shot.bmp", "shot.nmea"], f"{written}")
        snapshot_guard(k, guard)
        snapshot_not_saved(k, guard)
        # Eight lines a second (no pulse lines), and a sidecar three seconds short.
        with open(sidecar, "r", newline="") as f:
            drive = f.read()
        eight = "".join(l for l in drive.splitlines(keepends=True) if not l.startswith("$SPEED"))
        for clip_name, text in (("EIGHT", eight), ("SHORT", "".join(sidecar_blocks(drive)[3:]))):
            shutil.copy(k.clip(name + ".MP4"), os.path.join(shots, clip_name + ".MP4"))
            with open(os.path.join(shots, clip_name + ".nmea"), "w", newline="") as f:
                f.write(text)
            d.cmd(f"click {ID.OPEN_VIDEO}")
            d.cmd("open-file " + quote_arg(win_path(os.path.join(shots, clip_name + ".MP4"))) + " 10000",
                  timeout=15)
            d.cmd("sleep 1800", timeout=4)
            d.cmd(f"click {ID.PLAY_PAUSE}")
            d.cmd("sleep 500")
            d.cmd(f"command {ID.SNAPSHOT}")
            d.cmd("open-file " + quote_arg(win_path(os.path.join(shots, clip_name + "-shot.bmp"))) +
                  " 10000", timeout=15)
            d.cmd("sleep 800")
            now = int(re.findall(r"Current Time : (\d+)", k.trace_text())[-1])
            got = open(os.path.join(shots, clip_name + "-shot.nmea"), "r", newline="").read()
            blocks = sidecar_blocks(text)
            if clip_name == "EIGHT":
                want, what = blocks[now][:-1], f"second {now}'s eight lines"
            else:
                want = (PADDING_BLOCK if now <= 3 else blocks[now - 3][:-1])
                what = f"second {now} of a sidecar three seconds short"
            c.check(f"beside the picture: {what}", got == want, f"got {got!r:.100}, want {want!r:.100}")
    except Exception as e:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
    os.utime(sidecar, (mtime, mtime))
    c.check("every clip and sidecar of the clips folder is byte for byte as it was",
            file_hashes(k.clips) == clips_before)
    return k.finish()


# The offline route view's colours: the way still ahead, the way driven, the car.
ROUTE_AHEAD, ROUTE_DRIVEN, ROUTE_CAR = (92, 160, 230), (168, 212, 48), (255, 70, 70)


def pixels_of(shot, rect, colours):
    """{colour: (count, mean x, mean y)} of the exact colours inside rect."""
    x, y, w, h = rect
    out = subprocess.run(["convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-alpha", "off",
                          "-depth", "8", "txt:-"], capture_output=True, text=True).stdout
    found = {c: [0, 0, 0] for c in colours}
    for m in re.finditer(r"^(\d+),(\d+): \((\d+),(\d+),(\d+)", out, re.M):
        rgb = tuple(int(v) for v in m.group(3, 4, 5))
        if rgb in found:
            f = found[rgb]
            f[0] += 1
            f[1] += int(m.group(1))
            f[2] += int(m.group(2))
    return {c: (n, sx / n, sy / n) if n else (0, None, None) for c, (n, sx, sy) in found.items()}


def case_route(a):
    """Offline, a clip whose sidecar has a turn: the map area shows its route and the
    car moving along it second by second, in every frame of a burst; a clip without
    a sidecar brings the map area's own picture back, one without a fix the offline
    picture."""
    k = Case(a, "route")
    c, d = k.c, k.d
    colours = (ROUTE_AHEAD, ROUTE_DRIVEN, ROUTE_CAR)
    try:
        k.start("E2E_SPEED.MP4", 11)  # the turn is at seconds 15 to 19
        d.cmd("wait-player 20000", timeout=25)
        d.cmd("sleep 2000", timeout=5)
        area = rect_of(d.cmd(f"rects {ID.MAP_AREA}")[0], ID.MAP_AREA)[0]
        seconds, bursts = [], []  # the shots are looked at afterwards: playback goes on
        for i in range(6):
            d.cmd("sleep 1000", timeout=4)
            seconds.append(k.screenshot(f"route-{i}.png"))
        for i in range(10):  # no frame without the route or the car
            d.cmd("sleep 130", timeout=3)
            bursts.append(k.screenshot(f"route-burst-{i}.png"))
        cars = [pixels_of(shot, area, colours) for shot in seconds]
        burst = [pixels_of(shot, area, colours) for shot in bursts]
        seen = [p[ROUTE_CAR] for p in cars if p[ROUTE_CAR][0] > 0]
        c.check("the route is drawn: the way ahead and the way driven",
                all(p[ROUTE_AHEAD][0] > 50 and p[ROUTE_DRIVEN][0] > 20 for p in cars),
                str([(p[ROUTE_AHEAD][0], p[ROUTE_DRIVEN][0]) for p in cars]))
        places = {(round(n[1] / 3), round(n[2] / 3)) for n in seen}
        c.check("the car shows every second and moves along the route",
                len(seen) == len(cars) and len(places) >= 5, str(seen))
        driven = [p[ROUTE_DRIVEN][0] for p in cars]
        c.check("the driven part grows as the car goes", driven == sorted(driven) and
                driven[-1] > driven[0], str(driven))
        c.check("every frame of a burst shows the route and the car",
                all(p[ROUTE_CAR][0] > 0 and p[ROUTE_AHEAD][0] + p[ROUTE_DRIVEN][0] > 100
                    for p in burst), str(burst))
        d.cmd(f"click {ID.OPEN_VIDEO}")
        d.cmd("open-file " + quote_arg(win_path(k.clip("E2E_B.MP4"))) + " 15000", timeout=20)
        d.cmd("sleep 2500", timeout=5)
        shot = k.screenshot("route-no-sidecar.png")
        none = pixels_of(shot, area, colours)
        # The load sets the map back to "may be showing": the placeholder's picture.
        c.check("without a sidecar no route is drawn; the map area shows its placeholder",
                all(n[0] == 0 for n in none.values()) and k.colours_in(shot, area) > 20, str(none))
        # Without a fix the connection check runs and fails: the offline picture
        # with the reason written under its symbol.
        d.cmd(f"click {ID.OPEN_VIDEO}")
        d.cmd("open-file " + quote_arg(win_path(k.clip("E2E_NOFIX.MP4"))) + " 15000", timeout=20)
        d.cmd("sleep 2500", timeout=5)
        shot = k.screenshot("route-no-fix.png")
        x, y, w, h = area
        reason = pixels_of(shot, (x, y + h * 2 // 3, w, h // 3), ((226, 228, 232),))[(226, 228, 232)]
        none = pixels_of(shot, area, colours)
        c.check("without a fix the offline picture shows with its reason, no route",
                all(n[0] == 0 for n in none.values()) and reason[0] > 20, f"{none} {reason}")
        ticks = sorted(int(v) for v in re.findall(r"TICK (\d+) us", k.trace_text()))
        paints = sorted(int(v) for v in re.findall(r"ROUTE (\d+) us", k.trace_text()))
        if ticks and paints:
            c.note(f"tick median {statistics.median(ticks):.0f} us over {len(ticks)}; route view "
                   f"paint median {statistics.median(paints):.0f} us, max {paints[-1]} us "
                   f"over {len(paints)}")
    except Exception as e:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
    return k.finish()


# Cases in their own modules beside this file (each has run(a) and uses the
# helpers here through "import e2e").
MODULE_CASES = {"trips": "case_trips", "events": "case_events", "keys": "case_keys",
                "pair": "case_pair", "pair-speed": "case_pair_speed"}


def main():
    p = argparse.ArgumentParser()
    p.add_argument("case", choices=["clips", "playback", "playlist", "unrenderable", "startup", "speed",
                                   "skin", "snapshot", "route", "unicode"] + list(MODULE_CASES))
    for opt in ("build", "wine-run", "player", "driver", "bare-graph", "native", "work", "shots"):
        p.add_argument("--" + opt, required=True)
    a = p.parse_args()
    a.work = os.path.abspath(a.work)
    global ZERO
    NATIVE[0] = a.native
    ZERO = time_text(0, 0)
    if a.case == "clips":
        return make_clips(a)
    if not os.path.exists(os.path.join(a.work, "clips", "ready")):
        print("the clips are missing: run the clips case first", file=sys.stderr)
        return 1
    if a.case in MODULE_CASES:  # cases kept in modules of their own: run(a)
        sys.modules["e2e"] = sys.modules[__name__]  # one copy of the helpers and their state
        return importlib.import_module(MODULE_CASES[a.case]).run(a)
    return {"playback": case_playback, "playlist": case_playlist,
            "unrenderable": case_unrenderable, "startup": case_startup, "speed": case_speed,
            "skin": case_skin, "snapshot": case_snapshot, "route": case_route,
            "unicode": case_unicode}[a.case](a)


if __name__ == "__main__":
    sys.exit(main())
