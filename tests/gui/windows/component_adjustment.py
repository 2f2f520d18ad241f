"""The component adjustment window (CConvDialog, command 502)."""

import time

from guilib import cli_image, driver, expect, expect_soon, image, screen_pixels, state

W = "CConvDialog"
# Buttons first, then the table: the model's combo box, then label and
# trackbar for each of the three offsets.
EXECUTE, CANCEL, MODEL = "#0", "#1", "#2"
LABELS, TRACKBARS = ("#3", "#5", "#7"), ("#4", "#6", "#8")
PANEL = (232, 8, 128, 64)  # the 200 x 100 sample reduced


def labels():
    return " ".join(driver("text", W, label).strip() for label in LABELS)


def scenario(ctx):
    original = ctx.original
    driver("command", 502)
    expect("title", driver("wait", W).strip(), "成分調整")
    for bar, position in zip(TRACKBARS, (74, 59, 64)):
        driver("trackbar", W, bar, position)
    expect("RGB labels", labels(), "R:10 G:-5 B:0")
    time.sleep(0.5)
    in_rgb = screen_pixels(W, *PANEL)
    driver("select", W, MODEL, 1)  # relabels only
    expect("YCrCb labels", labels(), "Y:10 Cr:-5 Cb:0")
    time.sleep(0.5)
    expect("the preview keeps its model", screen_pixels(W, *PANEL) == in_rgb, True)
    driver("trackbar", W, TRACKBARS[2], 66)
    expect_soon("a trackbar recomputes the preview",
                lambda: screen_pixels(W, *PANEL) != in_rgb, True)
    driver("click", W, EXECUTE)
    driver("gone", W)
    s = state()
    expect("after execute", (s["enabled"], s["undo"], s["modified"]), ("1", "1", "1"))
    expect("undo image is the original", image("undo")[2] == original, True)
    expect("as the batch tool in YCrCb",
           image() == cli_image(ctx.sample, "adjust-ycc=10,-5,2"), True)
    driver("command", 201)

    # Typed text in the model's field means YCrCb: even zero offsets rebuild
    # the pixels through it.
    driver("command", 502)
    driver("type", W, MODEL, "R")
    driver("click", W, EXECUTE)
    driver("gone", W)
    adjusted = image()
    expect("typed model as the batch tool",
           adjusted == cli_image(ctx.sample, "adjust-ycc=0,0,0"), True)
    expect("zero offsets in YCrCb still change pixels", adjusted[2] != original, True)
    driver("command", 201)

    driver("command", 502)
    driver("trackbar", W, TRACKBARS[0], 128)
    driver("click", W, EXECUTE)
    driver("gone", W)
    expect("as the batch tool in RGB",
           image() == cli_image(ctx.sample, "adjust-rgb=64,0,0"), True)
    driver("command", 201)

    for leave in (("click", W, CANCEL), ("close", W), ("key", W, "escape")):
        driver("command", 502)
        driver("trackbar", W, TRACKBARS[1], 0)
        driver(*leave)
        driver("gone", W)
        expect("%s leaves the image" % leave[-1], image()[2] == original, True)
        expect_soon("%s re-enables" % leave[-1], lambda: state()["enabled"], "1")


def pose(ctx):
    driver("command", 502)
    driver("wait", W)
    driver("select", W, MODEL, 1)
    for bar, position in zip(TRACKBARS, (84, 40, 70)):
        driver("trackbar", W, bar, position)
    return W
