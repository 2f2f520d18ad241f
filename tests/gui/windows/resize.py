"""The resize window (CResizeDialog, command 501): execute is id 2 here."""

from guilib import cli_image, driver, expect, expect_soon, image, state

EXECUTE, CANCEL, WIDTH, HEIGHT, API = "#0", "#1", "#3", "#5", "#7"
BITMAP_FAILED = "ビットマップ作成に失敗しました。API使用チェックをはずして再度実行してください。"


def boxes():
    return (driver("text", "CResizeDialog", WIDTH).strip(),
            driver("text", "CResizeDialog", HEIGHT).strip())


def open_window():
    driver("command", 501)
    driver("wait", "CResizeDialog")


def scenario(ctx):
    original = ctx.original
    undo = image("undo")
    open_window()
    expect("opening changes neither box", boxes(), ("200", "100"))
    expect_soon("focus in the width box", lambda: driver("focus", "CResizeDialog").split()[1:],
                ["0"])
    driver("key", "CResizeDialog", "escape")  # a cancel, never the execute with id 2
    driver("gone", "CResizeDialog")
    for leave in (("click", "CResizeDialog", CANCEL), ("close", "CResizeDialog")):
        open_window()
        driver("type", "CResizeDialog", WIDTH, "75")
        driver(*leave)
        driver("gone", "CResizeDialog")
    expect("cancel, close and escape leave both images",
           (image(), image("undo")) == ((200, 100, original), undo), True)

    open_window()
    driver("type", "CResizeDialog", WIDTH, "75")
    expect("aspect kept from the focused width", boxes(), ("75", "38"))
    driver("key", "CResizeDialog", "tab")
    expect_soon("tab to the height", lambda: driver("focus", "CResizeDialog").split()[1:], ["1"])
    driver("type", "CResizeDialog", HEIGHT, "30000")
    expect("aspect kept from the focused height", boxes(), ("60000", "30000"))
    # No display bitmap that large: reported, unticked, still open.
    driver("click", "CResizeDialog", API)
    driver("click", "CResizeDialog", EXECUTE)
    expect("message", driver("msgbox", "エラー", 1).strip(), BITMAP_FAILED)
    expect("nothing changed", image()[0:2], (200, 100))
    driver("type", "CResizeDialog", HEIGHT, "0")
    driver("click", "CResizeDialog", EXECUTE)
    driver("msgbox", "エラー", 1)
    # The window took the focus back from the message and gave it to the width.
    driver("type", "CResizeDialog", WIDTH, "57")
    driver("type", "CResizeDialog", HEIGHT, "31")
    expect("boxes", boxes(), ("57", "31"))
    driver("click", "CResizeDialog", EXECUTE)  # resamples: "API使用" was unticked
    driver("gone", "CResizeDialog")
    expect("same as iromaki-cli resample",
           image() == cli_image(ctx.sample, "resample=57,31"), True)
    expect("undo image is the original", image("undo")[2] == original, True)

    driver("command", 201)
    open_window()
    driver("type", "CResizeDialog", WIDTH, "90")
    driver("type", "CResizeDialog", HEIGHT, "70")
    driver("click", "CResizeDialog", API)
    paints = int(state()["paints"])
    driver("click", "CResizeDialog", EXECUTE)
    driver("gone", "CResizeDialog")
    s = state()
    expect("stretched through the display", (s["image"], s["undo"], s["reserved"]),
           ("90,70", "1", "0"))
    expect("the view painted once, after the change", int(s["paints"]) - paints, 1)
    paints = int(s["paints"])
    driver("command", 606)  # without a window
    s = state()
    expect("exchanged and painted once", (s["image"], int(s["paints"]) - paints), ("70,90", 1))


def pose(ctx):
    open_window()
    driver("type", "CResizeDialog", WIDTH, "150")
    return "CResizeDialog"
