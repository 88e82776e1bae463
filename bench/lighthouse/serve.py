#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves a built page folder on 127.0.0.1 as a web host would: compressed
(gzip) where the browser accepts it, with the types the page's files need.

    serve.py FOLDER PORT_FILE

Listens on a free port of 127.0.0.1, writes the port to PORT_FILE and serves
until it is ended.
"""
import functools
import gzip
import http.server
import os
import sys

COMPRESSED = (".html", ".htm", ".js", ".css", ".json", ".map", ".webmanifest", ".wasm", ".bin")


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".webmanifest": "application/manifest+json", ".map": "application/json"}
    cache = {}

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        accepts = "gzip" in self.headers.get("Accept-Encoding", "")
        if not accepts or not path.endswith(COMPRESSED) or not os.path.isfile(path):
            return super().send_head()
        key = os.path.abspath(path)
        if key not in self.cache:
            self.cache[key] = compressed(key)
        body = self.cache[key]
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        # The hashed names never change their bytes; the page and its
        # service worker are asked for again.
        hashed = os.path.basename(path).count(".") >= 2
        self.send_header("Cache-Control", "max-age=31536000, immutable" if hashed else "no-cache")
        self.end_headers()
        return _Body(body)

    def log_message(self, *args):
        pass


class _Body:
    """What copyfile reads the compressed bytes from."""

    def __init__(self, data):
        self.data = data

    def read(self, size=-1):
        data, self.data = (self.data, b"") if size < 0 else (self.data[:size], self.data[size:])
        return data

    def close(self):
        pass


def compressed(path):
    with open(path, "rb") as f:
        return gzip.compress(f.read(), compresslevel=9)


def main():
    folder, port_file = sys.argv[1:3]
    # Every file is compressed before the port is told, as a host has its
    # files ready: compressing the program as the browser first asks for it
    # took this machine's processor from the page being measured.
    for base, _, names in os.walk(folder):
        for name in names:
            path = os.path.abspath(os.path.join(base, name))
            if path.endswith(COMPRESSED):
                Handler.cache[path] = compressed(path)
    handler = functools.partial(Handler, directory=folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler) as server:
        with open(port_file, "w") as f:
            f.write(str(server.server_address[1]))
        server.serve_forever()


if __name__ == "__main__":
    main()
