#!/usr/bin/env python3
"""The local demo operator site: a login page at /vsm/login/, a server
choice that leads to a game address carrying client=1, and a game page.
Serves only on the loopback address; stops with Ctrl+C or SIGTERM."""
import functools
import http.server
import os
import sys

port = int(sys.argv[1]) if len(sys.argv) > 1 else 28080
site = os.path.join(os.path.dirname(os.path.abspath(__file__)), "site")
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=site)
http.server.ThreadingHTTPServer.allow_reuse_address = True
with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
    print(f"demo site on http://127.0.0.1:{port}/vsm/login/", flush=True)
    server.serve_forever()
