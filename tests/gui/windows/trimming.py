"""The trimming window (CTrimDialog, command 204) and its frame in the view."""

from guilib import driver, expect, expect_soon, image, state

X, Y, WIDTH, HEIGHT, EXECUTE = "0", "1", "2", "3", "4"


def type_rectangle():
    for control, text in ((X, "10"), (Y, "20"), (WIDTH, "50"), (HEIGHT, "30")):
        driver("type", "CTrimDialog", control, text)


def scenario(ctx):
    original = ctx.original
    driver("command", 204)
    driver("wait", "CTrimDialog")
    expect_soon("focus in the x box", lambda: driver("focus", "CTrimDialog").split()[1:], ["0"])
    driver("key", "CTrimDialog", "tab")
    expect_soon("tab moves to the y box", lambda: driver("focus", "CTrimDialog").split()[1:],
                ["1"])
    type_rectangle()
    expect("frame", state()["frame"], "10,60,79,49")
    driver("close", "CTrimDialog")
    driver("gone", "CTrimDialog")
    expect("frame hidden after close", state()["frame"].split(",")[0], "-1")
    expect("close trims nothing", image()[0:2], (200, 100))
    driver("command", 204)
    type_rectangle()
    driver("click", "CTrimDialog", EXECUTE)
    driver("gone", "CTrimDialog")
    w, h, trimmed = image()
    expect("trimmed size", (w, h), (50, 30))
    expect("trimmed corner", trimmed[0][0], original[20][10])
    expect("frame hidden after execute", state()["frame"].split(",")[0], "-1")


def pose(ctx):
    driver("command", 204)
    driver("wait", "CTrimDialog")
    for control, text in ((X, "20"), (Y, "30"), (WIDTH, "120"), (HEIGHT, "80")):
        driver("type", "CTrimDialog", control, text)
    return "CTrimDialog"
