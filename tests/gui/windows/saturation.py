"""The saturation window (CContSDialog, command 504)."""

from guilib import cli_image, driver, expect, expect_soon, image, state

W = "CContSDialog"
EXECUTE, CANCEL, LABEL, TRACKBAR = "#0", "#1", "#2", "#3"


def scenario(ctx):
    original = ctx.original
    driver("command", 504)
    expect("title", driver("wait", W).strip(), "彩度調整")
    driver("trackbar", W, TRACKBAR, 50)
    expect("label", driver("text", W, LABEL).strip(), "彩度増減:18")
    driver("click", W, EXECUTE)
    driver("gone", W)
    s = state()
    expect("after execute", (s["enabled"], s["undo"], s["modified"]), ("1", "1", "1"))
    expect("undo image is the original", image("undo")[2] == original, True)
    expect("as the batch tool", image() == cli_image(ctx.sample, "saturation=18"), True)
    driver("command", 201)
    for leave in (("click", W, CANCEL), ("close", W), ("key", W, "escape")):
        driver("command", 504)
        driver("trackbar", W, TRACKBAR, 0)
        driver(*leave)
        driver("gone", W)
        expect("%s leaves the image" % leave[-1], image()[2] == original, True)
        expect_soon("%s re-enables" % leave[-1], lambda: state()["enabled"], "1")


def pose(ctx):
    driver("command", 504)
    driver("wait", W)
    driver("trackbar", W, TRACKBAR, 60)
    return W
