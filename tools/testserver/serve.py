#!/usr/bin/env python3
"""Loopback HTTP server for the tests of the web fetches (standard library only).

    serve.py [--port-file PATH] [--idle-timeout SECONDS]

Binds 127.0.0.1 on a free port, prints "port N" on stdout and, with
--port-file, writes N to that file (complete once it exists). It stops on
GET /__quit, or by itself after --idle-timeout seconds without a request so
that a test that dies never leaves it behind.

Routes are plain functions registered with @route(path); each gets the
request handler and returns a Reply. Routes of later services (the rating
service's POST operations) are added the same way with @route(path, "POST").
Every request is counted per path; GET /__hits?path=/x answers the count.
"""

import argparse
import base64
import os
import struct
import sys
import threading
import time
import zlib
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit

sys.dont_write_bytecode = True  # no __pycache__ beside the sources
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import loopback_server  # noqa: E402


class Reply:
    def __init__(self, body=b"", status=200, content_type="text/html", headers=None,
                 declared_length=None):
        self.body = body.encode("utf-8") if isinstance(body, str) else body
        self.status = status
        self.content_type = content_type
        self.headers = dict(headers or {})
        # A Content-Length other than the body's, to cut an answer short.
        self.declared_length = declared_length


ROUTES = {}


def route(path, method="GET"):
    def register(handler):
        ROUTES[(method, path)] = handler
        return handler
    return register


def png_file(width, height, rows):
    """An RGBA PNG of the given filtered rows (each a filter byte and the pixels)."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows)) +
            chunk(b"IEND", b""))


def png(width, height, rgba):
    """An RGBA PNG of one colour."""
    return png_file(width, height, (b"\x00" + bytes(rgba) * width) * height)


def noise_png(side):
    """A square of random pixels: its PNG stays about as large as the pixels."""
    return png_file(side, side, b"".join(b"\x00" + os.urandom(side * 4) for _ in range(side)))


# An 8x8 baseline JPEG of one colour (made once with an image tool).
JPEG = base64.b64decode(
    "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAYEBQYFBAYGBQYHBwYIChAKCgkJChQODwwQFxQYGBcUFhYaHSUf"
    "GhsjHBYWICwgIyYnKSopGR8tMC0oMCUoKSj/2wBDAQcHBwoIChMKChMoGhYaKCgoKCgoKCgoKCgoKCgoKCgo"
    "KCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCgoKCj/wAARCAAIAAgDASIAAhEBAxEB/8QAFQABAQAAAAAA"
    "AAAAAAAAAAAAAAb/xAAUEAEAAAAAAAAAAAAAAAAAAAAA/8QAFQEBAQAAAAAAAAAAAAAAAAAABgf/xAAUEQEA"
    "AAAAAAAAAAAAAAAAAAAA/9oADAMBAAIRAxEAPwCXAUUYf//Z")

PAGE = "<html><body><p>Brivo test page</p></body></html>\n"
RED_PNG = png(16, 16, (255, 0, 0, 255))
BLUE_PNG = png(32, 24, (0, 0, 255, 128))
CACHE_FOR_AN_HOUR = {"Cache-Control": "public, max-age=3600"}

HITS = {}
HITS_LOCK = threading.Lock()


@route("/page.html")
def page(request):
    return Reply(PAGE)


@route("/update.htm")
def update_page(request):
    return Reply("[VerInfo]\r\nbuild=0x33\r\nNewGetUrl=http://127.0.0.1/get.html\r\n"
                 "[NewInfo]\r\nFaster start\r\nFixed: crash = gone\r\n", content_type="text/plain")


@route("/utf8.html")
def utf8_page(request):
    return Reply("Caf\u00e9 \u00fcber", content_type="text/html; charset=utf-8")


@route("/zero.html")
def zero_byte_page(request):
    return Reply(b"before\x00after")


@route("/missing.html")
def not_found(request):
    return Reply("<html><body>404 Not Found</body></html>", status=404)


@route("/missing.png")
def picture_not_found(request):
    return Reply("<html><body>no such picture</body></html>", status=404)


@route("/empty")
def empty(request):
    return Reply(b"", content_type="application/octet-stream")


@route("/redirect")
def redirect(request):
    return Reply("moved", status=302, headers={"Location": "/page.html"})


@route("/redirect.png")
def redirect_to_picture(request):
    return Reply("moved", status=301, headers={"Location": "/red.png"})


@route("/slow")
def slow(request):
    time.sleep(float(request.query.get("ms", ["1500"])[0]) / 1000)
    return Reply("slow answer")


@route("/slow.png")
def slow_picture(request):
    time.sleep(float(request.query.get("ms", ["1500"])[0]) / 1000)
    return Reply(RED_PNG, content_type="image/png")


@route("/huge")
def huge_page(request):
    # Just over the text limit (4 MB), or `mb` megabytes.
    size = int(float(request.query.get("mb", ["4.01"])[0]) * 1024 * 1024)
    return Reply(b"[VerInfo]\r\nbuild=99\r\n" + b"x" * size, content_type="text/plain")


@route("/huge.png")
def huge_picture(request):
    # A real picture followed by padding past the picture limit (2 MB).
    return Reply(RED_PNG + b"\0" * (2 * 1024 * 1024), content_type="image/png")


@route("/red.png")
def red_picture(request):
    return Reply(RED_PNG, content_type="image/png")


@route("/blue.png")
def blue_picture(request):
    return Reply(BLUE_PNG, content_type="image/png")


@route("/noise.png")
def noise_picture(request):
    side = max(1, min(1024, int(request.query.get("side", ["200"])[0])))
    return Reply(noise_png(side), content_type="image/png")


@route("/photo.jpg")
def jpeg(request):
    return Reply(JPEG, content_type="image/jpeg")


@route("/jpeg.png")
def jpeg_named_png(request):
    return Reply(JPEG, content_type="image/png")


@route("/truncated.png")
def truncated_picture(request):
    return Reply(RED_PNG[:40], content_type="image/png", declared_length=len(RED_PNG))


@route("/count")
def count(request):
    """Says how often it was asked; the answer may be cached for an hour."""
    return Reply("hit %d" % HITS.get("/count", 0), headers=CACHE_FOR_AN_HOUR)


@route("/cached.png")
def cacheable_picture(request):
    return Reply(BLUE_PNG, content_type="image/png", headers=CACHE_FOR_AN_HOUR)


@route("/headers")
def echo_headers(request):
    return Reply("".join("%s: %s\n" % item for item in request.headers.items()),
                 content_type="text/plain")


@route("/__hits")
def hits(request):
    path = request.query.get("path", [""])[0]
    with HITS_LOCK:
        return Reply(str(HITS.get(path, 0)), content_type="text/plain",
                     headers={"Cache-Control": "no-store"})


@route("/__quit")
def quit_server(request):
    threading.Thread(target=request.server.shutdown, daemon=True).start()
    return Reply("bye", content_type="text/plain")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):
        pass

    def serve(self, method):
        self.server.last_request = time.monotonic()
        parts = urlsplit(self.path)
        self.query = parse_qs(parts.query)
        if parts.path != "/__hits":
            with HITS_LOCK:
                HITS[parts.path] = HITS.get(parts.path, 0) + 1
        length = int(self.headers.get("Content-Length") or 0)
        self.body = self.rfile.read(length) if length else b""
        handler = ROUTES.get((method, parts.path))
        reply = handler(self) if handler else Reply("<html>no route</html>", status=404)
        self.send_response(reply.status)
        self.send_header("Content-Type", reply.content_type)
        declared = reply.declared_length
        self.send_header("Content-Length", str(len(reply.body) if declared is None else declared))
        for name, value in reply.headers.items():
            self.send_header(name, value)
        if declared is not None:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()
        self.wfile.write(reply.body)
        self.wfile.flush()

    def do_GET(self):
        self.serve("GET")

    def do_POST(self):
        self.serve("POST")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file")
    parser.add_argument("--idle-timeout", type=float, default=300)
    args = parser.parse_args()

    # Tests start hundreds of downloads at once; the default backlog of 5
    # would refuse most of their connections.
    ThreadingHTTPServer.request_queue_size = 1024
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    loopback_server.serve(server, args.port_file, args.idle_timeout)


if __name__ == "__main__":
    sys.exit(main())
