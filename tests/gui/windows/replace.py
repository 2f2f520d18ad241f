"""The single-colour replacement window (CReplaceDialog, command 608)."""

import time

from guilib import (cli_image, driver, expect, image, preview_waits_for_its_button,
                    screen_pixels)

OLD, NEW = ("3", "4", "5"), ("6", "7", "8")
PREVIEW, EXECUTE, CANCEL = "0", "1", "2"
W = "CReplaceDialog"


def type_colours(old, new):
    for control, value in zip(OLD + NEW, old + new):
        driver("type", W, control, value)


def scenario(ctx):
    original = ctx.original
    r, g, b = original[0][0]
    driver("command", 608)
    expect("title", driver("wait", W).strip(), "単色置換")
    driver("click", W, PREVIEW)
    expect("all empty: the colour to replace",
           driver("msgbox", "エラー", 1).strip(), "元の色の設定に誤りがあります")
    type_colours((str(r), str(g), str(b)), ("1", "2", ""))
    driver("click", W, EXECUTE)
    expect("empty new channel", driver("msgbox", "エラー", 1).strip(),
           "置換色の設定に誤りがあります")
    expect("nothing changed", image()[2] == original, True)
    driver("key", W, "escape")
    driver("gone", W)
    driver("command", 608)
    driver("close", W)
    driver("gone", W)
    expect("close box changes nothing", image()[2] == original, True)
    driver("command", 608)
    driver("wait", W)
    time.sleep(0.5)
    base = screen_pixels(W, 212, 4, 128, 64)  # the full image stretched
    type_colours((str(r), str(g), str(b)), ("1", "2", "3"))
    preview_waits_for_its_button(W, PREVIEW, (212, 4, 128, 64), base)
    driver("click", W, EXECUTE)
    driver("gone", W)
    step = "replace=%d,%d,%d,1,2,3" % (r, g, b)
    expect("same as iromaki-cli " + step, image(), cli_image(ctx.sample, step))


def pose(ctx):
    driver("command", 608)
    driver("wait", W)
    type_colours(("0", "0", "0"), ("255", "0", "0"))
    driver("click", W, PREVIEW)
    return W
