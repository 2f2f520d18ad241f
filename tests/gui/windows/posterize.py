"""The posterisation window (CPostDialog, command 507)."""

import time

from guilib import cli_image, driver, expect, expect_soon, image, screen_pixels, state

R, G, B, G_SPIN, EXECUTE = "1", "2", "3", "12", "6"
W = "CPostDialog"


def panel():
    return screen_pixels(W, 176, 8, 128, 64)  # the 200 x 100 sample's preview


def unchanged(what, original):
    expect(what + " leaves the image", image()[2] == original, True)
    expect(what + " re-enables", state()["enabled"], "1")


def scenario(ctx):
    original = ctx.original
    driver("command", 507)
    expect("title", driver("wait", W).strip(), "階調変更")
    expect("start values", [driver("text", W, c).strip() for c in (R, G, B)], ["4"] * 3)
    time.sleep(0.5)
    reduced = panel()
    driver("type", W, B, "300")  # out of range: the preview shows the image as it is
    expect_soon("a typed count recomputes the preview", lambda: panel() != reduced, True)
    driver("type", W, B, "4")
    expect_soon("from a fresh copy each time", lambda: panel() == reduced, True)
    driver("spin", W, G_SPIN, 5)
    expect("spin writes its box", driver("text", W, G).strip(), "5")
    expect_soon("the spin recomputes the preview", lambda: panel() != reduced, True)
    driver("key", W, "enter")  # Enter does not execute here
    for _ in range(3):
        driver("key", W, "tab")
    expect_soon("tab visits execute, cancel, then the R box",
                lambda: driver("focus", W).strip(), "#3 1")
    driver("key", W, "escape")
    driver("gone", W)
    unchanged("escape", original)
    driver("command", 507)
    driver("type", W, B, "300")
    driver("close", W)
    driver("gone", W)
    unchanged("close box", original)
    driver("command", 507)
    for control, text in ((R, "3"), (G, "7"), (B, "256")):
        driver("type", W, control, text)
    driver("click", W, EXECUTE)
    driver("gone", W)
    expect("same as iromaki-cli posterize=3,7,256", image(),
           cli_image(ctx.sample, "posterize=3,7,256"))
    expect("undo image is the original", image("undo")[2] == original, True)


def pose(ctx):
    driver("command", 507)
    driver("wait", W)
    driver("type", W, G, "3")
    return W
