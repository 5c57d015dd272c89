"""The game as an SSH host serves it: sshd on 127.0.0.1 at a free port, with a
host key of its own and a configuration made from the host kit's fragment
(packaging/ssh/solbangul-sshd.conf), its user the one running the tests,
the game its ForceCommand. Players reach it with ssh in a tmux pane. No
system service is touched, and nothing listens afterwards.
Usage: ssh_host_test.py GAME"""

import getpass
import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../e2e"))
from tmux_pane import Pane  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
GAME = os.path.abspath(sys.argv.pop(1))
FRAGMENT = os.path.join(HERE, "../../packaging/ssh/solbangul-sshd.conf")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Host:
    """sshd with the fragment, the test's user as the player, and `command`
    ("{dir}" the host's own folder) in place of the installed game."""

    def __init__(self, command=GAME):
        self.dir = tempfile.mkdtemp(prefix="sol-ssh-")
        command = command.format(dir=self.dir)
        self.port = free_port()
        for key in ("host_key", "player_key"):
            subprocess.run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", self.file(key)], check=True)
        os.rename(self.file("player_key.pub"), self.file("authorized_keys"))
        user = getpass.getuser()
        with open(FRAGMENT) as f:
            kit = f.read()
        kit = kit.replace("Match User play", "Match User %s" % user)
        kit = kit.replace("ForceCommand /usr/games/solbangul", "ForceCommand %s" % command)
        # What a test host needs besides the kit: its own address, key and
        # files, no PAM (sshd may run as a user), and sftp offered, so that
        # only the kit's ForceCommand keeps it away.
        own = [
            "ListenAddress 127.0.0.1:%d" % self.port,
            "HostKey %s" % self.file("host_key"),
            "PidFile %s" % self.file("sshd.pid"),
            "AuthorizedKeysFile %s" % self.file("authorized_keys"),
            "StrictModes no",
            "UsePAM no",
            "PermitRootLogin prohibit-password",
            "Subsystem sftp internal-sftp",
            # All the players come from one address here.
            "PerSourceMaxStartups none",
        ]
        with open(self.file("sshd_config"), "w") as f:
            f.write("\n".join(own) + "\n" + kit)
        if os.getuid() == 0:
            os.makedirs("/run/sshd", mode=0o755, exist_ok=True)  # sshd's privilege separation
        self.sshd = subprocess.Popen(
            ["/usr/sbin/sshd", "-D", "-e", "-f", self.file("sshd_config")],
            stderr=open(self.file("sshd.log"), "w"))
        for _ in range(200):
            try:
                socket.create_connection(("127.0.0.1", self.port)).close()
                break
            except ConnectionRefusedError:
                assert self.sshd.poll() is None, open(self.file("sshd.log")).read()
                time.sleep(0.02)

    def file(self, name):
        return os.path.join(self.dir, name)

    def ssh(self, *options, program="ssh", port_flag="-p", log="ERROR"):
        """The client's command line, options before the destination."""
        return [program, "-F", "/dev/null", "-i", self.file("player_key"), port_flag, str(self.port),
                "-o", "StrictHostKeyChecking=no", "-o", "UserKnownHostsFile=/dev/null",
                "-o", "BatchMode=yes", "-o", "LogLevel=" + log, *options]

    def destination(self):
        return "%s@127.0.0.1" % getpass.getuser()

    def games(self):
        """The game processes of this host's sessions."""
        found = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                if os.readlink("/proc/%s/exe" % pid) != GAME:
                    continue
                ancestor = pid
                while ancestor not in ("0", "1", str(self.sshd.pid)):
                    with open("/proc/%s/stat" % ancestor) as f:
                        ancestor = f.read().rsplit(")", 1)[1].split()[1]
                if ancestor == str(self.sshd.pid):
                    found.append(int(pid))
            except OSError:
                pass  # gone meanwhile
        return found

    def stop(self):
        self.sshd.terminate()
        self.sshd.wait()
        with socket.socket() as s:
            assert s.connect_ex(("127.0.0.1", self.port)) != 0, "sshd still listens"
        subprocess.run(["rm", "-rf", self.dir])


def shows(pane, text):
    return any(text in row for row in pane.screen().split("\n"))


class HostTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.host = Host()

    @classmethod
    def tearDownClass(cls):
        cls.host.stop()

    def play(self, *options, remote=(), env="", columns=80, rows=25):
        """ssh -tt to the host in a pane, with `env` before it and `remote`
        as the command asked for; at the menu."""
        command = " ".join(self.host.ssh("-tt", *options) + [self.host.destination(), *remote])
        pane = Pane("%s %s" % (env, command), columns, rows)
        self.addCleanup(pane.close)
        pane.wait_for(lambda: shows(pane, "게임 시작"), "the menu over ssh", timeout=15)
        return pane

    def quit(self, pane):
        pane.keys("Down", "Down", "Enter")
        self.assertEqual(pane.exit_status(timeout=10), 0)
        self.assertTrue(pane.terminal_restored())

    def test_a_card_laid_and_a_quit_give_the_terminal_back(self):
        pane = self.play()
        self.assertEqual(pane.golden_differences("menu.txt"), [])
        pane.keys("Enter")
        pane.wait_for(lambda: shows(pane, "△"), "the table")
        before = pane.screen()
        pane.press(7, 18)  # the first card: laid, or refused with its line
        pane.wait_for(lambda: pane.screen() != before, "a click on a card to play")
        pane.keys("C-c")
        self.assertEqual(pane.exit_status(timeout=10), 255, "ssh's status for a game ended by a signal")
        self.assertTrue(pane.terminal_restored())

    def test_any_command_runs_the_game_with_only_the_locale_from_the_client(self):
        pane = self.play("-o", "'SetEnv=LD_PRELOAD=/nowhere.so LANG=C.UTF-8'", remote=("ls", "/"))
        [game] = self.host.games()
        with open("/proc/%d/environ" % game, "rb") as f:
            environment = dict(v.split(b"=", 1) for v in f.read().split(b"\0") if b"=" in v)
        self.assertNotIn(b"LD_PRELOAD", environment)
        self.assertEqual(environment.get(b"LANG"), b"C.UTF-8")
        self.quit(pane)

    def test_odd_clients_play_as_locally(self):
        cases = [("TERM unset", "env -u TERM", 80, 25), ("TERM unknown", "TERM=no-such-terminal", 80, 25),
                 ("TERM absurd", "TERM=%s" % ("x" * 400), 80, 25), ("LANG unknown", "LANG=xx_YY.UTF-8", 80, 25),
                 ("a huge window", "", 1000, 400)]
        for name, env, columns, rows in cases:
            with self.subTest(name):
                pane = self.play(env=env, columns=columns, rows=rows)
                [game] = self.host.games()
                with open("/proc/%d/status" % game) as f:
                    peak = int(re.search(r"VmHWM:\s+(\d+)", f.read()).group(1))
                self.assertLess(peak, 16 * 1024, "%s: %d kB" % (name, peak))
                self.quit(pane)
        # Too small for the table: the notice, and the menu once it grows.
        command = " ".join(self.host.ssh("-tt") + [self.host.destination()])
        pane = Pane(command, 1, 1)
        self.addCleanup(pane.close)
        time.sleep(3)
        pane._tmux("resize-window", "-t", "0", "-x", "80", "-y", "25")
        pane.wait_for(lambda: shows(pane, "게임 시작"), "the menu once the window is large enough", timeout=15)
        self.quit(pane)

    def test_a_killed_client_leaves_no_game(self):
        pane = self.play()
        self.assertEqual(len(self.host.games()), 1)
        client = subprocess.run(["pgrep", "-f", "-n", "ssh .*-p %d " % self.host.port],
                                capture_output=True, text=True).stdout.split()
        os.kill(int(client[0]), signal.SIGKILL)
        time.sleep(3)
        self.assertEqual(self.host.games(), [])

    def test_a_flood_of_keys_grows_no_memory(self):
        client = subprocess.Popen(self.host.ssh("-tt") + [self.host.destination()],
                                  stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        client.stdin.write(b"\x1b[1;2R")  # the width probe's answer, as a terminal gives it
        for _ in range(64):
            client.stdin.write(b"x" * 65536)
        client.stdin.flush()
        [game] = self.host.games()
        with open("/proc/%d/status" % game) as f:
            peak = int(re.search(r"VmHWM:\s+(\d+)", f.read()).group(1))
        client.stdin.write(b"\x1b[B\x1b[B\r")
        client.stdin.close()
        self.assertEqual(client.wait(timeout=60), 0, "quit from the menu after 4 MB of keys")
        self.assertLess(peak, 16 * 1024, "%d kB" % peak)

    def test_what_is_not_a_game_is_refused(self):
        me = self.host.destination()
        # No terminal: the game's one line, status 1.
        result = subprocess.run(self.host.ssh("-T") + [me], capture_output=True, text=True,
                                stdin=subprocess.DEVNULL, timeout=15)
        self.assertEqual(result.returncode, 1)
        self.assertIn("standard input is not a terminal", result.stderr)
        # Files: the game again, which refuses them.
        for command in (self.host.ssh(program="sftp", port_flag="-P") + ["-b", "-", me],
                        self.host.ssh(program="scp", port_flag="-P") + [FRAGMENT, me + ":/tmp/"]):
            result = subprocess.run(command, input="ls\n", capture_output=True, text=True, timeout=15)
            self.assertNotEqual(result.returncode, 0, command[0])
        # Forwarding: the remote one fails at once; local and dynamic ones
        # are refused when a connection tries them.
        result = subprocess.run(self.host.ssh("-N", "-o", "ExitOnForwardFailure=yes", "-R", "0:127.0.0.1:9")
                                + [me], capture_output=True, text=True, timeout=15)
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("forwarding failed", result.stderr)
        for kind, socks in (("-L", False), ("-D", True)):
            port = free_port()
            spec = str(port) if socks else "%d:127.0.0.1:%d" % (port, self.host.port)
            client = subprocess.Popen(self.host.ssh("-N", kind, spec, log="INFO") + [me],
                                      stderr=subprocess.PIPE, text=True)
            for _ in range(200):
                try:
                    connection = socket.create_connection(("127.0.0.1", port))
                    break
                except ConnectionRefusedError:
                    time.sleep(0.05)
            if socks:  # SOCKS 5: no authentication, then a connection to the host's own port
                connection.sendall(b"\x05\x01\x00")
                connection.recv(2)
                connection.sendall(b"\x05\x01\x00\x01\x7f\x00\x00\x01" + self.host.port.to_bytes(2, "big"))
            connection.settimeout(10)
            self.assertIn(connection.recv(64), (b"", b"\x05\x01\x00\x01\x00\x00\x00\x00\x00\x00"), kind)
            connection.close()
            client.kill()
            self.assertIn("administratively prohibited", client.communicate(timeout=10)[1], kind)


class SlowLinkTest(unittest.TestCase):
    """Round trips of 0.8 s and 2 s: after the game, nothing of a terminal's
    answer reaches a shell, at the far end (a player who started the game from
    a shell there) or at the player's own."""

    def test_nothing_reaches_a_shell(self):
        for round_trip in (0.8, 2.0):
            with self.subTest(round_trip=round_trip):
                host = Host("sh -c '%s; %s {dir}/far-left %s'" % (
                    GAME, "python3 " + os.path.join(HERE, "shell_leftover.py"), 3 * round_trip))
                self.addCleanup(host.stop)
                proxy = "ProxyCommand=python3 %s %%h %%p %s" % (os.path.join(HERE, "slow_link.py"), round_trip / 2)
                command = " ".join(host.ssh("-tt", "-o", "'%s'" % proxy) + [host.destination()])
                pane = Pane("%s; python3 %s near-left %s" % (
                    command, os.path.join(HERE, "shell_leftover.py"), 3 * round_trip))
                self.addCleanup(pane.close)
                pane.wait_for(lambda: shows(pane, "게임 시작"), "the menu", timeout=60)
                pane.keys("Down", "Down", "Enter")
                pane.exit_status(timeout=60)
                self.assertEqual(open(host.file("far-left")).read(), "b''", "at the far end")
                self.assertEqual(open(os.path.join(pane.dir, "near-left")).read(), "b''", "at the player's")


if __name__ == "__main__":
    unittest.main()
