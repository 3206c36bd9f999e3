#!/usr/bin/env python3
"""Loopback stand-in for the maker's web site and advertisement server
(Python 3 standard library only).

    serve.py [--port-file PATH] [--idle-timeout S] [--seed demo|none] [--watch-pid PID]

Binds 127.0.0.1 on a free port, prints "port N" and, with --port-file, writes
N to that file. One server plays both hosts, so BRIVO_WEB_URL and BRIVO_AD_URL
may name the same address:

  /update/koltverinfo.htm    the update page ([VerInfo] build, NewGetUrl, [NewInfo])
  /news/koltinfo.htm         the news page ([Msg] MsgID, ShowAll, Url, FormWidth, FormHeight)
  /news/t808info.htm         its sibling page (same content)
  /news/msg.html             the message page
  /download.html             the download page
  /ad/ad1.php                the advertisement feed (JSON), any query
  /ad/pic/NAME.png           pictures: "RRGGBB_WxH.png" is a plain picture of
                             that colour and size; "banner.png" the demo banner
Every GET is counted and its query kept; anything else answers 404 with an
HTML body.

Control, all GET, for tests:
  /__page?path=P&body=B[&status=S][&type=T]
                             P answers B (percent-encoded bytes) from now on
  /__remove?path=P           P answers 404 from now on
  /__misbehave?path=P&mode=M[&count=N][&ms=T]
                             the next N (default 1, 0 = always) replies of P
                             ("*" = any) misbehave: notfound (404 with an HTML
                             body), garbage (random bytes), huge (24 MB),
                             slow (T ms, default 3000, before the reply),
                             hostile (server-chosen names and addresses that
                             point at the local machine)
  /__hits?path=P             GET requests of P since the last reset
  /__last?path=P             the raw query string of P's last request
  /__reset                   demo (or empty) content again, counters and switches cleared
  /__quit                    stops the server
It also stops after --idle-timeout seconds without a request, and when the
process --watch-pid names has ended.
"""

import argparse
import json
import os
import random
import struct
import sys
import threading
import time
import zlib
from http.server import BaseHTTPRequestHandler
from urllib.parse import parse_qs, unquote_to_bytes, urlsplit

sys.dont_write_bytecode = True  # no __pycache__ beside the sources
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import loopback_server  # noqa: E402

HUGE = 24 * 1024 * 1024
UPDATE = "/update/koltverinfo.htm"
NEWS = "/news/koltinfo.htm"
FEED = "/ad/ad1.php"


def png(width, height, pixel):
    """A PNG of RGBA rows; pixel(x, y) gives (r, g, b, a)."""
    rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")


def plain_png(name):
    """"RRGGBB_WxH.png" as a plain picture, or None for another name."""
    stem = name[:-4] if name.endswith(".png") else name
    colour, _, size = stem.partition("_")
    w, _, h = size.partition("x")
    try:
        rgb = bytes.fromhex(colour)
        w, h = int(w), int(h)
    except ValueError:
        return None
    if len(rgb) != 3 or not (0 < w <= 400 and 0 < h <= 400):
        return None
    return png(w, h, lambda x, y: (rgb[0], rgb[1], rgb[2], 255))


def demo_banner():
    """170 x 64: a blue band fading to teal with a white bar, the demo's picture."""
    def pixel(x, y):
        t = x / 169
        r, g, b = int(20 + 10 * t), int(90 + 80 * t), int(200 - 40 * t)
        if 20 <= y < 26 and 12 <= x < 158:
            return (255, 255, 255, 255)
        if 36 <= y < 40 and 12 <= x < 110:
            return (230, 240, 255, 255)
        return (r, g, b, 255)
    return png(170, 64, pixel)


def feed_text(obj):
    return json.dumps(obj).encode("ascii")


def demo_feed(base):
    """Code 1 with two groups: a kind-1 group (only its first one shows) and
    a group whose last advertisement is the one the banner keeps."""
    def ad(align, title, imgsrc, link, rect, colour="#FFFFFF", over="#FFD040", size=9):
        return {"align": align, "frame": 0, "title": title, "tips": title, "link": link, "imgsrc": imgsrc,
                "fontcolor": colour, "fontcolorover": over, "fontname": "Tahoma", "fontsize": size,
                "interval": 10, "life": 3600, "rect": {"left": rect[0], "top": rect[1], "right": rect[2],
                                                       "bottom": rect[3]}}
    return {"msg": 1, "adcheckurl": "", "adid": "demo-1", "adlang": "English", "adver": "3", "adrefresh": 86400,
            "adgroup": [
                {"kind": 1, "page": 0, "adinfo": [
                    ad(5, "Brivo tips", "", "https://www.brivosoft.com/tips.html", (4, 4, 166, 96)),
                    ad(5, "never shown: second of a kind-1 group", "", "https://www.brivosoft.com/", (4, 4, 166, 96)),
                ]},
                {"kind": 0, "page": 0, "adinfo": [
                    ad(1, "Keep your browsers fast", base + "/ad/pic/banner.png",
                       "https://www.brivosoft.com/tips.html", (0, 0, 170, 100)),
                ]},
            ]}


DEMO_UPDATE = ("[VerInfo]\r\nbuild=50\r\nNewGetUrl=https://www.brivosoft.com/download.html\r\n"
               "[NewInfo]\r\nFaster add-on lists\r\nEdge, Brave and Vivaldi\r\n")
DEMO_NEWS = "[Msg]\r\nMsgID=1\r\nShowAll=1\r\nUrl={base}/news/msg.html\r\nFormWidth=400\r\nFormHeight=300\r\n"
DEMO_MESSAGE = ("<html><body style='font-family:Tahoma;font-size:12px;background:#f4f8ff'>"
                "<h3>Brivo Plug-in Manager news</h3><p>Edge, Brave and Vivaldi are now listed beside the "
                "other browsers.</p></body></html>")


def hostile(path, base):
    """Replies whose names and addresses a careless client would turn
    against the local machine."""
    if path == UPDATE:
        return ("[VerInfo]\r\nbuild=9999\r\nNewGetUrl=C:\\Windows\\System32\\calc.exe\r\n").encode()
    if path in (NEWS, "/news/t808info.htm"):
        return ("[Msg]\r\nMsgID=99\r\nUrl=file:///C:/Windows/win.ini\r\n").encode()
    if path == FEED:
        def ad(align, title, imgsrc, link):
            return {"align": align, "frame": 0, "title": title, "tips": "", "link": link, "imgsrc": imgsrc,
                    "fontcolor": "#FF0000", "fontcolorover": "#00FF00", "fontname": "Tahoma", "fontsize": 9,
                    "interval": 0, "life": 0, "rect": {"left": 0, "top": 0, "right": 170, "bottom": 100}}
        return feed_text({"msg": 4, "adcheckurl": "", "adid": "x", "adlang": "", "adver": "1", "adrefresh": 1,
                          "adgroup": [{"kind": 0, "page": 0, "adinfo": [
                              ad(4, "a", base + "/ad/pic/..\\..\\..\\evil.png", "https://www.brivosoft.com/"),
                              ad(4, "b", base + "/ad/pic/C:\\evil.png", "https://www.brivosoft.com/"),
                              ad(4, "c", base + "/ad/pic/CON.png", "https://www.brivosoft.com/"),
                              ad(4, "d", base + "/ad/pic/" + "a" * 300 + ".png", "https://www.brivosoft.com/"),
                              ad(5, "Hostile link", "", "C:\\Windows\\System32\\calc.exe"),
                          ]}]})
    return None


class Page:
    def __init__(self, body, status=200, content_type="text/html"):
        self.body = body if isinstance(body, bytes) else body.encode("utf-8")
        self.status = status
        self.content_type = content_type


class Service:
    def __init__(self, seed):
        self.seed = seed
        self.lock = threading.Lock()
        self.base = ""
        self.reset()

    def reset(self):
        with self.lock:
            self.pages = {}
            self.hits = {}
            self.last = {}
            self.switches = {}
            if self.seed == "demo":
                self.pages[UPDATE] = Page(DEMO_UPDATE)
                news = DEMO_NEWS.format(base=self.base)
                self.pages[NEWS] = Page(news)
                self.pages["/news/t808info.htm"] = Page(news)
                self.pages["/news/msg.html"] = Page(DEMO_MESSAGE)
                self.pages["/download.html"] = Page("<html><body>Download Brivo Plug-in Manager</body></html>")
                self.pages[FEED] = Page(feed_text(demo_feed(self.base)), content_type="application/json")

    def take_switch(self, path):
        with self.lock:
            return loopback_server.take_switch(self.switches, path)

    def answer(self, path):
        if path.startswith("/ad/pic/"):
            name = unquote_to_bytes(path[len("/ad/pic/"):]).decode("latin-1")
            body = demo_banner() if name == "banner.png" else plain_png(name)
            if body is not None:
                return Page(body, content_type="image/png")
        with self.lock:
            page = self.pages.get(path)
        if page is None:
            return Page("<html><body><h1>404 Not Found</h1></body></html>", status=404)
        return page


def misbehave(switch, path, page, base):
    mode = switch["mode"]
    if mode == "notfound":
        return Page("<html><body><h1>404 Not Found</h1><p>build=99</p></body></html>", status=404)
    if mode == "garbage":
        return Page(bytes(random.randrange(1, 256) for _ in range(4096)), content_type="application/octet-stream")
    if mode == "huge":
        return Page(b"[VerInfo]\r\nbuild=99\r\n" + b"x" * HUGE, content_type="text/plain")
    if mode == "slow":
        time.sleep(switch["ms"] / 1000)
        return page
    if mode == "hostile":
        body = hostile(path, base)
        return Page(body) if body is not None else page
    return page


def control(service, server, path, query):
    def arg(name, default=""):
        return query.get(name, [default])[0]
    if path == "/__page":
        body = unquote_to_bytes(arg("body"))
        with service.lock:
            service.pages[arg("path")] = Page(body, int(arg("status", "200")), arg("type", "text/html"))
        return Page("ok", content_type="text/plain")
    if path == "/__remove":
        with service.lock:
            service.pages.pop(arg("path"), None)
        return Page("ok", content_type="text/plain")
    if path == "/__misbehave":
        with service.lock:
            service.switches[arg("path", "*")] = {"mode": arg("mode"), "count": int(arg("count", "1")),
                                                  "ms": int(arg("ms", "3000"))}
        return Page("ok", content_type="text/plain")
    if path == "/__hits":
        with service.lock:
            return Page(str(service.hits.get(arg("path"), 0)), content_type="text/plain")
    if path == "/__last":
        with service.lock:
            return Page(service.last.get(arg("path"), ""), content_type="text/plain")
    if path == "/__reset":
        service.reset()
        return Page("ok", content_type="text/plain")
    if path == "/__quit":
        threading.Thread(target=server.shutdown, daemon=True).start()
        return Page("bye", content_type="text/plain")
    return Page("no such control", status=404, content_type="text/plain")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        sys.stdout.write("%s %s\n" % (time.strftime("%H:%M:%S"), fmt % args))
        sys.stdout.flush()

    def reply(self, page):
        self.send_response(page.status)
        self.send_header("Content-Type", page.content_type)
        self.send_header("Content-Length", str(len(page.body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        try:
            self.wfile.write(page.body)
            self.wfile.flush()
        except (BrokenPipeError, ConnectionResetError):
            pass  # a client that stops reading a huge reply

    def do_GET(self):
        self.server.touch()
        service = self.server.service
        parts = urlsplit(self.path)
        if parts.path.startswith("/__"):
            self.reply(control(service, self.server, parts.path, parse_qs(parts.query, encoding="latin-1")))
            return
        with service.lock:
            service.hits[parts.path] = service.hits.get(parts.path, 0) + 1
            service.last[parts.path] = parts.query
        page = service.answer(parts.path)
        switch = service.take_switch(parts.path)
        if switch:
            page = misbehave(switch, parts.path, page, service.base)
        self.reply(page)


class Server(loopback_server.Server):
    def __init__(self, service):
        super().__init__(service, Handler)
        service.base = "http://127.0.0.1:%d" % self.server_address[1]
        service.reset()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file")
    parser.add_argument("--idle-timeout", type=float, default=300)
    parser.add_argument("--seed", choices=("none", "demo"), default="demo")
    parser.add_argument("--watch-pid", type=int, default=0)
    args = parser.parse_args()
    server = Server(Service(args.seed))
    loopback_server.serve(server, args.port_file, args.idle_timeout, args.watch_pid)


if __name__ == "__main__":
    sys.exit(main())
