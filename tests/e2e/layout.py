"""The screen positions of display/layout.h, read from the header itself so
that the scripts and the game cannot disagree."""

import os
import re
from types import SimpleNamespace

HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../display/layout.h")


def _read(path):
    values = {}
    with open(path, encoding="utf-8") as f:
        for m in re.finditer(r"constexpr (int|Pos) (k\w+)\s*(?:=\s*(-?\d+)|\{(-?\d+),\s*(-?\d+)\})",
                             f.read()):
            kind, name, number, x, y = m.groups()
            values[name] = int(number) if kind == "int" else (int(x), int(y))
    return SimpleNamespace(**values)


L = _read(HEADER)


def slot_box_column(slot):
    return L.kSlotBoxColumn + L.kSlotStep * slot


def slot_face_column(slot):
    return slot_box_column(slot) + L.kFaceInset


def menu_entry_row(entry):
    return L.kMenuFirstEntryRow + L.kMenuEntryStep * (entry - 1)
