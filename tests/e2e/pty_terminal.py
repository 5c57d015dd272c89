"""The real binary on a pseudo-terminal the test plays the far end of, where
tmux cannot go: a terminal that answers late or never, stops reading, or is
too small. Usage of a test built on it: <test>.py GAME"""

import fcntl
import os
import resource
import signal
import struct
import subprocess
import sys
import termios
import threading
import time
import unittest

from waiting import until

BINARY = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "../../build/frontend/solbangul")
GIVEN_BACK = b"\x1b[?1006l\x1b[?1000l\x1b[?25h\x1b[?1049l"
MENU = "게임 시작".encode()


class Terminal:
    """A pseudo-terminal and the game on it, in a session of its own as a
    shell starts it, so that Ctrl-C typed here reaches it."""

    def __init__(self, columns=80, rows=25, ignore=(), descriptors=0, locale="C.UTF-8",
                 nonblocking=False):
        self.master, self.slave = os.openpty()
        self.resize(columns, rows)
        os.set_blocking(self.master, False)
        os.set_blocking(self.slave, not nonblocking)
        self.before = termios.tcgetattr(self.slave)
        self.seen = b""
        self.lock = threading.Lock()
        self.answerer = None

        def set_up():
            fcntl.ioctl(0, termios.TIOCSCTTY, 0)
            resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
            for ignored in ignore:  # as a shell does for `cmd &`, or nohup
                signal.signal(ignored, signal.SIG_IGN)
            if descriptors:
                resource.setrlimit(resource.RLIMIT_NOFILE, (descriptors, descriptors))

        self.game = subprocess.Popen([BINARY], stdin=self.slave, stdout=self.slave, stderr=subprocess.PIPE,
                                     start_new_session=True, preexec_fn=set_up,
                                     env=dict(os.environ, LC_ALL=locale))

    def close(self):
        self.stop_answering()
        if self.game.returncode is None:
            self.game.kill()
            self.game.wait()
        self.game.stderr.close()
        self.hang_up()
        os.close(self.slave)

    def hang_up(self):
        """The terminal's far end goes, as when its window is closed."""
        if self.master is not None:
            os.close(self.master)
            self.master = None

    def type(self, data):
        os.write(self.master, data)

    def resize(self, columns, rows):
        fcntl.ioctl(self.master, termios.TIOCSWINSZ, struct.pack("HHHH", rows, columns, 0, 0))

    def read(self):
        """Everything the game has written so far."""
        with self.lock:
            try:
                while chunk := os.read(self.master, 65536):
                    self.seen += chunk
            except BlockingIOError:
                pass
            return self.seen

    def wait_for(self, needle, seconds=5.0, times=1):
        """Whether `needle` has come `times` times within `seconds`, or by
        the game's end."""
        until(lambda: self.read().count(needle) >= times or self.game.poll() is not None, seconds, 0.001)
        return self.read().count(needle) >= times

    def at_menu(self):
        assert self.wait_for(b"\x1b[6n"), "the width probe"
        self.type(b"\x1b[1;2R")
        assert self.wait_for(MENU), "the menu"

    def stall(self):
        """Full pictures (each a resize's) left unread, until writing waits."""
        for _ in range(60):
            self.game.send_signal(signal.SIGWINCH)
            time.sleep(0.002)

    def answer(self, delay=0.0, per_byte=0.0, malformed=b"", after_modes_off=b""):
        """Answers each cursor position request asked from now on as a
        terminal does: `delay` late, first `malformed` (if any) and the answer
        0.5 s after it, its bytes `per_byte` apart, as over a slow link; and
        once the press reports go off, `after_modes_off`, a report that was on
        its way. All of it is sent even after the game has given the terminal
        back: that is the fault to catch."""
        self.answering, asked, late = True, self.read().count(b"\x1b[6n"), after_modes_off

        def run():
            nonlocal asked, late
            while True:
                # One reading for both: a question read after the reports
                # went off must not be answered before the report.
                seen = self.read()
                asking = seen.count(b"\x1b[6n") > asked
                if not (self.answering or late or asking):
                    return
                if late and b"\x1b[?1000l" in seen:
                    self.type(late)
                    late = b""
                if asking:
                    asked += 1
                    time.sleep(delay)
                    if malformed:
                        self.type(malformed)
                        time.sleep(0.5)
                    for byte in b"\x1b[24;1R":
                        self.type(bytes([byte]))
                        time.sleep(per_byte)
                time.sleep(0.001)

        self.answerer = threading.Thread(target=run, daemon=True)
        self.answerer.start()

    def stop_answering(self):
        if self.answerer:
            self.answering = False
            self.answerer.join(5)

    def cpu(self):
        """The processor seconds the game has used so far."""
        with open("/proc/%d/stat" % self.game.pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def end(self):
        """The game's status and processor seconds, waiting up to a second."""
        def ended():
            pid, status, usage = os.wait4(self.game.pid, os.WNOHANG)
            return pid and (status, usage)

        found = until(ended, 1.0, 0.001)
        assert found, "still running"
        status, usage = found
        self.game.returncode = os.waitstatus_to_exitcode(status)
        return self.game.returncode, usage.ru_utime + usage.ru_stime

    def given_back(self):
        """Whether the terminal's settings are as the game found them."""
        return termios.tcgetattr(self.slave)[1:] == self.before[1:]

    def shell_reads_only_its_line(self):
        """Whether a line typed now is all a shell would read: nothing the
        game left behind comes before it."""
        self.type(b"\n")
        return os.read(self.slave, 256) == b"\n"


class PtyTest(unittest.TestCase):
    def terminal(self, **options):
        t = Terminal(**options)
        self.addCleanup(t.close)
        return t
