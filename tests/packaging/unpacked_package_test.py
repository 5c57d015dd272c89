"""The Debian package unpacked as dpkg would lay it out, and its game played.

Usage (with tests/e2e on PYTHONPATH, for the tmux harness): unpacked_package_test.py <.deb> <version>
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from tmux_pane import Pane

DEB, VERSION = sys.argv.pop(1), sys.argv.pop(1)


class UnpackedPackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.root = tempfile.mkdtemp(prefix="sol-deb-")
        cls.addClassCleanup(shutil.rmtree, cls.root, ignore_errors=True)
        subprocess.run(["dpkg-deb", "-x", DEB, cls.root], check=True)

    def test_files_where_debian_expects_them(self):
        files = set()
        for folder, _, names in os.walk(self.root):
            files.update(os.path.relpath(os.path.join(folder, n), self.root) for n in names)
        self.assertEqual(files, {
            "usr/games/solbangul",
            "usr/share/man/man6/solbangul.6.gz",
            "usr/share/man/ko/man6/solbangul.6.gz",
            "usr/share/doc/solbangul/copyright",
            "usr/share/doc/solbangul/changelog.gz",
            "usr/share/doc/solbangul/examples/solbangul-sshd.conf",
        })
        fields = subprocess.run(["dpkg-deb", "-f", DEB, "Version", "Section", "Depends"],
                                check=True, capture_output=True, text=True).stdout
        self.assertIn("Version: %s\n" % VERSION, fields)
        self.assertIn("Section: games\n", fields)
        self.assertIn("libstdc++6", fields, "dependencies computed from the binary")

    def test_unpacked_game_plays_its_menu_and_quits_with_status_zero(self):
        pane = Pane(self.root + "/usr/games/solbangul")
        self.addCleanup(pane.close)
        pane.wait_for(lambda: "< 메 뉴 >" in pane.screen(), "the menu")
        self.assertIn(" v%s " % VERSION, pane.screen().split("\n")[2])
        pane.keys("Down", "Down", "Enter")
        self.assertEqual(pane.exit_status(), 0)
        self.assertTrue(pane.terminal_restored())


if __name__ == "__main__":
    unittest.main()
