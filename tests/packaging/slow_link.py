"""A slow network link for ssh's ProxyCommand: relays stdin to HOST:PORT and
back, every chunk held DELAY seconds each way, in order, so that a round trip
takes twice DELAY. Usage: slow_link.py HOST PORT DELAY"""

import os
import selectors
import socket
import sys
import time

host, port, delay = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
peer = socket.create_connection((host, port))
peer.setblocking(False)
stdin, stdout = sys.stdin.fileno(), sys.stdout.fileno()
os.set_blocking(stdin, False)
queues = {stdin: [], peer.fileno(): []}  # what was read there, with when it may go on
selector = selectors.DefaultSelector()
selector.register(stdin, selectors.EVENT_READ)
selector.register(peer, selectors.EVENT_READ)
ended = set()

while len(ended) < 2 or any(queues.values()):
    waits = [q[0][0] - time.monotonic() for q in queues.values() if q]
    for key, _ in selector.select(max(0, min(waits)) if waits else None):
        data = os.read(key.fd, 65536)
        if not data:
            selector.unregister(key.fd)
            ended.add(key.fd)
        queues[key.fd].append((time.monotonic() + delay, data))
    for source, queue in queues.items():
        while queue and queue[0][0] <= time.monotonic():
            _, data = queue.pop(0)
            if source == stdin:
                if data:
                    peer.setblocking(True)
                    peer.sendall(data)
                    peer.setblocking(False)
                else:
                    peer.shutdown(socket.SHUT_WR)
            elif data:
                os.set_blocking(stdout, True)
                while data:
                    data = data[os.write(stdout, data):]
            else:
                sys.exit(0)
