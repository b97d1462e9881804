#!/usr/bin/python3
"""End-to-end scenarios for the timer window, driven with xdotool in a virtual X display and
checked from screenshots. The same scenarios run against any build: the launch command is a
parameter, and the program's first argument (the start seconds) is appended to it.

    tests/e2e/e2e.py --launch "scripts/wine/wine64-run build/mingw-x64/ovenbell.exe"
    tests/e2e/e2e.py --launch build/linux-debug/ovenbell --slow 3 --only overtime

Without --display it starts its own Xvfb with jwm and ends them afterwards. Screenshots of every
checked moment go to --out. Needs /usr/bin/python3 with PIL, Xvfb, jwm, xdotool, xwininfo, wmctrl.
"""

import argparse
import math
import os
import pathlib
import re
import select
import shlex
import signal
import subprocess
import sys
import time
import traceback

from PIL import Image, ImageGrab

HERE = pathlib.Path(__file__).resolve().parent
REPO = HERE.parent.parent

WHITE = (255, 255, 255)
STOPPED_TEXT = (100, 100, 100)
BLACK = (0, 0, 0)
RED = (255, 0, 0)
BAR_GREY = (200, 200, 200)
PALE_RING = (240, 240, 240)
DARK_RED = (200, 0, 0)

# Face geometry in client pixels (the dial's centre, ring radius, text and label rows).
DIAL_CENTRE = (23, 23)
RING_RADIUS = 20
DIAL_RIGHT = 46
LABEL_TOP = 34  # top of the end-time label's cell; the big digits end above it


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(args, timeout=10, env=None):
    return subprocess.run(args, capture_output=True, text=True, timeout=timeout, env=env)


# --- Display -------------------------------------------------------------------------------------


class Desktop:
    """An X display with a window manager: our own Xvfb + jwm, or one given by --display."""

    def __init__(self, display):
        self.processes = []
        self.display = display
        if not display:
            try:
                self.start()
            except BaseException:
                self.close()
                raise

    def start(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten",
             "tcp", "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.processes.append(xvfb)
        number = b""
        deadline = time.monotonic() + 30
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        check(number.strip().isdigit(), "Xvfb did not report a display number")
        self.display = ":" + number.decode().strip()
        jwm = subprocess.Popen(["jwm", "-f", str(HERE / "jwmrc.xml")], env=self.env(),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(jwm)
        # The window manager is ready once it answers as one.
        wait_for(lambda: run(["wmctrl", "-m"], env=self.env()).returncode == 0, 20,
                 "jwm did not start")

    def env(self):
        return dict(os.environ, DISPLAY=self.display)

    def close(self):
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    def xdotool(self, *args):
        result = run(["xdotool", *map(str, args)], env=self.env())
        return result.stdout

    def find_window(self, title):
        """Ids of the visible windows whose title is exactly `title`."""
        pattern = "^" + re.sub(r"([][.^$*+?(){}|\\])", r"\\\1", title) + "$"
        out = self.xdotool("search", "--onlyvisible", "--name", pattern)
        return [int(line) for line in out.split()]

    def active_window(self):
        """Id of the window that has the keyboard focus, or None."""
        out = self.xdotool("getactivewindow").strip()
        return int(out) if out.isdigit() else None

    def geometry(self, window):
        """Absolute (x, y, width, height) of a window's own area, without the frame."""
        out = run(["xwininfo", "-id", str(window)], env=self.env()).stdout
        fields = {}
        for line in out.splitlines():
            key, _, value = line.strip().partition(":")
            fields[key] = value.strip()
        return tuple(int(fields[k]) for k in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def grab(self):
        return ImageGrab.grab(xdisplay=self.display).convert("RGB")


def wait_for(predicate, seconds, message, interval=0.1):
    deadline = time.monotonic() + seconds
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(message)
        time.sleep(interval)


# --- The program under test ----------------------------------------------------------------------


class Face:
    """One screenshot of the main window's client area, with the regions the checks look at."""

    def __init__(self, image):
        self.image = image
        self.width, self.height = image.size

    def pixel(self, x, y):
        return self.image.getpixel((x, y))

    def region(self, left, top, right, bottom):
        return list(self.image.crop((left, top, right, bottom)).getdata())

    def time_region(self):
        return self.region(DIAL_RIGHT, 0, self.width, LABEL_TOP)

    def label_region(self):
        return self.region(DIAL_RIGHT, LABEL_TOP, self.width, self.height - 6)

    def dial_region(self):
        return self.region(0, 0, DIAL_RIGHT, min(DIAL_RIGHT, self.height))

    def ring_samples(self):
        """Pixels on the middle of the seconds ring, every 6 degrees clockwise from the top."""
        return [self.at_dial(a, RING_RADIUS) for a in range(0, 360, 6)]

    def at_dial(self, degrees, radius):
        """The pixel that holds the point at `radius` from the dial centre, clockwise from the
        top; the centre (23, 23) is the corner of four pixels, as GDI's bounding boxes make it."""
        cx, cy = DIAL_CENTRE
        return self.pixel(math.floor(cx + radius * math.sin(math.radians(degrees))),
                          math.floor(cy - radius * math.cos(math.radians(degrees))))

    def bar_row(self):
        return self.region(0, self.height - 3, self.width, self.height - 2)

    def share(self, pixels, colour):
        return sum(1 for p in pixels if p == colour) / max(1, len(pixels))


def longest_run(values, wanted):
    """(start, end) of the longest run of `wanted` in `values`."""
    best, start = (0, 0), None
    for i, v in enumerate(list(values) + [None]):
        if v == wanted and start is None:
            start = i
        elif v != wanted and start is not None:
            if i - start > best[1] - best[0]:
                best = (start, i)
            start = None
    return best


class Program:
    """One run of the program, with its main window and the client area found on screen."""

    def __init__(self, scenario, argument):
        self.scenario = scenario
        self.desktop = scenario.desktop
        command = shlex.split(scenario.options.launch) + [argument]
        self.process = subprocess.Popen(command, env=self.desktop.env(), start_new_session=True,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            self.find_main_window()
        except BaseException:
            self.stop()
            raise

    def find_main_window(self):
        scenario = self.scenario

        def main_windows():
            code = self.process.poll()
            check(code is None, f"the program ended (code {code}) instead of showing its window")
            return self.desktop.find_window("Ovenbell")

        windows = wait_for(main_windows, scenario.seconds(60), "no window titled 'Ovenbell'")
        check(len(windows) == 1, f"{len(windows)} windows titled 'Ovenbell'")
        self.window = windows[0]
        # The first paint shows the stopped setting: find the client area by its background.
        self.client = wait_for(self.find_client, scenario.seconds(20),
                               "the window never showed a stopped face on a white background")

    def window_image(self):
        x, y, w, h = self.desktop.geometry(self.window)
        return self.desktop.grab().crop((x, y, x + w, y + h)), (x, y)

    def find_client(self):
        """Absolute client rectangle: the white area of a stopped face, whose top row and dial
        column hold no text. Any client edge the platform draws lies outside it."""
        image, (x, y) = self.window_image()
        w, h = image.size
        if w < 60 or h < 30:
            return None
        # The first rows under any edge the platform draws: the one with the longest white run
        # lies above the digits, whichever font the platform substitutes for Verdana.
        runs = [longest_run([image.getpixel((i, j)) for i in range(w)], WHITE)
                for j in range(min(8, h))]
        left, right = max(runs, key=lambda run: run[1] - run[0])
        column = [image.getpixel((10, j)) for j in range(h)]
        top, bottom = longest_run(column, WHITE)
        if right - left < 100 or bottom - top < 30:
            return None
        face = Face(image.crop((left, top, right, bottom)))
        if STOPPED_TEXT not in face.time_region():
            return None
        return (x + left, y + top, x + right, y + bottom)

    def face(self):
        return Face(self.desktop.grab().crop(self.client))

    def save(self, name, face=None):
        face = face or self.face()
        path = self.scenario.options.out / f"{self.scenario.name}-{name}.png"
        face.image.resize((face.width * 2, face.height * 2), Image.NEAREST).save(path)

    def wait_face(self, predicate, message, seconds=5):
        def probe():
            face = self.face()
            return predicate(face) and face
        return wait_for(probe, self.scenario.seconds(seconds), message)

    def focus(self):
        self.desktop.xdotool("windowactivate", "--sync", self.window)

    def keys(self, *names):
        self.focus()
        self.desktop.xdotool("key", "--delay", 80, *names)

    def client_point(self, x, y):
        return self.client[0] + x, self.client[1] + y

    def expect_exit(self, how):
        try:
            code = self.process.wait(self.scenario.seconds(15))
        except subprocess.TimeoutExpired:
            raise Failure(f"the program was still running after {how}")
        check(code == 0, f"exit code {code} after {how}, expected 0")

    def stop(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGTERM)
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
                self.process.wait()


# --- Face checks ---------------------------------------------------------------------------------


def is_stopped_face(face):
    """Only the two texts, in (100, 100, 100) antialiased onto white: no dial, no bar."""
    pixels = face.region(0, 0, face.width, face.height)
    neutral_and_light = all(r == g == b and r >= 100 for r, g, b in pixels)
    return (neutral_and_light and STOPPED_TEXT in face.time_region()
            and STOPPED_TEXT in face.label_region()
            and all(p == WHITE for p in face.dial_region()))


def is_running_face(face):
    return BLACK in face.time_region() and STOPPED_TEXT not in face.time_region()


def is_flash_face(face):
    return face.share(face.region(0, 0, face.width, face.height), RED) > 0.6


def is_red_text_face(face):
    pixels = face.region(0, 0, face.width, face.height)
    return (face.share(pixels, WHITE) > 0.6 and face.time_region().count(RED) >= 20
            and not is_flash_face(face))


# --- Scenarios -----------------------------------------------------------------------------------


class Scenario:
    def __init__(self, name, options, desktop):
        self.name = name
        self.options = options
        self.desktop = desktop
        self.programs = []

    def seconds(self, base):
        return base * self.options.slow

    def launch(self, argument):
        program = Program(self, argument)
        self.programs.append(program)
        return program

    def cleanup(self):
        for program in self.programs:
            program.stop()


def reference_time_text(scenario, seconds, close):
    """The stopped time text of a fresh run started with `seconds`, closed by `close`."""
    program = scenario.launch(str(seconds))
    face = program.wait_face(is_stopped_face, f"no stopped face for {seconds}")
    program.save(f"reference-{seconds}", face)
    close(program)
    return face.time_region()


def scenario_stopped_face_and_adjustments(s):
    """Started with 90: the stopped face; keys, wheel and drag change the setting by their
    amounts, checked against fresh runs started with the expected values. Closed with the
    window manager's close request (the close box) and with Escape."""

    def close_box(program):
        run(["wmctrl", "-i", "-c", hex(program.window)], env=s.desktop.env())
        program.expect_exit("the close request")

    def escape(program):
        program.keys("Escape")
        program.expect_exit("Escape")

    shown = {100: reference_time_text(s, 100, escape), 160: reference_time_text(s, 160, close_box)}

    program = s.launch("90")
    first = program.face()
    check(is_stopped_face(first), "the first face is not a stopped face")
    check(200 <= first.width <= 230 and 30 <= first.height <= 80,
          f"client area {first.width}x{first.height}")
    program.save("stopped-90", first)
    shown[90] = first.time_region()
    check(shown[90] != shown[100] and shown[100] != shown[160] and shown[90] != shown[160],
          "different settings show the same text")

    px, py = program.client_point(120, 45)

    def wheel_down():
        s.desktop.xdotool("mousemove", px, py, "sleep", 0.2, "click", 5)

    def drag_up_60():
        # The press does not record the row; the move before it does. The last move leaves the
        # window, which the capture still reports.
        s.desktop.xdotool("mousemove", px, py, "sleep", 0.2, "mousedown", 1, "sleep", 0.2,
                          "mousemove", px, py - 60, "sleep", 0.2, "mouseup", 1)

    steps = [
        ("Up", lambda: program.keys("Up"), 100),
        ("PageUp", lambda: program.keys("Prior"), 160),
        ("wheel-down", wheel_down, 100),
        ("drag-up-60", drag_up_60, 160),
        ("PageDown", lambda: program.keys("Next"), 100),
        ("Down", lambda: program.keys("Down"), 90),
    ]
    for name, act, expected in steps:
        act()
        face = program.wait_face(
            lambda f: is_stopped_face(f) and f.time_region() == shown[expected],
            f"after {name} the time text is not the one a start with {expected} shows")
        program.save(f"after-{name}-{expected}", face)
    program.keys("Escape")
    program.expect_exit("Escape")


def scenario_running_face(s):
    """Started with 600: Space starts it (black text, ring, sector, bar, label), the countdown
    moves on, Space stops it again; Alt+F4 closes the window."""
    program = s.launch("600")
    program.keys("space")
    face = program.wait_face(is_running_face, "Space did not start the countdown")
    program.save("started", face)
    ring = face.ring_samples()
    check(all(p in (BAR_GREY, PALE_RING) for p in ring),
          f"the seconds ring is not drawn all round: {sorted(set(ring))}")
    check(face.at_dial(30, 10) == BAR_GREY, "no minute sector at one o'clock")
    check(face.at_dial(200, 10) == WHITE, "the minute sector reaches past seven o'clock")
    check(face.share(face.bar_row(), BAR_GREY) > 0.9, "the bar does not span the window")
    check(BLACK in face.label_region(), "no end-time label in black")

    later = program.wait_face(
        lambda f: is_running_face(f) and f.time_region() != face.time_region(),
        "the shown time did not move on", seconds=4)
    program.save("counting", later)
    check(later.at_dial(180, RING_RADIUS) == BAR_GREY,
          "below 10:00 the seconds arc does not cover the bottom of the ring")
    check(later.share(later.bar_row(), BAR_GREY) > 0.9, "the bar vanished")

    program.keys("space")
    stopped = program.wait_face(is_stopped_face, "Space did not stop the countdown")
    program.save("stopped-again", stopped)

    def double_click():
        program.focus()
        x, y = program.client_point(110, 25)
        s.desktop.xdotool("mousemove", x, y, "sleep", 0.2, "click", "--repeat", 2, "--delay", 80, 1)

    double_click()
    program.wait_face(is_running_face, "a double-click did not start the countdown")
    double_click()
    program.wait_face(is_stopped_face, "a double-click did not stop the countdown")
    program.keys("alt+F4")
    program.expect_exit("Alt+F4")


def scenario_overtime(s):
    """Started with 3 behind another window: the countdown passes zero, the timer comes to the
    front with the keyboard focus, flashes red with white text, then shows red text on white."""
    program = s.launch("3")
    program.keys("space")
    other = subprocess.Popen(["xmessage", "-name", "other", "-title", "Other window", "other"],
                             env=s.desktop.env(), stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    try:
        other_window = wait_for(lambda: s.desktop.find_window("Other window"), s.seconds(10),
                                "the other window did not appear")[0]
        s.desktop.xdotool("windowactivate", "--sync", other_window)
        check(s.desktop.active_window() == other_window, "the other window did not take the focus")
        if s.options.focus_from_others:
            wait_for(lambda: s.desktop.active_window() == program.window, s.seconds(8),
                     "at expiry the timer did not come to the front with the focus")
    finally:
        other.terminate()
        other.wait()
    flash = program.wait_face(lambda f: is_flash_face(f) and WHITE in f.time_region(),
                              "no red flash with white text after expiry", seconds=8)
    program.save("flash", flash)
    red = program.wait_face(is_red_text_face, "no red text after the flash", seconds=4)
    program.save("red-text", red)
    check(DARK_RED in red.dial_region(), "no dark-red seconds arc in overtime")
    program.keys("Escape")
    program.expect_exit("Escape")


def scenario_about_box(s):
    """F1 opens the About box, which closes with Enter while the main window stays."""
    program = s.launch("90")
    program.keys("F1")
    about = wait_for(lambda: s.desktop.find_window("Ovenbell - About"), s.seconds(10),
                     "F1 did not open a window titled 'Ovenbell - About'")
    s.desktop.grab().save(s.options.out / f"{s.name}-screen.png")
    check(len(about) == 1, f"{len(about)} About windows")
    s.desktop.xdotool("windowactivate", "--sync", about[0])
    s.desktop.xdotool("key", "Return")
    wait_for(lambda: not s.desktop.find_window("Ovenbell - About"), s.seconds(10),
             "Enter did not close the About box")
    check(program.process.poll() is None, "closing the About box ended the program")
    program.keys("Escape")
    program.expect_exit("Escape")


SCENARIOS = {
    "stopped_face_and_adjustments": scenario_stopped_face_and_adjustments,
    "running_face": scenario_running_face,
    "overtime": scenario_overtime,
    "about_box": scenario_about_box,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--launch", required=True,
                        help="command that starts the program; the start seconds are appended")
    parser.add_argument("--out", type=pathlib.Path, default=REPO / "build" / "e2e-screenshots")
    parser.add_argument("--display", help="use this X display instead of a new Xvfb with jwm")
    parser.add_argument("--slow", type=float, default=1.0, help="multiply every wait by this")
    parser.add_argument("--no-focus-from-others", dest="focus_from_others",
                        action="store_false",
                        help="do not expect the timer to take the focus from another program's "
                             "window at expiry (under Wine it cannot take the focus from "
                             "another X program's window)")
    parser.add_argument("--only", help="comma-separated scenario names: " + ", ".join(SCENARIOS))
    options = parser.parse_args()
    options.out.mkdir(parents=True, exist_ok=True)
    names = options.only.split(",") if options.only else list(SCENARIOS)
    unknown = [n for n in names if n not in SCENARIOS]
    if unknown:
        parser.error(f"unknown scenarios: {', '.join(unknown)}")

    desktop = Desktop(options.display)
    passed = failed = 0
    try:
        for name in names:
            scenario = Scenario(name, options, desktop)
            started = time.monotonic()
            try:
                SCENARIOS[name](scenario)
                passed += 1
                print(f"PASS {name} ({time.monotonic() - started:.1f} s)", flush=True)
            except Exception as error:  # a broken scenario must not stop the others
                failed += 1
                print(f"FAIL {name}: {error}", flush=True)
                if not isinstance(error, Failure):
                    traceback.print_exc()
                try:
                    desktop.grab().save(options.out / f"{name}-failure-screen.png")
                except Exception:
                    pass
            finally:
                scenario.cleanup()
    finally:
        desktop.close()
    print(f"screenshots in {options.out}")
    print(f"e2e: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
