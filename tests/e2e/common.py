"""What the end-to-end cases share: the main window's layout at 96 DPI,
the language files' texts, the skin pictures as drawn, helpers on the
running program, and the case registry (`@case`) that e2e.py runs.
"""

import json
import math
import os
import shutil
import sqlite3
import sys
import time
import traceback
import xml.etree.ElementTree as ET

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from driver import (App, E2EError, ROOT, SilentService, World, closed_port_url,  # noqa: E402
                    colour, wait_until)


# -- the window's layout at 96 DPI, in client coordinates ---------------------

class Layout:
    BUTTON_LEFT, BUTTON_TOP, BUTTON_W, BUTTON_H = 5, 27, 171, 50
    TABS_LEFT, TABS_TOP, TAB_W, TAB_H, TAB_STEP = 183, 59, 102, 30, 103
    LIST_LEFT, LIST_TOP, LIST_W, LIST_H = 178, 91, 618, 382
    ROW_H = 70
    MIN_W, MIN_H = 500, 400

    @classmethod
    def button(cls, i):
        return cls.BUTTON_LEFT, cls.BUTTON_TOP + cls.BUTTON_H * i, cls.BUTTON_W, cls.BUTTON_H

    @classmethod
    def tab(cls, i):
        return cls.TABS_LEFT + cls.TAB_STEP * i, cls.TABS_TOP, cls.TAB_W, cls.TAB_H

    @classmethod
    def row_top(cls, i):
        return cls.LIST_TOP + cls.ROW_H * i

    @classmethod
    def visible_rows(cls):
        return cls.LIST_H // cls.ROW_H

    # Columns after layout: list width - 220, 120, 100.
    @classmethod
    def column1_left(cls):
        return cls.LIST_W - 220

    @classmethod
    def switch(cls, i):
        x = cls.LIST_LEFT + cls.column1_left() + 120 + 10
        return x, cls.row_top(i) + 26, 45, 18

    @classmethod
    def delete(cls, i):
        x = cls.LIST_LEFT + cls.column1_left() + 120 + 60
        return x, cls.row_top(i) + 25, 18, 18

    @classmethod
    def star(cls, i, k):
        """Star k (1 to 5) of row i."""
        x = cls.LIST_LEFT + cls.column1_left() + 10 + 2 + (k - 1) * 19
        return x, cls.row_top(i) + 17 + 20, 15, 15

    @classmethod
    def icon(cls, i):
        return cls.LIST_LEFT + 10, cls.row_top(i) + 11, 48, 48

    @classmethod
    def name_point(cls, i):
        return cls.LIST_LEFT + 100, cls.row_top(i) + 22


EVEN_ROW = colour("#EFEFEF")
ODD_ROW = colour("#FFFFFF")
DEFAULT_MARK = colour("#848484")

HKCU = "HKEY_CURRENT_USER"
IE_SETTINGS = HKCU + "\\Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings"
USER_CHOICE = "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\%s\\UserChoice"
START_MENU = "SOFTWARE\\Clients\\StartMenuInternet"


def texts(language="English"):
    """The language file's texts: {(section, key lower case): text}."""
    out, section = {}, ""
    with open(os.path.join(ROOT, "Languages", language + ".ini"), encoding="utf-8-sig") as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                section = line.strip("[]").lower()
            elif " = " in line and not line.startswith(";"):
                key, _, value = line.partition(" = ")
                out[(section, key.strip().lower())] = value
    return out


EN = texts()


def message(key, language_texts=EN):
    return language_texts[("messages", key.lower())]


def translation(key, language_texts=EN):
    return language_texts[("translation", key.lower())]


# Seconds to wait for something the program does at once; a loaded machine
# may take a while.
WAIT = 20


def check(condition, what):
    if not condition:
        raise E2EError(what)


# -- helpers on the running program --------------------------------------------

class Skin:
    """The switch and star pictures as the window draws them."""

    # Largest mean channel difference between a drawn picture and its skin
    # picture that still counts as that picture.
    # The pictures are drawn unscaled, so a match is close to exact; one
    # pixel off already differs by more than 9.
    SWITCH_MATCH = 6
    STAR_MATCH = 6

    def __init__(self, world):
        self.off = world.skin_picture(5)
        self.on = world.skin_picture(6)
        self.lit = world.skin_picture(2)
        self.half = world.skin_picture(3)
        self.grey = world.skin_picture(4)

    @staticmethod
    def slices(strip, count, background):
        w = strip.width // count
        return [strip.crop(w * s, 0, w, strip.height).over(background) for s in range(count)]

    def switch_state(self, shot, row, dx=0, index=None):
        """"OFF" or "ON": the switch picture the row shows most closely; dx
        is how much narrower than designed the list is, index the row's
        index in the list when it is scrolled (its background)."""
        background = EVEN_ROW if (row if index is None else index) % 2 == 0 else ODD_ROW
        x, y, w, h = Layout.switch(row)
        x -= dx
        seen = shot.crop(x, y, w, h)
        off = min(seen.difference(p) for p in self.slices(self.off, 3, background))
        on = min(seen.difference(p) for p in self.slices(self.on, 3, background))
        if min(off, on) > self.SWITCH_MATCH:
            return None  # no switch there
        return "OFF" if off < on else "ON"

    def stars(self, shot, row):
        """The five stars of a row as "lit", "half" and "grey"."""
        background = EVEN_ROW if row % 2 == 0 else ODD_ROW
        pictures = {"lit": self.lit.over(background), "half": self.half.over(background),
                    "grey": self.grey.over(background)}
        out = []
        for k in range(1, 6):
            x, y, w, h = Layout.star(row, k)
            seen = shot.crop(x, y, w, h)
            best = min(pictures, key=lambda name: seen.difference(pictures[name]))
            # Nothing like a star there at all: say so rather than guess.
            out.append(best if seen.difference(pictures[best]) <= self.STAR_MATCH else None)
        return out


def expected_stars(rating):
    """Lit stars while k <= rating, one half star for a fraction, grey up to five."""
    tenths = math.floor(rating * 10 + 1e-9) / 10
    lit = int(math.floor(tenths))
    stars = ["lit"] * lit
    if tenths - lit > 1e-9 and lit < 5:
        stars.append("half")
    return stars + ["grey"] * (5 - len(stars))


def control_by_text(app, text, visible_only=True):
    for c in app.controls():
        if c["text"] == text and (c["visible"] or not visible_only):
            return c
    return None


def client_rect(app, c):
    l, t, r, b = c["rect"]
    return l - app.origin[0], t - app.origin[1], r - l, b - t


def click_control(app, text):
    c = wait_until(lambda: control_by_text(app, text), WAIT, "a control reading %r" % text)
    x, y, w, h = client_rect(app, c)
    app.click(x + w // 2, y + h // 2)


def browser_buttons(app):
    """The browser buttons, top to bottom: window texts in the button column."""
    out = []
    for c in app.controls():
        x, y, w, h = client_rect(app, c)
        if (x, w, h) == (Layout.BUTTON_LEFT, Layout.BUTTON_W, Layout.BUTTON_H) and c["visible"]:
            out.append((y, c))
    return [c for _, c in sorted(out, key=lambda item: item[0])]


def select_browser(app, display_name):
    click_control(app, display_name)
    time.sleep(0.5)


def tab_captions(app):
    out = []
    for c in app.controls():
        x, y, w, h = client_rect(app, c)
        if y == Layout.TABS_TOP and (w, h) == (Layout.TAB_W, Layout.TAB_H) and c["visible"]:
            out.append((x, c["text"]))
    return [t for _, t in sorted(out)]


def count_label(app):
    pattern = translation("TfrmKoltMain.lbl1.Caption")
    head, _, tail = pattern.partition("%d")
    for c in app.controls():
        t = c["text"]
        if c["visible"] and t.startswith(head) and t.endswith(tail) and t[len(head):len(t) - len(tail)].isdigit():
            return int(t[len(head):len(t) - len(tail)])
    return None


def toasts(app, text=None):
    out = []
    for w in app.world.windows():
        if w["pid"] != app.pid or w["class"] != "TfrmMessage":
            continue
        if text is None or any(c["text"] == text for c in w["children"]):
            out.append(w)
    return out


def check_toast_place(app, toast, dx, dy):
    """A notification hangs one pixel right of and below its point, which
    lies (dx, dy) from the main window's centre."""
    l, t, r, b = app.main_window()["rect"]
    point = (l + (r - l) // 2 + dx, t + (b - t) // 2 + dy)
    check(tuple(toast["rect"][:2]) == (point[0] + 1, point[1] + 1),
          "notification at %s, its point is %s" % (toast["rect"][:2], point))


def boxes_with_text(world, text, pid=None):
    return [w for w in world.windows()
            if (pid is None or w["pid"] == pid) and any(c["text"] == text for c in w["children"])]


def started(world, **kw):
    app = App(world, **kw)
    app.wait_window()
    return app


def listed(world, browser, kind=None):
    data = world.listing(browser)
    check(data is not None, "bpmcli.exe is not built")
    return [a for a in data["addons"] if kind is None or a["kind"] == kind]


def browser_entries(world):
    """bpmcli's list with each browser once, by its first profile, in button order."""
    exe = os.path.join(world.bin, "bpmcli.exe")
    check(os.path.exists(exe), "bpmcli.exe is not built")
    out = []
    for b in json.loads(world.wine(exe, "list", "--format", "json").stdout.decode("utf-8"))["browsers"]:
        if not out or out[-1]["browser"] != b["browser"]:
            out.append(b)
    return out


def browser_name(world, browser):
    """The browser's name as its button shows it."""
    return [b for b in browser_entries(world) if b["browser"] == browser][0]["displayName"]


def row_of(addons, predicate):
    """The first visible row whose add-on satisfies predicate."""
    for i, a in enumerate(addons[:Layout.visible_rows()]):
        if predicate(a):
            return i, a
    raise E2EError("no visible row fits")


def focus_list(app, row=0):
    """A click on a row's name: selects the row and gives the window the keyboard."""
    app.click(*Layout.name_point(row))
    time.sleep(0.3)


# -- cases ------------------------------------------------------------------------

CASES = []


def case(fn):
    CASES.append(fn)
    return fn
