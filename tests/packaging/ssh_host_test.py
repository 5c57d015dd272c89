"""The game as an SSH host serves it (ssh_host.py), played with ssh -tt in a
tmux pane: what it plays, what it refuses, odd clients, a silent link and a
flood of keys. (A slow link is the pseudo-terminal tests': the game meets
late answers there as it does over ssh.) Usage: ssh_host_test.py GAME"""

import os
import re
import signal
import subprocess
import sys
import unittest
from pathlib import Path

from ssh_host import Host, NoRoot

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../e2e"))
from tmux_pane import Pane  # noqa: E402
from waiting import until  # noqa: E402

GAME = os.path.abspath(sys.argv.pop(1))


def host_or_skip(*args, **options):
    try:
        return Host(*args, **options)
    except NoRoot:
        raise unittest.SkipTest("sshd needs root, or sudo without a password, to give a terminal")


def one_game(host):
    """The pid of the host's one game, once it has started."""
    [game] = until(host.games, 15, 0.1)
    return game


def peak_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        return int(re.search(r"VmHWM:\s+(\d+)", f.read()).group(1))


class HostTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.host = host_or_skip(GAME)

    @classmethod
    def tearDownClass(cls):
        cls.host.stop()

    def play(self, *options, remote=(), env="", columns=80, rows=25):
        """ssh -tt to the host in a pane, with `env` before it and `remote`
        as the command asked for; at the menu."""
        command = " ".join(self.host.ssh("-tt", *options) + [self.host.destination(), *remote])
        pane = Pane("%s %s" % (env, command), columns, rows)
        self.addCleanup(pane.close)
        pane.wait_for(lambda: "게임 시작" in pane.screen(), "the menu over ssh", timeout=15)
        return pane

    def quit(self, pane):
        pane.keys("Down", "Down", "Enter")
        self.assertEqual(pane.exit_status(timeout=10), 0)
        self.assertTrue(pane.terminal_restored())

    def test_any_command_plays_the_game_with_only_the_locale_from_the_client(self):
        pane = self.play("-o", "'SetEnv=LD_PRELOAD=/nowhere.so LANG=C.UTF-8'", remote=("ls", "/"))
        with open("/proc/%d/environ" % one_game(self.host), "rb") as f:
            environment = dict(v.split(b"=", 1) for v in f.read().split(b"\0") if b"=" in v)
        self.assertNotIn(b"LD_PRELOAD", environment)
        self.assertEqual(environment.get(b"LANG"), b"C.UTF-8")
        pane.keys("Enter")
        pane.wait_for(lambda: "△" in pane.screen(), "the table")
        before = pane.screen()
        pane.press(7, 18)  # the first card: laid, or refused with its line
        pane.wait_for(lambda: pane.screen() != before, "a click on a card to play")
        pane.keys("C-c")
        self.assertEqual(pane.exit_status(timeout=10), 255, "ssh's status for a game ended by a signal")
        self.assertTrue(pane.terminal_restored())

    def test_odd_clients_play_as_locally(self):
        for name, env, columns, rows in [("TERM unset", "env -u TERM", 80, 25),
                                         ("TERM absurd", "TERM=%s" % ("x" * 400), 80, 25),
                                         ("LANG unknown", "LANG=xx_YY.UTF-8", 80, 25),
                                         ("a huge window", "", 1000, 400)]:
            with self.subTest(name):
                pane = self.play(env=env, columns=columns, rows=rows)
                peak = peak_kb(one_game(self.host))
                self.assertLess(peak, 16 * 1024, "%s: %d kB" % (name, peak))
                self.quit(pane)

    def test_a_silent_link_ends_its_game(self):
        # The kit's dead-link check, made 1 s for the test: a client that
        # stops answering (its network gone) loses its game after 3 asks.
        host = host_or_skip(GAME, changes=[("ClientAliveInterval 10", "ClientAliveInterval 1")])
        self.addCleanup(host.stop)
        client = subprocess.Popen(host.ssh("-tt") + [host.destination()], stdin=subprocess.PIPE,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(client.kill)
        one_game(host)
        client.send_signal(signal.SIGSTOP)
        self.assertTrue(until(lambda: not host.games(), 20, 0.1), "about 8 s with these settings")
        client.send_signal(signal.SIGCONT)

    def test_a_flood_of_keys_grows_no_memory(self):
        client = subprocess.Popen(self.host.ssh("-tt") + [self.host.destination()],
                                  stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        client.stdin.write(b"\x1b[1;2R")  # the width probe's answer, as a terminal gives it
        for _ in range(64):
            client.stdin.write(b"x" * 65536)
        client.stdin.flush()
        game = one_game(self.host)
        read = lambda: int(re.search(r"rchar: (\d+)", Path("/proc/%d/io" % game).read_text()).group(1))
        until(lambda: read() >= 64 * 65536, 60, 0.1)  # the game has read them all
        peak = peak_kb(game)
        client.stdin.write(b"\x1b[B\x1b[B\r")
        client.stdin.close()
        self.assertEqual(client.wait(timeout=60), 0, "quit from the menu after 4 MB of keys")
        self.assertLess(peak, 16 * 1024, "%d kB" % peak)

    def test_no_terminal_and_forwarding_are_refused(self):
        result = subprocess.run(self.host.ssh("-T") + [self.host.destination()], capture_output=True,
                                text=True, stdin=subprocess.DEVNULL, timeout=15)
        self.assertEqual(result.returncode, 1)
        self.assertIn("standard input is not a terminal", result.stderr)
        result = subprocess.run(self.host.ssh("-N", "-o", "ExitOnForwardFailure=yes", "-R", "0:127.0.0.1:9")
                                + [self.host.destination()], capture_output=True, text=True, timeout=15)
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("forwarding failed", result.stderr)


if __name__ == "__main__":
    unittest.main()
