"""The colour-difference enlargement window (CRGBDefDialog, command 708)."""

from guilib import cli_image, driver, expect, image

EXECUTE, CANCEL, LABEL, TRACKBAR = "1", "2", "10", "11"
W = "CRGBDefDialog"


def scenario(ctx):
    original = ctx.original
    driver("command", 708)
    expect("title", driver("wait", W).strip(), "色成分差拡大")
    driver("trackbar", W, TRACKBAR, 175)
    expect("label", driver("text", W, LABEL).strip(), "成分差:175%")
    driver("key", W, "escape")
    driver("gone", W)
    expect("escape changes nothing", image()[2] == original, True)
    driver("command", 708)
    driver("close", W)
    driver("gone", W)
    expect("close box changes nothing", image()[2] == original, True)
    driver("command", 708)
    driver("trackbar", W, TRACKBAR, 175)
    driver("click", W, EXECUTE)
    driver("gone", W)
    expect("same as iromaki-cli color-diff=0.75", image(),
           cli_image(ctx.sample, "color-diff=0.75"))
    expect("undo image is the original", image("undo")[2] == original, True)


def pose(ctx):
    driver("command", 708)
    driver("wait", W)
    driver("trackbar", W, TRACKBAR, 180)
    return W
