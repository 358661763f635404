#!/usr/bin/env python3
"""A WHOIS server on 127.0.0.1 for trying Quillon without the internet.

The names given and those that start with "free" are unregistered; every other name is
registered. Prints the port it listens on, then answers queries until it is stopped or SECONDS
have passed (default 120).

    whois-test-server.py [SECONDS [FREE-NAME...]]
"""

import socketserver
import sys
import threading

FREE = b"No match for domain \"%s\".\r\n"
TAKEN = (b"Domain Name: %s\r\n"
         b"Registrar: Example Registrar, Inc.\r\n"
         b"Creation Date: 2001-01-01T00:00:00Z\r\n"
         b"Registry Expiry Date: 2031-01-01T00:00:00Z\r\n"
         b"Name Server: NS1.EXAMPLE.NET\r\n")


class WhoisHandler(socketserver.StreamRequestHandler):
    timeout = 10

    free_names = set()

    def handle(self):
        name = self.rfile.readline(256).strip().lower()
        free = name.startswith(b"free") or name in self.free_names
        self.wfile.write((FREE if free else TAKEN) % name.upper())


def main():
    lifetime = float(sys.argv[1]) if len(sys.argv) > 1 else 120.0
    WhoisHandler.free_names = {name.lower().encode() for name in sys.argv[2:]}
    socketserver.ThreadingTCPServer.daemon_threads = True
    with socketserver.ThreadingTCPServer(("127.0.0.1", 0), WhoisHandler) as server:
        print(server.server_address[1], flush=True)
        threading.Timer(lifetime, server.shutdown).start()
        server.serve_forever()


if __name__ == "__main__":
    main()
