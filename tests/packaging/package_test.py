#!/usr/bin/env python3
"""Makes the release zip (the package target) and checks what it holds: the
three binaries with their version resources, the readme in code page 932, the
page about the program and every licence text.

  package_test.py --build BUILD_DIR --source SOURCE_DIR
"""

import argparse
import os
import re
import subprocess
import sys
import zipfile


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--source", required=True)
    args = parser.parse_args()
    subprocess.run(["cmake", "--build", args.build, "--target", "package"], check=True,
                   stdout=subprocess.DEVNULL)
    with open(os.path.join(args.source, "core", "Version.h")) as f:
        header = f.read()
    version = re.search(r"#define IROMAKI_VERSION (\d+)", header).group(1)
    copyright_line = re.search(r'#define IROMAKI_COPYRIGHT "(.*)"', header).group(1)

    top = "iromaki-%s-win64/" % version
    archive = zipfile.ZipFile(os.path.join(args.build, top[:-1] + ".zip"))
    files = {i.filename[len(top):]: i for i in archive.infolist() if not i.is_dir()}
    failures = []

    def check(what, ok):
        if not ok:
            failures.append(what)
            print("FAIL", what)

    check("the entries", sorted(files) == sorted([
        "iromaki.exe", "imgcodec.dll", "iromaki-cli.exe", "iromaki.html", "はじめに.txt",
        "LICENSE.txt", "licenses/libjpeg-turbo-LICENSE.md",
        "licenses/libjpeg-turbo-README.ijg.txt", "licenses/libjpeg-turbo-simd-zlib.txt"]))
    check("everything under one folder", all(i.filename.startswith(top)
                                             for i in archive.infolist()))
    read = lambda name: archive.read(top + name) if name in files else b""

    for name in ("iromaki.exe", "iromaki-cli.exe", "imgcodec.dll"):
        data = read(name)
        for key, value in (("ProductName", "Iromaki"), ("ProductVersion", version),
                           ("LegalCopyright", copyright_line)):
            # A version resource string: key, zero, padding to 32 bits, value.
            pattern = re.escape(key.encode("utf-16-le")) + b"(\x00\x00)+" + \
                re.escape(value.encode("utf-16-le")) + b"\x00\x00"
            check("%s: %s %s" % (name, key, value), re.search(pattern, data) is not None)

    readme = read("はじめに.txt")
    try:
        text = readme.decode("cp932")
    except UnicodeDecodeError:
        text = ""
    check("readme in code page 932", "Iromaki %s" % version in text and "画像" in text)
    check("readme with CRLF line ends", b"\r\n" in readme and b"\n" not in readme.replace(b"\r\n", b""))
    check("the page", b"Iromaki " + version.encode() in read("iromaki.html"))
    check("the project's licence", b"Permission is hereby granted" in read("LICENSE.txt"))
    check("IJG licence", b"Independent JPEG Group's free JPEG" in
          read("licenses/libjpeg-turbo-README.ijg.txt"))
    check("BSD-style licence", b"Redistribution and use in source and binary forms" in
          read("licenses/libjpeg-turbo-LICENSE.md"))
    check("zlib licence", b"This software is provided 'as-is'" in
          read("licenses/libjpeg-turbo-simd-zlib.txt"))
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
