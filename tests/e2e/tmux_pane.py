"""Drives a program in a private tmux server, as a person at a terminal would.

The pane runs the program under bash, which records the terminal settings
(stty -g) before, while stopped and after it, and its exit status, so a test
can check that the terminal was given back as it was found.
"""

import os
import shlex
import shutil
import subprocess
import tempfile
import time
import unicodedata

from waiting import until


class Pane:
    def __init__(self, command, columns=80, rows=25):
        self.dir = tempfile.mkdtemp(prefix="sol-e2e-")
        self.socket = "sol-e2e-%d-%d" % (os.getpid(), time.monotonic_ns())
        # An interactive shell gives the program its own foreground process
        # group, so Ctrl-Z can stop it; a stop is answered by recording the
        # terminal settings and continuing the program.
        script = (
            "trap true INT; stty -g > before; %s; s=$?; "
            "while [ $s = 148 ]; do stty -g > stopped; sleep 0.3; fg > /dev/null; s=$?; done; "
            "echo $s > status; stty -g > after; sleep 600" % command
        )
        self._tmux(
            "new-session", "-d", "-x", str(columns), "-y", str(rows), "-c", self.dir,
            "bash --norc --noprofile -i -c %s 2> shell-messages" % shlex.quote(script),
        )
        self._tmux("set-option", "-g", "status", "off")

    def _tmux(self, *args):
        return subprocess.run(
            ["tmux", "-L", self.socket, "-f", "/dev/null"] + list(args),
            check=True, capture_output=True, text=True,
        ).stdout

    def close(self):
        subprocess.run(["tmux", "-L", self.socket, "kill-server"], capture_output=True)
        shutil.rmtree(self.dir, ignore_errors=True)

    def keys(self, *keys):
        """Named tmux keys (Enter, Up, C-c) or literal text."""
        self._tmux("send-keys", "-t", "0", *keys)

    def press(self, x, y):
        """A left-button press and its release at cell (x, y), as the bytes a
        terminal sends once the program asked for SGR button reports."""
        for final in "Mm":
            report = "\x1b[<0;%d;%d%s" % (x + 1, y + 1, final)
            self._tmux("send-keys", "-t", "0", "-H", *("%02x" % ord(c) for c in report))

    def mouse_reported(self):
        """Whether the pane's program asked for button reports, SGR-encoded."""
        flags = self._tmux("display-message", "-p", "-t", "0",
                           "#{mouse_standard_flag}#{mouse_sgr_flag}").strip()
        return flags == "11"

    def screen(self):
        return self._tmux("capture-pane", "-p", "-t", "0")

    def golden_differences(self, name):
        """The rows that differ from tests/golden/<name>, where the game counts
        every non-ASCII character as two columns: each must start at its
        column, whatever width the terminal draws it with. tmux draws East
        Asian wide characters in two cells (the second read here as ''),
        everything else (box glyphs, card shapes included) in one."""
        path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../golden", name)
        with open(path, encoding="utf-8") as f:
            golden = f.read().split("\n")
        wide = lambda ch: unicodedata.east_asian_width(ch) in ("W", "F")
        screen = self.screen().split("\n") + [""] * len(golden)
        differences = []
        for y, line in enumerate(golden):
            row = [c for ch in screen[y] for c in ((ch, "") if wide(ch) else (ch,))] + [" "] * 160
            x = 0
            for ch in line:
                if row[x] != ch and not (ch == " " and row[x] == ""):
                    differences.append("row %d column %d: %r, not %r" % (y, x, row[x], ch))
                    break
                x += 1 if ord(ch) < 128 else 2
            else:
                if "".join(row[x:]).strip():
                    differences.append("row %d: %r after the end" % (y, "".join(row[x:])))
        return differences

    def wait_for(self, predicate, what, timeout=5.0):
        if not until(predicate, timeout, 0.05):
            raise AssertionError("timed out waiting for %s; screen:\n%s" % (what, self.screen()))

    def _recorded(self, name, what, timeout=5.0):
        self.wait_for(lambda: self._read(name).strip(), what, timeout)
        return self._read(name)

    def exit_status(self, timeout=5.0):
        return int(self._recorded("status", "the program to end", timeout))

    def terminal_restored(self):
        return self._recorded("after", "stty -g after the program") == self._read("before")

    def stopped_as_found(self):
        return self._recorded("stopped", "the program to stop") == self._read("before")

    def _read(self, name):
        try:
            with open(os.path.join(self.dir, name)) as f:
                return f.read()
        except FileNotFoundError:
            return ""
