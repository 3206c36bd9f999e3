"""End-to-end cases of the reviews window, against the stand-in rating
service: the counts and bars of an add-on, its reviews page by page and in
the other order, texts shown as plain text without breaking the layout,
likes and reports, the user's own review, and an opening that fails or takes
longer than ten seconds.
"""

import json
import time

from common import *  # noqa: F401,F403 - the shared layout, texts and helpers
from driver import E2EError, wait_until  # noqa: F401

RATINGS = translation("TfrmKoltRate.Caption")
PAGING = colour("#1695E6")
STAR = colour("#FFB400")
LIKE_GREEN = colour("#2E9F58")
ANSWERED_ICON = colour("#BAC1C8")
WHITE = colour("#FFFFFF")


class RL:
    """The reviews window's layout at 96 DPI, in its client coordinates."""
    LIST_LEFT, LIST_TOP, LIST_W, LIST_H = 5, 178, 740, 298
    # Entries are laid out as wide as the rows are beside the scroll bar.
    ENTRY_R = LIST_W - 12
    PAGING_H = 32
    REVIEWS_TAB = (65, 162)
    MY_REVIEW_TAB = (171, 162)
    SORT_BOX = (679, 157)
    STAR_INPUT = (91, 194)        # left, top; five stars of 21
    NICKNAME = (269, 239)
    CONTENT = (398, 329)
    SUBMIT = (139, 419)
    COUNT_TOPS = [41, 54, 68, 81, 95]      # lbl4 .. lbl8: 5 .. 1 stars
    BAR_TOPS = [44, 57, 70, 83, 97]        # img3 .. img7
    BAR_LEFT, BAR_W = 598, 92

    @classmethod
    def link_box(cls, name, top):
        """A link's box in window coordinates, for an entry whose top is
        `top` in list coordinates (English link texts)."""
        x0 = cls.ENTRY_R - 200
        left = {"like": 5, "dislike": 65, "report": 125}[name] + x0
        return cls.LIST_LEFT + left, cls.LIST_TOP + top + 20, 50, 16

    @classmethod
    def link_text(cls, name, top):
        x, y, w, h = cls.link_box(name, top)
        return x + 18, y, w - 18, h

    @classmethod
    def link_icon(cls, name, top):
        x, y, _, _ = cls.link_box(name, top)
        return x, y, 16, 16

    @classmethod
    def star(cls, top, i):
        """The i-th (0-based) given star of an entry."""
        return cls.LIST_LEFT + 130 + 17 * i, cls.LIST_TOP + top + 2, 15, 15


class Reviews:
    """The open reviews window of a running program."""

    def __init__(self, app, window):
        self.app, self.world = app, app.world
        self.hwnd = window["hwnd"]
        self.origin = tuple(window["client"][:2])
        self.size = tuple(window["client"][2:])

    def window(self):
        for w in self.world.windows():
            if w["hwnd"] == self.hwnd:
                return w
        return None

    def click(self, x, y):
        self.world.run(["xdotool", "mousemove", str(self.origin[0] + x), str(self.origin[1] + y), "sleep", "0.1",
                        "click", "1"])

    def move_away(self):
        self.world.run(["xdotool", "mousemove", str(self.origin[0] + 300), str(self.origin[1] + 10)])

    def shot(self):
        return self.world.screenshot().crop(self.origin[0], self.origin[1], self.size[0], self.size[1])

    def wait_shot(self, condition, what, seen=None, timeout=WAIT):
        last = [None]

        def attempt():
            last[0] = self.shot()
            return last[0] if condition(last[0]) else None
        try:
            return wait_until(attempt, timeout, what, 0.3)
        except E2EError as e:
            path = "%s/failed-reviews-%s.png" % (self.world.shots, "".join(c if c.isalnum() else "-" for c in what)[:50])
            if last[0] is not None:
                last[0].save_png(path)
            detail = "; seen %s" % (seen(last[0]),) if seen and last[0] is not None else ""
            raise E2EError("%s%s (screenshot %s)" % (e, detail, path)) from None

    def child_at(self, left, top, window=None):
        """The child control whose top-left corner is at this client point."""
        w = window or self.window()
        for c in w["children"]:
            if (c["rect"][0] - self.origin[0], c["rect"][1] - self.origin[1]) == (left, top):
                return c
        return None

    def counts(self):
        """The five count labels, 5 stars first, as numbers."""
        w = self.window()
        out = []
        for top in RL.COUNT_TOPS:
            c = self.child_at(692, top, w)
            out.append(int(c["text"]) if c and c["text"].isdigit() else None)
        return out

    def control(self, text):
        """A child control by its text, shown or not (a hidden tab's too)."""
        for c in self.window()["children"]:
            if c["text"] == text:
                return c
        return None


def reviews_window(app):
    for w in app.world.windows():
        if w["pid"] == app.pid and w["text"] == RATINGS and w["class"] != "#32770":
            return w
    return None


def open_reviews(app, row=0):
    """A click on the row's rating, and the reviews window once it is shown."""
    x, y, w, h = Layout.star(row, 3)
    app.click(x + w // 2, y + h // 2)
    window = wait_until(lambda: reviews_window(app), WAIT, "the reviews window")
    reviews = Reviews(app, window)
    reviews.move_away()
    time.sleep(0.4)
    return reviews


def close_reviews(app, reviews):
    reviews.click(300, 10)
    app.key("Escape")
    wait_until(lambda: reviews_window(app) is None, WAIT, "the reviews window to close")
    wait_until(lambda: app.main_window()["enabled"], WAIT, "the main window enabled again")


# -- the service -------------------------------------------------------------

def call(world, op, **fields):
    """One operation of the service with a key of its own, as JSON."""
    key = json.loads(world.service.post("get_captcha", {}))["key"]
    fields["key"] = key
    return json.loads(world.service.post(op, fields))


def plug_info(world, browser_id, plug_id):
    return call(world, "get_plug_info", browser_id=browser_id, sort_type=0, plug_id=plug_id)


def comments(world, sid, start=0, order=0):
    return call(world, "get_comments", plug_id=sid, start_id=start, sort_type=order)["comment"]


def last_fields(world, op):
    """The fields of the operation's last request, in order."""
    body = world.service.control("__last", op=op)
    return [tuple(f.split("=", 1)) for f in body.split("&")]


def plug_reviews(world, plug_id, count, score=5, browser_id=1):
    world.service.control("__plug", browser_id=browser_id, plug_id=plug_id, scores=",".join([str(score)] * count))


# -- checks on the screen --------------------------------------------------------

def blue_link_pixels(shot, name, top):
    """Pixels of the link blue; smoothed glyph edges are lighter blues, so
    the hue counts, not the exact colour."""
    x, y, w, h = RL.link_text(name, top)
    n = 0
    for yy in range(y, y + h):
        for xx in range(x, x + w):
            r, g, b = shot.pixel(xx, yy)
            if b >= 200 and b - max(r, g) >= 120 and abs(r - g) <= 30:
                n += 1
    return n


def dark_pixels(shot, box):
    x, y, w, h = box
    n = 0
    for yy in range(y, y + h):
        for xx in range(x, x + w):
            if max(shot.pixel(xx, yy)) < 160:
                n += 1
    return n


def grey_pixels(shot, box):
    """Pixels of a grey (the system's grey-text colour), not of a tint."""
    x, y, w, h = box
    n = 0
    for yy in range(y, y + h):
        for xx in range(x, x + w):
            p = shot.pixel(xx, yy)
            if max(p) - min(p) <= 10 and max(p) < 200:
                n += 1
    return n


def links_state(shot, top):
    """For each link of the entry: "blue" or "grey" as its text is drawn."""
    out = {}
    for name in ("like", "dislike", "report"):
        blue = blue_link_pixels(shot, name, top)
        out[name] = "blue" if blue > 5 else "grey" if grey_pixels(shot, RL.link_text(name, top)) > 5 else None
    return out


def given_stars(shot, top):
    """How many small stars the entry shows."""
    n = 0
    for i in range(5):
        x, y, w, h = RL.star(top, i)
        if shot.count(STAR, x, y, w, h, tolerance=30) > 20:
            n += 1
    return n


def paging_at_end(shot):
    """Whether the list, scrolled to its end, ends with the paging entry and
    has no second one just above it."""
    bottom = RL.LIST_TOP + RL.LIST_H - RL.PAGING_H
    last = shot.count(PAGING, RL.LIST_LEFT + 200, bottom + 4, 340, RL.PAGING_H - 8, tolerance=24)
    above = shot.count(PAGING, RL.LIST_LEFT + 200, bottom - RL.PAGING_H + 4, 340, RL.PAGING_H - 8, tolerance=24)
    return last > 20, above > 20


def to_list_end(app, reviews):
    """Selects the list's last entry with the keyboard (it scrolls into view)."""
    reviews.click(RL.LIST_LEFT + 60, RL.LIST_TOP + 30)
    app.key("End")
    reviews.move_away()
    time.sleep(0.3)


def wait_for_page(world, hits_before):
    wait_until(lambda: world.service.hits("get_comments") > hits_before, WAIT, "a get_comments request")
    time.sleep(0.6)
    return dict(last_fields(world, "get_comments"))


# -- cases ------------------------------------------------------------------------

LONG_WORD = "W" * 5000
ODD_REVIEW = "Tom & Jerry <b>bold</b> &amp;\x01\x07\x1b[31m " + LONG_WORD + " end\x7f"


@case
def reviews_counts_pages_orders_and_plain_text(world, skin):
    addon = listed(world, "chrome")[0]
    seeded = sum(plug_info(world, 1, addon["id"])["ratings_cache"].values())
    # A review that would break a layout taking it for markup, most liked so
    # that it comes first; then enough for four pages of ten (37 in all).
    world.service.control("__comment", browser_id=1, plug_id=addon["id"], nickname="&Tom <i>\x01x</i>",
                          content=ODD_REVIEW, score=1, likes=99, date="2026-03-04\x1b")
    world.service.control("__plug", browser_id=1, plug_id=addon["id"],
                          scores=",".join(str(1 + n % 5) for n in range(36 - seeded)))
    info = plug_info(world, 1, addon["id"])
    counts = [info["ratings_cache"][str(k)] for k in (5, 4, 3, 2, 1)]
    check(sum(counts) == 37, "37 reviews at the service, found %d" % sum(counts))

    app = started(world)
    reviews = open_reviews(app, 0)
    check(reviews.counts() == counts, "counts %s, the service has %s" % (reviews.counts(), counts))
    largest = max(counts)
    expected_bars = [c * RL.BAR_W // largest for c in counts]

    def bars(shot):
        return [shot.count(STAR, RL.BAR_LEFT, top + 4, RL.BAR_W, 1, tolerance=30) for top in RL.BAR_TOPS]
    reviews.wait_shot(lambda s: all(abs(a - b) <= 1 for a, b in zip(bars(s), expected_bars)),
                      "bars %s" % expected_bars, seen=bars)

    # The odd review: as high as an entry may be, its long word broken
    # inside the content column, its links in their place, the next entry
    # right below it.
    shot = reviews.shot()
    check(given_stars(shot, 0) == 1, "the odd review shows one star")
    check(given_stars(shot, 220) >= 1, "the second entry starts 220 pixels down")
    content_right = RL.LIST_LEFT + RL.ENTRY_R - 200
    lower_lines = dark_pixels(shot, (RL.LIST_LEFT + 130, RL.LIST_TOP + 150, 398, 60))
    check(lower_lines > 200, "the long word wraps down the entry (%d dark pixels low in it)" % lower_lines)
    spill = dark_pixels(shot, (content_right, RL.LIST_TOP + 40, 5, 170))
    check(spill == 0, "nothing of the text beyond the content column (%d dark pixels)" % spill)
    check(links_state(shot, 0) == {"like": "blue", "dislike": "blue", "report": "blue"},
          "the odd review's links: %s" % links_state(shot, 0))

    # Three pages: each time the list ends with exactly one paging entry and
    # asks for the reviews after those it has.
    sid = str(info["id"])
    for page in range(1, 4):
        to_list_end(app, reviews)
        reviews.wait_shot(lambda s: paging_at_end(s) == (True, False), "one paging entry at the end (page %d)" % page,
                          seen=paging_at_end)
        before = world.service.hits("get_comments")
        reviews.click(RL.LIST_LEFT + 360, RL.LIST_TOP + RL.LIST_H - RL.PAGING_H // 2)
        fields = wait_for_page(world, before)
        check(fields.get("start_id") == str(10 * page) and fields.get("plug_id") == sid,
              "page %d asks for start_id %d: %s" % (page, 10 * page, fields))
    # The fourth page was the last (code 5): no paging entry any more.
    to_list_end(app, reviews)
    reviews.wait_shot(lambda s: paging_at_end(s) == (False, False), "no paging entry after the last page",
                      seen=paging_at_end)

    # The other order replaces the whole list: it asks from 0, and its next
    # page again from 10.
    before = world.service.hits("get_comments")
    reviews.click(*RL.SORT_BOX)
    time.sleep(0.4)
    app.key("Down", "Return")
    fields = wait_for_page(world, before)
    check([k for k, _ in last_fields(world, "get_comments")] == ["plug_id", "sort_type", "start_id", "key"] and
          fields.get("sort_type") == "1" and fields.get("start_id") == "0",
          "re-sorting asks for sort_type 1 from 0: %s" % fields)
    to_list_end(app, reviews)
    reviews.wait_shot(lambda s: paging_at_end(s) == (True, False), "one paging entry after re-sorting",
                      seen=paging_at_end)
    before = world.service.hits("get_comments")
    reviews.click(RL.LIST_LEFT + 360, RL.LIST_TOP + RL.LIST_H - RL.PAGING_H // 2)
    fields = wait_for_page(world, before)
    check(fields.get("start_id") == "10" and fields.get("sort_type") == "1",
          "the re-sorted list's next page starts at 10: %s" % fields)
    close_reviews(app, reviews)


@case
def reviews_like_report_and_post(world, skin):
    addon = listed(world, "chrome")[1]
    # Two short reviews liked most, so that they are the first two entries,
    # 60 pixels high each.
    world.service.control("__plug", browser_id=1, plug_id=addon["id"], scores="5,4", likes="50,40")
    info = plug_info(world, 1, addon["id"])
    first, second = comments(world, info["id"])[:2]
    check(first["nickname"] == "reviewer 0" and second["nickname"] == "reviewer 1", "the plugged reviews lead")
    app = started(world)
    reviews = open_reviews(app, 1)

    # Like the first review: its like and dislike turn grey, report stays blue.
    top0 = 0
    like_before = world.service.hits("add_comment_ratings")
    x, y, w, h = RL.link_box("like", top0)
    reviews.click(x + w // 2, y + h // 2)
    wait_until(lambda: toasts(app, message("AddScoreS")), WAIT, "the note %r" % message("AddScoreS"))
    reviews.move_away()
    check(last_fields(world, "add_comment_ratings")[:2] == [("comment_id", str(first["id"])), ("score", "1")],
          "the like went out for review %s: %s" % (first["id"], last_fields(world, "add_comment_ratings")))
    reviews.wait_shot(lambda s: links_state(s, top0) == {"like": "grey", "dislike": "grey", "report": "blue"},
                      "the liked review's links", seen=lambda s: links_state(s, top0))
    x, y, w, h = RL.link_icon("like", top0)
    check(reviews.shot().count(LIKE_GREEN, x, y, w, h, tolerance=30) == 0, "the like icon is the answered one")
    # Answered links no longer react.
    x, y, w, h = RL.link_box("dislike", top0)
    reviews.click(x + w // 2, y + h // 2)
    time.sleep(1)
    check(world.service.hits("add_comment_ratings") == like_before + 1, "a judged review sends nothing more")

    # Report the second one: only its report turns grey.
    top1 = 60
    x, y, w, h = RL.link_box("report", top1)
    reviews.click(x + w // 2, y + h // 2)
    wait_until(lambda: toasts(app, message("ReportS")), WAIT, "the note %r" % message("ReportS"))
    reviews.move_away()
    check(last_fields(world, "add_comment_ratings")[:2] == [("comment_id", str(second["id"])), ("score", "2")],
          "the report went out for review %s" % second["id"])
    reviews.wait_shot(lambda s: links_state(s, top1) == {"like": "blue", "dislike": "blue", "report": "grey"},
                      "the reported review's links", seen=lambda s: links_state(s, top1))

    # My Review: Submit without stars asks for them and sends nothing.
    reviews.click(*RL.MY_REVIEW_TAB)
    time.sleep(0.3)
    reviews.click(*RL.SUBMIT)
    text = message("InputScores")
    wait_until(lambda: boxes_with_text(world, text, app.pid), WAIT, "the box %r" % text)
    check(world.service.hits("add_comment") == 0, "nothing was posted without stars")
    app.key("Return")
    wait_until(lambda: not boxes_with_text(world, text, app.pid), WAIT, "the box to close")

    # The nickname takes 25 characters; three stars; a text; Submit.
    reviews.click(*RL.NICKNAME)
    world.run(["xdotool", "type", "--delay", "20", "Reviewer from the e2e test run"])
    nickname = "Reviewer from the e2e tes"
    window = reviews.window()
    typed = [c["text"] for c in window["children"] if c["class"].lower() == "edit"]
    check(typed == [nickname], "the nickname box holds %r" % typed)
    reviews.click(RL.STAR_INPUT[0] + 2 * 21 + 10, RL.STAR_INPUT[1] + 10)
    reviews.click(*RL.CONTENT)
    world.run(["xdotool", "type", "--delay", "20", "Three stars & <b>no markup</b>"])
    reviews.click(*RL.SUBMIT)
    wait_until(lambda: toasts(app, message("AddCommentS")), WAIT, "the note %r" % message("AddCommentS"))
    fields = dict(last_fields(world, "add_comment"))
    check(fields.get("nickname") == "Reviewer+from+the+e2e+tes" and fields.get("score") == "3" and
          fields.get("plug_id") == str(info["id"]), "the service got the review: %s" % fields)
    stored = [c for start in range(0, 60, 10) for c in comments(world, info["id"], start=start)
              if c["nickname"] == nickname]
    check(stored and stored[0]["score"] == 3 and stored[0]["content"] == "Three stars & <b>no markup</b>",
          "the service stored it: %s" % stored)
    # Back on "User Reviews", the new review first, Submit off.
    reviews.move_away()
    reviews.wait_shot(lambda s: given_stars(s, 0) == 3, "the own review first with three stars",
                      seen=lambda s: given_stars(s, 0))
    submit = reviews.control(translation("TfrmKoltRate.btn1.Caption"))
    check(submit is not None and not submit["enabled"], "Submit is disabled after posting")
    close_reviews(app, reviews)

    # Again in a new window: the service says the user already reviewed.
    reviews = open_reviews(app, 1)
    reviews.click(*RL.MY_REVIEW_TAB)
    time.sleep(0.3)
    reviews.click(RL.STAR_INPUT[0] + 10, RL.STAR_INPUT[1] + 10)
    reviews.click(*RL.SUBMIT)
    wait_until(lambda: toasts(app, message("Commented")), WAIT, "the note %r" % message("Commented"))
    submit = reviews.control(translation("TfrmKoltRate.btn1.Caption"))
    check(submit is not None and not submit["enabled"], "Submit is disabled after \"Commented\"")
    close_reviews(app, reviews)


@case
def reviews_opening_fails_or_times_out(world, skin):
    app = started(world)
    text = message("PlugRatingError")

    def failed_opening(what):
        box = wait_until(lambda: boxes_with_text(world, text, app.pid), 15, "%r (%s)" % (text, what))
        check(reviews_window(app) is None, "no reviews window (%s)" % what)
        check(not [w for w in app.own_windows() if w["class"] == "TfrmWait"], "the wait window is gone (%s)" % what)
        check(not app.main_window()["enabled"], "the main window waits for the box (%s)" % what)
        app.key("Return")
        wait_until(lambda: not boxes_with_text(world, text, app.pid), WAIT, "the box to close (%s)" % what)
        wait_until(lambda: app.main_window()["enabled"], WAIT, "the main window enabled again (%s)" % what)
        return box

    # The service fails the request.
    world.service.control("__misbehave", op="get_plug_info", mode="error500")
    x, y, w, h = Layout.star(0, 3)
    app.click(x + w // 2, y + h // 2)
    failed_opening("a failed request")

    # Every answer comes in time, but all three take twelve seconds: the
    # window gives up after ten, and the late first page goes nowhere.
    world.service.control("__canned", op="get_plug_info", body='{"msg":2}', ms="4000")
    world.service.control("__misbehave", op="add_plug", mode="slow", ms="4000")
    world.service.control("__misbehave", op="get_comments", mode="slow", ms="4000")
    app.click(x + w // 2, y + h // 2)
    wait_until(lambda: [w for w in app.own_windows() if w["class"] == "TfrmWait"], WAIT, "the wait window")
    failed_opening("answers after ten seconds")
    wait_until(lambda: world.service.hits("get_comments") >= 1, 10, "the late get_comments request")
    time.sleep(4.5)
    check(reviews_window(app) is None, "the late answer opens no window")
    check(app.proc.poll() is None and app.main_window()["enabled"], "the program goes on")

    # An add-on the service does not know yet: registered, no reviews, the
    # empty list offers "Comment Now", which opens "My Review".
    addons = listed(world, "chrome")[:Layout.visible_rows()]
    row, addon = next(((i, a) for i, a in enumerate(addons) if plug_info(world, 1, a["id"])["msg"] == 2),
                      (None, None))
    check(addon is not None, "a visible Chrome add-on the service does not know")
    reviews = open_reviews(app, row)
    check(plug_info(world, 1, addon["id"])["msg"] == 1, "the window registered the add-on")
    link = reviews.control(translation("TfrmKoltRate.lblfirst.Caption"))
    check(link is not None and link["visible"], "the empty list shows %r" % translation("TfrmKoltRate.lblfirst.Caption"))
    reviews.click((link["rect"][0] + link["rect"][2]) // 2 - reviews.origin[0],
                  (link["rect"][1] + link["rect"][3]) // 2 - reviews.origin[1])
    wait_until(lambda: (reviews.control(translation("TfrmKoltRate.btn1.Caption")) or {}).get("visible"), WAIT,
               "the \"My Review\" tab")
    close_reviews(app, reviews)
