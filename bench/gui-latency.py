#!/usr/bin/env python3
"""How quickly the program answers, driven under Wine like the GUI tests
(tests/gui): (a) start with a 12-megapixel JPEG on the command line until the
view has painted it, (b) invert from the menu command until the view has
repainted, (c) one trackbar step in the gamma window until its preview has
repainted. Prints a Markdown section on standard output. Run it through
bench/gui-latency.sh, which supplies the X display and writes the section.

  gui-latency.py --build build/windows --runs 7
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "gui"))
import guilib  # noqa: E402
from guilib import ENV, driver, state, win_path  # noqa: E402

EXIT, INVERT, GAMMA = 104, 602, 505
GAMMA_LABEL, GAMMA_TRACKBAR, GAMMA_CANCEL = "#2", "#3", "#1"


def ms(seconds):
    return seconds * 1000.0


def summary(samples):
    """Median with the spread as min-max, in milliseconds."""
    return "%.0f (%.0f-%.0f)" % (statistics.median(samples), min(samples), max(samples))


def start(*args):
    return subprocess.Popen([guilib.ARGS.wine_run, guilib.ARGS.program, *args], env=ENV,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def until_painted(image_size):
    """Asks for the state until the view has painted an image of that size."""
    while True:
        s = state()
        if s.get("image") == image_size and int(s.get("paints", "0")) >= 1:
            return


def open_to_paint(args, image_size):
    t0 = time.perf_counter()
    p = start(*args)
    until_painted(image_size)
    elapsed = time.perf_counter() - t0
    driver("command", EXIT)
    p.wait(timeout=60)
    return ms(elapsed)


def round_trip(*verb):
    t0 = time.perf_counter()
    driver(*verb)
    return ms(time.perf_counter() - t0)


def invert_to_repaint():
    before = int(state()["paints"])
    t0 = time.perf_counter()
    driver("command", INVERT)
    while int(state()["paints"]) <= before:
        pass
    return ms(time.perf_counter() - t0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "windows"))
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    bin_dir = os.path.join(args.build, "bin")
    guilib.ARGS = argparse.Namespace(wine_run=os.path.join(ROOT, "scripts", "wine-run"),
                                     driver=os.path.join(bin_dir, "iromaki-driver.exe"),
                                     program=os.path.join(bin_dir, "iromaki-test.exe"))
    ENV["WINEPREFIX"] = os.path.join(args.build, "wineprefix-gui")
    work = tempfile.mkdtemp(prefix="gui-latency-")
    jpeg = os.path.join(work, "photo.jpg")
    subprocess.run(["convert", "-size", "4000x3000", "gradient:#203080-#f0c040",
                    "-attenuate", "0.4", "+noise", "Uniform", "-quality", "90", jpeg], check=True)
    subprocess.run([guilib.ARGS.wine_run, "--init"], env=ENV, check=True)
    runs = args.runs
    try:
        # Warm-up start: the first start of Wine loads far more from disk.
        open_to_paint([], "128,128")
        empty = [open_to_paint([], "128,128") for _ in range(runs)]
        opened = [open_to_paint([win_path(jpeg)], "4000,3000") for _ in range(runs)]

        p = start(win_path(jpeg))
        until_painted("4000,3000")
        query = [round_trip("state") for _ in range(runs)]
        invert = [invert_to_repaint() for _ in range(runs)]

        driver("command", GAMMA)
        driver("wait", "CGammaDialog")
        idle = [round_trip("text", "CGammaDialog", GAMMA_LABEL) for _ in range(runs)]
        step = [round_trip("trackbar", "CGammaDialog", GAMMA_TRACKBAR, 50 + i % 2)
                for i in range(runs)]
        label = driver("text", "CGammaDialog", GAMMA_LABEL).strip()
        driver("click", "CGammaDialog", GAMMA_CANCEL)
        driver("gone", "CGammaDialog")
    finally:
        guilib.close_driver()
        subprocess.run(["wineserver", "-k"], env=ENV, stderr=subprocess.DEVNULL)
    p.wait(timeout=60)
    os.remove(jpeg)
    os.rmdir(work)

    load = subprocess.run(["uptime"], stdout=subprocess.PIPE, text=True).stdout.strip()
    net_open = statistics.median(opened) - statistics.median(empty)
    net_step = statistics.median(step) - statistics.median(idle)
    print("## Latency of the window program under Wine\n")
    print("Wall time in milliseconds, median (min-max) of %d runs, measured %s with "
          "`bench/gui-latency.sh` under %s and Xvfb on a shared 2-core machine (%s). The test "
          "variant of the program is driven from another process, as the GUI tests drive it; "
          "a 4000 × 3000 JPEG (quality 90) is made at run time."
          % (runs, time.strftime("%Y-%m-%d"),
             subprocess.run(["wine", "--version"], stdout=subprocess.PIPE, text=True,
                            env=ENV, stderr=subprocess.DEVNULL).stdout.strip(),
             load[load.find("load"):]))
    print()
    print("| measure | target | measured | net of the harness |")
    print("|---|---:|---:|---:|")
    print("| (a) start with the JPEG to the first painted view | 400 | %s | %.0f |"
          % (summary(opened), net_open))
    print("| (b) invert, menu command to repainted view | 150 | %s | - |" % summary(invert))
    print("| (c) one gamma trackbar step to repainted preview (label %s) | 30 | %s | %.0f |"
          % (label, summary(step), net_step))
    print("| start without a file to the first painted view | - | %s | - |" % summary(empty))
    print("| state query with the 12 MP image loaded | - | %s | - |" % summary(query))
    print("| gamma label read (harness round trip) | - | %s | - |" % summary(idle))
    print()
    print("Net of the harness: (a) less the start without a file, which is mostly Wine's own "
          "start; (c) less a label read through the same driver. (b) is polled with state "
          "queries and can overshoot by up to one query, which walks all 12 M pixels.")
    targets = (("(a)", opened, 400), ("(b)", invert, 150), ("(c)", step, 30))
    for name, samples, target in targets:
        if statistics.median(samples) > target:
            print("\n%s misses its target of %d ms. Unprofiled: Wine's own start varies by "
                  "about 200 ms from run to run on this machine, and the batch tool decodes and "
                  "re-encodes such a JPEG in well under 100 ms natively (table above), so decoding "
                  "alone does not explain it." % (name, target))
    return 0


if __name__ == "__main__":
    sys.exit(main())
