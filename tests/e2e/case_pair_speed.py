"""Figures, not checks (make bench): what the second camera costs. The player's CPU
over 30 s of one clip against 30 s of the same clip with its rear clip beside it, the
tick's median and 90th percentile with the pair, and the largest drift between the
two engines (and the re-seeks) over three minutes of the pair."""
import os
import re
import shutil
import statistics
import time

import e2e
from e2e import ID, quote_arg, win_path

SECONDS = 200       # each clip
CPU_SECONDS = 30
PAIR_SECONDS = 180  # the drift is watched this long
PAIR_LINE = re.compile(r"PAIR tick master (-?\d+) ms partner (-?\d+) ms running 1 1 "
                       r"reseeks (\d+) largest (\d+) ms")


def make_folder(a):
    folder = os.path.join(a.work, "pair-speed")
    if os.path.exists(os.path.join(folder, "ready")):
        return folder
    os.makedirs(folder, exist_ok=True)
    e2e.make_video(os.path.join(folder, "S.MP4"), SECONDS, "640x360", 25)
    e2e.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin", "-y", "-f", "lavfi",
             "-i", "testsrc2=size=640x360:rate=25", "-t", str(SECONDS), "-c:v", "libx264",
             "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-g", "25",
             os.path.join(folder, "SR.MP4")])
    e2e.run([os.path.join(a.native, "tools", "demo", "gen-demo"), "--seconds", str(SECONDS),
             "-o", os.path.join(folder, "S.nmea")], stdout=e2e.subprocess.DEVNULL)
    # The same clip and sidecar without a rear clip beside it.
    shutil.copy(os.path.join(folder, "S.MP4"), os.path.join(folder, "ALONE.MP4"))
    shutil.copy(os.path.join(folder, "S.nmea"), os.path.join(folder, "ALONE.nmea"))
    open(os.path.join(folder, "ready"), "w").close()
    return folder


def cpu_over(k, seconds):
    """The player's CPU ms over `seconds` of playback, from /proc."""
    d = k.d
    d.cmd("watch 8000 50 until " + quote_arg(f"{ID.TIME_TEXT}~00:00:01 /") + f" {ID.TIME_TEXT}",
          timeout=12)
    pid = e2e.find_process(d.pid(), b"player.exe")
    if not pid:
        return None
    before = e2e.proc_cpu_ms(pid)
    d.cmd(f"sleep {seconds * 1000}", timeout=seconds + 10)
    return e2e.proc_cpu_ms(pid) - before


def run(a):
    folder = make_folder(a)
    c = e2e.Checks("pair-speed")
    report = []
    alone = e2e.Case(a, "pair-speed-alone")
    try:
        alone.d.cmd(f"start {quote_arg(win_path(a.player))} "
                    f"{quote_arg(win_path(os.path.join(folder, 'ALONE.MP4')) + '-0')}")
        alone.d.cmd("wait-player 20000", timeout=25)
        one = cpu_over(alone, CPU_SECONDS)
    except Exception as ex:
        c.check("the one-clip session ran to its end", False, f"{type(ex).__name__}: {ex}")
        one = None
    alone.finish()
    pair = e2e.Case(a, "pair-speed-pair")
    try:
        pair.d.cmd(f"start {quote_arg(win_path(a.player))} "
                   f"{quote_arg(win_path(os.path.join(folder, 'S.MP4')) + '-0')}")
        pair.d.cmd("wait-player 20000", timeout=25)
        started = time.monotonic()
        two = cpu_over(pair, CPU_SECONDS)
        if one and two:
            report.append(f"player CPU over {CPU_SECONDS} s: one clip {one} ms, the pair {two} ms "
                          f"(x{two / one:.2f})")
        rest = PAIR_SECONDS - (time.monotonic() - started)
        if rest > 0:
            pair.d.cmd(f"sleep {int(rest * 1000)}", timeout=rest + 10)
        trace = pair.trace_text()
        ticks = sorted(int(v) for v in re.findall(r"TICK (\d+) us", trace))
        if ticks:
            report.append(f"tick with the pair: {len(ticks)} ticks, median "
                          f"{statistics.median(ticks):.0f} us, 90th percentile "
                          f"{ticks[max(0, int(len(ticks) * 0.9) - 1)]} us, max {ticks[-1]} us")
        lines = [tuple(int(v) for v in m.groups()) for m in PAIR_LINE.finditer(trace)]
        if lines:
            drifts = sorted(abs(m - p) for m, p, _, _ in lines)
            span = (lines[-1][0] - lines[0][0]) / 1000
            report.append(f"drift over {span:.0f} s of the pair ({len(lines)} ticks): median "
                          f"{statistics.median(drifts):.0f} ms, largest {drifts[-1]} ms, "
                          f"re-seeks {lines[-1][2]}")
        c.check("the pair played with both engines running", bool(lines))
    except Exception as ex:
        c.check("the pair session ran to its end", False, f"{type(ex).__name__}: {ex}")
    pair.finish()
    for line in report:
        c.note(line)
    with open(os.path.join(a.work, "pair-speed.txt"), "w") as f:
        f.write("\n".join(report) + "\n")
    return 1 if c.failed else 0
