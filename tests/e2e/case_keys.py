"""e2e case "keys": the player's keyboard and drops. With nothing loaded the keys
do nothing harmful; a clip dropped on the window plays; while paused the seek keys
move the time text by their steps, clamped to the clip, Space pauses and resumes,
Page Down lands on the clip's event, a held arrow key does not pile up seeks; F1
shows the key sheet (screenshot); a folder dropped is listed; a file that is no
clip is named in one calm message box."""
import os
import time

import e2e
from e2e import ID, quote_arg, win_path

CLIP = ("K1.MP4", 52)  # the demo drive's hard brake is at 49: a clip of 50 s or more
OTHER = ("K2.MP4", 8)   # no sidecar
START = "2026-05-01T08:00:00"


def make_folder(a):
    folder = os.path.join(a.work, "keys")
    if os.path.exists(os.path.join(folder, "ready")):
        return folder
    os.makedirs(folder, exist_ok=True)
    gen = os.path.join(a.native, "tools", "demo", "gen-demo")
    for name, seconds in (CLIP, OTHER):
        e2e.make_video(os.path.join(folder, name), seconds, "320x240", 10)
    e2e.run([gen, "--seconds", str(CLIP[1]), "--start", START,
             "-o", os.path.join(folder, CLIP[0][:-4] + ".nmea")], stdout=e2e.subprocess.DEVNULL)
    with open(os.path.join(a.work, "notes.txt"), "w") as f:
        f.write("not a clip\n")
    open(os.path.join(folder, "ready"), "w").close()
    return folder


def first_event(a, sidecar):
    seconds = e2e.event_seconds(a, sidecar)
    return seconds[0] if seconds else None


class Keys:
    def __init__(self, k):
        self.k, self.d = k, k.d

    def shown(self):
        text = self.d.cmd(f"read {ID.TIME_TEXT}")[0].get(ID.TIME_TEXT)
        return e2e.seconds_of(text), text

    def press(self, *args, settle=600):
        self.d.cmd("key " + " ".join(args))
        self.d.cmd(f"sleep {settle}", timeout=5)
        return self.shown()

    def wait_second(self, least, ms=8000):
        end = time.monotonic() + ms / 1000
        while time.monotonic() < end:
            s = self.shown()[0]
            if s and s[0] >= least:
                return s
            self.d.cmd("sleep 250", timeout=3)
        return self.shown()[0]


def run(a):
    k = e2e.Case(a, "keys")
    c, d = k.c, k.d
    keys = Keys(k)
    folder = make_folder(a)
    clip, length = os.path.join(folder, CLIP[0]), CLIP[1]
    event = first_event(a, clip[:-4] + ".nmea")
    try:
        c.check("the sidecar has an event to jump to", event is not None, str(event))
        d.cmd(f"start {quote_arg(win_path(a.player))}")
        d.cmd("wait-player 20000", timeout=25)

        # Nothing loaded: every key is calm (no box, no clip, the window stays).
        for key in ("Right", "Left shift", "Home", "End", "PgDn", "PgUp", "Space", ",", ".",
                    "Down ctrl", "Up ctrl", "F"):
            d.cmd(f"key {key}")
        d.cmd("sleep 800", timeout=4)
        state = d.cmd(f"read {ID.TIME_TEXT} count video")[0]
        dialogs = [l for l in d.cmd("windows") if l.kind == "window" and "#32770" in l.body]
        c.check("with nothing loaded the keys do nothing: no clip, no rows, no box",
                state.get(ID.TIME_TEXT) == e2e.ZERO and state.get("count") == "0" and len(dialogs) == 1,
                state.body + " " + str([b.body for b in dialogs]))

        # One clip dropped plays, as Open Video plays it.
        d.cmd("drop " + quote_arg(win_path(clip)))
        s = keys.wait_second(2)
        c.check("a clip dropped on the window plays", s is not None and s[0] >= 2 and s[1] == length,
                str(s))
        s0, _ = keys.press("Space", settle=900)
        s1 = keys.shown()[0]
        c.check("Space pauses: the time text stands", s0 is not None and s0 == s1, f"{s0} {s1}")
        # The paused time text may trail the engine by part of a second: Home first.
        steps = [("Home", 0), ("Right", 5), ("Right", 10), ("Left", 5), ("Right shift", 35),
                 ("Home", 0), ("End", length - 5), ("Right", length - 1), ("Left shift", length - 31),
                 ("Home", 0), ("Left", 0)]
        seen = []
        for key, want in steps:
            got = keys.press(*key.split())[0]
            seen.append((key, want, got[0] if got else None))
        c.check("the seek keys move the paused time text by their steps, clamped to the clip",
                all(w == g for _, w, g in seen), str(seen))
        # A frame back from a whole second shows the second before; a frame on, that second.
        keys.press("Home")
        keys.press("Right")
        keys.press("Right")
        back = keys.press(",", settle=900)[0]
        on = keys.press(".", settle=900)[0]
        c.check("',' steps one frame back, '.' one frame forward", back is not None and on is not None
                and back[0] == 9 and on[0] == 10, f"{back} {on}")
        keys.press("Home")
        # In full screen the video hands the keys on: the same seeks, Esc leaves.
        def full_screen():
            return any("ActiveMovie" in l.body and "visible=1" in l.body for l in d.cmd("windows"))
        keys.press("F", settle=1200)
        entered = full_screen()
        full = keys.press("Right", settle=900)[0]
        still = full_screen()
        d.cmd("key Esc")
        d.cmd("sleep 800", timeout=3)
        c.check("in full screen the seek keys work as in the window, and Esc leaves it",
                entered and still and not full_screen() and full is not None and full[0] == 5,
                f"entered={entered} after the key={still} {full}")
        keys.press("Home")
        # Page Down from the start: the clip's event, at its second or just after.
        got = keys.press("PgDn", settle=900)[0]
        c.check("Page Down lands on the clip's event", got is not None and event is not None
                and event <= got[0] <= event + 1, f"{got} event {event}")
        got_back = keys.press("PgUp", settle=900)[0]
        c.check("Page Up with no earlier event stays", got_back == got, f"{got_back} {got}")
        keys.press("Home")
        # A held arrow key: the seeks follow it and stop with it.
        d.cmd("key-hold Right 1500", timeout=10)
        d.cmd("sleep 700", timeout=3)
        after = keys.shown()[0]
        d.cmd("sleep 1000", timeout=3)
        later = keys.shown()[0]
        c.check("a held arrow moves on while held and stops when let go",
                after is not None and after[0] >= 15 and after == later, f"{after} {later}")
        keys.press("Home")
        d.cmd("key Space")
        s = keys.wait_second(2)
        c.check("Space resumes", s is not None and s[0] >= 2, str(s))
        d.cmd("key Space")  # paused again for the sheet's picture

        # F1: the key sheet over the window; any key closes it.
        d.cmd("key F1")
        d.cmd("sleep 800", timeout=3)
        shot = k.screenshot("keys-sheet.png")
        c.note(f"key sheet: {shot}")
        sheet = [l for l in d.cmd("windows") if "Keyboard" in l.body]
        c.check("F1 opens the key sheet", bool(sheet), "")
        d.cmd("key Esc")
        d.cmd("sleep 500", timeout=3)
        gone = [l for l in d.cmd("windows") if "Keyboard" in l.body]
        c.check("a key closes the sheet", not gone, str([l.body for l in gone]))

        # A folder dropped is listed as the folder button lists it.
        d.cmd("drop " + quote_arg(win_path(folder)))
        d.cmd("sleep 1500", timeout=4)
        count = d.cmd("read count")[0].get("count")
        c.check("a folder dropped lists its clips", count == "2", str(count))
        # Ctrl+Down plays the next row.
        d.cmd("key Down ctrl")
        d.cmd("sleep 2000", timeout=4)
        s = keys.shown()[0]
        c.check("Ctrl+Down plays the next clip of the list", s is not None and s[1] in (length, OTHER[1]),
                str(s))
        # A file that is no clip: one calm box naming it.
        d.cmd("drop " + quote_arg(win_path(os.path.join(a.work, "notes.txt"))))
        box = d.cmd("answer-box 1 10000", timeout=15)[0]
        c.check("a dropped file that is no clip is named in one box",
                "notes.txt" in box.get("text", "") and "left alone" in box.get("text", ""), box.body)
    except Exception as e:  # a driver failure or a control that is not there
        c.check("the driver session ran to its end", False, f"{type(e).__name__}: {e}")
    return k.finish()
