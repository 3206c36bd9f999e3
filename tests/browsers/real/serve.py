#!/usr/bin/env python3
"""Loopback server of the real-browser probe (Python 3 standard library).

GET /probe.html?run=N  the probe page; its own script asks for /done?run=N
                       1.5 s after loading, when a content script has long run
GET /mark?run=N        sent by the probe extension's content script
GET /done?run=N        sent by the page itself
Every /mark and /done is appended to the log file as "mark N" or "done N".
"""
import argparse
import http.server
import os
import urllib.parse

PAGE = (b"<!DOCTYPE html><html><head><title>probe</title></head><body>probe"
        b"<script>setTimeout(function () { fetch('/done' + location.search); }, 1500);</script>"
        b"</body></html>")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--log", required=True)
    args = parser.parse_args()

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            url = urllib.parse.urlparse(self.path)
            run = urllib.parse.parse_qs(url.query).get("run", ["?"])[0]
            if url.path in ("/mark", "/done"):
                with open(args.log, "a") as log:
                    log.write("%s %s\n" % (url.path[1:], run))
                body, kind = b"ok", "text/plain"
            elif url.path == "/probe.html":
                body, kind = PAGE, "text/html"
            else:
                self.send_error(404)
                return
            self.send_response(200)
            self.send_header("Content-Type", kind)
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Cache-Control", "no-store")
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    tmp = args.port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(tmp, args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
