"""Stands where the shell would after a program: waits SECONDS on the
terminal, then writes to FILE every byte the terminal sent meanwhile (none,
unless an answer meant for the program came too late for it).
Usage: shell_leftover.py FILE SECONDS"""

import os
import sys
import termios
import time

path, seconds = sys.argv[1], float(sys.argv[2])
saved = termios.tcgetattr(0)
raw = termios.tcgetattr(0)
raw[3] &= ~(termios.ICANON | termios.ECHO)
raw[6][termios.VMIN], raw[6][termios.VTIME] = 0, 0
termios.tcsetattr(0, termios.TCSANOW, raw)
time.sleep(seconds)
left = b""
while chunk := os.read(0, 4096):
    left += chunk
termios.tcsetattr(0, termios.TCSANOW, saved)
with open(path, "w") as f:
    f.write(repr(left))
