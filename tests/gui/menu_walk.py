"""Every command of the menu bar does something a user can see: it changes
the image (and undo brings it back), opens its window or dialog (which cancel
closes again), moves a check mark, or writes the clipboard or the file."""

import os
import random

from guilib import (driver, expect, expect_soon, image, menu, section, state, win_path, windows,
                    write_bmp)

SKIPPED = {
    104: "ends the program; the start-up test exits through it",
    802: "opens the author's page in a browser outside the program",
}
FILE_DIALOGS = {101: "開く", 102: "保存"}
MESSAGES = {401: "画像サイズ", 402: "画像内色数", 801: "バージョン情報"}
RADIO_GROUPS = (range(301, 307), range(307, 313))


def changes_image(command, before, what):
    driver("command", command)
    expect_soon("%s changes the image" % what, lambda: image() != before, True)
    expect("%s allows undo" % what, state()["undo"], "1")
    driver("command", 201)
    expect_soon("undo after %s restores" % what, lambda: image() == before, True)


def opens_window(command, name, before, what):
    driver("command", command)
    driver("wait", name)
    driver("click", name, "#1")  # the cancel button, created second in every window
    driver("gone", name)
    expect("%s cancelled leaves the image" % what, image(), before)


def walk(work):
    section("every command of the menu bar")
    path = os.path.join(work, "walk.bmp")
    noise = random.Random(1)
    colours = [tuple(noise.randrange(256) for _ in range(3)) for _ in range(40 * 30)]
    write_bmp(path, 40, 30, lambda x, y: colours[x + 40 * y])
    driver("drop", win_path(path))
    expect_soon("walk image loaded", lambda: state()["image"], "40,30")
    before = image()
    catalogue = windows()
    commands = []  # in the order of the bar
    for line in driver("menu").splitlines():
        _, command, _, _, text = line.split("\t")
        if 100 < int(command) < 1000:
            commands.append((int(command), text))
    for command, text in commands:
        what = "%d %s" % (command, text)
        if command in SKIPPED:
            continue
        if command in catalogue:
            name, built = catalogue[command]
            expect("%s has its window" % what, built, True)  # else it would do nothing
            if built:
                opens_window(command, name, before, what)
        elif command in FILE_DIALOGS:
            driver("command", command)
            driver("msgbox", FILE_DIALOGS[command], 2)
            driver("gone", "#32770")
        elif command in MESSAGES:
            driver("command", command)
            expect("%s says something" % what, driver("msgbox", MESSAGES[command], 1).strip() != "",
                   True)
            driver("gone", "#32770")
        elif command == 103:  # enabled once the image is changed; saving clears that
            driver("command", 602)
            expect_soon("changed", lambda: state()["modified"], "1")
            driver("popup", 0)
            expect("overwrite-save enabled", menu()[103][0], "enabled")
            driver("command", 103)
            expect_soon("overwrite-save saved", lambda: state()["modified"], "0")
            driver("command", 201)
        elif command == 201:
            continue  # undo: after every command that changes the image
        elif command == 202:
            driver("command", 202)
            expect_soon("copy fills the clipboard", lambda: driver("cfdib", check=False) != "",
                        True)
        elif command == 203:  # after the copy above
            driver("popup", 1)
            expect("paste enabled", menu()[203][0], "enabled")
            driver("command", 203)
            expect_soon("paste replaces the document's file", lambda: state()["file"], "")
            expect("pasted image", image(), before)
        elif any(command in group for group in RADIO_GROUPS):
            driver("command", command)
            expect_soon("%s checked" % what, lambda: menu()[command][1], "checked")
        else:
            changes_image(command, before, what)
    for command in (303, 308):  # back to the start-up settings
        driver("command", command)
    expect_soon("start-up settings again", lambda: (state()["scale"], state()["quality"]),
                ("1", "90"))
