"""The real binary's main menu and rules screen in tmux at 80x25."""

import os
import sys
import unittest

from layout import L, menu_entry_row
from tmux_pane import Pane

BINARY = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "../../build/frontend/solbangul")
TITLE = (L.kMenuTitle[0] + 8, L.kMenuTitle[1], "< 메 뉴 >")


class MenuTest(unittest.TestCase):
    def setUp(self):
        self.pane = Pane(BINARY)
        self.addCleanup(self.pane.close)
        self.pane.wait_text(*TITLE)

    def marker_on(self, entry):
        return self.pane.text(L.kMenuMarkerColumn, menu_entry_row(entry), 1) == "☞"

    def test_menu_and_rules_stand_at_their_cells(self):
        p = self.pane
        self.assertEqual(p.golden_differences("menu.txt"), [])
        p.keys("Down", "Enter")
        p.wait_text(L.kRulesColumn + 3, 1, "솔방울게임")
        self.assertEqual(p.golden_differences("rules.txt"), [])

    def test_junk_input_leaves_the_menu_as_it_was(self):
        p = self.pane
        before = p.screen()
        junk = [
            b"\xff\xfe\xc3",          # invalid UTF-8
            b"\x1b[99~",              # an unknown key
            b"\x1b[1;5A",             # Ctrl+Up
            b"\x1b[<0;10;5M",         # a mouse report
            b"\x1b[200~x\x1b[201~",   # a bracketed paste
            "가".encode(),            # a Hangul syllable
            b"\x1b[A\x1b[B",          # Up, then Down: back where it was
        ]
        for data in junk:
            p.raw(data)
        p.settle()
        self.assertEqual(p.screen(), before)

    def test_rules_and_back_then_quit_with_status_zero(self):
        p = self.pane
        p.keys("Down", "Enter")
        p.wait_text(L.kRulesColumn + 3, 1, "솔방울게임")
        p.keys("x")
        p.wait_text(*TITLE)
        self.assertTrue(self.marker_on(1))
        p.keys("Down", "Down", "Enter")
        self.assertEqual(p.exit_status(), 0)
        self.assertTrue(p.terminal_restored())

    def test_ctrl_c_ends_at_once_and_restores_the_terminal(self):
        p = self.pane
        p.keys("C-c")
        self.assertEqual(p.exit_status(), 130)
        self.assertTrue(p.terminal_restored())
        self.assertNotIn("메 뉴", p.screen(), "the alternate screen was left")

    def test_suspend_gives_the_terminal_back_and_resume_redraws(self):
        p = self.pane
        p.keys("Down")
        p.wait_for(lambda: self.marker_on(2), "marker on entry 2")
        p.keys("C-z")
        self.assertEqual(p.settings_while_stopped(), p.initial_settings())
        # The pane's shell continues the program, which draws the menu again.
        p.wait_text(*TITLE)
        p.wait_for(lambda: self.marker_on(2), "the same menu back")
        p.keys("Down", "Enter")
        self.assertEqual(p.exit_status(), 0)
        self.assertTrue(p.terminal_restored())


if __name__ == "__main__":
    unittest.main()
