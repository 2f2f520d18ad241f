"""What the GUI tests share: the driver process that sends the program window
messages (tests/gui/Driver.cpp), the program's reported state and images,
bitmap files, and the list of failures. The runner (gui_test.py) sets ARGS and
ENV before anything runs."""

import os
import struct
import subprocess
import time

ARGS = None
FAILURES = []
ENV = dict(os.environ)


def win_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


DRIVER = None


def driver(*words, check=True):
    """One verb of the driver, which stays running and reads verbs line by line."""
    global DRIVER
    if DRIVER is None:
        DRIVER = subprocess.Popen([ARGS.wine_run, ARGS.driver, "serve"], env=ENV,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL)
    DRIVER.stdin.write(("\t".join(map(str, words)) + "\n").encode("cp932"))
    DRIVER.stdin.flush()
    out = b""
    while True:
        line = DRIVER.stdout.readline()
        if not line:
            raise RuntimeError("the driver ended")
        if line.startswith(b"\x01done "):
            status = int(line[6:])
            break
        out += line
    if check and status != 0:
        raise RuntimeError("driver %s failed (%d)" % (" ".join(map(str, words)), status))
    return out.decode("cp932", errors="replace")


def state():
    values = {}
    for line in driver("state").splitlines():
        key, _, value = line.partition("=")
        values[key] = value
    return values


def menu():
    items = {}
    for line in driver("menu").splitlines():
        path, command, enabled, checked, text = line.split("\t")
        items[int(command)] = (enabled, checked, text)
        items[path] = (enabled, checked, text)
    return items


def expect(what, actual, wanted):
    if actual != wanted:
        FAILURES.append("%s: %r, wanted %r" % (what, actual, wanted))
        print("FAIL", FAILURES[-1])


def expect_soon(what, read, wanted, seconds=5):
    """expect() for a result that comes once the program has handled posted
    messages (keys, clicks): read() is asked again until it gives wanted."""
    deadline = time.time() + seconds
    actual = read()
    while actual != wanted and time.time() < deadline:
        time.sleep(0.1)
        actual = read()
    expect(what, actual, wanted)


def pixels_from_dib(data, offset=0):
    """Width, height and rows (bottom row first) of (r, g, b) from a 24-bit DIB."""
    size, width, height = struct.unpack_from("<Iii", data, offset)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        base = offset + size + y * stride
        rows.append([(data[base + 3 * x + 2], data[base + 3 * x + 1], data[base + 3 * x])
                     for x in range(width)])
    return width, height, rows


def image(which="image"):
    return pixels_from_dib(bytes.fromhex(driver(which).strip()))


def screen_pixels(window, x, y, width, height):
    """The bytes (RGB) that the screen shows of a window's client rectangle."""
    left, top = map(int, driver("origin", window).split())
    return subprocess.run(["import", "-window", "root", "-crop",
                           "%dx%d+%d+%d" % (width, height, left + x, top + y), "rgb:-"],
                          stdout=subprocess.PIPE, check=True, timeout=30).stdout


def preview_waits_for_its_button(window, button, panel, base):
    """Typed values leave the preview panel as it was (base); the preview button
    then redraws it."""
    expect("typing leaves the preview", screen_pixels(window, *panel) == base, True)
    driver("click", window, button)
    expect_soon("the preview button previews", lambda: screen_pixels(window, *panel) != base,
                True)


def write_bmp(path, width, height, colour):
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height):
        row = bytearray()
        for x in range(width):
            r, g, b = colour(x, y)
            row += bytes((b, g, r))
        data += row + bytes(stride - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 0, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def read_bmp(data):
    return pixels_from_dib(data, 14)


def cli_image(source, *steps, seed=None):
    """What the batch tool makes of the bitmap source with the steps, in the
    form image() gives: the program promises the same pixels."""
    out = os.path.join(ARGS.work, "cli-result.bmp")
    if os.path.exists(out):
        os.remove(out)
    seeded = ["--seed", str(seed)] if seed is not None else []
    subprocess.run([ARGS.wine_run, ARGS.cli, *seeded, win_path(source), win_path(out), *steps],
                   env=ENV, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
    if not os.path.exists(out):
        return None
    with open(out, "rb") as f:
        return read_bmp(f.read())


# The program seeds its generator from the wall clock at start-up; it starts
# with fixed_clock.c preloaded, so the clock, and with it the seed, reads
# CLOCK_START (None: the library could not be built).
CLOCK_START = 1234567890
CLOCK_LIBRARY = None


def build_fixed_clock(work):
    library = os.path.join(work, "fixed_clock.so")
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fixed_clock.c")
    built = subprocess.run(["cc", "-shared", "-fPIC", "-O1", "-o", library, source, "-ldl"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return library if built.returncode == 0 else None


def windows():
    """The program's parameter windows: command -> (class, built)."""
    found = {}
    for line in driver("windows").splitlines():
        name, command, built = line.split("\t")
        found[int(command)] = (name, built == "1")
    return found


class Program:
    def __init__(self, *args, program=None):
        env = dict(ENV)
        if CLOCK_LIBRARY:
            env.update(LD_PRELOAD=CLOCK_LIBRARY, IROMAKI_CLOCK_START=str(CLOCK_START))
        self.process = subprocess.Popen([ARGS.wine_run, program or ARGS.program, *args], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        driver("wait", "CWindow")

    def wait_exit(self):
        try:
            return self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            return None


def section(name):
    print("--", name, flush=True)


def close_driver():
    global DRIVER
    if DRIVER:
        DRIVER.stdin.close()
        DRIVER.wait(timeout=30)
        DRIVER = None


def run_and_report(body):
    """Runs body on a Wine server of its own; prints the failures and gives the
    exit status. A window that never came is a failure, not a hang."""
    subprocess.run(["wineserver", "-k"], env=ENV, stderr=subprocess.DEVNULL)
    try:
        body()
    except Exception as error:
        FAILURES.append("stopped: %s" % error)
    finally:
        close_driver()
        subprocess.run(["wineserver", "-k"], env=ENV, stderr=subprocess.DEVNULL)
    for f in FAILURES:
        print("FAIL", f)
    print("%d failure(s)" % len(FAILURES))
    return 1 if FAILURES else 0
