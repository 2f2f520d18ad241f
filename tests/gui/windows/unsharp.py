"""The unsharp-mask window (CUnsharpDialog, command 703)."""

from guilib import driver
from twin_windows import range_window


def scenario(ctx):
    range_window(ctx, "CUnsharpDialog", 703, "unsharp",
                 (("範囲:1", "強度:0.0"), ("範囲:3", "強度:-2.6")))


def pose(ctx):
    driver("command", 703)
    driver("trackbar", "CUnsharpDialog", "#3", 2)
    driver("trackbar", "CUnsharpDialog", "#5", 28)
    return "CUnsharpDialog"
