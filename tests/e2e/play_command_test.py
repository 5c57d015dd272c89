"""The play command as people on other systems meet it: under POSIX shells
other than bash, on a PATH with the tools but no dpkg or apt, with a tool
missing, and with each system's package manager (faked: it records what it
was asked and installs nothing)."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from tmux_pane import Pane

sys.argv[1:2] = []  # the built binary: this test builds its own
SOURCE = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "../.."))


def fake_bin(root, leave_out, fakes):
    """A folder for PATH: everything of /usr/bin and /bin but `leave_out`
    (names, or prefixes ending in '*'), and scripts of our own."""
    os.makedirs(root)
    for folder in sorted({os.path.realpath("/usr/bin"), os.path.realpath("/bin")}):
        for name in os.listdir(folder):
            if any(name.startswith(l[:-1]) if l.endswith("*") else name == l for l in leave_out):
                continue
            if not os.path.lexists(os.path.join(root, name)):
                os.symlink(os.path.join(folder, name), os.path.join(root, name))
    for name, body in fakes.items():
        path = os.path.join(root, name)
        if os.path.lexists(path):
            os.remove(path)
        with open(path, "w") as f:
            f.write("#!/bin/sh\n" + body + "\n")
        os.chmod(path, 0o755)
    return root


# Records its name and words in the log, then does nothing.
RECORD = 'echo "$(basename "$0") $*" >> "%s"'
NO_PACKAGE_TOOLS = ["apt*", "dpkg*"]


class PlayCommandTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp(prefix="sol-play-")
        cls.tree = os.path.join(cls.dir, "solbangul")
        # The sources as a clone has them: no build folder, no packages.
        shutil.copytree(SOURCE, cls.tree, ignore=lambda folder, names: [
            n for n in names if n in (".git", "node_modules", "__pycache__")
            or (folder == SOURCE and n.startswith("build"))])
        cls.log = os.path.join(cls.dir, "log")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir, ignore_errors=True)

    def logged(self):
        """What the fakes were asked since last looked at."""
        if not os.path.exists(self.log):
            return []
        with open(self.log) as f:
            lines = f.read().splitlines()
        os.remove(self.log)
        return lines

    def play_and_quit(self, shell, path, timeout):
        p = Pane("env PATH=%s %s %s/tools/play" % (path, shell, self.tree))
        self.addCleanup(p.close)
        p.wait_for(lambda: "종료 하기" in p.screen(), "the menu, built by %s" % shell, timeout)
        p.keys("Down", "Down", "Enter")
        self.assertEqual(p.exit_status(), 0)
        self.assertTrue(p.terminal_restored())

    def test_builds_and_starts_under_posix_shells_without_apt(self):
        # A sudo that asks for a password would be a fault: nothing is missing.
        path = fake_bin(os.path.join(self.dir, "tools-only"), NO_PACKAGE_TOOLS,
                        {"sudo": RECORD % self.log + "; exit 1"})
        start = time.monotonic()
        self.play_and_quit("dash", path, timeout=600)
        print("built and started under dash in %.1f s" % (time.monotonic() - start))
        start = time.monotonic()
        self.play_and_quit("posh", path, timeout=10)
        print("started again under posh in %.1f s" % (time.monotonic() - start))
        self.assertEqual(self.logged(), [], "no sudo when nothing is missing")

    def run_play(self, leave_out, fakes, env=None):
        # Root unless told otherwise: a real sudo must never be reached.
        fakes = {"id": "echo 0", **fakes}
        path = fake_bin(tempfile.mkdtemp(dir=self.dir) + "/bin", leave_out + NO_PACKAGE_TOOLS,
                        {name: body % self.log if "%s" in body else body
                         for name, body in fakes.items()})
        start = time.monotonic()
        result = subprocess.run(
            ["dash", os.path.join(self.tree, "tools/play")], capture_output=True, text=True,
            env={"PATH": path, "HOME": self.dir, **(env or {})}, stdin=subprocess.DEVNULL,
            timeout=60)
        return result, time.monotonic() - start

    def test_a_missing_tool_is_named_in_one_line_at_once(self):
        for leave_out, says in [(["cmake"], "CMake 3.25 or newer"),
                                (["make", "gmake", "ninja"], "make (or ninja)"),
                                (["c++", "g++", "clang++"], "a C++20 compiler")]:
            result, seconds = self.run_play(leave_out, {})
            self.assertEqual(result.returncode, 1, result.stderr)
            self.assertEqual(result.stderr.count("\n"), 1, result.stderr)
            self.assertIn(says, result.stderr)
            self.assertIn("then run tools/play again", result.stderr)
            self.assertLess(seconds, 2.0)
            print("%s missing on an unknown system: %s" % (leave_out[0], result.stderr.strip()))

    def test_each_system_installs_with_its_own_manager_and_names(self):
        user = {"id": 'echo 501'}
        no_root = ["sudo", "doas"]
        cases = [
            ("Debian", ["cmake"], {"apt-get": RECORD}, None,
             ["apt-get update -q", "apt-get install -q -y --no-install-recommends cmake"]),
            ("Fedora", ["cmake", "c++", "g++", "clang++"], {"dnf": RECORD}, None, ["dnf install -y gcc-c++ cmake"]),
            ("openSUSE", ["cmake"], {"zypper": RECORD}, None, ["zypper --non-interactive install cmake"]),
            ("Arch", ["cmake"], {"pacman": RECORD}, None, ["pacman -S --needed --noconfirm cmake"]),
            ("Alpine", ["cmake", "c++", "g++", "clang++"], {"apk": RECORD}, None, ["apk add build-base cmake"]),
            ("macOS", ["cmake"] + no_root, {"brew": RECORD, "uname": "echo Darwin", **user}, None,
             ["brew install cmake"]),
            ("FreeBSD", ["cmake", "make", "gmake", "ninja"], {"pkg": RECORD, "uname": "echo FreeBSD"}, None,
             ["pkg install -y gmake cmake"]),
            ("Termux", ["cmake"] + no_root, {"pkg": RECORD, **user}, {"TERMUX_VERSION": "0.118"},
             ["pkg install -y cmake"]),
        ]
        for system, leave_out, fakes, env, asked in cases:
            result, _ = self.run_play(leave_out, fakes, env)
            self.assertEqual(self.logged(), asked, system)
            # The fake installed nothing, which the command notices.
            self.assertEqual(result.returncode, 1, system)
            self.assertIn("still missing", result.stderr, system)

        # Where it cannot install, the line says how, and nothing is asked.
        cases = [
            ("Debian, no sudo", ["cmake"] + no_root, {"apt-get": RECORD, **user},
             "(as root: apt-get install cmake)"),
            ("macOS, no compiler", ["cmake", "c++", "g++", "clang++"] + no_root,
             {"brew": RECORD, "uname": "echo Darwin", **user},
             "(xcode-select --install; brew install cmake)"),
            ("FreeBSD, no doas or sudo", ["cmake"] + no_root,
             {"pkg": RECORD, "uname": "echo FreeBSD", **user}, "(as root: pkg install cmake)"),
        ]
        for system, leave_out, fakes, says in cases:
            result, _ = self.run_play(leave_out, fakes)
            self.assertEqual(self.logged(), [], system)
            self.assertEqual(result.returncode, 1, system)
            self.assertEqual(result.stderr.count("\n"), 1, result.stderr)
            self.assertTrue(result.stderr.strip().endswith(says), result.stderr)
            print("%s: %s" % (system, result.stderr.strip()))


if __name__ == "__main__":
    unittest.main()
