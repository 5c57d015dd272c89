"""The real binary on a pseudo-terminal (pty_terminal.py) that answers its
questions at once, late, split, malformed or never, that speaks EUC-KR, or
that is too small for the table."""

import re
import signal
import termios
import time
import unittest

from pty_terminal import GIVEN_BACK, MENU, PtyTest

QUIT = b"\x1b[B\x1b[B\r"  # from the menu


class TerminalTest(PtyTest):
    def test_the_width_probe_counts_whenever_answered_and_the_terminal_is_given_back(self):
        """The first frame does not wait for the probe's answer, and a late
        one still sets the glyphs' width. The terminal is raw while the game
        runs, then given back as found; a terminal that answered is asked
        once more (a fence), and a report sent just after the reports went
        off is read before the shell is back. One that never answered is not
        asked, so not waited for."""
        for name, early, late, wide in [("narrow at once", b"\x1b[1;2R", b"", False),
                                        ("wide at once", b"\x1b[1;3R", b"", True),
                                        ("never", b"", b"", False), ("wide, late", b"", b"\x1b[1;3R", True)]:
            with self.subTest(name):
                t = self.terminal()
                self.assertTrue(t.wait_for(b"\x1b[6n"))
                t.type(early)
                self.assertTrue(t.wait_for(MENU), "the first frame, answer or not")
                modes = termios.tcgetattr(t.slave)[3]
                self.assertFalse(modes & (termios.ICANON | termios.ECHO))
                self.assertTrue(modes & termios.ISIG, "Ctrl-C must still interrupt")
                t.type(late + b"\x1b[B")
                # The marker's move: a wide ☞ is backed over by two columns.
                self.assertTrue(t.wait_for(b"  \n\n\n\n\x08\x08\xe2\x98\x9e" if wide else b"H \n\n\n\n\x08\xe2\x98\x9e"))
                answered = bool(early + late)
                t.answer(after_modes_off=b"\x1b[<0;5;5m" if answered else b"")
                t.type(b"\x1b[A" + QUIT)
                self.assertEqual(t.game.wait(5), 0)
                t.stop_answering()
                out = t.read()
                self.assertTrue(out.startswith(b"\x1b[?1049h\x1b[?1000h\x1b[?1006h"), "presses reported")
                self.assertTrue(out.endswith(b"\x1b[2J\x1b[H" + GIVEN_BACK + (b"\x1b[6n" if answered else b"")),
                                out[-120:])
                self.assertTrue(t.given_back())
                self.assertTrue(t.shell_reads_only_its_line())

    def test_late_split_or_malformed_answers_never_reach_the_shell(self):
        """Over a slow link the way out waits for the fence's answer as long
        as the probe's measured round trip says."""
        for name, delay, per_byte, malformed in [("0.8 s", 0.8, 0, b""), ("2 s", 2.0, 0, b""),
                                                 ("a byte every 120 ms", 0, 0.12, b""),
                                                 ("malformed first", 0.1, 0, b"\x1b[;R")]:
            with self.subTest(name):
                t = self.terminal()
                t.answer(delay, per_byte, malformed)
                self.assertTrue(t.wait_for(MENU))
                time.sleep(delay + 8 * per_byte + 0.7)  # a player's keys, after the probe's answer
                t.type(QUIT)
                self.assertEqual(t.game.wait(10), 0)
                t.stop_answering()
                self.assertTrue(t.shell_reads_only_its_line())

    def test_a_legacy_korean_terminal_is_spoken_to_in_euc_kr(self):
        """헠 is two bytes there, the second 'P' (Down), yet one key: Enter
        after it deals from the first entry."""
        t = self.terminal(locale="ko_KR.EUC-KR")
        self.assertTrue(t.wait_for(b"\x1b[6n"))
        t.type(b"\x1b[1;3R\xc2\x50\r")
        self.assertTrue(t.wait_for("△".encode("euc-kr")), "the table")
        self.assertIn("게임 시작".encode("euc-kr"), t.seen)
        self.assertNotIn(MENU, t.seen)

    def test_a_small_window_drops_keys_and_shows_the_notice_again_on_resume(self):
        t = self.terminal(columns=40, rows=10)
        self.assertTrue(t.wait_for(b"\x1b[6n"))
        t.type(b"\x1b[1;2R\x1b[B")  # typed blind: dropped
        notice = "창을".encode()
        self.assertTrue(t.wait_for(notice))
        t.game.send_signal(signal.SIGCONT)  # resumed, still small
        self.assertTrue(t.wait_for(notice, times=2), "the notice again after resume")
        t.resize(80, 25)
        self.assertTrue(t.wait_for(MENU), "the picture back once the window is large enough")
        last_frame = t.read()[t.seen.rfind(b"\x1b[2J"):]
        self.assertTrue(re.search(rb"\xe2\x98\x9e[^\n]*" + MENU, last_frame), "the marker unmoved")


if __name__ == "__main__":
    unittest.main()
