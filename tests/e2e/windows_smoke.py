#!/usr/bin/env python3
"""The Windows executable under Wine in a tmux pane at 80x25, its menu played
as a person would: the menu drawn, the rules screen and back to the menu on a
key, and the third entry ending the process with status 0. Wine's console
counts every character as one cell, Hangul too, so this checks texts and
their order, not the columns after Hangul.
Usage: windows_smoke.py path/to/solbangul.exe"""

import os
import shlex
import shutil
import subprocess
import sys
import tempfile
import unittest

from tmux_pane import Pane

EXE = os.path.abspath(sys.argv.pop(1))
WINE = shutil.which("wine64") or shutil.which("wine") or "/usr/lib/wine/wine64"
MENU = ("게임 시작", "게임 설명", "종료 하기")
RULES = ("솔방울게임", "게임 규칙", "목차화면으로 돌아갑니다")


class WineTest(unittest.TestCase):
    def test_menu_rules_and_quit(self):
        # A prefix of its own unless one is given, so that nothing of the
        # user's Wine setup is touched (a given one saves its setting up); no
        # Mono or Gecko installer, which a console program needs neither of.
        # Wine writes the console in the locale's charset, tmux reads it in
        # the same: UTF-8 whatever the caller's locale.
        if "WINEPREFIX" not in os.environ:
            os.environ["WINEPREFIX"] = tempfile.mkdtemp(prefix="sol-wine-")
            self.addCleanup(shutil.rmtree, os.environ["WINEPREFIX"], True)
            self.addCleanup(subprocess.run, [os.path.join(os.path.dirname(WINE), "wineserver"), "-k"])
        os.environ.update(WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=", LC_ALL="C.UTF-8")
        # A fresh prefix takes a while to set up; that is done before any
        # screen is waited for.
        subprocess.run([WINE, "wineboot", "-i"], stdin=subprocess.DEVNULL, capture_output=True)
        p = Pane("(cd %s && %s %s)" % (shlex.quote(os.path.dirname(EXE)), WINE, shlex.quote(EXE)))
        self.addCleanup(p.close)
        shows = lambda texts: all(text in p.screen() for text in texts)
        p.wait_for(lambda: shows(("< 메 뉴 >",) + MENU), "the menu", timeout=60)
        rows = p.screen().split("\n")
        self.assertEqual([e for row in rows for e in MENU if e in row], list(MENU), "three rows, in order")
        self.assertIn("☞", next(row for row in rows if MENU[0] in row), "the marker beside entry 1")
        p.keys("Down", "Enter")
        p.wait_for(lambda: shows(RULES) and not any(e in p.screen() for e in MENU), "the rules alone", 20)
        p.keys("x")
        p.wait_for(lambda: shows(MENU) and RULES[0] not in p.screen(), "the menu alone", 20)
        p.keys("Down", "Down", "Enter")
        self.assertEqual(p.exit_status(timeout=20), 0)
        self.assertFalse(any(e in p.screen() for e in MENU), "the menu gone after quitting")


if __name__ == "__main__":
    unittest.main()
