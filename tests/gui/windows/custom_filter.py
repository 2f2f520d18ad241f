"""The custom 3x3 filter window (CDialog, command 702), a record window."""

from guilib import cli_image, driver, expect, expect_soon, image, state

EXECUTE, CANCEL = "#0", "#1"
BOXES = ["#%d" % n for n in range(2, 11)]  # row by row from the top left
DIVISOR, ADDEND = "#12", "#14"
# Top row +, bottom row -: a mapping turned upside down changes the sign.
KERNEL = ("1", "2", "1", "0", "0", "0", "-1", "-2", "-1")


def open_with(kernel, divisor, addend):
    driver("command", 702)
    driver("wait", "CDialog")
    for box, text in zip(BOXES, kernel):
        driver("type", "CDialog", box, text)
    driver("type", "CDialog", DIVISOR, divisor)
    driver("type", "CDialog", ADDEND, addend)


def scenario(ctx):
    original = ctx.original
    driver("command", 702)
    expect("title", driver("wait", "CDialog").strip(), "3X3フィルタ")
    expect("execute caption", driver("text", "CDialog", EXECUTE).strip(), "実行(&G)")
    expect_soon("focus in the top-left box", lambda: driver("focus", "CDialog").split(),
                ["#2", "0"])
    driver("key", "CDialog", "tab")
    expect_soon("tab to the next box", lambda: driver("focus", "CDialog").split(), ["#3", "1"])
    driver("close", "CDialog")
    driver("gone", "CDialog")

    open_with(KERNEL, "4", "128")
    driver("click", "CDialog", EXECUTE)
    driver("gone", "CDialog")
    filtered = image()
    expect("same as the batch tool",
           filtered == cli_image(ctx.sample, "filter3x3=%s,128,4" % ",".join(KERNEL)), True)
    expect("image changed", filtered[2] != original, True)
    expect("undo image is the original", image("undo")[2] == original, True)
    driver("command", 201)

    # An empty divisor, the cancel button, the close box and Escape change nothing.
    for divisor, leave in (("", ("click", "CDialog", EXECUTE)),
                           ("4", ("click", "CDialog", CANCEL)),
                           ("4", ("close", "CDialog")),
                           ("4", ("key", "CDialog", "escape"))):
        open_with(KERNEL, divisor, "128")
        driver(*leave)
        driver("gone", "CDialog")
        s = state()
        expect("%s %s leaves the image" % (leave[0], leave[-1]),
               (image()[2] == original, s["undo"], s["enabled"]), (True, "0", "1"))


def pose(ctx):
    open_with(KERNEL, "4", "128")
    return "CDialog"
