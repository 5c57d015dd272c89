"""Players over SSH on loopback, as a host serves them (tests/packaging/ssh_host.py):
for each count, that many `ssh -tt` clients arrive RATE a second, each
answering the terminal's questions as a terminal would, then pressing a key
every 250 ms (Down and Up on the menu) for SECONDS. Prints, per count: how
many reached the menu, the time to the menu (median and worst), the memory a
player costs (PSS of sshd's session processes and the game's, summed and
divided by the players), and the time from a key to its frame (median and
99th percentile). The clients run on the same machine and take their share
of its processors.
Run as root: it makes the players' account for the run and removes it after.
Usage: python3 bench/ssh_load.py GAME [COUNT...] [--rate R] [--seconds S]"""

import argparse
import os
import resource
import selectors
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../tests/packaging"))
from ssh_host import Host  # noqa: E402

kMenu = "게임 시작".encode()
kKeys = (b"\x1b[B", b"\x1b[A")


class Player:
    def __init__(self, host):
        self.client = subprocess.Popen(
            host.ssh("-tt") + [host.destination()], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL, bufsize=0)
        os.set_blocking(self.client.stdout.fileno(), False)
        self.started = time.monotonic()
        self.menu_at = None
        self.seen = b""
        self.key_at = None
        self.latencies = []

    def read(self, now):
        data = self.client.stdout.read()
        if data is None:  # nothing yet
            return True
        if not data:
            return False
        if b"\x1b[6n" in data:
            self.client.stdin.write(b"\x1b[1;2R")
        if self.menu_at is None:
            self.seen = (self.seen + data)[-4096:]
            if kMenu in self.seen:
                self.menu_at = now
        elif self.key_at is not None:
            self.latencies.append(now - self.key_at)
            self.key_at = None
        return True

    def press(self, key):
        self.key_at = time.monotonic()
        self.client.stdin.write(key)


def pss_kb(pids):
    total = 0
    for pid in pids:
        try:
            with open("/proc/%d/smaps_rollup" % pid) as f:
                total += sum(int(line.split()[1]) for line in f if line.startswith("Pss:"))
        except OSError:
            pass
    return total


def run(host, count, rate, seconds):
    players, selector = [], selectors.DefaultSelector()
    deadline = time.monotonic() + count / rate + 60
    next_arrival = time.monotonic()
    while time.monotonic() < deadline and sum(p.menu_at is not None for p in players) < count:
        now = time.monotonic()
        while len(players) < count and now >= next_arrival:
            player = Player(host)
            players.append(player)
            selector.register(player.client.stdout, selectors.EVENT_READ, player)
            next_arrival += 1 / rate
        for key, _ in selector.select(0.01):
            if not key.data.read(time.monotonic()):
                selector.unregister(key.fileobj)
    at_menu = [p for p in players if p.menu_at is not None]
    memory = pss_kb(host.sessions()) / max(1, len(at_menu))
    # Keys every 250 ms, each player at its own phase.
    end = time.monotonic() + seconds
    schedule = {p: time.monotonic() + (i % 25) / 100 for i, p in enumerate(at_menu)}
    presses = 0
    while time.monotonic() < end:
        now = time.monotonic()
        for player, due in schedule.items():
            if now >= due and player.key_at is None:
                player.press(kKeys[presses % 2])
                presses += 1
                schedule[player] = due + 0.25
        for key, _ in selector.select(0.005):
            if not key.data.read(time.monotonic()):
                selector.unregister(key.fileobj)
    latencies = sorted(l for p in at_menu for l in p.latencies)
    for player in players:
        try:
            player.client.stdin.write(b"\x1b[B\x1b[B\r")  # the menu's third entry: quit
            player.client.stdin.close()
        except OSError:
            pass
    leave_by = time.monotonic() + 30
    for player in players:
        try:
            player.client.wait(timeout=max(0.1, leave_by - time.monotonic()))
        except subprocess.TimeoutExpired:
            player.client.kill()
            player.client.wait()
    selector.close()
    to_menu = sorted(p.menu_at - p.started for p in at_menu)
    pct = lambda values, q: values[min(len(values) - 1, int(q * len(values)))] * 1000 if values else float("nan")
    print("| %d | %d | %.0f | %.0f | %.1f | %.1f | %.1f | %d |" % (
        count, len(at_menu), pct(to_menu, 0.5), pct(to_menu, 1.0), memory / 1024,
        pct(latencies, 0.5), pct(latencies, 0.99), len(latencies)), flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("game")
    parser.add_argument("counts", nargs="*", type=int, default=[25, 100, 250, 500, 1000])
    parser.add_argument("--rate", type=float, default=20)
    parser.add_argument("--seconds", type=float, default=20)
    args = parser.parse_args()
    hard = resource.getrlimit(resource.RLIMIT_NOFILE)[1]
    resource.setrlimit(resource.RLIMIT_NOFILE, (hard, hard))
    # The players' account as the README sets it up: /bin/sh as its shell,
    # which reads no start-up files before the game (bash run by sshd reads
    # ~/.bashrc, which on a developer's account may cost more than the game).
    user = "solbangul-load"
    subprocess.run(["useradd", "--system", "--password", "*", "--no-create-home", "--home-dir", "/nonexistent",
                    "--shell", "/bin/sh", user], check=True)
    try:
        # Room for every newcomer at once; the kit's own limits are for a
        # public host, where they come from many addresses.
        host = Host(os.path.abspath(args.game), more=("MaxStartups 1000:30:2000",), user=user)
    except BaseException:
        subprocess.run(["userdel", user])
        raise
    try:
        print("| players | at the menu | to the menu, median (ms) | worst (ms) | MB a player | "
              "key to frame, median (ms) | 99th percentile (ms) | keys |")
        print("|---:|---:|---:|---:|---:|---:|---:|---:|")
        for count in args.counts:
            run(host, count, args.rate, args.seconds)
    finally:
        host.stop()
        subprocess.run(["userdel", user])


if __name__ == "__main__":
    main()
