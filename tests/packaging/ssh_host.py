"""An sshd of its own on 127.0.0.1 at a free port, configured by the host
kit's fragment (packaging/ssh/solbangul-sshd.conf) for the user running it
and a command in the installed game's place. It touches no system service,
and nothing listens once it has stopped. The SSH tests and the load
benchmark use it."""

import getpass
import os
import shutil
import socket
import subprocess
import tempfile
import time

FRAGMENT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../packaging/ssh/solbangul-sshd.conf")


class NoRoot(Exception):
    """Neither root nor a sudo that asks no password: sshd cannot give a
    player a terminal."""


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Host:
    """sshd with the fragment, and `game` in place of the installed one."""

    def __init__(self, game, more=(), user=None, changes=()):
        # sshd gives a player a terminal only as root (it must hand the
        # pseudo-terminal to the player's account): through sudo where the
        # caller is not root and may use it without a password.
        as_root = [] if os.getuid() == 0 else ["sudo", "-n"]
        if as_root and not (shutil.which("sudo") and subprocess.run(as_root + ["true"], capture_output=True).returncode == 0):
            raise NoRoot()
        self.game = game
        self.user = user or getpass.getuser()
        self.dir = tempfile.mkdtemp(prefix="sol-ssh-")
        os.chmod(self.dir, 0o755)  # sshd reads authorized_keys as the player; the private keys stay 0600
        self.port = free_port()
        for key in ("host_key", "player_key"):
            subprocess.run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", self.file(key)], check=True)
        os.rename(self.file("player_key.pub"), self.file("authorized_keys"))
        with open(FRAGMENT) as f:
            kit = f.read()
        for line, changed in changes:  # (the kit's line, what replaces it)
            kit = kit.replace(line, changed)
        # Lines that must override the kit's own host-wide ones go after
        # them: for MaxStartups and PerSourceMaxStartups the last one counts.
        overrides = ["PerSourceMaxStartups none", *more]  # the players come from one address here
        kit = kit.replace("Match User play", "\n".join(overrides) + "\nMatch User %s" % self.user)
        kit = kit.replace("ForceCommand /usr/games/solbangul", "ForceCommand %s" % game)
        # What a test host needs besides the kit: its own address, key and
        # files, PAM as a host has it (without, sshd refuses an account whose
        # password is locked, as a new user's is), and sftp offered, so that
        # only the kit's ForceCommand keeps it away.
        own = [
            "ListenAddress 127.0.0.1:%d" % self.port,
            "HostKey %s" % self.file("host_key"),
            "PidFile %s" % self.file("sshd.pid"),
            "AuthorizedKeysFile %s" % self.file("authorized_keys"),
            "StrictModes no",
            "UsePAM yes",
            "PermitRootLogin prohibit-password",
            "Subsystem sftp internal-sftp",
        ]
        with open(self.file("sshd_config"), "w") as f:
            f.write("\n".join(own) + "\n" + kit)
        subprocess.run(as_root + ["mkdir", "-p", "/run/sshd"], check=True)  # privilege separation
        self.log = open(self.file("sshd.log"), "w")
        self.sshd = subprocess.Popen(
            as_root + ["/usr/sbin/sshd", "-D", "-e", "-f", self.file("sshd_config")], stderr=self.log)
        for _ in range(200):
            try:
                socket.create_connection(("127.0.0.1", self.port)).close()
                break
            except ConnectionRefusedError:
                assert self.sshd.poll() is None, open(self.file("sshd.log")).read()
                time.sleep(0.02)

    def file(self, name):
        return os.path.join(self.dir, name)

    def ssh(self, *options):
        """The client's command line, options before the destination."""
        return ["ssh", "-F", "/dev/null", "-i", self.file("player_key"), "-p", str(self.port),
                "-o", "StrictHostKeyChecking=no", "-o", "UserKnownHostsFile=/dev/null",
                "-o", "BatchMode=yes", "-o", "LogLevel=ERROR", *options]

    def destination(self):
        return "%s@127.0.0.1" % self.user

    def sessions(self):
        """The processes under sshd: its session processes, and the games."""
        children = {}
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open("/proc/%s/stat" % pid) as f:
                    children.setdefault(int(f.read().rsplit(")", 1)[1].split()[1]), []).append(int(pid))
            except OSError:
                pass  # gone meanwhile
        found, queue = [], list(children.get(self.sshd.pid, []))
        while queue:
            found.append(queue.pop())
            queue.extend(children.get(found[-1], []))
        return found

    def games(self):
        """The game processes of this host's sessions."""
        def runs_game(pid):
            try:
                return os.readlink("/proc/%d/exe" % pid) == self.game
            except OSError:
                return False  # gone meanwhile
        return list(filter(runs_game, self.sessions()))

    def stop(self):
        self.sshd.terminate()
        self.sshd.wait()
        self.log.close()
        with socket.socket() as s:
            assert s.connect_ex(("127.0.0.1", self.port)) != 0, "sshd still listens"
        subprocess.run(["rm", "-rf", self.dir])
