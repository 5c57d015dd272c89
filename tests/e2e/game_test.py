"""A whole game of the real binary in tmux at 80x25, played by a simple rule:
lay the first card that matches, else take one."""

import os
import sys
import time
import unittest

from layout import L, slot_box_column, slot_face_column
from tmux_pane import Pane

BINARY = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "../../build/frontend/solbangul")

SHAPES = {"♥": "h", "◆": "d", "♣": "c", "♠": "s"}
REFUSAL = "낼 수 없는 카드입니다."
PROMPT = "Pleas any key~"


class Table:
    """The cards as the screen shows them."""

    def __init__(self, pane):
        self.player = []
        for k in range(L.kSlots):
            x = slot_face_column(k)
            symbol = pane.text(x, L.kPlayerFaceRow, 1)
            if symbol not in SHAPES:
                break
            self.player.append((SHAPES[symbol], pane.text(x, L.kPlayerFaceRow + 1, 2).strip()))
        self.computer = [
            pane.text(slot_face_column(k), L.kComputerFaceRow, 1)
            + pane.text(slot_face_column(k), L.kComputerFaceRow + 1, 2).strip()
            for k in range(L.kSlots) if pane.text(slot_face_column(k), L.kComputerFaceRow, 1).strip()
        ]
        x, y = L.kInPlayFace
        self.in_play = (SHAPES.get(pane.text(x, y, 1)), pane.text(x, y + 1, 3).strip())

    def first(self, matching):
        for k, (shape, rank) in enumerate(self.player):
            if (shape == self.in_play[0] or rank == self.in_play[1]) == matching:
                return k
        return None


class GameTest(unittest.TestCase):
    def setUp(self):
        self.pane = Pane(BINARY)
        self.addCleanup(self.pane.close)
        self.pane.wait_text(L.kMenuTitle[0] + 8, L.kMenuTitle[1], "< 메 뉴 >")
        self.pane.keys("Enter")
        self.pane.wait_for(lambda: Table(self.pane).player, "the dealt cards")

    def over(self):
        return PROMPT in self.pane.screen()

    def marker_under(self, slot):
        return self.pane.text(slot_box_column(slot) + 1, L.kSelectionMarkerRow, 1) == "△"

    def select(self, slot):
        self.pane.keys("Down", *["Right"] * slot)
        self.pane.wait_for(lambda: self.marker_under(slot), "the marker")

    def act_and_settle(self, *keys):
        before = self.pane.screen()
        self.pane.keys(*keys)
        end = time.monotonic() + 2
        while self.pane.screen() == before and time.monotonic() < end:
            time.sleep(0.02)
        time.sleep(0.05)

    def test_a_whole_game(self):
        p = self.pane
        table = Table(p)
        self.assertEqual((len(table.player), len(table.computer)), (5, 5))
        self.assertTrue(self.marker_under(0), "the marker starts under slot 1")

        # A card that does not match is refused, and nothing else changes.
        wrong = table.first(matching=False)
        if wrong is not None:
            self.select(wrong)
            self.act_and_settle("Enter")
            self.assertEqual(p.text(*L.kRefusalMessage, 22), REFUSAL)
            self.assertEqual(Table(p).player, table.player)

        moves = 0
        while not self.over():
            moves += 1
            self.assertLess(moves, 400, "the game does not end")
            table = Table(p)
            match = table.first(matching=True)
            if match is None:
                self.act_and_settle("Up", "Enter")  # take a card
                continue
            self.select(match)
            self.act_and_settle("Enter")
            if self.over():
                break
            after = Table(p)
            self.assertNotIn(REFUSAL, p.screen(), "a matching card was refused")
            self.assertNotEqual(after.player, table.player, "the laid card is still held")
            # The computer answered at once: a card of its own or one more card.
            self.assertTrue(after.computer != table.computer or after.in_play[1] in "JK",
                            "the computer did not move")

        self.assertIn("■", p.screen())
        p.keys("x")
        self.assertEqual(p.exit_status(), 1)
        self.assertTrue(p.terminal_restored())


if __name__ == "__main__":
    unittest.main()
