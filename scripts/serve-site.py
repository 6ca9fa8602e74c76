#!/usr/bin/env python3
"""Serves the web page's folder on 127.0.0.1 as a school's static server should: WebAssembly as
application/wasm, the manifest as application/manifest+json, and the page's security headers: the
Content-Security-Policy that index.html states itself, and that no other site may frame it.
Usage: serve-site.py FOLDER PORT"""
import functools
import html
import http.server
import pathlib
import re
import sys


def page_policy(folder):
    page = pathlib.Path(folder, "index.html").read_text(encoding="utf-8")
    found = re.search(r'<meta http-equiv="Content-Security-Policy" content="([^"]+)">', page)
    if not found:
        sys.exit("index.html states no Content-Security-Policy")
    return html.unescape(found.group(1)) + "; frame-ancestors 'none'"


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".webmanifest": "application/manifest+json",
        ".json": "application/json",
    }

    policy = ""

    def end_headers(self):
        self.send_header("Content-Security-Policy", self.policy)
        self.send_header("X-Content-Type-Options", "nosniff")
        self.send_header("Referrer-Policy", "no-referrer")
        # The service worker keeps the page offline; the server is asked again each time.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        pass


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    SiteHandler.policy = page_policy(folder)
    handler = functools.partial(SiteHandler, directory=folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"OrbelQuint in de browser: http://127.0.0.1:{server.server_address[1]}/", flush=True)
        server.serve_forever()


if __name__ == "__main__":
    main()
