"""The brightness-contrast window (CContDialog, command 503)."""

from guilib import driver, expect, image

IN_LOW, IN_HIGH, OUT_LOW, OUT_HIGH, READOUT = "10", "11", "12", "13", "24"
PREVIEW, EXECUTE = "4", "5"


def scenario(ctx):
    original = ctx.original
    driver("command", 503)
    driver("wait", "CContDialog")
    lums = [int(g * 0.587 + r * 0.299 + b * 0.114) for row in original for (r, g, b) in row]
    expect("input range", (driver("text", "CContDialog", IN_LOW).strip(),
                           driver("text", "CContDialog", IN_HIGH).strip()),
           (str(min(lums)), str(max(lums))))
    driver("mouse", "CContDialog", 13 + 30, 100)
    expect("graph read-out",
           driver("text", "CContDialog", READOUT).strip().startswith("明度:30-"), True)
    driver("key", "CContDialog", "enter")  # Enter does not execute here
    driver("click", "CContDialog", EXECUTE)  # output range still empty: closes unchanged
    driver("gone", "CContDialog")
    expect("empty output range changes nothing", image()[2] == original, True)
    driver("command", 503)
    for control, text in ((IN_LOW, "50"), (IN_HIGH, "200"), (OUT_LOW, "0"), (OUT_HIGH, "255")):
        driver("type", "CContDialog", control, text)
    driver("click", "CContDialog", PREVIEW)
    driver("key", "CContDialog", "escape")  # Escape cancels
    driver("gone", "CContDialog")
    expect("escape changes nothing", image()[2] == original, True)
    driver("command", 503)
    for control, text in ((IN_LOW, "50"), (IN_HIGH, "200"), (OUT_LOW, "0"), (OUT_HIGH, "255")):
        driver("type", "CContDialog", control, text)
    driver("click", "CContDialog", PREVIEW)
    driver("click", "CContDialog", EXECUTE)
    driver("gone", "CContDialog")
    expect("contrast stretched", image()[2] != original, True)


def pose(ctx):
    driver("command", 503)
    driver("wait", "CContDialog")
    driver("type", "CContDialog", OUT_LOW, 0)
    driver("type", "CContDialog", OUT_HIGH, 255)
    driver("click", "CContDialog", PREVIEW)
    driver("mouse", "CContDialog", 120, 120)
    return "CContDialog"
