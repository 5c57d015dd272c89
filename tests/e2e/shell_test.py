"""The real binary as shells start it: as a background job brought to the
foreground, and with standard streams it cannot play on."""

import os
import subprocess
import sys
import unittest

from tmux_pane import Pane

BINARY = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "../../build/frontend/solbangul")


class JobControlTest(unittest.TestCase):
    def test_background_then_foreground_keeps_typed_keys_and_ends_on_ctrl_c(self):
        # The program stops as soon as it touches the terminal in the
        # background; Down typed meanwhile waits in the terminal for it.
        p = Pane("%s & sleep 0.5; fg > /dev/null" % BINARY)
        self.addCleanup(p.close)
        p.keys("Down")
        p.wait_for(lambda: any("☞" in row and "게임 설명" in row for row in p.screen().split("\n")),
                   "Down typed before fg moved the marker to entry 2")
        p.keys("C-c")
        self.assertEqual(p.exit_status(timeout=1.0), 130)
        self.assertTrue(p.terminal_restored())


class StreamsTest(unittest.TestCase):
    def run_with(self, shell_redirect, env=None, terminal=True):
        master, slave = os.openpty()
        self.addCleanup(os.close, master)
        result = subprocess.run(
            ["sh", "-c", 'exec "$0" ' + shell_redirect, BINARY],
            stdin=slave if terminal else subprocess.DEVNULL, stdout=slave, stderr=subprocess.PIPE,
            env=dict(os.environ, **(env or {})), timeout=5)
        os.close(slave)
        os.set_blocking(master, False)
        try:
            drawn = os.read(master, 4096)
        except OSError:  # nothing queued, and the other end closed
            drawn = b""
        return result.returncode, result.stderr.decode(), drawn

    def test_unplayable_streams_end_with_a_line_and_status_one(self):
        cases = [
            ("<&-", None, True, "standard input"),
            ("", None, False, "standard input"),
            (">&-", None, True, "standard output"),
            ("", {"TERM": "dumb"}, True, "TERM=dumb"),
        ]
        for redirect, env, terminal, says in cases:
            status, stderr, drawn = self.run_with(redirect, env, terminal)
            self.assertEqual(status, 1, redirect or env)
            self.assertIn(says, stderr)
            self.assertEqual(stderr.count("\n"), 1, "one line")
            self.assertEqual(drawn, b"", "nothing drawn")


if __name__ == "__main__":
    unittest.main()
