#!/usr/bin/env python3
"""The release zip unpacked into a folder with a Japanese name and a space, run
under Wine: the program opens a JPEG whose name holds characters whose second
byte in code page 932 is a backslash (表, ソ), saves it as BMP through the save
dialog under such a name, opens that again; the batch tool reads and writes the
same files; the Help menu's page is found beside the program.

  japanese_paths.py --zip ZIP --test-program IROMAKI_TEST --driver D --wine-run W
                    --prefix PREFIX --work DIR   (under xvfb-run)
"""

import argparse
import os
import shutil
import subprocess
import sys
import time
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "gui"))
import guilib  # noqa: E402
from guilib import (FAILURES, ENV, Program, driver, expect, expect_soon, read_bmp, section,  # noqa: E402
                    state, win_path, write_bmp)


def cli(folder, *args):
    return subprocess.run([guilib.ARGS.wine_run, os.path.join(folder, "iromaki-cli.exe"), *args],
                          env=ENV, stdout=subprocess.PIPE, stderr=subprocess.PIPE).returncode


def pixels(path):
    with open(path, "rb") as f:
        return read_bmp(f.read())


def run(args):
    work = os.path.abspath(args.work)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    root = os.path.join(work, "画像 ツール")
    with zipfile.ZipFile(args.zip) as archive:
        archive.extractall(root)
    [top] = os.listdir(root)
    folder = os.path.join(root, top)

    section("the batch tool makes the JPEG")
    source = os.path.join(folder, "元 画像.bmp")
    write_bmp(source, 64, 48, lambda x, y: (x * 4, y * 5, (x + y) * 2))
    photo = os.path.join(folder, "表ソ 写真.jpg")
    expect("JPEG written", cli(folder, win_path(source), win_path(photo)), 0)
    reference = os.path.join(folder, "参照.bmp")
    expect("JPEG read back", cli(folder, win_path(photo), win_path(reference)), 0)

    section("the program opens, saves and reopens")
    p = Program(win_path(photo), program=os.path.join(folder, "iromaki.exe"))
    # The window shows before the file given on the command line is loaded.
    expect_soon("opened", lambda: driver("wait", "CWindow").strip(),
                "Iromaki - " + win_path(photo))
    saved = os.path.join(folder, "ソ表 保存")
    driver("command", 102)
    driver("filedialog", "保存", win_path(saved))
    expect_soon("saved", lambda: os.path.exists(saved + ".bmp"), True)
    expect_soon("title after saving", lambda: driver("wait", "CWindow").strip(),
                "Iromaki - " + win_path(saved) + ".bmp")
    if os.path.exists(saved + ".bmp"):
        expect("saved pixels", pixels(saved + ".bmp"), pixels(reference))
    driver("command", 101)
    driver("filedialog", "開く", win_path(photo))
    expect_soon("reopened", lambda: driver("wait", "CWindow").strip(),
                "Iromaki - " + win_path(photo))
    driver("command", 101)
    driver("filedialog", "開く", win_path(saved) + ".bmp")
    expect_soon("saved file reopened", lambda: driver("wait", "CWindow").strip(),
                "Iromaki - " + win_path(saved) + ".bmp")
    driver("command", 104)
    expect("exit code", p.wait_exit(), 0)

    section("the batch tool on the same files")
    again = os.path.join(folder, "ソ表 再.bmp")
    expect("one file", cli(folder, win_path(saved + ".bmp"), win_path(again)), 0)
    if os.path.exists(again):
        expect("same pixels", pixels(again), pixels(reference))
    out = os.path.join(root, "出力 表")
    expect("batch", cli(folder, "--out", win_path(out), "--ext", "bmp", "--",
                        win_path(photo), win_path(saved + ".bmp")), 0)
    expect("batch outputs", sorted(os.listdir(out)) if os.path.isdir(out) else [],
           sorted(["表ソ 写真.bmp", "ソ表 保存.bmp"]))

    section("the page beside the program")
    shutil.copy(args.test_program, folder)
    p = Program(program=os.path.join(folder, os.path.basename(args.test_program)))
    expect("page", state()["authorpage"], win_path(os.path.join(folder, "iromaki.html")))
    driver("command", 104)
    p.wait_exit()


def main():
    parser = argparse.ArgumentParser()
    for name in ("--zip", "--test-program", "--driver", "--wine-run", "--prefix", "--work"):
        parser.add_argument(name, required=True)
    args = parser.parse_args()
    guilib.ARGS = args
    ENV["WINEPREFIX"] = args.prefix
    return guilib.run_and_report(lambda: run(args))


if __name__ == "__main__":
    sys.exit(main())
