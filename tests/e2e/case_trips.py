"""Trips: a folder of six short clips recorded as two drives (3 + 3, minutes
apart). Playback runs across the first drive's clips, the trip line under the
time text counts on across them, and the offline route view shows the whole
trip's route with the clips already driven in green."""
import os
import re
import statistics

import e2e
from e2e import ID, quote_arg, win_path

CLIP_SECONDS = 6
FIRST_BLOCK = 18  # the demo drive is under way here, clear of its stops
DRIVES = ("03:15", "03:40")  # minutes apart: two trips
CLIP_COLOUR = (170, 215, 255)  # the playing clip's part of the trip's route


def clip_names():
    names = []
    for start in DRIVES:
        hh, mm = start.split(":")
        for i in range(3):
            names.append(f"20240518_{hh}{mm}{FIRST_BLOCK + i * CLIP_SECONDS:02d}.MP4")
    return names


def make_trip_clips(a, folder):
    os.makedirs(folder, exist_ok=True)
    gen = os.path.join(a.native, "tools", "demo", "gen-demo")
    names = clip_names()
    for d, start in enumerate(DRIVES):
        full = os.path.join(folder, f"drive{d}.txt")
        e2e.run([gen, "--seconds", "60", "--start", f"2024-05-18T{start}:00", "-o", full])
        with open(full, newline="") as f:
            blocks = e2e.sidecar_blocks(f.read())
        os.remove(full)
        for i in range(3):
            name = names[d * 3 + i]
            first = FIRST_BLOCK + i * CLIP_SECONDS
            with open(os.path.join(folder, name[:-4] + ".nmea"), "w", newline="") as f:
                f.write("".join(blocks[first:first + CLIP_SECONDS]))
            e2e.make_video(os.path.join(folder, name), CLIP_SECONDS, "320x180", 25)
    return names


def trip_seconds(text):
    """(position, length) in seconds of "Trip 00:00:07 / 00:00:18", or None."""
    m = re.match(r"\s*Trip (\d+):(\d\d):(\d\d) / (\d+):(\d\d):(\d\d)", text or "")
    if not m:
        return None
    v = [int(g) for g in m.groups()]
    return v[0] * 3600 + v[1] * 60 + v[2], v[3] * 3600 + v[4] * 60 + v[5]


def route_pixels(k, shot, area):
    return e2e.pixels_of(shot, area, (e2e.ROUTE_AHEAD, e2e.ROUTE_DRIVEN, CLIP_COLOUR))


def run(a):
    k = e2e.Case(a, "trips")
    c, d = k.c, k.d
    k.clips = os.path.join(a.work, "trips")
    names = make_trip_clips(a, k.clips)
    watch = f"{ID.TIME_TEXT} {ID.TRIP_TEXT} sel"
    try:
        # The first clip from the command line, paused; the others added to the list.
        k.start(names[0], 0)
        d.cmd("wait-player 20000", timeout=25)
        d.cmd(f"click {ID.PLAY_PAUSE}")
        for name in names[1:]:
            d.cmd(f"click {ID.ADD_FILE}")
            d.cmd("open-file " + quote_arg(win_path(k.clip(name))) + " 15000", timeout=20)
        rows = d.cmd("rows")
        c.check("the six clips are listed in time order",
                rows[0]["count"] == "6" and [r["path"] for r in rows[1:]]
                == [win_path(k.clip(n)) for n in names], "; ".join(r.body for r in rows))
        d.cmd(f"click {ID.STOP}")
        d.cmd("sleep 500")
        shot_list = k.screenshot("trips-list.png")

        d.cmd("select-row 0")
        d.cmd(f"click {ID.PLAY_PAUSE}")
        area = e2e.rect_of(d.cmd(f"rects {ID.MAP_AREA}")[0], ID.MAP_AREA)[0]
        snaps = e2e.snaps_of(d.cmd(f"watch 12000 100 until sel=1 {watch}", timeout=16))
        d.cmd("sleep 2200", timeout=5)
        shot_second = k.screenshot("trips-second-clip.png")
        snaps += e2e.snaps_of(d.cmd(f"watch 12000 100 until sel=2 {watch}", timeout=16))
        snaps += e2e.snaps_of(d.cmd(f"watch 12000 100 until sel=3 {watch}", timeout=16))
        snaps += e2e.snaps_of(d.cmd(f"watch 2500 100 {watch}", timeout=6))

        rows_seen = [s.get("sel") for s in snaps]
        c.check("playback runs across the first trip's clips into the next row",
                all(r in rows_seen for r in ("0", "1", "2", "3")), str(sorted(set(rows_seen))))
        first_trip = [(s.t, s.get("sel"), e2e.seconds_of(s.get(ID.TIME_TEXT)),
                       trip_seconds(s.get(ID.TRIP_TEXT))) for s in snaps if s.get("sel") in "012"]
        positions = [t[3][0] for t in first_trip if t[3]]
        lengths = {t[3][1] for t in first_trip if t[3]}
        c.check("the trip line counts on across the first trip's clips",
                len(positions) >= 10 and positions == sorted(positions)
                and positions[-1] >= 2 * CLIP_SECONDS and len(lengths) == 1,
                f"{positions} over {lengths}")
        # The row is selected as its load begins: the first readings may still be
        # the last clip's.
        later = [trip_seconds(s.get(ID.TRIP_TEXT)) for s in snaps if s.get("sel") == "3"]
        c.check("the second trip's line starts again from 0",
                bool(later) and later[-1] is not None and later[-1][0] <= 3
                and min(p[0] for p in later if p) == 0, str(later))

        # The enlarged layout keeps the line, under the seek bar's end.
        d.cmd(f"click {ID.LARGE_VIEW}")
        d.cmd("sleep 1500", timeout=5)
        shot_large = k.screenshot("trips-enlarged.png")
        large = d.cmd(f"rects {ID.SEEK_SLIDER} {ID.TRIP_TEXT}")[0]
        line = d.cmd(f"read {ID.TRIP_TEXT}")[0].get(ID.TRIP_TEXT)
        (sx, sy, sw, sh), svis = e2e.rect_of(large, ID.SEEK_SLIDER)
        (lx, ly, lw, lh), lvis = e2e.rect_of(large, ID.TRIP_TEXT)
        c.check("in the enlarged layout the trip line shows under the seek bar's end",
                svis == 1 and lvis == 1 and trip_seconds(line) is not None
                and ly >= sy + sh and lx + lw == sx + sw and lh > 0, f"{large.body} {line!r}")
        d.cmd(f"click {ID.LARGE_VIEW}")
        d.cmd("sleep 500")
        d.cmd(f"click {ID.STOP}")
        d.cmd("sleep 500")
        stopped = d.cmd(f"read {ID.TIME_TEXT} {ID.TRIP_TEXT}")[0]
        c.check("after Stop the trip line is empty, as the time text is at zero",
                stopped.get(ID.TRIP_TEXT) == "", stopped.body)

        pixels = route_pixels(k, shot_second, area)
        c.check("on the second clip the route view shows the trip: the first clip driven "
                "in green, the playing clip's part brighter",
                pixels[e2e.ROUTE_DRIVEN][0] > 30 and pixels[CLIP_COLOUR][0] > 10,
                str(pixels))

        # The gap between clips: the time from a clip's last second (the video
        # ends a second after it shows) to the next clip's first second, less
        # that second.
        gaps, last = [], None
        for s in snaps:
            shown = e2e.seconds_of(s.get(ID.TIME_TEXT))
            if shown == (CLIP_SECONDS - 1, CLIP_SECONDS):
                last = s.t if last is None else last
            elif shown == (0, CLIP_SECONDS) and last is not None:
                gaps.append(s.t - last - 1000)
                last = None
            elif shown != (CLIP_SECONDS, CLIP_SECONDS):
                last = None  # a transition this watch did not see
        if gaps:  # a figure, not a check: the machine's load moves it
            c.note(f"gap between clips beyond the last second: {gaps} ms "
                   f"(median {statistics.median(gaps):.0f} ms)")
        loads = [(int(t), int(e)) for t, e in
                 re.findall(r"LOAD (\d+) us \(engine (\d+)", k.trace_text())]
        if loads:
            c.note(f"clip loads: {[t // 1000 for t, _ in loads]} ms, of which the engine "
                   f"{[e // 1000 for _, e in loads]} ms")
        c.note(f"screenshots {shot_list} {shot_second} {shot_large}")
    except Exception as e:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
    return k.finish()
