"""End-to-end cases of the main menu, the language switch and the about
box: F1 opens the online help, the two switches show their marks and are
stored at once, the language list checks the active file, a language chosen
there changes the window's texts at once and is stored, every shipped
language is shown (screenshots), and the about box shows the version.
"""

import json
import os
import time

from common import *  # noqa: F401,F403 - the shared layout, texts and helpers
from driver import E2EError, wait_until  # noqa: F401

MENU_CLASS = "TOrixMenuWindow"
ITEM_H, SEPARATOR_H, BORDER = 25, 7, 1
# Positions of the main menu after a build: separators at 4 and, behind the
# history window's item, at 9.
ITEMS = ["help", "forum", "home", "contact", None, "updates", "news", "language", "history", None, "about"]
MARK_W = 26


def item_top(position):
    """An item's top in its menu window."""
    top = BORDER
    for i in range(position):
        top += SEPARATOR_H if ITEMS[i] is None else ITEM_H
    return top


def menu_button(app):
    """The title bar's menu button, left of minimise and close (30 each)."""
    return app.size[0] - 75, 15


def menu_windows(app):
    return [w for w in app.own_windows() if w["class"] == MENU_CLASS]


def open_menu(app):
    app.move(app.size[0] // 2, 300)
    app.click(*menu_button(app))
    try:
        return wait_until(lambda: menu_windows(app), WAIT, "the main menu")[0]
    except E2EError as e:
        path = os.path.join(app.world.shots, "failed-main-menu.png")
        app.world.screenshot().save_png(path)
        raise E2EError("%s; windows %s (screenshot %s)" % (
            e, [(w["class"], w["text"]) for w in app.own_windows()], path)) from None


def wait_menu_closed(app):
    wait_until(lambda: not menu_windows(app), WAIT, "the menu to close")


def click_screen(world, x, y):
    world.run(["xdotool", "mousemove", str(x), str(y), "sleep", "0.1", "click", "1"])


def choose(app, window, position):
    """Clicks the item at this position of an open menu window."""
    l, t, r, b = window["rect"]
    click_screen(app.world, l + 60, t + item_top(position) + ITEM_H // 2)


def marked_rows(world, window, rows):
    """The rows (0-based, all items ITEM_H high from the top) of a menu
    window whose mark column holds a dark check mark or dot."""
    l, t, r, b = window["rect"]
    shot = world.screenshot()
    out = []
    for row in range(rows):
        top = t + BORDER + row * ITEM_H
        dark = 0
        for y in range(top + 3, top + ITEM_H - 3):
            for x in range(l + 3, l + MARK_W - 2):
                p = shot.pixel(x, y)
                if max(p) < 140:
                    dark += 1
        if dark >= 4:
            out.append(row)
    return out


def marks_of_main_menu(app, window):
    """Which of "updates" and "news" show their check mark."""
    l, t, r, b = window["rect"]
    # Only whole-height items between the first separator and "language".
    shot = app.world.screenshot()
    out = set()
    for name in ("updates", "news"):
        top = t + item_top(ITEMS.index(name))
        dark = sum(1 for y in range(top + 3, top + ITEM_H - 3) for x in range(l + 3, l + MARK_W - 2)
                   if max(shot.pixel(x, y)) < 140)
        if dark >= 4:
            out.add(name)
    return out


def settings_value(world, key):
    return (world.settings() or {}).get(key)


@case
def menu_help_switches_and_about(world, skin):
    world.write_settings("[General]\nLanguage=English\nCheckNews=0\nAutoUpdate=1\n")
    app = started(world)
    focus_list(app, 0)

    # F1 anywhere in the window opens the online help.
    app.key("F1")
    urls = wait_until(lambda: world.opened_urls(), WAIT, "an address handed to the shell")
    check(len(urls) == 1 and urls[0].endswith("/help/pluginmanager.html"), "F1 opened %s" % urls)

    menu = open_menu(app)
    time.sleep(0.5)
    shot_path = os.path.join(world.shots, "menu-english.png")
    world.screenshot().save_png(shot_path)
    check(marks_of_main_menu(app, menu) == {"updates"}, "marks at start: %s" % marks_of_main_menu(app, menu))

    # "Check for News" when off: the mark shows and CheckNews=1 is stored.
    choose(app, menu, ITEMS.index("news"))
    wait_menu_closed(app)
    wait_until(lambda: settings_value(world, "CheckNews") == "1", WAIT, "CheckNews=1 in the settings file")
    check(settings_value(world, "AutoUpdate") == "1", "AutoUpdate kept")
    menu = open_menu(app)
    time.sleep(0.4)
    check(marks_of_main_menu(app, menu) == {"updates", "news"}, "marks after news: %s" % marks_of_main_menu(app, menu))

    # "Check for Updates" when on: the mark goes and "0" is stored.
    choose(app, menu, ITEMS.index("updates"))
    wait_menu_closed(app)
    wait_until(lambda: settings_value(world, "AutoUpdate") == "0", WAIT, "AutoUpdate=0 in the settings file")
    menu = open_menu(app)
    time.sleep(0.4)
    check(marks_of_main_menu(app, menu) == {"news"}, "marks after updates: %s" % marks_of_main_menu(app, menu))

    # "Homepage" goes to the shell; "About" opens the about box.
    choose(app, menu, ITEMS.index("home"))
    wait_until(lambda: len(world.opened_urls()) == 2, WAIT, "the home page handed to the shell")
    check(world.opened_urls()[1].endswith("/"), "home page %s" % world.opened_urls()[1])
    menu = open_menu(app)
    choose(app, menu, ITEMS.index("about"))
    caption = translation("TfrmAbout.Caption")

    def about_box():
        for w in app.own_windows():
            if w["text"] == caption:
                return w
        return None
    box = wait_until(about_box, WAIT, "the about box")
    texts_shown = [c["text"] for c in box["children"]]
    check("1.02.50" in texts_shown, "the about box shows %s" % texts_shown)
    check(translation("TfrmAbout.lblver.Caption") in texts_shown, "its labels: %s" % texts_shown)
    l, t, r, b = box["rect"]
    check((r - l, b - t) == (500, 289), "about box %dx%d" % (r - l, b - t))
    main = app.main_window()
    ml, mt, mr, mb = main["rect"]
    check(abs((l + r) - (ml + mr)) <= 2 and abs((t + b) - (mt + mb)) <= 2, "centred on the main window")
    world.screenshot().crop(l, t, r - l, b - t).save_png(os.path.join(world.shots, "about-english.png"))
    # The support address opens as a mail address.
    support = [c for c in box["children"] if "@" in c["text"]][0]
    sl, st, sr, sb = support["rect"]
    click_screen(world, sl + 10, (st + sb) // 2)
    wait_until(lambda: len(world.opened_urls()) == 3, WAIT, "the mail address handed to the shell")
    check(world.opened_urls()[2] == "mailto:" + support["text"], "opened %s" % world.opened_urls()[2])
    ok = [c for c in box["children"] if c["text"] == translation("TfrmAbout.btnOk.Caption")][0]
    ol, ot, orr, ob = ok["rect"]
    click_screen(world, (ol + orr) // 2, (ot + ob) // 2)
    wait_until(lambda: not about_box(), WAIT, "the about box to close")
    check(app.main_window()["enabled"], "the main window usable again")


def language_order(world):
    """The language names in the order the program lists them."""
    pattern = "Z:" + os.path.join(world.bin, "Languages", "*.ini").replace("/", "\\")
    out = world.probe("list-files", pattern).stdout.decode("ascii")
    seen = [json.loads(line)[:-4] for line in out.splitlines() if line.startswith('"')]
    # Without a UTF-8 locale on the machine Wine reads the non-ASCII file
    # names in another code page: name each by the shipped file it stands for.
    shipped = [n[:-4] for n in os.listdir(os.path.join(ROOT, "Languages")) if n.endswith(".ini")]

    def likeness(a, b):
        front = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
        back = next((i for i, (x, y) in enumerate(zip(reversed(a), reversed(b))) if x != y), min(len(a), len(b)))
        return front + back

    order = []
    for name in seen:
        left = [n for n in shipped if n not in order]
        order.append(name if name in left else max(left, key=lambda n: likeness(n, name)))
    return order


def choose_language(app, order, name):
    menu = open_menu(app)
    l, t, r, b = menu["rect"]
    top = t + item_top(ITEMS.index("language")) + ITEM_H // 2
    app.world.run(["xdotool", "mousemove", str(l + 60), str(top)])
    subs = wait_until(lambda: len(menu_windows(app)) >= 2 and menu_windows(app), WAIT, "the language sub-menu")
    sub = [w for w in subs if w["hwnd"] != menu["hwnd"]][0]
    time.sleep(0.3)
    marked = marked_rows(app.world, sub, len(order))
    sl, st, sr, sb = sub["rect"]
    y = st + BORDER + order.index(name) * ITEM_H + ITEM_H // 2
    # Along the parent row into the sub-menu, then down to the language.
    app.world.run(["xdotool", "mousemove", str(sl + 30), str(top), "sleep", "0.1", "mousemove", str(sl + 30), str(y),
                   "sleep", "0.1", "click", "1"])
    wait_menu_closed(app)
    return marked


@case
def language_menu_switches_every_text_at_once(world, skin):
    order = language_order(world)
    check("Deutsch" in order and "English" in order, "languages found: %s" % order)
    world.write_settings("[General]\nLanguage=Deutsch\n")
    app = started(world)
    de = texts("Deutsch")
    wait_until(lambda: control_by_text(app, translation("TfrmKoltMain.lblSetasdefault.Caption", de)), WAIT,
               "the window in Deutsch")

    # Deutsch active: only its item is checked. Choosing English changes the
    # window's texts at once and stores the choice.
    marked = choose_language(app, order, "English")
    check(marked == [order.index("Deutsch")], "marked rows %s, Deutsch is row %d of %s" %
          (marked, order.index("Deutsch"), order))
    en_link = translation("TfrmKoltMain.lblSetasdefault.Caption")
    wait_until(lambda: control_by_text(app, en_link), 5, "the English link text")
    tabs = tab_captions(app)
    check(tabs == [translation(k) for k in ("TfrmKoltMain.btn5.Caption", "TfrmKoltMain.btn6.Caption_2",
                                            "TfrmKoltMain.btn7.Caption_2")], "English tabs: %s" % tabs)
    check(not control_by_text(app, translation("TfrmKoltMain.lblSetasdefault.Caption", de)), "no German text left")
    check(settings_value(world, "Language") == "English", "stored %s" % settings_value(world, "Language"))
    app.shot().save_png(os.path.join(world.shots, "main-English.png"))
    active = "English"

    # Every other shipped language, chosen the same way: its texts at once
    # and a screenshot to look at (the scripts need their fonts).
    for name in order:
        if name == "English":
            continue
        lang = texts(name)
        marked = choose_language(app, order, name)
        check(marked == [order.index(active)], "%s: marked rows %s" % (name, marked))
        active = name
        link = translation("TfrmKoltMain.lblSetasdefault.Caption", lang)
        wait_until(lambda: control_by_text(app, link), 5, "the link text in %s" % name)
        tabs = tab_captions(app)
        want = [translation(k, lang) for k in ("TfrmKoltMain.btn5.Caption", "TfrmKoltMain.btn6.Caption_2",
                                               "TfrmKoltMain.btn7.Caption_2")]
        check(tabs == want, "%s tabs: %s, expected %s" % (name, tabs, want))
        check(settings_value(world, "Language") == name, "stored %s" % settings_value(world, "Language"))
        app.move(app.size[0] // 2, 300)
        time.sleep(0.4)
        app.shot().save_png(os.path.join(world.shots, "main-%s.png" % name.replace(" ", "_")))
