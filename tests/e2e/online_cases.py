"""End-to-end cases of the online services against tools/webservice: the
update link, the advertisement banner (on the screen, in the cache folder and
in the request) and the news check, with the service's hostile answers.
"""

import json
import os
import time
import urllib.parse

from common import *  # noqa: F401,F403 - the shared layout, texts and helpers
from driver import ROOT, E2EError, StandInService, wait_until  # noqa: F401

UPDATE = "/update/koltverinfo.htm"
NEWS = "/news/koltinfo.htm"
FEED = "/ad/ad1.php"
BUILD = 50  # the fourth component of the program's file version


class WebService(StandInService):
    """tools/webservice/serve.py, one per run, reset for every case."""

    def __init__(self, state_dir):
        super().__init__("webservice", state_dir)

    def page(self, path, body, status=200):
        self.control("__page", path=path, body=urllib.parse.quote(body), status=status)

    def hits(self, path):
        return int(self.control("__hits", path=path))

    def last(self, path):
        return self.control("__last", path=path)


def web(world):
    service = getattr(world, "web_service", None)
    if service is None:
        service = world.web_service = WebService(os.path.join(world.build, "e2e-state"))
    service.control("__reset")
    return service


def online(world, service, **kw):
    env = {"BRIVO_WEB_URL": service.url, "BRIVO_AD_URL": service.url}
    return started(world, env=env, **kw)


def update_link(app):
    for c in app.controls():
        if c["text"] == "Check for Updates" and c["visible"]:
            return client_rect(app, c)
    raise E2EError("no update link")


def click_update(app):
    x, y, w, h = update_link(app)
    app.click(x + 20, y + h // 2)


def banner_box(app):
    """The banner area in client coordinates: 170 x 100 at the bottom left."""
    for c in app.controls():
        x, y, w, h = client_rect(app, c)
        if (w, h) == (170, 100) and x < 20:
            return x, y, w, h
    raise E2EError("no banner area")


def cache_dir(world):
    return os.path.join(world.user_dir(), "AppData", "Roaming", "UpdateInfo")


def files_under(folder):
    out = set()
    for base, _, names in os.walk(folder):
        for n in names:
            out.add(os.path.relpath(os.path.join(base, n), folder))
    return out


def answer_box(world, app, key, keys=("Return",)):
    text = message(key)
    wait_until(lambda: boxes_with_text(world, text, app.pid), WAIT, "the message %r" % text)
    for k in keys:
        app.key(k)
    wait_until(lambda: not boxes_with_text(world, text, app.pid), WAIT, "the message %r to close" % text)


def wait_opened(world, count):
    return wait_until(lambda: len(world.opened_urls()) >= count and world.opened_urls(), WAIT,
                      "%d address(es) opened" % count)


def ad(align, title, imgsrc="", link="https://www.brivosoft.com/ad.html", colour="#FF0000", over="#00C000",
       size=12, rect=(0, 0, 170, 100)):
    return {"align": align, "frame": 0, "title": title, "tips": "", "link": link, "imgsrc": imgsrc,
            "fontcolor": colour, "fontcolorover": over, "fontname": "Tahoma", "fontsize": size, "interval": 0,
            "life": 0, "rect": {"left": rect[0], "top": rect[1], "right": rect[2], "bottom": rect[3]}}


def feed(code, *groups, adver="7"):
    return json.dumps({"msg": code, "adcheckurl": "", "adid": "e2e", "adlang": "English", "adver": adver,
                       "adrefresh": 60, "adgroup": [{"kind": k, "page": 0, "adinfo": list(a)} for k, a in groups]})


# -- update check ---------------------------------------------------------------------

@case
def online_update_link_checks_once_and_offers_the_download(world, skin):
    service = web(world)
    service.page(UPDATE, "[VerInfo]\r\nbuild=%d\r\n" % BUILD)
    app = online(world, service)
    # The automatic check of the start-up finds the same build and says nothing.
    wait_until(lambda: service.hits(UPDATE) >= 1, WAIT, "the automatic update check")
    time.sleep(1.5)
    check(not boxes_with_text(world, message("NoNewVer"), app.pid), "the automatic check stays silent")
    x, y, w, h = update_link(app)
    before = service.hits(UPDATE)
    # Two quick clicks: one check, one message.
    sx, sy = app.screen(x + 20, y + h // 2)
    world.run(["xdotool", "mousemove", str(sx), str(sy), "sleep", "0.1", "click", "--repeat", "2", "--delay",
               "80", "1"])
    answer_box(world, app, "NoNewVer")
    time.sleep(1)
    check(not boxes_with_text(world, message("NoNewVer"), app.pid), "one message for two clicks")
    check(service.hits(UPDATE) == before + 1, "one check for two clicks, %d" % (service.hits(UPDATE) - before))

    # "0x33" is build 51: the question, and Yes opens the page's address.
    service.page(UPDATE, "[VerInfo]\r\nbuild=0x33\r\nNewGetUrl=https://get.brivosoft.test/new.html\r\n")
    click_update(app)
    answer_box(world, app, "NewVer")
    check(wait_opened(world, 1) == ["https://get.brivosoft.test/new.html"], "the download page opened")
    # No does nothing; without NewGetUrl Yes opens the built-in download page.
    service.page(UPDATE, "[VerInfo]\r\nbuild=51\r\n")
    click_update(app)
    answer_box(world, app, "NewVer", keys=("Right", "Return"))
    time.sleep(1)
    check(len(world.opened_urls()) == 1, "No opens nothing: %s" % world.opened_urls())
    click_update(app)
    answer_box(world, app, "NewVer")
    check(wait_opened(world, 2)[1] == service.url + "/download.html", "the built-in download page opened")


@case
def online_update_errors_and_hostile_addresses(world, skin):
    service = web(world)
    app = online(world, service)
    # A 404 page with a body counts as a page without keys.
    service.control("__misbehave", path=UPDATE, mode="notfound")
    click_update(app)
    answer_box(world, app, "NoNewVer")
    # A reply past the limit is dropped.
    service.control("__misbehave", path=UPDATE, mode="huge")
    click_update(app)
    answer_box(world, app, "NoNewVer")
    # A newer build whose download address is a program: asked, but nothing is opened.
    service.control("__misbehave", path=UPDATE, mode="hostile")
    click_update(app)
    answer_box(world, app, "NewVer")
    time.sleep(1.5)
    check(world.opened_urls() == [], "a program name is not opened: %s" % world.opened_urls())
    # No network: the manual check says there is nothing new.
    app.close()
    app = started(world, env={"BRIVO_WEB_URL": "http://127.0.0.1:9", "BRIVO_AD_URL": "http://127.0.0.1:9"})
    click_update(app)
    answer_box(world, app, "NoNewVer")


# -- advertisement banner ---------------------------------------------------------------

BANNER_BLUE = (20, 90, 200)


@case
def online_banner_shows_caches_and_opens_its_link(world, skin):
    service = web(world)
    check(not os.path.exists(cache_dir(world)), "no cache folder before the first run")
    app = online(world, service)
    bx, by, bw, bh = banner_box(app)
    # The demo feed's last advertisement: its picture above its text.
    shot = app.wait_shot(lambda s: s.count(BANNER_BLUE, bx, by, 8, 8, tolerance=12) == 64, WAIT,
                         "the demo banner's picture", seen=lambda s: s.pixel(bx + 2, by + 2))
    check(shot.count((255, 255, 255), bx + 12, by + 20, 146, 6, tolerance=6) >= 146 * 6 - 10,
          "the banner's white bar")
    query = urllib.parse.parse_qs(service.last(FEED))
    check(query.get("name") == ["kolt"] and query.get("adver") == ["0"], "first request: %s" % query)
    check(query.get("ver") == ["1.02.50"], "version %s" % query.get("ver"))
    check(query.get("lang", [""])[0].lower().endswith("languages\\english.ini"), "language %s" % query.get("lang"))
    wait_until(lambda: {"UpdateInfo.txt", "banner.png"} <= files_under(cache_dir(world)), WAIT,
               "the feed and the picture cached")
    # A click opens the link.
    app.click(bx + 80, by + 30)
    check(wait_opened(world, 1) == ["https://www.brivosoft.com/tips.html"], "the banner's link opened")

    # The next run: the server says nothing changed; the cached picture shows without a download.
    # The program never writes "Ad.txt"; when one is there, its address and
    # version make the request.
    app.close()
    check("Ad.txt" not in files_under(cache_dir(world)), "the program wrote Ad.txt")
    with open(os.path.join(cache_dir(world), "Ad.txt"), "w", encoding="utf-8") as f:
        json.dump({"adcheckurl": service.url + "/ad/ad2.php", "adver": "3"}, f)
    pictures = service.hits("/ad/pic/banner.png")
    service.page("/ad/ad2.php", json.dumps({"msg": 0}))
    app = online(world, service)
    app.wait_shot(lambda s: s.count(BANNER_BLUE, bx, by, 8, 8, tolerance=12) == 64, WAIT,
                  "the cached banner", seen=lambda s: s.pixel(bx + 2, by + 2))
    query = urllib.parse.parse_qs(service.last("/ad/ad2.php"))
    check(query.get("adver") == ["3"], "the second request is made from Ad.txt: %s" % query)
    check(service.hits("/ad/pic/banner.png") == pictures, "no picture download on the second run")


@case
def online_banner_text_colours_and_feed_codes(world, skin):
    service = web(world)
    red, green = (255, 0, 0), (0, 192, 0)
    service.page(FEED, feed(2, (0, [ad(5, "never")])))
    app = online(world, service)
    bx, by, bw, bh = banner_box(app)
    wait_until(lambda: service.hits(FEED) >= 1, WAIT, "the feed request")
    time.sleep(2)
    check(app.shot().count(red, bx, by, bw, bh) == 0, "code 2 shows nothing")
    check(not os.path.exists(os.path.join(cache_dir(world), "UpdateInfo.txt")), "code 2 caches nothing")
    app.close()

    # A kind-1 group reports only its first, the last report wins; a failing
    # picture never shows; align 0 without picture has its text at the left.
    service.page(FEED, feed(4, (1, [ad(5, "IIII", size=20), ad(5, "never", colour="#0000FF", size=20)]),
                            (0, [ad(4, "broken", imgsrc=service.url + "/ad/pic/missing.png", colour="#0000FF"),
                                 ad(0, "IIIIIIII", rect=(0, 10, 170, 60), size=20)])))
    app = online(world, service)
    shot = app.wait_shot(lambda s: s.count(red, bx, by, bw, bh) > 30, WAIT, "the red text")
    check(shot.count(red, bx, by, 30, 100) > 15, "align 0 without a picture: text at the left")
    check(shot.count((0, 0, 255), bx, by, bw, bh) == 0, "neither the second of kind 1 nor the broken one")
    check(not os.path.exists(os.path.join(cache_dir(world), "UpdateInfo.txt")), "code 4 is not cached")
    # Hover switches to the hover colour, leaving switches back.
    app.move(bx + 100, by + 80)
    app.wait_shot(lambda s: s.count(green, bx, by, bw, bh) > 30 and s.count(red, bx, by, bw, bh) == 0, WAIT,
                  "the hover colour")
    app.move(bx + 300, by - 100)
    app.wait_shot(lambda s: s.count(red, bx, by, bw, bh) > 30, WAIT, "the text colour again")


@case
def online_banner_hostile_feed_writes_and_starts_nothing(world, skin):
    service = web(world)
    roaming = os.path.join(world.user_dir(), "AppData", "Roaming")
    before = files_under(roaming)
    service.control("__misbehave", path=FEED, mode="hostile")
    app = online(world, service)
    bx, by, bw, bh = banner_box(app)
    # Only the text advertisement with the program as its link shows.
    app.wait_shot(lambda s: s.count((255, 0, 0), bx, by, bw, bh) > 20, WAIT, "the hostile text advertisement")
    app.click(bx + 20, by + 10)
    time.sleep(1.5)
    check(world.opened_urls() == [], "a program link is not opened: %s" % world.opened_urls())
    new = sorted(f for f in files_under(roaming) - before if not f.startswith("Brivo Plugin Manager"))
    check(new == [], "nothing written beside the cache folder: %s" % new)
    check(files_under(cache_dir(world)) == set(), "no picture of a hostile name cached: %s" %
          files_under(cache_dir(world)))
    drive_c = os.path.join(world.prefix, "drive_c")
    check(not [f for f in files_under(drive_c) if "evil" in f.lower()], "no evil.png anywhere on drive C:")


# -- news --------------------------------------------------------------------------------

def news_page(msg_id, width=400, height=300, url=None):
    return "[Msg]\r\nMsgID=%d\r\nUrl=%s\r\nFormWidth=%d\r\nFormHeight=%d\r\n" % (
        msg_id, url or "http://127.0.0.1:9/news/msg.html", width, height)


@case
def online_news_number_is_shown_once_and_saved(world, skin):
    service = web(world)
    # The number already shown: nothing happens and it stays.
    world.write_settings("[General]\nMSGID=7\nAutoUpdate=0\n")
    service.page(NEWS, news_page(7, url=service.url + "/news/msg.html"))
    app = online(world, service)
    wait_until(lambda: service.hits(NEWS) >= 1, WAIT, "the news check")
    time.sleep(2)
    check(service.hits("/news/msg.html") == 0, "an old number's page is not fetched")
    focus_list(app, 0)
    app.key("alt+F4")
    app.wait_exit(WAIT)
    check(world.settings().get("MSGID") == "7", "MSGID stays 7: %s" % world.settings().get("MSGID"))

    # A new number: stored and saved when the program ends, however the page fares.
    service.page(NEWS, news_page(8, url=service.url + "/news/msg.html"))
    app = online(world, service)
    wait_until(lambda: service.hits(NEWS) >= 1, WAIT, "the news check")
    time.sleep(3)
    # Under Wine without an HTML engine the page completes no document, so
    # the window never shows; the unit tests drive its motion.
    news = [w for w in app.own_windows() if w["class"] == "BrivoNewsWindow"]
    print("    news window shown: %s; message page fetched %d time(s)" % (
        [w["rect"] for w in news], service.hits("/news/msg.html")), flush=True)
    focus_list(app, 0)
    app.key("alt+F4")
    app.wait_exit(WAIT)
    check(world.settings().get("MSGID") == "8", "MSGID saved as 8: %s" % world.settings().get("MSGID"))

    # A page that is a local file is not shown, but the number counts as offered.
    service.page(NEWS, news_page(9, url="file:///C:/windows/win.ini"))
    app = online(world, service)
    wait_until(lambda: service.hits(NEWS) >= 1, WAIT, "the news check")
    time.sleep(2)
    check(not [w for w in app.own_windows() if w["class"] == "BrivoNewsWindow"], "no news window for a file")
    focus_list(app, 0)
    app.key("alt+F4")
    app.wait_exit(WAIT)
    check(world.settings().get("MSGID") == "9", "MSGID 9: %s" % world.settings().get("MSGID"))
