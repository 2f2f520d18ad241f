#!/usr/bin/env python3
"""Drives the real program under Wine on the X display it is given (run it under
xvfb-run): start-up, menus, the image view, the parameter windows, the file
dialogs, dropped files and the clipboard, checked through the program's
inspection message and the images it reports."""

import argparse
import os
import shutil
import struct
import subprocess
import sys
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


class Program:
    def __init__(self, *args):
        self.process = subprocess.Popen([ARGS.wine_run, ARGS.program, *args], env=ENV,
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


def start_up_and_exit():
    section("start-up without a file, exit by command")
    p = Program()
    s = state()
    expect("title", s["title"], "Iromaki")
    expect("image", s["image"], "128,128")
    m = menu()
    expect("actual size checked", m[303][1], "checked")
    expect("quality 90 checked", m[308][1], "checked")
    expect("others unchecked", [m[c][1] for c in (301, 302, 304, 305, 306, 307, 309)],
           ["-"] * 7)
    expect("bar", [m[str(i)][2] for i in range(8)],
           ["ファイル（&F）", "編集（&E）", "設定（&D）", "画像情報（&I）", "調整（&C）",
            "変換（&T）", "フィルタ（&L）", "ヘルプ（&H）"])
    expect("scaling submenu", m["5.9.3"][2], "300%")
    expect("filter mnemonics", (m[707][2], m[708][2]),
           ("アンチエイリアシング（&A）", "色成分差拡大（&A）"))
    driver("popup", 0)
    expect("overwrite-save greyed", menu()[103][0], "grayed")
    driver("command", 104)
    expect("exit code", p.wait_exit(), 0)


def view_and_windows(sample):
    section("image view, read-out and menu enabling")
    p = Program(win_path(sample))
    s = state()
    expect("title", s["title"], "Iromaki - " + win_path(sample))
    expect("bars disabled, not hidden", (s["hbar"].split(",")[4:], s["vbar"].split(",")[4:]),
           (["1", "0"], ["1", "0"]))
    w, h, original = image()
    expect("loaded", (w, h), (200, 100))
    driver("mouse", "CBMPWin", 0, 99)
    expect("bottom-left read-out", state()["status"], "(0,0):%d,%d,%d" % original[0][0])
    driver("mouse", "CBMPWin", 5, 0)
    expect("top row read-out", state()["status"], "(5,99):%d,%d,%d" % original[99][5])
    driver("mouse", "CBMPWin", 250, 50)  # beside the image: unchanged
    expect("read-out kept", state()["status"], "(5,99):%d,%d,%d" % original[99][5])
    driver("popup", 1)
    expect("undo greyed", menu()[201][0], "grayed")

    section("gamma window")
    driver("command", 505)
    expect("title", driver("wait", "CGammaDialog").strip(), "ガンマ補正")
    expect("main disabled", state()["enabled"], "0")
    driver("trackbar", "CGammaDialog", 75)
    expect("label", driver("text", "CGammaDialog", 10).strip(), "ガンマ補正:1.50")
    driver("click", "CGammaDialog", 1)
    driver("gone", "CGammaDialog")
    s = state()
    expect("after execute", (s["enabled"], s["undo"], s["modified"]), ("1", "1", "1"))
    _, _, corrected = image()
    expect("undo image is the original", image("undo")[2] == original, True)
    expect("gamma 1.5 maps 0, 64, 128 to 0, 101, 161", corrected[0][0], (0, 101, 161))
    expect("image brightened", corrected != original, True)
    driver("popup", 1)
    expect("undo enabled", menu()[201][0], "enabled")
    driver("command", 201)
    expect("undo restores", image()[2] == original, True)
    for leave in (("click", "CGammaDialog", 2), ("close", "CGammaDialog")):
        driver("command", 505)
        driver("trackbar", "CGammaDialog", 10)
        driver(*leave)
        driver("gone", "CGammaDialog")
        expect("%s leaves the image" % leave[0], image()[2] == original, True)
        expect("%s re-enables" % leave[0], state()["enabled"], "1")

    section("brightness-contrast window")
    driver("command", 503)
    driver("wait", "CContDialog")
    lums = [int(g * 0.587 + r * 0.299 + b * 0.114) for row in original for (r, g, b) in row]
    expect("input range", (driver("text", "CContDialog", 10).strip(),
                           driver("text", "CContDialog", 11).strip()),
           (str(min(lums)), str(max(lums))))
    driver("mouse", "CContDialog", 13 + 30, 100)
    expect("graph read-out", driver("text", "CContDialog", 24).strip().startswith("明度:30-"),
           True)
    driver("click", "CContDialog", 5)  # output range still empty: closes unchanged
    driver("gone", "CContDialog")
    expect("empty output range changes nothing", image()[2] == original, True)
    driver("command", 503)
    for control, text in ((10, "50"), (11, "200"), (12, "0"), (13, "255")):
        driver("type", "CContDialog", control, text)
    driver("click", "CContDialog", 4)
    driver("click", "CContDialog", 5)
    driver("gone", "CContDialog")
    expect("contrast stretched", image()[2] != original, True)
    driver("command", 201)

    section("trimming window and its frame")
    driver("command", 204)
    driver("wait", "CTrimDialog")
    for control, text in ((0, "10"), (1, "20"), (2, "50"), (3, "30")):
        driver("type", "CTrimDialog", control, text)
    expect("frame", state()["frame"], "10,60,79,49")
    driver("close", "CTrimDialog")
    driver("gone", "CTrimDialog")
    expect("frame hidden after close", state()["frame"].split(",")[0], "-1")
    expect("close trims nothing", image()[0:2], (200, 100))
    driver("command", 204)
    for control, text in ((0, "10"), (1, "20"), (2, "50"), (3, "30")):
        driver("type", "CTrimDialog", control, text)
    driver("click", "CTrimDialog", 4)
    driver("gone", "CTrimDialog")
    w, h, trimmed = image()
    expect("trimmed size", (w, h), (50, 30))
    expect("trimmed corner", trimmed[0][0], original[20][10])
    expect("frame hidden after execute", state()["frame"].split(",")[0], "-1")
    driver("command", 201)
    return p


def zoom_and_scroll(p, big):
    section("zoom and scrolling")
    driver("drop", win_path(big))
    time.sleep(0.5)
    s = state()
    expect("dropped file", s["file"], win_path(big))
    # Make the view's client area 600 x 400, whatever the frame around it takes.
    width, height = 600, 450
    for _ in range(3):
        cw, ch = map(int, s["viewclient"].split(","))
        width, height = width + 600 - cw, height + 400 - ch
        driver("resize", width, height)
        s = state()
    expect("view size", s["viewclient"], "600,400")
    driver("command", 306)
    s = state()
    expect("4x horizontal", s["hscroll"], "1200,600,0")
    expect("4x vertical", s["vscroll"], "1200,400,0")
    expect("bar enabled", s["hbar"].split(",")[4], "0")
    driver("scroll", "h", 1, 0)  # SB_LINEDOWN
    expect("one click", state()["hscroll"], "1200,600,1")
    driver("scroll", "h", 3, 0)  # SB_PAGEDOWN: clamped at range - page
    expect("page", state()["hscroll"], "1200,600,600")
    driver("scroll", "h", 5, 250)  # SB_THUMBTRACK
    expect("thumb", state()["hscroll"], "1200,600,250")
    driver("scroll", "h", 4, 10)  # SB_THUMBPOSITION changes nothing
    expect("thumb released", state()["hscroll"], "1200,600,250")
    _, _, pixels = image()
    driver("mouse", "CBMPWin", 10, 399)
    expect("4x read-out", state()["status"], "(65,200):%d,%d,%d" % pixels[200][65])
    driver("command", 302)
    s = state()
    expect("half size fits", (s["hscroll"], s["vscroll"]), ("0,0,0", "0,0,0"))
    driver("mouse", "CBMPWin", 7, 149)
    expect("0.5x read-out", state()["status"], "(14,0):%d,%d,%d" % pixels[0][14])
    m = menu()
    expect("radio moved", (m[302][1], m[303][1], m[306][1]), ("checked", "-", "-"))
    driver("command", 303)


def files_and_clipboard(p, sample, work):
    section("open and save-as through the dialogs")
    driver("command", 101)
    driver("filedialog", "開く", win_path(sample))
    time.sleep(0.5)
    expect("opened", state()["file"], win_path(sample))
    _, _, original = image()
    driver("command", 602)
    out = os.path.join(work, "saved")
    driver("command", 102)
    driver("filedialog", "保存", win_path(out))
    time.sleep(0.5)
    s = state()
    expect("saved with extension", s["file"], win_path(out) + ".bmp")
    expect("saved clears modified", s["modified"], "0")
    if os.path.exists(out + ".bmp"):
        with open(out + ".bmp", "rb") as f:
            expect("saved pixels", read_bmp(f.read())[2], image()[2])
    else:
        expect("file written", False, True)

    section("clipboard with an X11 peer")
    driver("command", 202)
    time.sleep(0.5)
    got = subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/bmp", "-o"],
                         stdout=subprocess.PIPE, timeout=20).stdout
    expect("copied bitmap", read_bmp(got)[2] if len(got) > 54 else None, image()[2])
    # Wine hands a bitmap from an X11 peer over as 32 bits per pixel, which
    # the program refuses: the image stays.
    before = image()
    pasted = os.path.join(work, "paste.bmp")
    write_bmp(pasted, 7, 5, lambda x, y: (x * 30, y * 50, 200))
    xclip = subprocess.Popen(["xclip", "-selection", "clipboard", "-t", "image/bmp", "-i",
                              pasted])
    time.sleep(1.0)
    driver("popup", 1)
    expect("paste enabled", menu()[203][0], "enabled")
    driver("command", 203)
    time.sleep(0.5)
    expect("32-bit bitmap refused", image(), before)
    xclip.kill()
    # A 24-bit bitmap with a 124-byte header from another Windows program.
    header = struct.pack("<IiiHHI", 124, 3, 2, 1, 24, 0) + bytes(124 - 20)
    rows = bytes((1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0))
    driver("setdib", (header + rows).hex())
    driver("command", 203)
    time.sleep(0.5)
    w, h, got = image()
    expect("pasted", (w, h, got[0][0], got[1][2]), (3, 2, (3, 2, 1), (19, 18, 17)))
    s = state()
    expect("paste title", (s["title"], s["undo"]), ("Iromaki - ", "0"))
    # Our own copy comes back whole.
    driver("command", 602)
    inverted = image()
    driver("command", 202)
    driver("command", 601)
    driver("command", 203)
    time.sleep(0.5)
    expect("copy and paste round trip", image(), inverted)

    section("image information messages")
    driver("command", 401)
    expect("size message", driver("msgbox", "画像サイズ", 1).strip(), "幅:3ピクセル 高さ:2ピクセル")

    section("close box")
    driver("close", "CWindow")
    expect("exit code", p.wait_exit(), 0)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    for name in ("--program", "--driver", "--wine-run", "--prefix", "--work"):
        parser.add_argument(name, required=True)
    ARGS = parser.parse_args()
    ENV["WINEPREFIX"] = ARGS.prefix
    os.makedirs(ARGS.work, exist_ok=True)
    sample = os.path.join(ARGS.work, "sample.bmp")
    big = os.path.join(ARGS.work, "big.bmp")
    write_bmp(sample, 200, 100, lambda x, y: (x * 255 // 199, y * 127 // 99 + 64, 128))
    write_bmp(big, 300, 300, lambda x, y: ((x * 7) % 256, (y * 5) % 256, (x + y) % 256))
    for stale in ("saved.bmp",):
        if os.path.exists(os.path.join(ARGS.work, stale)):
            os.remove(os.path.join(ARGS.work, stale))
    # A wine server of our own, started on this display.
    subprocess.run(["wineserver", "-k"], env=ENV, stderr=subprocess.DEVNULL)
    try:
        start_up_and_exit()
        p = view_and_windows(sample)
        zoom_and_scroll(p, big)
        files_and_clipboard(p, sample, ARGS.work)
    except Exception as error:  # a window that never came is a failure, not a hang
        FAILURES.append("stopped: %s" % error)
    finally:
        if DRIVER:
            DRIVER.stdin.close()
            DRIVER.wait(timeout=30)
        subprocess.run(["wineserver", "-k"], env=ENV, stderr=subprocess.DEVNULL)
    for f in FAILURES:
        print("FAIL", f)
    print("%d failure(s)" % len(FAILURES))
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
