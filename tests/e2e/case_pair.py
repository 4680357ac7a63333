"""e2e case "pair": a front clip (the test picture, 640x360) and its rear clip
(solid blue, 320x240, another size) play together: the rear picture is inset in the
video area's lower right corner, a click on it swaps the two, pause, a seek by the
slider and stop act on both engines (their positions as the player reads them each
tick), and over a minute of play the rear stays within a quarter second of the front.
At the end of the pair the next front clip plays (the rear row is not played on its
own); its rear clip cannot be decoded, so its picture plays alone with a line saying
why. A double-click on a rear row plays the pair with the rear picture large, also
in full screen, and its snapshot is the rear's frame. V puts the pictures side by side, then shows the large one alone, then
the inset again; the enlarged layout has the inset too."""
import os
import re

import e2e
from e2e import ID, quote_arg, win_path

PAIR_SECONDS = 72
SECOND_SECONDS = 20
START = 3
SEEK_TO = 9
PLAY_SECONDS = 60
DRIFT_LIMIT_MS = 250
PAUSED_LIMIT_MS = 40  # the partner follows a paused clip within 20 ms, read within a frame
BLUE = (0, 0, 255)


def make_folder(a):
    folder = os.path.join(a.work, "pair")
    if os.path.exists(os.path.join(folder, "ready")):
        return folder
    os.makedirs(folder, exist_ok=True)
    gen = os.path.join(a.native, "tools", "demo", "gen-demo")
    e2e.make_video(os.path.join(folder, "P1.MP4"), PAIR_SECONDS, "640x360", 10)
    e2e.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y", "-f", "lavfi",
             "-i", "color=c=0x0000ff:size=320x240:rate=10", "-t", str(PAIR_SECONDS),
             "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "10",
             os.path.join(folder, "P1R.MP4")])
    e2e.make_video(os.path.join(folder, "P2.MP4"), SECOND_SECONDS, "640x360", 10)
    # A rear clip cut after its first kilobytes: nothing can decode it.
    with open(os.path.join(folder, "P1R.MP4"), "rb") as f:
        head = f.read(3000)
    with open(os.path.join(folder, "P2R.MP4"), "wb") as f:
        f.write(head)
    for name, seconds, start in (("P1", PAIR_SECONDS, "2024-05-02T09:00:00"),
                                 ("P2", SECOND_SECONDS, "2024-05-02T09:01:15")):
        e2e.run([gen, "--seconds", str(seconds), "--start", start,
                 "-o", os.path.join(folder, name + ".nmea")], stdout=e2e.subprocess.DEVNULL)
    open(os.path.join(folder, "ready"), "w").close()
    return folder


PAIR_LINE = re.compile(r"PAIR (\w+) master (-?\d+) ms partner (-?\d+) ms running (\d) (\d) "
                       r"reseeks (\d+) largest (\d+) ms")


def pair_lines(k, since=0):
    """The trace's PAIR position lines after offset `since`: (when, master, partner,
    master running, partner running, reseeks, largest drift)."""
    text = k.trace_text()[since:]
    return [(m.group(1), int(m.group(2)), int(m.group(3)), m.group(4) == "1",
             m.group(5) == "1", int(m.group(6)), int(m.group(7)))
            for m in PAIR_LINE.finditer(text)]


def panels(d):
    """The pair's visible panels: [(x, y, w, h)] in client coordinates."""
    line = d.cmd("pair")[0]
    out = []
    for m in re.finditer(r"panel=(-?\d+),(-?\d+),(\d+),(\d+),(\d)", line.body):
        if m.group(5) == "1":
            out.append(tuple(int(v) for v in m.group(1, 2, 3, 4)))
    return out


def shares(shot, rect):
    """The shares of rect's pixels that are the rear clip's blue and the test picture's
    yellow (within a few levels): the rear is all blue, the front has a yellow bar."""
    x, y, w, h = rect
    out = e2e.subprocess.run(["convert", shot, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                              "-alpha", "off", "-depth", "8", "txt:-"],
                             capture_output=True, text=True).stdout
    total = blue = yellow = 0
    for m in re.finditer(r"^\d+,\d+: \((\d+),(\d+),(\d+)", out, re.M):
        r, g, b = (int(v) for v in m.groups())
        total += 1
        blue += r < 24 and g < 24 and b > 220
        yellow += r > 220 and g > 220 and b < 40
    return (blue / total, yellow / total) if total else (0.0, 0.0)


def is_rear(share):
    return share[0] > 0.9


def is_front(share):
    return share[0] < 0.5 and share[1] > 0.04


def inner(rect, by):
    x, y, w, h = rect
    return (x + by, y + by, max(1, w - 2 * by), max(1, h - 2 * by))


def video_rect(d):
    line = d.cmd(f"rects {ID.VIDEO_AREA}")[0]
    return e2e.rect_of(line, ID.VIDEO_AREA)[0]


def upper_left(area):
    x, y, w, h = area
    return (x + w // 8, y + h // 8, w // 3, h // 3)


def centre(area):
    x, y, w, h = area
    return (x + w // 4, y + h // 8, w // 2, h // 2)


def check_inset(k, name, rear_large):
    """A screenshot with both pictures: the inset shows the rear (or the front)."""
    c, d = k.c, k.d
    shot = k.screenshot(name)
    found = panels(d)
    area = video_rect(d)
    if len(found) != 1:
        c.check(f"{name}: one frame around the small picture", False, f"panels {found}")
        return shot, None
    inset = found[0]
    x, y, w, h = inset
    ax, ay, aw, ah = area
    c.check(f"{name}: the small picture sits in the video area's lower right corner, a "
            "quarter of its width", abs(x + w - (ax + aw)) <= 12 and abs(y + h - (ay + ah)) <= 12
            and abs(w - aw // 4) <= 8, f"inset {inset}, video area {area}")
    small, large = shares(shot, inner(inset, 4)), shares(shot, centre(area))
    detail = f"blue, yellow: inset {small[0]:.2f} {small[1]:.2f}, large {large[0]:.2f} {large[1]:.2f}"
    if rear_large:
        c.check(f"{name}: the large picture is the rear's blue, the inset the front's test "
                "picture", is_rear(large) and is_front(small), detail)
    else:
        c.check(f"{name}: the inset shows the rear's blue, the large picture the front's test "
                "picture", is_rear(small) and is_front(large), detail)
    return shot, inset


def last_ticks(k, since, n=3):
    return [p for p in pair_lines(k, since) if p[0] == "tick"][-n:]


def run(a):
    folder = make_folder(a)
    k = e2e.Case(a, "pair")
    c, d = k.c, k.d
    try:
        first = win_path(os.path.join(folder, "P1.MP4"))
        d.cmd(f"start {quote_arg(win_path(a.player))} {quote_arg(first + f'-{START}')}")
        d.cmd("wait-player 20000", timeout=25)
        for name in ("P1R.MP4", "P2.MP4", "P2R.MP4"):
            d.cmd(f"click {ID.ADD_FILE}")
            d.cmd("open-file " + quote_arg(win_path(os.path.join(folder, name))) + " 15000",
                  timeout=20)
        rows = d.cmd("rows")
        c.check("both cameras' clips are listed, each pair's front first",
                [r["text"][:7].strip() for r in rows[1:]] == ["P1.MP4", "P1R.MP4", "P2.MP4",
                                                              "P2R.MP4"],
                "; ".join(r.body for r in rows))
        d.cmd("sleep 2500", timeout=5)
        shot, inset = check_inset(k, "pair-inset.png", rear_large=False)
        ticks = last_ticks(k, 0)
        c.check("both engines play, a tick reads both positions a fraction of a second apart",
                len(ticks) >= 2 and all(t[3] and t[4] and abs(t[1] - t[2]) <= DRIFT_LIMIT_MS
                                        for t in ticks), str(ticks))

        # A click on the inset swaps the pictures; another swaps them back.
        if inset:
            x, y, w, h = inset
            d.cmd(f"click-at {x + w // 2} {y + h // 2}")
            d.cmd("sleep 1200", timeout=5)
            check_inset(k, "pair-swapped.png", rear_large=True)
            c.check("the trace says the rear picture became the large one",
                    "PAIR swapped: partner large" in k.trace_text())
            x, y, w, h = panels(d)[0] if panels(d) else inset
            d.cmd(f"click-at {x + w // 2} {y + h // 2}")
            d.cmd("sleep 800", timeout=5)

        # V: side by side, then the large picture alone, then the inset again; L: the
        # enlarged layout has the inset too.
        d.cmd("key V")
        d.cmd("sleep 1200", timeout=5)
        shot = k.screenshot("pair-side-by-side.png")
        ax, ay, aw, ah = video_rect(d)
        left = shares(shot, (ax + aw // 8, ay + ah * 3 // 8, aw // 4, ah // 4))
        right = shares(shot, (ax + aw * 5 // 8, ay + ah * 3 // 8, aw // 4, ah // 4))
        c.check("V: side by side, the front on the left half and the rear on the right, no "
                "frame", is_front(left) and is_rear(right) and panels(d) == [],
                f"left {left}, right {right}, panels {panels(d)}")
        d.cmd(f"click-at {ax + aw * 3 // 4} {ay + ah // 2}")
        d.cmd("sleep 1200", timeout=5)
        shot = k.screenshot("pair-side-by-side-swapped.png")
        left = shares(shot, (ax + aw // 8, ay + ah * 3 // 8, aw // 4, ah // 4))
        right = shares(shot, (ax + aw * 5 // 8, ay + ah * 3 // 8, aw // 4, ah // 4))
        c.check("side by side, a click on the right picture swaps the two",
                is_rear(left) and is_front(right), f"left {left}, right {right}")
        d.cmd(f"click-at {ax + aw * 3 // 4} {ay + ah // 2}")
        d.cmd("sleep 800", timeout=5)
        d.cmd("key V")
        d.cmd("sleep 1200", timeout=5)
        shot = k.screenshot("pair-off.png")
        whole = shares(shot, (ax, ay, aw, ah))
        c.check("V again: the front picture alone, no rear picture anywhere",
                whole[0] < 0.2 and whole[1] > 0.04 and panels(d) == [], f"{whole} {panels(d)}")
        d.cmd("key V")
        d.cmd("sleep 1200", timeout=5)
        check_inset(k, "pair-inset-again.png", rear_large=False)
        d.cmd("key L")
        d.cmd("sleep 2000", timeout=5)
        check_inset(k, "pair-enlarged.png", rear_large=False)
        d.cmd("key L")
        d.cmd("sleep 2000", timeout=5)
        check_inset(k, "pair-normal-again.png", rear_large=False)

        # Pause, then a seek by the slider while paused: both engines stand still together.
        mark = len(k.trace_text())
        d.cmd(f"click {ID.PLAY_PAUSE}")
        d.cmd("sleep 1500", timeout=5)
        paused = pair_lines(k, mark)[-1:]
        c.check("pause stops both engines at the same frame",
                paused and not paused[0][3] and not paused[0][4]
                and abs(paused[0][1] - paused[0][2]) <= PAUSED_LIMIT_MS, str(paused))
        mark = len(k.trace_text())
        d.cmd(f"slide {SEEK_TO}")
        d.cmd("sleep 1500", timeout=5)
        seeked = [p for p in pair_lines(k, mark)][-1:]
        c.check(f"a seek by the slider to second {SEEK_TO} moves both engines there",
                seeked and abs(seeked[0][1] - SEEK_TO * 1000) <= 100
                and abs(seeked[0][1] - seeked[0][2]) <= PAUSED_LIMIT_MS, str(seeked))

        # A minute of play: every tick's drift within the limit.
        mark = len(k.trace_text())
        d.cmd(f"click {ID.PLAY_PAUSE}")
        d.cmd(f"sleep {PLAY_SECONDS * 1000}", timeout=PLAY_SECONDS + 10)
        played = [p for p in pair_lines(k, mark) if p[0] == "tick" and p[3]]
        drifts = [abs(p[1] - p[2]) for p in played]
        span = (played[-1][1] - played[0][1]) / 1000 if played else 0
        c.check(f"over {PLAY_SECONDS} s of play the rear stays within {DRIFT_LIMIT_MS} ms of "
                "the front", len(played) >= PLAY_SECONDS - 3 and span >= PLAY_SECONDS - 4
                and max(drifts) <= DRIFT_LIMIT_MS,
                f"{len(played)} ticks over {span:.0f} s, largest {max(drifts or [0])} ms")
        c.note(f"drift over {span:.0f} s of play: median {sorted(drifts)[len(drifts) // 2] if drifts else 0} ms, "
               f"largest {max(drifts or [0])} ms, re-seeks {played[-1][5] if played else 0}")

        # The pair's end: the next front clip, whose rear cannot be decoded.
        out = d.cmd(f"watch 12000 250 until sel=2 sel", timeout=20)
        d.cmd("sleep 2500", timeout=5)
        sel = d.cmd("read sel")[0]
        c.check("at the pair's end the next front clip plays (the rear row is not played on "
                "its own)", sel.get("sel") == "2", f"selected {sel.get('sel')}; {out[-1].text}")
        trace = k.trace_text()
        c.check("its rear clip cannot be opened, and the player says why in the trace",
                "PAIR cannot open" in trace and "P2R.MP4" in trace)
        found = panels(d)
        shot = k.screenshot("pair-undecodable.png")
        area = video_rect(d)
        note_ok = len(found) == 1 and found[0][1] > area[1] + area[3] // 2
        c.check("one line of text in the video area's lower corner, no frame",
                note_ok, f"panels {found}, video area {area}")
        if note_ok:
            text = e2e.pixels_of(shot, found[0], ((226, 228, 232), (28, 31, 36)))
            c.check("the line is light text on the dark ground",
                    text[(28, 31, 36)][0] > found[0][2] * 4 and text[(226, 228, 232)][0] > 20,
                    str(text))
        if inset:
            corner = shares(shot, inner(inset, 4))
            c.check("the front picture plays alone: no rear picture where the inset was",
                    corner[0] < 0.3, f"blue {corner[0]:.2f} there")

        # A rear row: the pair with the rear picture large, in the window and in full screen.
        d.cmd("dblclick-row 1")
        d.cmd("sleep 3000", timeout=6)
        check_inset(k, "pair-rear-row.png", rear_large=True)
        # The snapshot is the large picture's: the rear's frame, with its sidecar's lines.
        shots = os.path.join(a.work, "pair-snapshots")
        e2e.shutil.rmtree(shots, ignore_errors=True)
        os.makedirs(shots)
        d.cmd("ctrl s")
        d.cmd("open-file " + quote_arg(win_path(os.path.join(shots, "rear.bmp"))) + " 10000",
              timeout=15)
        d.cmd("sleep 1000", timeout=3)
        picture = os.path.join(shots, "rear.bmp")
        if os.path.exists(picture):
            b = e2e.bmp_fields(picture)
            seen = shares(picture, (0, 0, b.width, abs(b.height)))
            c.check("the snapshot is the large (rear) picture's frame, its lines file beside it",
                    (b.width, abs(b.height)) == (320, 240) and is_rear(seen)
                    and os.path.exists(os.path.join(shots, "rear.nmea")),
                    f"{b.width}x{b.height}, blue {seen[0]:.2f}, {os.listdir(shots)}")
        else:
            c.check("the snapshot is written", False, str(os.listdir(shots)))
        d.cmd("key F")
        d.cmd("sleep 1500", timeout=5)
        with open(os.path.join(a.build, "xvfb.display")) as f:
            display = f.read().strip()
        full = os.path.join(a.shots, "pair-full-screen.png")
        e2e.subprocess.run(["import", "-window", "root", full], check=True,
                           env=dict(os.environ, DISPLAY=display),
                           stdout=e2e.subprocess.DEVNULL, stderr=e2e.subprocess.DEVNULL)
        size = e2e.subprocess.run(["identify", "-format", "%w %h", full], capture_output=True,
                                  text=True).stdout.split()
        sw, sh = int(size[0]), int(size[1])
        big = shares(full, (sw * 3 // 8, sh // 4, sw // 4, sh // 4))
        corner = shares(full, (sw - sw // 4 + 8, sh - sh // 4 + 8, sw // 4 - 24, sh // 4 - 24))
        c.check("full screen: the rear picture fills the screen, the front is inset in its "
                "corner", is_rear(big) and is_front(corner), f"blue, yellow: middle {big}, "
                f"corner {corner}")
        d.cmd("key Esc")
        d.cmd("sleep 1000", timeout=5)

        mark = len(k.trace_text())
        d.cmd(f"click {ID.STOP}")
        d.cmd("sleep 1500", timeout=5)
        after = pair_lines(k, mark)
        stopped = d.cmd(f"read pos {ID.TIME_TEXT}")[0]
        c.check("stop acts on both: no position is read from either engine after it, the "
                "slider is back at zero", not [p for p in after if p[0] == "tick"]
                and "PAIR closed" in k.trace_text()[mark:] and stopped.get("pos") == "0",
                f"{after[-2:]} {stopped.body}")
        c.check("after stop no panel of the pair is shown", panels(d) == [], str(panels(d)))
        c.note(f"screenshots {shot}, {full}")
    except Exception as ex:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(ex).__name__}: {ex}")
    return k.finish()
