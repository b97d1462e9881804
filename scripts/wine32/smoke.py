#!/usr/bin/python3
"""Smoke scenario for a slow target (the shipped 32-bit exe under emulated 32-bit Wine): one run
that goes from the stopped face through the countdown into the overtime flash and out by Escape,
built from the shared end-to-end driver (tests/e2e/e2e.py), whose options it takes.

    scripts/wine32/smoke.py --launch "scripts/wine32/wine32-run build/mingw-i686/ovenbell.exe"
"""

import pathlib
import sys
import time

sys.dont_write_bytecode = True  # the driver's folder belongs to the other stages
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests" / "e2e"))

import e2e  # noqa: E402
from e2e import BAR_GREY, PALE_RING, WHITE, check, is_flash_face, is_running_face  # noqa: E402

START_SECONDS = 4  # long enough to see a bar, short enough to reach overtime soon


def scenario_smoke(s):
    """Started with 4: the setting in grey; Space starts the countdown (black text, the ring all
    round, the bar); the countdown runs into overtime and flashes red with white text; Escape
    ends the program with exit code 0. Prints how long each step took."""
    clock = time.monotonic()

    def lap(what):
        nonlocal clock
        now = time.monotonic()
        print(f"  {what}: {now - clock:.1f} s", flush=True)
        clock = now

    program = s.launch(str(START_SECONDS))
    stopped = program.face()
    check(e2e.is_stopped_face(stopped), "the first face is not a stopped face")
    program.save("stopped", stopped)
    lap("launch to the first stopped face")

    program.keys("space")
    running = program.wait_face(
        lambda f: is_running_face(f) and f.share(f.bar_row(), BAR_GREY) > 0.2,
        "Space did not start the countdown with black text and a bar", seconds=5)
    program.save("running", running)
    ring = running.ring_samples()
    check(all(p in (BAR_GREY, PALE_RING) for p in ring) and PALE_RING in ring,
          f"the seconds ring is not drawn all round: {sorted(set(ring))}")
    lap("Space to the running face")

    flash = program.wait_face(lambda f: is_flash_face(f) and WHITE in f.time_region(),
                              "no red flash with white text after expiry",
                              seconds=START_SECONDS + 8)
    program.save("flash", flash)
    lap("running face to the overtime flash")

    program.keys("Escape")
    program.expect_exit("Escape")
    lap("Escape to the exit")


if __name__ == "__main__":
    e2e.SCENARIOS = {"smoke": scenario_smoke}
    sys.exit(e2e.main())
