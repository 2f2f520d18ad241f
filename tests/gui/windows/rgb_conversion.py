"""The RGB conversion window (CRGBDialog, command 603), a record window: the
document applies what it returns."""

import time

from guilib import (cli_image, driver, expect, expect_soon, image,
                    preview_waits_for_its_button, screen_pixels, state)

W = "CRGBDialog"
EXECUTE, CANCEL, PREVIEW = "#0", "#1", "#2"
PANEL = (332, 4, 128, 64)  # the 200 x 100 sample reduced


def box(i):
    """Coefficient m[i]: each row is a label and four boxes with labels between."""
    return "#%d" % (3 + i // 4 * 8 + i % 4 * 2 + 1)


def scenario(ctx):
    original = ctx.original
    driver("command", 603)
    expect("title", driver("wait", W).strip(), "RGB変換")
    expect("focus on m[0]", driver("focus", W).split()[0], box(0))
    driver("key", W, "tab")
    expect_soon("tab to m[1]", lambda: driver("focus", W).split()[0], box(1))
    typed = ["0.5", "1/2", "abc", "10", "0", " 0", "1.5e0", "-20", "1", "0", "0", "0"]
    time.sleep(0.5)
    base = screen_pixels(W, *PANEL)
    for i, text in enumerate(typed):
        driver("type", W, box(i), text)
    time.sleep(0.5)
    preview_waits_for_its_button(W, PREVIEW, PANEL, base)
    driver("key", W, "enter")  # Enter does not execute here
    expect_soon("preview leaves the image", lambda: image()[2] == original, True)
    driver("click", W, EXECUTE)
    driver("gone", W)
    s = state()
    expect("after execute", (s["enabled"], s["undo"], s["modified"]), ("1", "1", "1"))
    expect("undo image is the original", image("undo")[2] == original, True)
    expect("boxes read row by row as the batch tool",
           image() == cli_image(ctx.sample, "rgb-matrix=0.5,1,0,10,0,0,1.5,-20,1,0,0,0"),
           True)
    driver("command", 201)

    for leave in (("click", W, CANCEL), ("close", W), ("key", W, "escape")):
        driver("command", 603)
        driver("type", W, box(3), "100")
        driver(*leave)
        driver("gone", W)
        s = state()
        expect("%s leaves the image" % leave[-1], image()[2] == original, True)
        expect("%s takes no undo copy" % leave[-1], s["undo"], "0")


def pose(ctx):
    driver("command", 603)
    driver("wait", W)
    for i, text in enumerate(["0", "1", "0", "0", "0", "0", "1", "0", "1", "0", "0", "0"]):
        driver("type", W, box(i), text)
    driver("click", W, PREVIEW)
    return W
