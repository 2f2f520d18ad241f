#!/usr/bin/env python3
"""Drives the real program under Wine on the X display it is given (run it under
xvfb-run): start-up, menus, the image view, the parameter windows, the file
dialogs, dropped files and the clipboard, checked through the program's
inspection message and the images it reports.

Each parameter window has its scenario in windows/<name>.py, found here by
itself: a function scenario(ctx) that starts with ctx.sample freshly loaded
(ctx.original holds its pixels) and leaves no window open, and optionally
pose(ctx), which opens the window for scripts/screenshots and returns its
class. All of them run in one start of the program.

  gui_test.py --program TEST_VARIANT --shipped P --cli C --driver D --wine-run W --prefix PREFIX --work DIR
  gui_test.py --shots DIR --driver D --wine-run W   (the program already runs)
"""

import argparse
import glob
import importlib.util
import os
import struct
import subprocess
import sys
import time
import types

import comforts
import guilib
import menu_walk
from guilib import (FAILURES, ENV, Program, driver, expect, expect_soon, image, menu, read_bmp, section,
                    state, win_path, write_bmp)

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


def shipped_program_ignores_the_query(sample):
    section("the shipped program answers no state query")
    p = Program(program=guilib.ARGS.shipped)
    for request in ("state", "drop\t" + win_path(sample)):
        try:
            driver(*request.split("\t"))
            answered = True
        except RuntimeError:
            answered = False
        expect("%s refused" % request.split("\t")[0], answered, False)
    time.sleep(0.5)
    expect("nothing loaded", driver("wait", "CWindow").strip(), "Iromaki")
    driver("command", 104)
    expect("exit code", p.wait_exit(), 0)


def view_and_windows(sample):
    section("image view, read-out and menu enabling")
    p = Program(win_path(sample))
    expect_soon("title", lambda: state()["title"], "Iromaki - " + win_path(sample))
    s = state()
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

    for name, module in window_scenarios():
        section(name)
        driver("drop", win_path(sample))
        time.sleep(0.5)
        try:
            module.scenario(types.SimpleNamespace(sample=sample, original=original))
        except RuntimeError as error:  # the next window still gets its turn
            FAILURES.append("%s stopped: %s" % (name, error))
    return p


def window_scenarios():
    """The modules of windows/, by file name."""
    here = os.path.dirname(os.path.abspath(__file__))
    for path in sorted(glob.glob(os.path.join(here, "windows", "*.py"))):
        name = os.path.splitext(os.path.basename(path))[0]
        found = importlib.util.spec_from_file_location("window_" + name, path)
        module = importlib.util.module_from_spec(found)
        found.loader.exec_module(module)
        yield name, module


def take_shots(out):
    """One screenshot per window that has a pose."""
    for name, module in window_scenarios():
        if not hasattr(module, "pose"):
            continue
        window = module.pose(None)
        time.sleep(1)
        shot = os.path.join(out, "window-%s.png" % name)
        subprocess.run(["import", "-window", "root", shot], check=True)
        print(shot)
        driver("close", window)
        driver("gone", window, check=False)


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
    parser = argparse.ArgumentParser()
    for name in ("--driver", "--wine-run"):
        parser.add_argument(name, required=True)
    for name in ("--program", "--shipped", "--cli", "--prefix", "--work", "--shots"):
        parser.add_argument(name)
    args = parser.parse_args()
    guilib.ARGS = args
    if args.shots:
        take_shots(args.shots)
        guilib.close_driver()
        return 0
    ENV["WINEPREFIX"] = args.prefix
    os.makedirs(args.work, exist_ok=True)
    guilib.CLOCK_LIBRARY = guilib.build_fixed_clock(args.work)
    sample = os.path.join(args.work, "sample.bmp")
    big = os.path.join(args.work, "big.bmp")
    write_bmp(sample, 200, 100, lambda x, y: (x * 255 // 199, y * 127 // 99 + 64, 128))
    write_bmp(big, 300, 300, lambda x, y: ((x * 7) % 256, (y * 5) % 256, (x + y) % 256))
    for stale in ("saved.bmp",):
        if os.path.exists(os.path.join(args.work, stale)):
            os.remove(os.path.join(args.work, stale))

    def scenarios():
        start_up_and_exit()
        shipped_program_ignores_the_query(sample)
        p = view_and_windows(sample)
        menu_walk.walk(args.work)
        zoom_and_scroll(p, big)
        comforts.wheel(args.work)
        comforts.keys(args.work)
        files_and_clipboard(p, sample, args.work)

    # A wine server of our own, started on this display.
    return guilib.run_and_report(scenarios)


if __name__ == "__main__":
    sys.exit(main())
