"""The tone-cut window (CYCutDialog, command 508)."""

import time

from guilib import (cli_image, driver, expect, image, preview_waits_for_its_button,
                    screen_pixels)

THRESHOLD, MODE, R, G, B = "1", "3", "4", "5", "6"
PREVIEW, EXECUTE, CANCEL = "9", "10", "11"
W = "CYCutDialog"


def scenario(ctx):
    original = ctx.original
    driver("command", 508)
    expect("title", driver("wait", W).strip(), "階調切捨て")
    expect("threshold", driver("text", W, THRESHOLD).strip(), "128")
    driver("type", W, R, "256")
    driver("click", W, EXECUTE)
    expect("wrong colour", driver("msgbox", "エラー", 1).strip(), "置換色の設定に誤りがあります")
    expect("window stays open", bool(driver("wait", W)), True)
    expect("nothing changed", image()[2] == original, True)
    driver("click", W, CANCEL)
    driver("gone", W)
    driver("command", 508)
    driver("close", W)
    driver("gone", W)
    expect("close box changes nothing", image()[2] == original, True)
    driver("command", 508)
    driver("wait", W)
    time.sleep(0.5)
    base = screen_pixels(W, 212, 4, 128, 64)
    driver("type", W, THRESHOLD, "100")
    driver("type", W, MODE, "x")  # typed text leaves no selection: at or above
    for control, text in ((R, "10"), (G, "200"), (B, "")):
        driver("type", W, control, text)
    preview_waits_for_its_button(W, PREVIEW, (212, 4, 128, 64), base)
    driver("click", W, EXECUTE)
    driver("gone", W)
    expect("same as iromaki-cli tone-cut=2,100,10,200,0", image(),
           cli_image(ctx.sample, "tone-cut=2,100,10,200,0"))


def pose(ctx):
    driver("command", 508)
    driver("wait", W)
    driver("type", W, R, "255")
    driver("click", W, PREVIEW)
    return W
