"""The real binary's main menu and rules screen in tmux at 80x25."""

import os
import sys
import unittest

from tmux_pane import Pane

BINARY = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "../../build/frontend/solbangul")


class MenuTest(unittest.TestCase):
    def setUp(self):
        self.pane = Pane(BINARY)
        self.addCleanup(self.pane.close)
        self.pane.wait_text(38, 2, "< 메 뉴 >")

    def assert_marker_on(self, entry):
        for other in (1, 2, 3):
            expected = "☞" if other == entry else " "
            self.assertEqual(self.pane.text(28, other * 4 + 2, 1), expected, "entry %d" % other)

    def test_menu_stands_at_its_cells(self):
        p = self.pane
        self.assertEqual(p.text(1, 0, 1), "┏")
        self.assertEqual(p.text(77, 0, 1), "┓")
        self.assertEqual(p.text(1, 23, 1), "┗")
        self.assertEqual(p.text(77, 11, 1), "┃")
        self.assertEqual(p.text(37, 6, 9), "게임 시작")
        self.assertEqual(p.text(37, 10, 9), "게임 설명")
        self.assertEqual(p.text(37, 14, 9), "종료 하기")
        self.assertEqual(p.text(31, 5, 1), "┏")
        self.assertEqual(p.text(51, 15, 1), "┛")
        self.assert_marker_on(1)

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
        p.wait_text(5, 1, "솔방울게임")
        self.assertEqual(p.text(2, 1, 1), "☞")
        self.assertEqual(p.text(2, 22, 16), "-아무키를 누르면")
        self.assertEqual(p.text(1, 0, 1), " ", "no frame on the rules screen")
        p.keys("x")
        p.wait_text(38, 2, "< 메 뉴 >")
        self.assert_marker_on(1)
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
        p.wait_for(lambda: p.text(28, 10, 1) == "☞", "marker on entry 2")
        p.keys("C-z")
        self.assertEqual(p.settings_while_stopped(), p.initial_settings())
        # The pane's shell continues the program, which draws the menu again.
        p.wait_text(38, 2, "< 메 뉴 >")
        p.wait_for(lambda: p.text(28, 10, 1) == "☞", "the same menu back")
        p.keys("Down", "Enter")
        self.assertEqual(p.exit_status(), 0)
        self.assertTrue(p.terminal_restored())


if __name__ == "__main__":
    unittest.main()
