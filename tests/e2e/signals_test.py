"""The real binary on a pseudo-terminal (pty_terminal.py) that stops
reading, under a flood of signals, with few descriptors to spare. Whatever
it is doing, a signal whose default is to end the process ends it at once,
with that signal, and the terminal given back as found."""

import os
import re
import signal
import time
import unittest

from pty_terminal import GIVEN_BACK, MENU, PtyTest


class SignalsTest(PtyTest):
    def test_every_signal_ends_promptly_with_the_terminal_given_back(self):
        cases = [(signal.SIGTERM, "stalled"), (signal.SIGHUP, "stalled, non-blocking"),
                 (signal.SIGTERM, "70,000 resizes"), (0, "resumed"), (signal.SIGTERM, "resumed"),
                 (signal.SIGTERM, "interrupt ignored")]
        cases += [(s, "waiting") for s in (
            signal.SIGTERM, signal.SIGINT, signal.SIGHUP, signal.SIGQUIT, signal.SIGPIPE, signal.SIGUSR1,
            signal.SIGUSR2, signal.SIGALRM, signal.SIGVTALRM, signal.SIGPROF, signal.SIGXCPU, signal.SIGXFSZ,
            signal.SIGPWR, signal.SIGIO, signal.SIGSTKFLT, signal.SIGRTMIN, signal.SIGABRT, signal.SIGILL)]
        for sig, before in cases:
            with self.subTest(signal=sig, before=before):
                t = self.terminal(nonblocking="non-blocking" in before,
                                  ignore=(signal.SIGINT,) if before == "interrupt ignored" else ())
                t.at_menu()
                started = t.cpu()  # a sanitized build's start costs more
                if before.startswith("stalled") or before == "70,000 resizes":
                    t.stall()
                if before == "70,000 resizes":
                    for _ in range(70000):
                        t.game.send_signal(signal.SIGWINCH)
                if before == "resumed":
                    t.game.send_signal(signal.SIGSTOP)
                    os.waitpid(t.game.pid, os.WUNTRACED)
                    # Typed while stopped: a quit from the menu is kept; keys
                    # when a signal ends it are the game's, not the shell's.
                    t.type(b"\x1b[B\x1b[B\r" if sig == 0 else b"x")
                    t.answer()  # the fence of an end by a key
                    t.game.send_signal(signal.SIGCONT)
                if before == "interrupt ignored":
                    t.game.send_signal(signal.SIGINT)
                    time.sleep(0.05)
                start = time.monotonic()
                if sig:
                    t.game.send_signal(sig)
                status, cpu = t.end()
                t.stop_answering()
                self.assertLess(time.monotonic() - start, 0.5)
                self.assertEqual(status, -sig)
                self.assertTrue(t.read().endswith(GIVEN_BACK + (b"\x1b[6n" if sig == 0 else b"")))
                self.assertTrue(t.given_back())
                self.assertTrue(t.shell_reads_only_its_line())
                if before != "70,000 resizes":  # which cost time of their own
                    self.assertLess(cpu - started, 0.15 if "stalled" in before else 1.0, "no spinning")

    def test_a_hang_up_under_nohup_ends_with_status_one(self):
        t = self.terminal(ignore=(signal.SIGHUP,))
        t.at_menu()
        t.hang_up()
        self.assertEqual(t.end()[0], 1, "the end of input")

    def test_a_resize_or_stop_during_a_stalled_write_is_acted_on_without_a_key(self):
        for stop in (False, True):
            with self.subTest(stop=stop):
                t = self.terminal()
                t.at_menu()
                t.stall()
                if stop:
                    t.game.send_signal(signal.SIGTSTP)
                else:
                    t.resize(40, 10)
                time.sleep(0.1)
                self.assertTrue(t.wait_for(b"\x1b[?1049l" if stop else "창을".encode()))
                # The picture was cut off mid-write: what follows it first
                # cancels whatever sequence it broke off.
                cancelled = rb"\x18\x1b\[\d+;1H\r\n\x1b\[\?1006l" if stop else rb"\x18\x1b\[\?25l"
                self.assertTrue(re.search(cancelled, t.seen), "the cut sequence cancelled")

    @unittest.skipIf(os.environ.get("SOLBANGUL_SANITIZED"), "the sanitizers open descriptors of their own")
    def test_few_descriptors_run_protected_or_refuse_cleanly(self):
        """It runs, in the locale's charset, and Ctrl-C or SIGTERM give the
        terminal back; or it refuses at once with one line in that charset,
        the terminal untouched. (Below 4 the loader cannot open the libraries.)"""
        outcomes = []
        for limit in range(4, 10):
            for euc_kr in (False, True):
                with self.subTest(limit=limit, euc_kr=euc_kr):
                    t = self.terminal(descriptors=limit, locale="ko_KR.EUC-KR" if euc_kr else "C.UTF-8")
                    if not t.wait_for(b"\x1b[6n"):  # refused
                        self.assertEqual(t.game.returncode, 1)
                        said = t.game.stderr.read()
                        self.assertEqual(said.count(b"\n"), 1)
                        self.assertIn("파일".encode("euc-kr" if euc_kr else "utf-8"), said)
                        self.assertEqual(t.read(), b"", "nothing drawn")
                        outcomes.append("%d refused" % limit)
                    else:
                        t.type(b"\x1b[1;2R")
                        self.assertTrue(t.wait_for("게임 시작".encode("euc-kr") if euc_kr else MENU))
                        if euc_kr:
                            t.game.send_signal(signal.SIGTERM)
                        else:
                            t.type(b"\x03")
                        self.assertEqual(t.end()[0], -(signal.SIGTERM if euc_kr else signal.SIGINT))
                        self.assertTrue(t.read().endswith(GIVEN_BACK))
                        outcomes.append("%d ran" % limit)
                    self.assertTrue(t.given_back())
        print(", ".join(outcomes))


if __name__ == "__main__":
    unittest.main()
