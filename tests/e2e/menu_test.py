"""The real binary in tmux at 80x25: the menu and rules screens at their
cells, by keys and by presses, a suspend and resume, a game played to its
banner, and the terminal given back each time, mouse reports off."""

import os
import sys
import time
import unittest

from tmux_pane import Pane

BINARY = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "../../build/frontend/solbangul")
ENTRIES = ("게임 시작", "게임 설명", "종료 하기")
PROMPT = "Pleas any key~"


class MenuTest(unittest.TestCase):
    def setUp(self):
        self.pane = Pane(BINARY)
        self.addCleanup(self.pane.close)
        self.wait_shown("< 메 뉴 >")

    def wait_shown(self, text):
        self.pane.wait_for(lambda: text in self.pane.screen(), repr(text))

    def marker_on(self, entry):
        rows = self.pane.screen().split("\n")
        return any("☞" in row and ENTRIES[entry - 1] in row for row in rows)

    def test_menu_suspend_and_rules_then_quit_with_status_zero(self):
        p = self.pane
        self.assertEqual(p.golden_differences("menu.txt"), [])
        p.keys("Down")
        p.wait_for(lambda: self.marker_on(2), "marker on entry 2")
        p.keys("C-z")
        self.assertTrue(p.stopped_as_found())
        # The pane's shell continues the program, which draws the menu again.
        self.wait_shown("< 메 뉴 >")
        p.wait_for(lambda: self.marker_on(2), "the same menu back")
        p.keys("Enter")
        self.wait_shown("솔방울게임")
        self.assertEqual(p.golden_differences("rules.txt"), [])
        p.keys("x")
        self.wait_shown("< 메 뉴 >")
        self.assertTrue(self.marker_on(1))
        p.keys("Down", "Down", "Enter")
        self.assertEqual(p.exit_status(), 0)
        self.assertTrue(p.terminal_restored())

    def test_presses_choose_entries_end_the_rules_and_the_reports_end_with_the_program(self):
        p = self.pane
        self.assertTrue(p.mouse_reported())
        p.press(35, 10)  # entry 2's box
        self.wait_shown("솔방울게임")
        p.press(5, 5)  # any press ends the rules
        self.wait_shown("< 메 뉴 >")
        p.keys("C-z")  # stopped, the terminal is the shell's: no reports
        self.assertTrue(p.stopped_as_found())
        self.wait_shown("< 메 뉴 >")
        p.wait_for(p.mouse_reported, "reports asked for again after fg")
        p.press(50, 15)  # the bottom right of entry 3's box
        self.assertEqual(p.exit_status(), 0)
        self.assertFalse(p.mouse_reported())
        self.assertTrue(p.terminal_restored())

    def test_a_player_who_only_draws_loses_and_the_banner_ends_with_status_one(self):
        # The player reaches fifteen cards before the computer can, whatever
        # the deal, so drawing alone always ends on the losing banner.
        p = self.pane
        p.keys("Enter")
        selected = lambda: "△" in p.screen().split("\n")[21]  # under a slot, not the draw pile
        p.wait_for(selected, "the table")
        for _ in range(40):
            before = p.screen()
            p.keys("Up", "Enter")  # one draw at a time: the banner takes any key
            p.wait_for(lambda: PROMPT in p.screen() or (p.screen() != before and selected()),
                       "a draw")
            if PROMPT in p.screen():
                break
        time.sleep(0.1)
        self.assertEqual(p.golden_differences("lose.txt"), [])
        p.keys("x")
        self.assertEqual(p.exit_status(), 1)
        self.assertFalse(p.mouse_reported())
        self.assertTrue(p.terminal_restored())


if __name__ == "__main__":
    unittest.main()
