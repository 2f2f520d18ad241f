"""The gamma correction window (CGammaDialog, command 505)."""

from guilib import driver, expect, image, menu, state

# Controls: "#n" counts the window's children in creation order (execute,
# cancel, then its table), a plain number is the identifier.
EXECUTE, CANCEL, LABEL, TRACKBAR = "#0", "#1", "#2", "#3"


def scenario(ctx):
    original = ctx.original
    driver("command", 505)
    expect("title", driver("wait", "CGammaDialog").strip(), "ガンマ補正")
    expect("main disabled", state()["enabled"], "0")
    driver("trackbar", "CGammaDialog", TRACKBAR, 75)
    expect("label", driver("text", "CGammaDialog", LABEL).strip(), "ガンマ補正:1.50")
    driver("click", "CGammaDialog", EXECUTE)
    driver("gone", "CGammaDialog")
    s = state()
    expect("after execute", (s["enabled"], s["undo"], s["modified"]), ("1", "1", "1"))
    _, _, corrected = image()
    expect("undo image is the original", image("undo")[2] == original, True)
    expect("gamma 1.5 maps 0, 64, 128 to 0, 101, 161", corrected[0][0], (0, 101, 161))
    expect("image brightened", corrected != original, True)
    driver("popup", 1)
    expect("undo enabled", menu()[201][0], "enabled")
    driver("command", 201)
    expect("undo restores", image()[2] == original, True)
    for leave in (("click", "CGammaDialog", CANCEL), ("close", "CGammaDialog")):
        driver("command", 505)
        driver("trackbar", "CGammaDialog", TRACKBAR, 10)
        driver(*leave)
        driver("gone", "CGammaDialog")
        expect("%s leaves the image" % leave[0], image()[2] == original, True)
        expect("%s re-enables" % leave[0], state()["enabled"], "1")


def pose(ctx):
    """Opens the window in a state worth a screenshot; returns its class."""
    driver("command", 505)
    driver("wait", "CGammaDialog")
    driver("trackbar", "CGammaDialog", TRACKBAR, 70)
    return "CGammaDialog"
