"""The real binary in tmux at 80x25, through one session: the menu and the
rules at their cells, by keys and by presses, a suspend and resume with the
mouse reports given back and taken again, a game played to its banner, the
exit status, and the terminal given back with the reports off."""

import os
import sys
import time
import unittest

from tmux_pane import Pane

BINARY = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "../../build/frontend/solbangul")
ENTRIES = ("게임 시작", "게임 설명", "종료 하기")
PROMPT = "Pleas any key~"


class SessionTest(unittest.TestCase):
    def test_menu_suspend_rules_and_a_lost_game_end_with_status_one(self):
        p = Pane(BINARY)
        self.addCleanup(p.close)
        shown = lambda text: p.wait_for(lambda: text in p.screen(), repr(text))
        marker_on = lambda entry: any("☞" in row and ENTRIES[entry - 1] in row
                                      for row in p.screen().split("\n"))
        shown("< 메 뉴 >")
        self.assertEqual(p.golden_differences("menu.txt"), [])
        self.assertTrue(p.mouse_reported())
        p.keys("Down")
        p.wait_for(lambda: marker_on(2), "marker on entry 2")
        p.keys("C-z")  # stopped, the terminal is the shell's: no reports
        self.assertTrue(p.stopped_as_found())
        # The pane's shell continues the program, which draws the menu again.
        p.wait_for(lambda: marker_on(2), "the same menu back")
        p.wait_for(p.mouse_reported, "reports asked for again after fg")
        p.press(35, 10)  # entry 2's box
        shown("솔방울게임")
        self.assertEqual(p.golden_differences("rules.txt"), [])
        p.press(5, 5)  # any press ends the rules
        shown("< 메 뉴 >")
        self.assertTrue(marker_on(1))

        # The player reaches fifteen cards before the computer can, whatever
        # the deal, so drawing alone always ends on the losing banner.
        p.keys("Enter")
        selected = lambda: "△" in p.screen().split("\n")[21]  # under a slot, not the pile
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
