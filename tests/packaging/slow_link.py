"""A slow network link for ssh's ProxyCommand: relays stdin to HOST:PORT and
back, every chunk held DELAY seconds each way, in order, so that a round trip
takes twice DELAY. Usage: slow_link.py HOST PORT DELAY"""

import os
import queue
import socket
import sys
import threading
import time

host, port, delay = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
peer = socket.create_connection((host, port))


def relay(read, write, end):
    """What `read` gives, written DELAY later; `end` when it ends."""
    held = queue.Queue()

    def send():
        while True:
            due, data = held.get()
            time.sleep(max(0.0, due - time.monotonic()))
            if not data:
                return end()
            write(data)

    threading.Thread(target=send).start()
    while data := read():
        held.put((time.monotonic() + delay, data))
    held.put((time.monotonic() + delay, b""))


def to_stdout(data):
    while data:
        data = data[os.write(1, data):]


threading.Thread(target=relay, daemon=True, args=(
    lambda: os.read(0, 65536), peer.sendall, lambda: peer.shutdown(socket.SHUT_WR))).start()
relay(lambda: peer.recv(65536), to_stdout, lambda: os._exit(0))
