"""The antialiasing window (CAaliaDialog, command 707)."""

from guilib import driver
from twin_windows import threshold_window


def scenario(ctx):
    threshold_window(ctx, "CAaliaDialog", 707, "antialias", "128")


def pose(ctx):
    driver("command", 707)
    driver("wait", "CAaliaDialog")
    return "CAaliaDialog"
