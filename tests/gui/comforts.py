"""The mouse wheel and the standard keys (Ctrl+O, S, Z, C, V) of the main window."""

import os
import time

from guilib import (driver, expect, expect_soon, image, pixels_from_dib, read_bmp, section,
                    state, win_path, write_bmp)


def offsets():
    s = state()
    return int(s["hscroll"].split(",")[2]), int(s["vscroll"].split(",")[2])


def wheel(work):
    section("mouse wheel")
    picture = os.path.join(work, "wheel.bmp")
    write_bmp(picture, 300, 300, lambda x, y: (x % 256, y % 256, 90))
    driver("drop", win_path(picture))
    time.sleep(0.5)
    driver("command", 306)  # 4x: both bars can move
    lines = int(driver("wheel", "v", -120))
    expect("one notch down", offsets(), (0, lines))
    driver("wheel", "v", -60)  # half notches add up to whole ones
    expect("half a notch", offsets(), (0, lines + lines // 2))
    driver("wheel", "v", -60)
    expect("two halves", offsets(), (0, 2 * lines))
    driver("wheel", "v+shift", -120)
    expect("shift turns sideways", offsets(), (lines, 2 * lines))
    chars = int(driver("wheel", "h", 120))
    expect("tilt right", offsets(), (lines + chars, 2 * lines))
    driver("wheel", "v", 1200)
    driver("wheel", "v+shift", 1200)
    expect("back to the top-left corner", offsets(), (0, 0))
    driver("command", 303)


def keys(work):
    section("standard keys")
    picture = os.path.join(work, "keys.bmp")
    write_bmp(picture, 40, 30, lambda x, y: (x * 6, y * 8, 200))
    driver("drop", win_path(picture))
    time.sleep(0.5)
    original = image()
    written = os.stat(picture).st_mtime_ns
    driver("ctrl", "S")  # greyed while unchanged
    driver("ctrl", "Z")  # greyed without undo
    time.sleep(1)
    expect("greyed keys do nothing", (image(), os.stat(picture).st_mtime_ns), (original, written))
    driver("command", 602)
    inverted = image()
    driver("ctrl", "S")
    expect_soon("Ctrl+S saves", lambda: state()["modified"], "0")
    with open(picture, "rb") as f:
        expect("saved pixels", read_bmp(f.read())[2], inverted[2])
    driver("ctrl", "Z")
    expect_soon("Ctrl+Z undoes", image, original)
    driver("ctrl", "C")
    time.sleep(0.5)
    expect("Ctrl+C copies", pixels_from_dib(bytes.fromhex(driver("cfdib").strip())), original)
    driver("command", 602)
    driver("ctrl", "V")
    expect_soon("Ctrl+V pastes", image, original)
    driver("ctrl", "O")
    driver("filedialog", "開く", win_path(picture))
    expect_soon("Ctrl+O opens", lambda: state()["file"], win_path(picture))
    expect("opened the saved file", image(), inverted)
