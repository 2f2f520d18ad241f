"""The blur window (CFogDialog, command 704)."""

from guilib import driver
from twin_windows import range_window


def scenario(ctx):
    range_window(ctx, "CFogDialog", 704, "blur",
                 (("平均化範囲:1", "中心画素濃度:1.0"), ("平均化範囲:3", "中心画素濃度:-2.6")))


def pose(ctx):
    driver("command", 704)
    driver("trackbar", "CFogDialog", "#3", 2)
    driver("trackbar", "CFogDialog", "#5", 30)
    return "CFogDialog"
