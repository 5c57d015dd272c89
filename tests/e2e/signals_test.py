"""The real binary on a pseudo-terminal this test plays the far end of, where
tmux cannot go: a terminal that stops reading, a flood of signals, few
descriptors to spare. Whatever it is doing, a signal whose default is to end
the process ends it within 100 ms, with that signal, and the terminal given
back as found."""

import fcntl
import os
import re
import resource
import signal
import struct
import subprocess
import sys
import termios
import threading
import time
import unittest

BINARY = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "../../build/frontend/solbangul")
GIVEN_BACK = b"\x1b[?1006l\x1b[?1000l\x1b[?25h\x1b[?1049l"


class Terminal:
    """A pseudo-terminal of 80x25 and the game on it, in a session of its own
    as a shell starts it, so that Ctrl-C typed here reaches it."""

    def __init__(self, ignore_interrupt=False, descriptors=0, locale="C.UTF-8", nonblocking=False):
        self.master, self.slave = os.openpty()
        fcntl.ioctl(self.master, termios.TIOCSWINSZ, struct.pack("HHHH", 25, 80, 0, 0))
        os.set_blocking(self.master, False)
        os.set_blocking(self.slave, not nonblocking)
        self.before = termios.tcgetattr(self.slave)
        self.seen = b""

        def set_up():
            fcntl.ioctl(0, termios.TIOCSCTTY, 0)
            resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
            if ignore_interrupt:  # as a shell does for `cmd &`
                signal.signal(signal.SIGINT, signal.SIG_IGN)
            if descriptors:
                resource.setrlimit(resource.RLIMIT_NOFILE, (descriptors, descriptors))

        self.game = subprocess.Popen([BINARY], stdin=self.slave, stdout=self.slave, stderr=subprocess.PIPE,
                                     start_new_session=True, preexec_fn=set_up,
                                     env=dict(os.environ, LC_ALL=locale))
        self.answering = False

    def close(self):
        self.answering = False
        if self.game.returncode is None:
            self.game.kill()
            self.game.wait()
        os.close(self.master)
        os.close(self.slave)

    def read(self):
        try:
            while chunk := os.read(self.master, 65536):
                self.seen += chunk
        except BlockingIOError:
            pass
        return self.seen

    def wait_for(self, needle, seconds=1.0):
        end = time.monotonic() + seconds
        while needle not in self.read() and time.monotonic() < end:
            time.sleep(0.001)
        return needle in self.seen

    def answer(self):
        """Answers each later cursor position request at once, as a terminal does."""
        self.answering, asked = True, self.read().count(b"\x1b[6n")

        def run():
            nonlocal asked
            while self.answering:
                if self.read().count(b"\x1b[6n") > asked:
                    asked += 1
                    os.write(self.master, b"\x1b[24;1R")
                time.sleep(0.001)

        threading.Thread(target=run, daemon=True).start()

    def at_menu(self):
        assert self.wait_for(b"\x1b[6n"), "the width probe"
        os.write(self.master, b"\x1b[1;2R")
        assert self.wait_for("게임 시작".encode()), "the menu"

    def stall(self):
        """Full pictures (one a resize) unread, until writing waits."""
        for _ in range(60):
            self.game.send_signal(signal.SIGWINCH)
            time.sleep(0.002)

    def cpu(self):
        """The processor seconds the game has used so far."""
        with open("/proc/%d/stat" % self.game.pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def end(self):
        """The game's status and processor seconds, waiting up to a second."""
        start = time.monotonic()
        while time.monotonic() - start < 1.0:
            pid, status, usage = os.wait4(self.game.pid, os.WNOHANG)
            if pid:
                self.game.returncode = os.waitstatus_to_exitcode(status)
                return self.game.returncode, usage.ru_utime + usage.ru_stime
            time.sleep(0.001)
        raise AssertionError("still running")

    def given_back(self):
        return termios.tcgetattr(self.slave)[1:] == self.before[1:]


class SignalsTest(unittest.TestCase):
    def terminal(self, **options):
        t = Terminal(**options)
        self.addCleanup(t.close)
        return t

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
                                  ignore_interrupt=before == "interrupt ignored")
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
                    if sig == 0:  # typed while stopped, a quit from the menu is kept
                        os.write(t.master, b"\x1b[B\x1b[B\r")
                    t.answer()  # the fence of an end by a key
                    t.game.send_signal(signal.SIGCONT)
                if before == "interrupt ignored":
                    t.game.send_signal(signal.SIGINT)
                    time.sleep(0.05)
                start = time.monotonic()
                if sig:
                    t.game.send_signal(sig)
                status, cpu = t.end()
                t.answering = False
                self.assertLess(time.monotonic() - start, 0.1)
                self.assertEqual(status, -sig)
                self.assertTrue(t.given_back())
                self.assertTrue(t.read().endswith(GIVEN_BACK + (b"\x1b[6n" if sig == 0 else b"")))
                if before != "70,000 resizes":  # which cost time of their own
                    self.assertLess(cpu - started, 0.15 if "stalled" in before else 1.0, "no spinning")

    def test_a_resize_or_stop_during_a_stalled_write_is_acted_on_without_a_key(self):
        for stop in (False, True):
            with self.subTest(stop=stop):
                t = self.terminal()
                t.at_menu()
                t.stall()
                if stop:
                    t.game.send_signal(signal.SIGTSTP)
                else:
                    fcntl.ioctl(t.master, termios.TIOCSWINSZ, struct.pack("HHHH", 10, 40, 0, 0))
                time.sleep(0.1)
                self.assertTrue(t.wait_for(b"\x1b[?1049l" if stop else "창을".encode(), 0.1))
                # The picture was cut off mid-write: what follows it first
                # cancels whatever sequence it broke off.
                self.assertTrue(re.search(rb"\x18\x1b\[\d+;1H\r\n\x1b\[\?1006l" if stop else rb"\x18\x1b\[\?25l", t.seen))

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
                    if not t.wait_for(b"\x1b[6n"):
                        self.assertEqual(t.game.wait(1), 1)
                        said = t.game.stderr.read()
                        self.assertEqual(said.count(b"\n"), 1)
                        self.assertIn("파일".encode("euc-kr" if euc_kr else "utf-8"), said)
                        self.assertEqual(t.read(), b"", "nothing drawn")
                        outcomes.append("%d refused" % limit)
                    else:
                        os.write(t.master, b"\x1b[1;2R")
                        self.assertTrue(t.wait_for("게임 시작".encode("euc-kr" if euc_kr else "utf-8")))
                        if euc_kr:
                            t.game.send_signal(signal.SIGTERM)
                        else:
                            os.write(t.master, b"\x03")
                        self.assertEqual(t.end()[0], -(signal.SIGTERM if euc_kr else signal.SIGINT))
                        self.assertTrue(t.read().endswith(GIVEN_BACK))
                        outcomes.append("%d ran" % limit)
                    self.assertTrue(t.given_back())
        print(", ".join(outcomes))


if __name__ == "__main__":
    unittest.main()
