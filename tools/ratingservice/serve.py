#!/usr/bin/env python3
"""Loopback stand-in for the rating service (Python 3 standard library only).

    serve.py [--port-file PATH] [--idle-timeout S] [--db PATH] [--seed demo]
             [--page-size N] [--key-lifetime S] [--watch-pid PID]

Binds 127.0.0.1 on a free port, prints "port N" and, with --port-file, writes
N to that file. Every operation is a POST to /plugin/index.php?to=<name> with
form fields, answered as the client expects: JSON objects (ASCII, other
characters as \\u escapes) and, for get_plugs_rating, lines "name=value".
Data lives in SQLite (in memory unless --db names a file).

Operations: get_captcha (keys that expire after --key-lifetime seconds),
get_plugs_rating, get_plug_info, add_plug, get_comments (pages of
--page-size, "start_id" is the number of reviews the client has, sort "0"
most useful first, "1" newest first), add_comment (once per client and
add-on), add_comment_ratings (a like or dislike once, a report once, per
client and review). A request without a valid key gets code 0.

Control, all GET, for tests and the benchmark:
  /__hits?op=NAME            requests of an operation since the last reset
  /__last?op=NAME&part=P     the last request of it: body, headers or version
  /__reset                   seed data again; counters, keys and switches cleared
  /__misbehave?op=NAME&mode=M[&count=N][&ms=T]
                             the next N (default 1, 0 = always) replies of the
                             operation ("*" = any) misbehave: garbage, code0,
                             json, slow, redirect, error500, bom, trailing
  /__canned?op=NAME&body=B[&count=N][&ms=T]
                             the next replies are exactly B (percent-encoded
                             bytes), after T ms
  /__plug?browser_id=&plug_id=&name=&scores=5,4&likes=
                             adds an add-on with reviews of those scores
  /__comment?browser_id=&plug_id=&nickname=&content=&score=&date=&likes=
                             adds one review (UTF-8, any characters) to an
                             add-on, which is added when unknown; its id
  /__generate?browser_id=&prefix=&count=N
                             adds N add-ons prefix0 .. prefixN-1 with reviews
  /__expire_keys             every key issued so far expires now
  /__quit                    stops the server
It also stops after --idle-timeout seconds without a request, and when the
process --watch-pid names has ended.
"""

import argparse
import json
import os
import random
import secrets
import sqlite3
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler
from urllib.parse import parse_qs, urlsplit

sys.dont_write_bytecode = True  # no __pycache__ beside the sources
import demo_seed  # noqa: E402
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import loopback_server  # noqa: E402

SCHEMA = """
create table plugs (sid integer primary key, browser_id integer, plug_id text, name text,
                    introduction text);
create unique index plugs_by_id on plugs (browser_id, plug_id collate nocase);
create table comments (id integer primary key, sid integer, nickname text, content text,
                       score integer, date text, ver text, client text,
                       likes integer default 0, dislikes integer default 0, reports integer default 0);
create table judgements (comment_id integer, client text, kind text,
                         primary key (comment_id, client, kind));
create table keys (key text primary key, expires real);
"""


class Reply:
    def __init__(self, body=b"", status=200, content_type="application/json", headers=None):
        self.body = body.encode("utf-8") if isinstance(body, str) else body
        self.status = status
        self.content_type = content_type
        self.headers = dict(headers or {})


def js(obj):
    return Reply(json.dumps(obj, ensure_ascii=True, separators=(",", ":")))


def average_text(value):
    return ("%.2f" % value).rstrip("0").rstrip(".")


class Service:
    def __init__(self, db_path, seed, page_size, key_lifetime):
        self.lock = threading.RLock()
        self.db_path = db_path
        self.seed = seed
        self.page_size = page_size
        self.key_lifetime = key_lifetime
        self.db = None
        self.reset()

    # -- state -------------------------------------------------------------
    def reset(self):
        with self.lock:
            if self.db is not None:
                self.db.close()
            if self.db_path != ":memory:" and os.path.exists(self.db_path):
                os.remove(self.db_path)
            self.db = sqlite3.connect(self.db_path, check_same_thread=False)
            self.db.executescript(SCHEMA)
            self.hits = {}
            self.last = {}
            self.switches = {}
            if self.seed == "demo":
                for browser_id, plug_id, name in demo_seed.ADDONS:
                    sid = self.insert_plug(browser_id, plug_id, name, "")
                    for n, (nick, content, score, date) in enumerate(demo_seed.reviews_for(plug_id)):
                        self.insert_comment(sid, nick, content, score, date, "1.0", "seed-%d" % n,
                                            likes=(score * 7 + n) % 5)
            self.db.commit()

    def insert_plug(self, browser_id, plug_id, name, introduction):
        cur = self.db.execute("insert or ignore into plugs (browser_id, plug_id, name, introduction) "
                              "values (?, ?, ?, ?)", (browser_id, plug_id, name, introduction))
        if cur.rowcount:
            return cur.lastrowid
        return self.find_plug(browser_id, plug_id)[0]

    def insert_comment(self, sid, nickname, content, score, date, ver, client, likes=0):
        cur = self.db.execute("insert into comments (sid, nickname, content, score, date, ver, client, likes) "
                              "values (?, ?, ?, ?, ?, ?, ?, ?)",
                              (sid, nickname, content, score, date, ver, client, likes))
        return cur.lastrowid

    def find_plug(self, browser_id, plug_id):
        return self.db.execute("select sid, plug_id from plugs where browser_id = ? and plug_id = ? "
                               "collate nocase", (browser_id, plug_id)).fetchone()

    def plug_info(self, sid):
        counts = {str(n): 0 for n in range(1, 6)}
        total = 0
        for score, count in self.db.execute("select score, count(*) from comments where sid = ? "
                                            "group by score", (sid,)):
            if 1 <= score <= 5:
                counts[str(score)] = count
                total += score * count
        reviews = sum(counts.values())
        average = round(total / reviews, 2) if reviews else 0
        return {"msg": 1, "id": sid, "ratings_average": average, "ratings_cache": counts}

    def key_valid(self, key):
        row = self.db.execute("select expires from keys where key = ?", (key,)).fetchone()
        return bool(key) and row is not None and row[0] > time.time()

    # -- operations ----------------------------------------------------------
    def get_captcha(self, form, client):
        key = secrets.token_hex(8)
        self.db.execute("insert into keys values (?, ?)", (key, time.time() + self.key_lifetime))
        return js({"msg": 13, "key": key})

    def get_plugs_rating(self, form, client):
        text = form.get("plug_ids_json", "")
        try:
            ids = json.loads(text)
            if not isinstance(ids, list):
                raise ValueError
        except ValueError:
            # The client writes the ids without escaping them.
            inner = text.strip()[1:-1] if text.strip().startswith("[") else text
            ids = [part.strip().strip('"') for part in inner.split('","')] if inner else []
        browser_id = int_field(form, "browser_id")
        # One pass over the browser's add-ons; names match as plugs_by_id does
        # (letter case of ASCII aside).
        known = {}
        for plug_id, total, reviews in self.db.execute(
                "select p.plug_id, coalesce(sum(c.score), 0), count(c.id) from plugs p "
                "left join comments c on c.sid = p.sid and c.score between 1 and 5 "
                "where p.browser_id = ? group by p.sid", (browser_id,)):
            known.setdefault(ascii_lower(plug_id), (plug_id, total, reviews))
        lines = ["msg=9"]
        for plug_id in ids:
            found = known.get(ascii_lower(str(plug_id)))
            if found is None:
                continue
            name, total, reviews = found
            average = round(total / reviews, 2) if reviews else 0
            lines.append("%s=%s,%d" % (name, average_text(average), reviews))
        return Reply("\r\n".join(lines) + "\r\n", content_type="text/plain; charset=utf-8")

    def get_plug_info(self, form, client):
        plug = self.find_plug(int_field(form, "browser_id"), form.get("plug_id", ""))
        return js(self.plug_info(plug[0])) if plug else js({"msg": 2})

    def add_plug(self, form, client):
        sid = self.insert_plug(int_field(form, "browser_id"), form.get("plug_id", ""),
                               form.get("name", ""), form.get("introduction", ""))
        return js(self.plug_info(sid))

    def get_comments(self, form, client):
        sid = int_field(form, "plug_id")
        start = max(0, int_field(form, "start_id"))
        order = ("likes - dislikes desc, id asc" if form.get("sort_type", "0") != "1"
                 else "date desc, id desc")
        rows = self.db.execute("select id, nickname, content, score, date from comments where sid = ? "
                               "order by " + order + " limit ? offset ?",
                               (sid, self.page_size + 1, start)).fetchall()
        more = len(rows) > self.page_size
        comments = [{"id": r[0], "nickname": r[1], "content": r[2], "score": r[3], "date": r[4]}
                    for r in rows[:self.page_size]]
        return js({"msg": 6 if more else 5, "comment": comments})

    def add_comment(self, form, client):
        sid = int_field(form, "plug_id")
        score = int_field(form, "score")
        if self.db.execute("select 1 from plugs where sid = ?", (sid,)).fetchone() is None or \
                not 1 <= score <= 5:
            return js({"msg": 3})
        if self.db.execute("select 1 from comments where sid = ? and client = ?", (sid, client)).fetchone():
            return js({"msg": 11})
        c_id = self.insert_comment(sid, form.get("nickname", ""), form.get("content", ""), score,
                                   time.strftime("%Y-%m-%d"), form.get("ver", ""), client)
        return js({"msg": 4, "c_id": c_id})

    def add_comment_ratings(self, form, client):
        comment_id = int_field(form, "comment_id")
        score = form.get("score", "")
        if score not in ("0", "1", "2") or \
                self.db.execute("select 1 from comments where id = ?", (comment_id,)).fetchone() is None:
            return js({"msg": 0})
        kind = "report" if score == "2" else "judge"
        cur = self.db.execute("insert or ignore into judgements values (?, ?, ?)", (comment_id, client, kind))
        if not cur.rowcount:
            return js({"msg": 12 if kind == "report" else 10})
        column = {"0": "dislikes", "1": "likes", "2": "reports"}[score]
        self.db.execute("update comments set %s = %s + 1 where id = ?" % (column, column), (comment_id,))
        return js({"msg": 7 if kind == "report" else 8})

    OPERATIONS = ("get_captcha", "get_plugs_rating", "get_plug_info", "add_plug", "get_comments",
                  "add_comment", "add_comment_ratings")

    def answer(self, op, form, client):
        with self.lock:
            if op not in self.OPERATIONS:
                return js({"msg": 0})
            if op != "get_captcha" and not self.key_valid(form.get("key", "")):
                reply = Reply("msg=0\r\n", content_type="text/plain") if op == "get_plugs_rating" \
                    else js({"msg": 0})
            else:
                reply = getattr(self, op)(form, client)
            self.db.commit()
            return reply

    # -- misbehaviour ----------------------------------------------------------
    def take_switch(self, op):
        with self.lock:
            return loopback_server.take_switch(self.switches, op)


ASCII_LOWER = str.maketrans("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz")


def ascii_lower(text):
    return text.translate(ASCII_LOWER)


def int_field(form, name):
    try:
        return int(form.get(name, "0"))
    except ValueError:
        return 0


def misbehave(switch, op, reply, path):
    mode = switch["mode"]
    lines = op == "get_plugs_rating"
    if mode == "canned":
        time.sleep(switch["delay"] / 1000.0)
        return Reply(switch["body"], content_type="text/plain")
    if mode == "garbage":
        return Reply("<html><body>Service temporarily unavailable</body></html>", content_type="text/html")
    if mode == "code0":
        return Reply("msg=0\r\n", content_type="text/plain") if lines else js({"msg": 0})
    if mode == "json":
        return js({"msg": 9, "ratings": {}})
    if mode == "slow":
        time.sleep(switch["ms"] / 1000.0)
        return reply
    if mode == "redirect":
        return Reply("moved", status=302, content_type="text/plain", headers={"Location": path})
    if mode == "error500":
        reply.status = 500
        return reply
    if mode == "bom":
        reply.body = b"\xef\xbb\xbfWarning: mysql_connect() is deprecated in index.php on line 3\r\n" + reply.body
        return reply
    if mode == "trailing":
        reply.body += b"\r\n<!-- served in 0.002 s -->\r\n"
        return reply
    return reply


def control(service, server, path, query):
    # The query is read as Latin-1 so that canned bodies keep their bytes;
    # the other values are UTF-8 text.
    arg = lambda name, default="": query.get(name, [default])[0].encode("latin-1").decode("utf-8", "replace")
    with service.lock:
        if path == "/__hits":
            return Reply(str(service.hits.get(arg("op"), 0)), content_type="text/plain")
        if path == "/__last":
            last = service.last.get(arg("op"))
            if last is None:
                return Reply(b"", status=404, content_type="text/plain")
            return Reply(last[arg("part", "body")], content_type="application/octet-stream")
        if path == "/__reset":
            service.reset()
            return Reply("ok", content_type="text/plain")
        if path in ("/__misbehave", "/__canned"):
            mode = "canned" if path == "/__canned" else arg("mode")
            body = query.get("body", [""])[0].encode("latin-1")
            service.switches[arg("op")] = {"mode": mode, "count": int(arg("count", "1")),
                                           "ms": float(arg("ms", "6000")), "body": body,
                                           "delay": float(arg("ms", "0"))}
            return Reply("ok", content_type="text/plain")
        if path == "/__plug":
            sid = service.insert_plug(int(arg("browser_id", "1")), arg("plug_id"), arg("name"), "")
            likes = [int(x) for x in arg("likes").split(",") if x]
            for n, score in enumerate(int(x) for x in arg("scores").split(",") if x):
                service.insert_comment(sid, "reviewer %d" % n, "review %d" % n, score,
                                       "2026-%02d-01" % (1 + n % 12), "1.0", "seed-%d" % n,
                                       likes=likes[n] if n < len(likes) else 0)
            service.db.commit()
            return Reply(str(sid), content_type="text/plain")
        if path == "/__comment":
            sid = service.insert_plug(int(arg("browser_id", "1")), arg("plug_id"), arg("name"), "")
            c_id = service.insert_comment(sid, arg("nickname"), arg("content"), int(arg("score", "5")),
                                          arg("date", "2026-01-01"), "1.0", "seed-comment",
                                          likes=int(arg("likes", "0")))
            service.db.commit()
            return Reply(str(c_id), content_type="text/plain")
        if path == "/__generate":
            rng = random.Random(7)
            browser_id = int(arg("browser_id", "1"))
            for i in range(int(arg("count", "0"))):
                sid = service.insert_plug(browser_id, "%s%d" % (arg("prefix"), i), "Generated %d" % i, "")
                for n in range(1 + i % 3):
                    service.insert_comment(sid, "g", "generated", rng.randint(1, 5), "2026-01-01", "1",
                                           "seed-%d" % n)
            service.db.commit()
            return Reply("ok", content_type="text/plain")
        if path == "/__expire_keys":
            service.db.execute("update keys set expires = 0")
            service.db.commit()
            return Reply("ok", content_type="text/plain")
    if path == "/__quit":
        threading.Thread(target=server.shutdown, daemon=True).start()
        return Reply("bye", content_type="text/plain")
    return Reply("no such control", status=404, content_type="text/plain")


class Handler(BaseHTTPRequestHandler):
    # One request per connection, as the client asks for.
    protocol_version = "HTTP/1.0"

    def log_message(self, format, *args):
        pass

    def reply(self, reply):
        self.send_response(reply.status)
        self.send_header("Content-Type", reply.content_type)
        self.send_header("Content-Length", str(len(reply.body)))
        for name, value in reply.headers.items():
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(reply.body)
        self.wfile.flush()

    def do_GET(self):
        self.server.touch()
        parts = urlsplit(self.path)
        if parts.path.startswith("/__"):
            self.reply(control(self.server.service, self.server, parts.path,
                               parse_qs(parts.query, encoding="latin-1")))
        else:
            self.reply(Reply("<html>only POST here</html>", status=404, content_type="text/html"))

    def do_POST(self):
        self.server.touch()
        service = self.server.service
        parts = urlsplit(self.path)
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""
        if parts.path != "/plugin/index.php":
            self.reply(Reply("<html>no such page</html>", status=404, content_type="text/html"))
            return
        op = parse_qs(parts.query).get("to", [""])[0]
        with service.lock:
            service.hits[op] = service.hits.get(op, 0) + 1
            service.last[op] = {"body": body, "version": self.request_version.encode("ascii"),
                                "headers": str(self.headers).encode("latin-1", "replace")}
        form = {k: v[0] for k, v in parse_qs(body.decode("ascii", "replace"), keep_blank_values=True).items()}
        reply = service.answer(op, form, self.client_address[0])
        switch = service.take_switch(op)
        if switch:
            reply = misbehave(switch, op, reply, self.path)
        self.reply(reply)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file")
    parser.add_argument("--idle-timeout", type=float, default=300)
    parser.add_argument("--db", default=":memory:")
    parser.add_argument("--seed", choices=("none", "demo"), default="none")
    parser.add_argument("--page-size", type=int, default=10)
    parser.add_argument("--key-lifetime", type=float, default=600)
    parser.add_argument("--watch-pid", type=int, default=0)
    args = parser.parse_args()

    server = loopback_server.Server(Service(args.db, args.seed, args.page_size, args.key_lifetime), Handler)
    loopback_server.serve(server, args.port_file, args.idle_timeout, args.watch_pid)


if __name__ == "__main__":
    sys.exit(main())
