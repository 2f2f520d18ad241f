"""Scenarios shared by the windows that come in pairs: blur and unsharp mask
(two labelled trackbars each), outline and antialiasing (one threshold)."""

from guilib import cli_image, driver, expect, image, state

EXECUTE, CANCEL = "#0", "#1"


def leaves_unchanged(cls, command, original, leaves):
    for leave in leaves:
        driver("command", command)
        driver("wait", cls)
        leave()
        driver("gone", cls)
        s = state()
        expect("%s: leaving leaves the image" % cls,
               (image()[2] == original, s["undo"], s["enabled"]), (True, "0", "1"))


def range_window(ctx, cls, command, step, labels):
    """labels: the range label's and the value label's texts at the start and
    after the moves below."""
    (range0, value0), (range3, value_moved) = labels
    RANGE_LABEL, RANGE, VALUE_LABEL, VALUE = "#2", "#3", "#4", "#5"
    driver("command", command)
    driver("wait", cls)
    text = lambda label: driver("text", cls, label).strip()
    expect("%s labels at the start" % cls, (text(RANGE_LABEL), text(VALUE_LABEL)),
           (range0, value0))
    # The trackbars share one identifier, the labels another: each still moves its own.
    driver("trackbar", cls, RANGE, 3)
    expect("%s range moved" % cls, (text(RANGE_LABEL), text(VALUE_LABEL)), (range3, value0))
    driver("trackbar", cls, VALUE, 7)
    expect("%s value moved" % cls, (text(RANGE_LABEL), text(VALUE_LABEL)),
           (range3, value_moved))
    driver("click", cls, EXECUTE)
    driver("gone", cls)
    result = image()
    value = repr((7 - 20) * 0.2)  # the very double the window computes
    expect("%s same as the batch tool" % cls,
           result == cli_image(ctx.sample, "%s=3,%s" % (step, value)), True)
    expect("%s changed the image" % cls, result[2] != ctx.original, True)
    expect("%s undo image" % cls, image("undo")[2] == ctx.original, True)
    driver("command", 201)
    leaves_unchanged(cls, command, ctx.original,
                     (lambda: (driver("trackbar", cls, VALUE, 40),
                               driver("click", cls, CANCEL)),
                      lambda: (driver("trackbar", cls, RANGE, 6),
                               driver("close", cls))))


def threshold_window(ctx, cls, command, step, start):
    THRESHOLD, UPDOWN = "#3", "#4"
    driver("command", command)
    driver("wait", cls)
    expect("%s start" % cls, driver("text", cls, THRESHOLD).strip(), start)
    driver("spin", cls, UPDOWN, 1)
    driver("click", cls, EXECUTE)
    driver("gone", cls)
    result = image()
    expect("%s same as the batch tool" % cls, result == cli_image(ctx.sample, step + "=1"), True)
    expect("%s changed the image" % cls, result[2] != ctx.original, True)
    driver("command", 201)

    def refused():
        driver("type", cls, THRESHOLD, "0")
        driver("click", cls, EXECUTE)
        expect("%s refusal" % cls, driver("msgbox", "エラー", 1).strip(), "境界値が無効です。")
    leaves_unchanged(cls, command, ctx.original,
                     (refused,
                      lambda: driver("click", cls, CANCEL),
                      lambda: driver("close", cls),
                      lambda: driver("key", cls, "escape")))
