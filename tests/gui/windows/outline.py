"""The outline window (COutlineDialog, command 706)."""

from guilib import driver
from twin_windows import threshold_window


def scenario(ctx):
    threshold_window(ctx, "COutlineDialog", 706, "outline", "64")


def pose(ctx):
    driver("command", 706)
    driver("wait", "COutlineDialog")
    return "COutlineDialog"
