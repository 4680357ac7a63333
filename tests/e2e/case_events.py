"""e2e case "events": three clips listed from the command line and Add File, two of
one drive and one of a later drive, the first with a hard brake. The playing clip's
event is marked on the G-sensor graph (in its axis colour, at the top of the plot)
and on the seek bar (a red tick), the row with an event has a red dot after its time,
and each trip's first row has a divider and the trip's label above it."""
import os

import e2e
from e2e import ID, quote_arg, win_path

# (name, seconds, first GPS time). A1 and A2 are one drive (A2 starts 11 s after
# A1's last fix), B1 starts two hours later. Only the 60 s drive has an event:
# the hard brake at second 49.
CLIPS = (("A1.MP4", 60, "2024-05-01T08:00:00"),
         ("A2.MP4", 20, "2024-05-01T08:01:05"),
         ("B1.MP4", 20, "2024-05-01T10:00:00"))
BRAKE_SECOND = 49
START_SECOND = 30

# The colours the player draws in (see the graph's and the lists' rules).
AXIS_X = (255, 0, 0)
TICK = (220, 40, 40)
DOT = (220, 40, 40)
DIVIDER = (120, 138, 156)
LABEL = (46, 74, 110)


def make_folder(a):
    folder = os.path.join(a.work, "events")
    if os.path.exists(os.path.join(folder, "ready")):
        return folder
    os.makedirs(folder, exist_ok=True)
    gen = os.path.join(a.native, "tools", "demo", "gen-demo")
    for name, seconds, start in CLIPS:
        e2e.make_video(os.path.join(folder, name), seconds, "320x240", 10)
        e2e.run([gen, "--seconds", str(seconds), "--start", start,
                 "-o", os.path.join(folder, name[:-4] + ".nmea")], stdout=e2e.subprocess.DEVNULL)
    open(os.path.join(folder, "ready"), "w").close()
    return folder


def events_of(a, sidecar):
    return e2e.event_seconds(a, sidecar)


def plot_x(width, height, second, scale_seconds=300):
    """Where the graph puts a second (its plot area and cursor rule)."""
    left = int(width * 0.01)
    plot_width = int(width * 0.975) - left
    return int(second * plot_width / scale_seconds + left), int(height * 0.05)


def near(found, x, tolerance=3):
    """Whether the pixels found (pixels_of, x inside its crop) centre on x of the crop."""
    n, mx, _ = found
    return n > 0 and abs(mx - x) <= tolerance


def rect(d, cid):
    """A control's rectangle on the screenshot (client coordinates from its origin)."""
    line = d.cmd(f"rects {cid}")[0]
    ox, oy = (int(v) for v in line.get("origin", "0,0").split(","))
    x, y, w, h = e2e.rect_of(line, cid)[0]
    return x + ox, y + oy, w, h


def run(a):
    folder = make_folder(a)
    k = e2e.Case(a, "events")
    c, d = k.c, k.d
    try:
        c.check("the demo drive's 60 s clip has its hard brake, the others have no event",
                events_of(a, os.path.join(folder, "A1.nmea")) == [BRAKE_SECOND]
                and events_of(a, os.path.join(folder, "A2.nmea")) == []
                and events_of(a, os.path.join(folder, "B1.nmea")) == [])
        first = win_path(os.path.join(folder, "A1.MP4"))
        d.cmd(f"start {quote_arg(win_path(a.player))} {quote_arg(first + f'-{START_SECOND}')}")
        d.cmd("wait-player 20000", timeout=25)
        for name in ("B1.MP4", "A2.MP4"):
            d.cmd(f"click {ID.ADD_FILE}")
            d.cmd("open-file " + quote_arg(win_path(os.path.join(folder, name))) + " 15000",
                  timeout=20)
        rows = d.cmd("rows")
        c.check("the three clips are listed in name order",
                rows[0]["count"] == "3" and [r["text"][:6] for r in rows[1:]]
                == ["A1.MP4", "A2.MP4", "B1.MP4"], "; ".join(r.body for r in rows))
        d.cmd("sleep 2000", timeout=5)
        shot = k.screenshot("events.png")

        gx, gy, gw, gh = rect(d, ID.GSENSOR_AREA)
        mx, top = plot_x(gw, gh, BRAKE_SECOND)
        strip = (gx, gy + top, gw, max(4, gh // 16))  # the top of the plot
        marker = e2e.pixels_of(shot, strip, (AXIS_X,))[AXIS_X]
        c.check(f"the graph marks the brake at second {BRAKE_SECOND} at the top of the plot in "
                "the X axis colour", near(marker, mx) and marker[0] >= 6,
                f"{marker} expected x {mx} of the graph")

        sx, sy, sw, sh = rect(d, ID.SEEK_SLIDER)
        tick_x = int(BRAKE_SECOND / 60 * sw)
        tick = e2e.pixels_of(shot, (sx, sy, sw, sh), (TICK,))[TICK]
        c.check(f"the seek bar has one tick at second {BRAKE_SECOND}",
                near(tick, tick_x, 2) and tick[0] >= sh and tick[0] <= 3 * sh,
                f"{tick} expected x {tick_x} of the bar, {sw}x{sh}")

        px, py, pw, ph = rect(d, ID.PLAYLIST)
        listed = (px, py, pw, ph)
        dots = e2e.pixels_of(shot, listed, (DOT,))[DOT]
        lines = e2e.subprocess.run(
            ["convert", shot, "-crop", f"{pw}x{ph}+{px}+{py}", "+repage", "-alpha", "off",
             "-depth", "8", "txt:-"], capture_output=True, text=True).stdout
        divider_rows = {}
        for line in lines.splitlines()[1:]:
            head, _, rest = line.partition(": (")
            if rest.startswith(f"{DIVIDER[0]},{DIVIDER[1]},{DIVIDER[2]}"):
                y = int(head.split(",")[1])
                divider_rows[y] = divider_rows.get(y, 0) + 1
        dividers = sorted(y for y, n in divider_rows.items() if n > pw // 2)
        c.check("two trips: a divider above the first row of each",
                len(dividers) == 2 and dividers[0] < ph // 8, f"divider rows {dividers}")
        label_rows = set()
        for line in lines.splitlines()[1:]:
            head, _, rest = line.partition(": (")
            if rest.startswith(f"{LABEL[0]},{LABEL[1]},{LABEL[2]}"):
                label_rows.add(int(head.split(",")[1]))
        if len(dividers) == 2:
            under = [len([y for y in label_rows if top < y < top + 20]) for top in dividers]
            c.check("each divider has its trip's label right under it",
                    all(n >= 6 for n in under), f"label text rows under the dividers {under}")
        c.check("the red dot is on the first trip's row with the event, none elsewhere",
                len(dividers) == 2 and dots[0] > 0 and dividers[0] < dots[2] < dividers[1]
                and 10 <= dots[0] <= 120, f"dot {dots}, dividers {dividers}")
        c.note(f"screenshot {shot}")
    except Exception as ex:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(ex).__name__}: {ex}")
    return k.finish()
