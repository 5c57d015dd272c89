#!/usr/bin/env python3
"""Instructions per key of the real program, counted by callgrind.

    python3 bench/instructions_per_key.py ./build/frontend/solbangul [--wide] [sessions]

Plays three sessions in a pseudo-terminal of 80x25 under valgrind's callgrind
and subtracts the first from the other two:
  start-up and quit:   up, Enter on the menu;
  marker moves:        41 moves down the menu, Enter on its third entry;
  whole session:       the rules and back, then a game played until its banner
                       and the key that ends it.
The game's deal follows the clock, so whole sessions differ from run to run:
the figure is taken over several (five unless told), all their instructions
over all their keys. The terminal answers the width probe as a narrow terminal
(box glyphs one column wide) or, with --wide, as a wide one.
"""

import os
import pty
import re
import select
import struct
import subprocess
import sys
import tempfile
import termios
import fcntl
import time

UP, DOWN, RIGHT = b"\x1b[A", b"\x1b[B", b"\x1b[C"
ENTER = b"\r"


def run(binary, keys, wide):
    """Runs the program under callgrind, typing keys until it ends; returns
    (instructions, keys typed)."""
    master, slave = pty.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 25, 80, 0, 0))
    log = tempfile.NamedTemporaryFile(suffix=".log", delete=False).name
    out = tempfile.NamedTemporaryFile(suffix=".out", delete=False).name
    env = dict(os.environ, TERM="xterm-256color", LANG="C.UTF-8")
    env.pop("LC_ALL", None)
    process = subprocess.Popen(
        ["valgrind", "--tool=callgrind", f"--log-file={log}", f"--callgrind-out-file={out}", binary],
        stdin=slave, stdout=slave, stderr=slave, env=env, close_fds=True)
    os.close(slave)

    def settle(quiet):
        """Reads output until none came for `quiet` seconds or the program ended."""
        seen = b""
        while True:
            ready, _, _ = select.select([master], [], [], quiet)
            if not ready:
                return seen, True
            try:
                chunk = os.read(master, 65536)
            except OSError:
                return seen, False
            if not chunk:
                return seen, False
            seen += chunk
            if b"\x1b[6n" in chunk:
                os.write(master, b"\x1b[1;3R" if wide else b"\x1b[1;2R")

    alive = True
    start = time.time()
    while alive and b"\x1b[?1049h" not in settle(0.5)[0] and time.time() - start < 60:
        pass
    settle(1.0)
    typed = 0
    for key in keys:
        if process.poll() is not None:
            break
        os.write(master, key)
        typed += 1
        _, alive = settle(0.25)
        if not alive:
            break
    process.wait(timeout=120)
    os.close(master)
    text = open(log).read()
    os.unlink(log)
    os.unlink(out)
    collected = re.search(r"Collected : (\d+)", text)
    return int(collected.group(1)), typed


def game_keys():
    """The rules and back, then a game: try to lay slots 1 to 5, draw, again."""
    yield from [DOWN, ENTER, b"x", ENTER]
    while True:
        for _ in range(5):
            yield ENTER
            yield RIGHT
        yield DOWN
        yield UP
        yield ENTER


def main():
    binary = sys.argv[1]
    wide = "--wide" in sys.argv
    counts = [int(arg) for arg in sys.argv[2:] if arg.isdigit()]
    sessions = counts[0] if counts else 5
    base, base_keys = run(binary, [UP, ENTER], wide)
    moves, moves_keys = run(binary, [DOWN] * 41 + [ENTER], wide)
    per_move = (moves - base) / (moves_keys - base_keys)
    instructions = keys = 0
    for _ in range(sessions):
        session, session_keys = run(binary, game_keys(), wide)
        instructions += session - base
        keys += session_keys - base_keys
        time.sleep(1.1)  # another second, another deal
    print(f"{'wide' if wide else 'narrow'}: start-up and quit {base:,} instructions; "
          f"marker move {per_move:,.0f} per key; whole sessions {instructions / keys:,.0f} "
          f"per key over {sessions} sessions, {keys} keys")


if __name__ == "__main__":
    main()
