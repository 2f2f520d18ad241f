"""The pixel exchange window (CExPixelDialog, command 607)."""

import guilib
from guilib import cli_image, driver, expect, image

EXECUTE, CANCEL, LABEL, TRACKBAR = "#0", "#1", "#2", "#3"


def scenario(ctx):
    original = ctx.original
    for leave in (("click", "CExPixelDialog", CANCEL), ("close", "CExPixelDialog")):
        driver("command", 607)
        expect("label at start", driver("text", "CExPixelDialog", LABEL).strip(), "交換確率:10%")
        driver("trackbar", "CExPixelDialog", TRACKBAR, 100)
        expect("label follows", driver("text", "CExPixelDialog", LABEL).strip(), "交換確率:100%")
        driver(*leave)
        driver("gone", "CExPixelDialog")
        expect("%s leaves the image" % leave[0], image()[2] == original, True)
    # The generator was seeded from the clock when the program started, and
    # nothing has drawn from it since: the batch tool with that seed agrees.
    driver("command", 607)
    driver("trackbar", "CExPixelDialog", TRACKBAR, 40)
    driver("click", "CExPixelDialog", EXECUTE)
    driver("gone", "CExPixelDialog")
    expect("fixed clock", guilib.CLOCK_LIBRARY is not None, True)
    exchanged = image()
    expect("exchanged", exchanged[2] != original, True)
    expect("same as iromaki-cli --seed",
           exchanged == cli_image(ctx.sample, "exchange=40", seed=guilib.CLOCK_START), True)
    expect("undo image is the original", image("undo")[2] == original, True)


def pose(ctx):
    driver("command", 607)
    driver("wait", "CExPixelDialog")
    driver("trackbar", "CExPixelDialog", TRACKBAR, 25)
    return "CExPixelDialog"
