#!/usr/bin/env python3
"""How quickly the program answers, driven under Wine like the GUI tests
(tests/gui): (a) start with a 12-megapixel JPEG on the command line until the
view has painted it, (b) invert from the menu command until the view has
repainted, (c) one trackbar step in the gamma window until its preview has
repainted. It also reads the program's resident memory at each stage, to show
what it keeps: the image, the undo image and small previews. Prints a Markdown section on standard output. Run it through
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


def resident_mib():
    """Resident memory of the running program (the Wine process of the .exe)."""
    name = os.path.basename(guilib.ARGS.program)[:15]
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/comm" % pid) as f:
                if f.read().strip() != name:
                    continue
            with open("/proc/%s/status" % pid) as f:
                for line in f:
                    if line.startswith("VmRSS:"):
                        return int(line.split()[1]) / 1024.0
        except OSError:
            continue
    raise RuntimeError("the program's process was not found")


def decode_ms(jpeg, tiny, runs):
    """What reading the JPEG costs under Wine: the batch tool's --info on it, less
    the same on an 8 x 8 JPEG (Wine's start and the tool's own)."""
    cli = os.path.join(os.path.dirname(guilib.ARGS.program), "iromaki-cli.exe")

    def median_run(path):
        samples = []
        for _ in range(runs):
            t0 = time.perf_counter()
            subprocess.run([guilib.ARGS.wine_run, cli, "--info", win_path(path)], env=ENV,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
            samples.append(ms(time.perf_counter() - t0))
        return statistics.median(samples)

    return median_run(jpeg) - median_run(tiny)


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


def print_memory(memory):
    image = 4000 * 3000 * 8 / 2**20  # colour and working plane, 8 bytes per pixel
    base = memory[0][1]
    print("\n### Memory of the window program\n")
    print("Resident memory (VmRSS of the program's Wine process) at each stage of one run, "
          "against the start without a file. A 4000 × 3000 image takes %.0f MiB (8 bytes per "
          "pixel)." % image)
    print()
    print("| stage | MiB | above the start, MiB | in images of 12 MP |")
    print("|---|---:|---:|---:|")
    for stage, mib in memory:
        print("| %s | %.0f | %.0f | %.2f |" % (stage, mib, mib - base, (mib - base) / image))
    print()
    print("The image's working plane takes no memory until an operation writes it, so the "
          "opened image counts as half; the undo image is a copy of both planes. Nothing else "
          "lasts: the decoder's block is gone once the image is read, and the parameter "
          "window's previews are small.")


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
    tiny = os.path.join(work, "tiny.jpg")
    subprocess.run(["convert", "-size", "8x8", "xc:gray", tiny], check=True)
    subprocess.run([guilib.ARGS.wine_run, "--init"], env=ENV, check=True)
    runs = args.runs
    try:
        # Warm-up start: the first start of Wine loads far more from disk.
        open_to_paint([], "128,128")
        empty = [open_to_paint([], "128,128") for _ in range(runs)]
        opened = [open_to_paint([win_path(jpeg)], "4000,3000") for _ in range(runs)]

        p = start()
        until_painted("128,128")
        memory = [("started without a file", resident_mib())]
        driver("command", EXIT)
        p.wait(timeout=60)
        p = start(win_path(jpeg))
        until_painted("4000,3000")
        memory.append(("the 12 MP JPEG opened and painted", resident_mib()))
        query = [round_trip("state") for _ in range(runs)]
        invert = [invert_to_repaint() for _ in range(runs)]
        memory.append(("after %d inverts (the undo image exists)" % runs, resident_mib()))

        driver("command", GAMMA)
        driver("wait", "CGammaDialog")
        idle = [round_trip("text", "CGammaDialog", GAMMA_LABEL) for _ in range(runs)]
        step = [round_trip("trackbar", "CGammaDialog", GAMMA_TRACKBAR, 50 + i % 2)
                for i in range(runs)]
        label = driver("text", "CGammaDialog", GAMMA_LABEL).strip()
        memory.append(("gamma window open, its preview moved", resident_mib()))
        driver("click", "CGammaDialog", GAMMA_CANCEL)
        driver("gone", "CGammaDialog")
        memory.append(("gamma window closed", resident_mib()))
        decode = decode_ms(jpeg, tiny, runs)
    finally:
        guilib.close_driver()
        subprocess.run(["wineserver", "-k"], env=ENV, stderr=subprocess.DEVNULL)
    p.wait(timeout=60)
    os.remove(jpeg)
    os.remove(tiny)
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
    print("| reading the JPEG and counting its colours: `iromaki-cli.exe --info` on it, less on "
          "an 8 × 8 JPEG | - | %.0f | - |"
          % decode)
    print()
    print("Net of the harness: (a) less the start without a file, which is mostly Wine's own "
          "start; (c) less a label read through the same driver. (b) is polled with state "
          "queries and can overshoot by up to one query, which walks all 12 M pixels.")
    print_memory(memory)
    targets = (("(a)", opened, 400), ("(b)", invert, 150), ("(c)", step, 30))
    for name, samples, target in targets:
        if statistics.median(samples) > target and name != "(a)":
            print("\n%s misses its target of %d ms." % (name, target))
        elif statistics.median(samples) > target:
            print("\n%s misses its target of %d ms. Of its %.0f ms, Wine's own start (the start "
                  "without a file) takes %.0f, which varies by up to 100 ms from run to run; reading "
                  "the JPEG, with a count of its colours that the program does not make, takes %.0f "
                  "(libjpeg-turbo with its SIMD code, about what the native batch tool needs); "
                  "the remaining %.0f is the first paint, the window's creation "
                  "and the harness." % (name, target, statistics.median(samples),
                                        statistics.median(empty), decode,
                                        statistics.median(samples) - statistics.median(empty)
                                        - decode))
    return 0


if __name__ == "__main__":
    sys.exit(main())
