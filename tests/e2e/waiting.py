"""Waiting for what another process brings about: a screen, a process, a
byte."""

import time


def until(condition, seconds, step=0.01):
    """The first true value of `condition()` within `seconds`, asked every
    `step` seconds; its last, false one when the time runs out."""
    end = time.monotonic() + seconds
    while not (value := condition()) and time.monotonic() < end:
        time.sleep(step)
    return value
