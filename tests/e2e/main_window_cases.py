"""End-to-end cases of the main window: browser buttons, kind tabs, the
add-on list's switches and removal, ratings, the default browser, a second
start, access checks and closing.
"""

import json
import os
import shutil
import sqlite3
import subprocess
import time

from common import *  # noqa: F401,F403 - the shared layout, texts and helpers
from driver import App, E2EError, SilentService, closed_port_url, wait_until  # noqa: F401


@case
def browser_buttons_in_list_order(world, skin):
    app = started(world)
    buttons = browser_buttons(app)
    # The four families and the demo's Microsoft Edge.
    check(len(buttons) == 5, "5 browser buttons expected, found %d" % len(buttons))
    expected = [listed_browser["displayName"] for listed_browser in browser_entries(world)]
    check([b["text"] for b in buttons] == expected,
          "buttons %s, expected %s" % ([b["text"] for b in buttons], expected))
    check(all(b["enabled"] for b in buttons), "every demo browser is found")


def all_browsers(world):
    exe = os.path.join(world.bin, "bpmcli.exe")
    check(os.path.exists(exe), "bpmcli.exe is not built")
    return json.loads(world.wine(exe, "list", "--format", "json").stdout.decode("utf-8"))["browsers"]


FAMILY_ORDER = ["chrome", "ie", "firefox", "opera"]
# Installed ones only, after the four families.
NEWER_ORDER = ["edge", "brave", "vivaldi"]


def check_missing_browser(world, remove, missing):
    """Without a browser's data its button is disabled and moves behind the
    found ones; buttons keep the family order otherwise."""
    shutil.rmtree(remove)
    app = started(world)
    buttons = browser_buttons(app)
    browsers = {b["browser"]: b for b in browser_entries(world)}
    check(not browsers[missing]["found"], "%s is not found without its data" % missing)
    order = [f for f in FAMILY_ORDER if browsers[f]["found"]] + [f for f in FAMILY_ORDER if not browsers[f]["found"]]
    order += [f for f in NEWER_ORDER if f in browsers]
    expected = [(browsers[f]["displayName"], browsers[f]["found"]) for f in order]
    seen = [(b["text"], b["enabled"]) for b in buttons]
    check(seen == expected, "buttons (caption, enabled) %s, expected %s" % (seen, expected))
    return app


@case
def missing_opera_button_disabled(world, skin):
    check_missing_browser(world, world.opera_dir(), "opera")


@case
def missing_chrome_button_disabled_and_last(world, skin):
    app = check_missing_browser(world, os.path.dirname(os.path.dirname(world.chrome_prefs_path())), "chrome")
    # The first button, Internet Explorer's, is selected: its kind tabs show.
    ie_tabs = [translation(k) for k in ("TfrmKoltMain.btn5.Caption", "TfrmKoltMain.btn6.Caption_1",
                                        "TfrmKoltMain.btn7.Caption_1", "TfrmKoltMain.btn8.Caption")]
    check(tab_captions(app) == ie_tabs, "tabs %s, expected %s" % (tab_captions(app), ie_tabs))


def tab_face(shot, i):
    """A point of tab i's face that no caption reaches."""
    x, y, _, _ = Layout.tab(i)
    return shot.pixel(x + 6, y + 8)


def selected_tabs(shot, selected_face):
    return [i for i in range(4) if max(abs(a - b) for a, b in zip(tab_face(shot, i), selected_face)) <= 8]


def start_tab_faces(app):
    """The selected face (All, at the start) and an unselected one."""
    shot = app.shot()
    selected, other = tab_face(shot, 0), tab_face(shot, 1)
    check(max(abs(a - b) for a, b in zip(selected, other)) > 24, "the selected tab looks unlike the others")
    return selected


@case
def kind_tabs_follow_the_browser(world, skin):
    app = started(world)
    ie, chrome = browser_name(world, "ie"), browser_name(world, "chrome")
    chrome_tabs = [translation(k) for k in ("TfrmKoltMain.btn5.Caption", "TfrmKoltMain.btn6.Caption_2",
                                            "TfrmKoltMain.btn7.Caption_2")]
    ie_tabs = [translation(k) for k in ("TfrmKoltMain.btn5.Caption", "TfrmKoltMain.btn6.Caption_1",
                                        "TfrmKoltMain.btn7.Caption_1", "TfrmKoltMain.btn8.Caption")]
    check(tab_captions(app) == chrome_tabs, "Chrome's tabs: %s" % tab_captions(app))
    app.move(5, 5)
    selected = start_tab_faces(app)
    select_browser(app, ie)
    wait_until(lambda: tab_captions(app) == ie_tabs, WAIT, "IE's tabs %s" % ie_tabs)
    click_control(app, ie_tabs[3])
    app.move(5, 5)
    app.wait_shot(lambda s: selected_tabs(s, selected) == [3], WAIT, "Context Menu selected",
                  seen=lambda s: selected_tabs(s, selected))
    select_browser(app, chrome)
    wait_until(lambda: tab_captions(app) == chrome_tabs, WAIT, "Chrome's tabs again")
    app.move(5, 5)
    app.wait_shot(lambda s: selected_tabs(s, selected) == [0], WAIT, "All selected again")


@case
def ctrl_tab_walks_kind_tabs(world, skin):
    app = started(world)
    app.move(5, 5)
    selected = start_tab_faces(app)
    focus_list(app, 0)
    app.move(5, 5)
    app.key("ctrl+Tab")
    app.wait_shot(lambda s: selected_tabs(s, selected) == [1], WAIT, "Extensions selected")
    # Backwards past the first tab: the last shown one (Chrome has three).
    app.key("ctrl+shift+Tab", "ctrl+shift+Tab")
    app.wait_shot(lambda s: selected_tabs(s, selected) == [2], WAIT, "Plugins selected")


def wait_switch(app, skin, row, look):
    app.wait_shot(lambda s: skin.switch_state(s, row) == look, WAIT, "row %d showing %s" % (row, look),
                  seen=lambda s: skin.switch_state(s, row))


def switch_off_by_click(world, skin, browser, written, select=True):
    """Clicks the switch of the first add-on that is on and can be switched;
    the browser's file (written(addon)) and the row must both show it off."""
    addons = listed(world, browser)
    row, addon = row_of(addons, lambda a: a["kind"] == 1 and not a["disabled"])
    app = started(world)
    if select:
        select_browser(app, browser_name(world, browser))
    wait_switch(app, skin, row, "ON")
    x, y, w, h = Layout.switch(row)
    app.click(x + w // 2, y + h // 2)
    app.move(5, 5)
    wait_until(lambda: written(addon), WAIT, "%s switched off in the browser's files" % addon["id"])
    wait_switch(app, skin, row, "OFF")


@case
def chrome_switch_click(world, skin):
    def written(addon):
        s = world.chrome_prefs()["extensions"]
        return s["settings"][addon["id"]].get("state") == 0 and addon["id"] in s.get("known_disabled", [])
    switch_off_by_click(world, skin, "chrome", written, select=False)


@case
def chrome_switch_space(world, skin):
    addons = listed(world, "chrome")
    row, addon = row_of(addons, lambda a: a["kind"] == 1 and a["disabled"] and addons.index(a) > 0)
    app = started(world)
    wait_switch(app, skin, row, "OFF")
    # The row above is clicked; Down selects the add-on's own row.
    focus_list(app, row - 1)
    app.key("Down", "space")
    app.move(5, 5)

    def written():
        s = world.chrome_prefs()["extensions"]
        return s["settings"][addon["id"]].get("state") == 1 and addon["id"] not in s.get("known_disabled", [])
    wait_until(written, WAIT, "Preferences with %s switched on" % addon["id"])
    wait_switch(app, skin, row, "ON")


@case
def keyboard_reaches_the_list_at_start(world, skin):
    """No click first: the list has the keyboard, nothing is selected, Down
    selects the first row and then moves on, Up back."""
    addons = listed(world, "chrome")
    before = world.chrome_prefs()["extensions"]["settings"]
    app = started(world)
    app.key("Down", "Down", "Down", "Up", "space")
    want = "ON" if addons[1]["disabled"] else "OFF"
    app.wait_shot(lambda s: skin.switch_state(s, 1) == want, WAIT, "row 1 showing %s" % want,
                  seen=lambda s: [skin.switch_state(s, i) for i in range(3)])
    after = world.chrome_prefs()["extensions"]["settings"]
    changed = [k for k in after if after[k].get("state") != before[k].get("state")]
    check(changed == [addons[1]["id"]], "only %s switched, saw %s" % (addons[1]["id"], changed))


@case
def wheel_then_click_switches_the_row_under_the_mouse(world, skin):
    addons = listed(world, "chrome")
    before = world.chrome_prefs()["extensions"]["settings"]
    app = started(world)
    app.move(5, 5)
    unscrolled = app.shot()
    app.move(*Layout.name_point(1))
    world.run(["xdotool", "click", "5"])
    app.move(5, 5)
    # One notch moves the list by one row: row 2's picture is where row 1's was.
    app.wait_shot(lambda s: s.crop(*Layout.icon(1)).difference(unscrolled.crop(*Layout.icon(2))) < 2, WAIT,
                  "the list one row further down")
    x, y, w, h = Layout.switch(0)
    app.click(x + w // 2, y + h // 2)
    app.move(5, 5)
    want = "ON" if addons[1]["disabled"] else "OFF"
    app.wait_shot(lambda s: skin.switch_state(s, 0, index=1) == want, WAIT, "the top row showing %s" % want,
                  seen=lambda s: skin.switch_state(s, 0, index=1))
    after = world.chrome_prefs()["extensions"]["settings"]
    changed = [k for k in after if after[k].get("state") != before[k].get("state")]
    check(changed == [addons[1]["id"]], "only %s switched, saw %s" % (addons[1]["id"], changed))


@case
def firefox_switch_click(world, skin):
    def written(addon):
        a = world.firefox_addons()[addon["id"]]
        return a["userDisabled"] is True and a["active"] is False
    switch_off_by_click(world, skin, "firefox", written)


@case
def firefox_legacy_switch_click(world, skin):
    world.run(["bash", os.path.join(ROOT, "scripts", "demo.d", "firefox.sh")],
              env={"BRIVO_DEMO_FIREFOX_PROFILE": "legacy"})
    db_path = os.path.join(world.firefox_profile("7fh2lq0m.default"), "extensions.sqlite")

    def written(addon):
        with sqlite3.connect(db_path) as db:
            r = db.execute("select userDisabled, active from addon where id = ?", (addon["id"],)).fetchone()
        return r is not None and r[0] == 1 and r[1] == 0
    switch_off_by_click(world, skin, "firefox", written)


@case
def held_space_switches_once(world, skin):
    """Space held down repeats the key; the add-on is switched once, and the
    browser's file written once, per press."""
    addons = listed(world, "chrome")
    row, addon = row_of(addons, lambda a: a["kind"] == 1 and not a["disabled"] and addons.index(a) > 0)
    app = started(world)
    wait_switch(app, skin, row, "ON")
    focus_list(app, row - 1)
    app.key("Down")

    def state():
        try:
            return world.chrome_prefs()["extensions"]["settings"][addon["id"]].get("state")
        except (ValueError, OSError):
            return None  # between the writes
    seen = [state()]
    mtimes = {os.stat(world.chrome_prefs_path()).st_mtime_ns}
    held = subprocess.Popen(["xdotool", "keydown", "space", "sleep", "2", "keyup", "space"], env=world.env)
    while held.poll() is None:
        s = state()
        if s is not None and s != seen[-1]:
            seen.append(s)
        mtimes.add(os.stat(world.chrome_prefs_path()).st_mtime_ns)
        time.sleep(0.03)
    time.sleep(0.5)
    final = state()
    if final != seen[-1]:
        seen.append(final)
    mtimes.add(os.stat(world.chrome_prefs_path()).st_mtime_ns)
    check(seen == [1, 0], "states of %s while Space was held: %s" % (addon["id"], seen))
    check(len(mtimes) == 2, "Preferences written %d times" % (len(mtimes) - 1))
    app.move(5, 5)
    wait_switch(app, skin, row, "OFF")


@case
def refused_removal_keeps_the_row_and_says_so(world, skin):
    """An Internet Explorer helper whose key the user may not delete: after
    Yes the row stays and the error note says the removal failed."""
    addons = listed(world, "ie")
    row, addon = row_of(addons, lambda a: a["kind"] == 1 and a["nativeView"] == 1)
    key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\" + addon["id"]
    world.set_key_access("readonly", "HKLM", key, "64")
    try:
        app = started(world)
        select_browser(app, browser_name(world, "ie"))
        wait_until(lambda: count_label(app) == len(addons), WAIT, "the count %d" % len(addons))
        x, y, w, h = Layout.delete(row)
        app.click(x + w // 2, y + h // 2)
        wait_until(lambda: delete_confirmation(app), WAIT, "the delete confirmation")
        app.key("Return")
        text = message("RemoveFailed")
        toast = wait_until(lambda: toasts(app, text), WAIT, "the note %r" % text)[0]
        check(toast["class"] == "TfrmMessage", "an error note")
        check(count_label(app) == len(addons), "the count unchanged")
        check(world.reg_key_exists("HKLM\\" + key, "64"), "the helper's key is still there")
        check(addon["id"] in [a["id"] for a in listed(world, "ie")], "still listed")
    finally:
        world.set_key_access("full", "HKLM", key, "64")


@case
def ie_helper_switch_click(world, skin):
    for addon in listed(world, "ie"):
        if addon["kind"] == 1 and not addon["disabled"]:
            key = IE_SETTINGS + "\\" + addon["id"]
            check(world.reg_value(key, "Flags") is None, "no Flags for %s before" % addon["id"])
            break
    switch_off_by_click(world, skin, "ie",
                        lambda addon: world.reg_value(IE_SETTINGS + "\\" + addon["id"], "Flags") in
                        ("0x1", "0x00000001"))


def delete_confirmation(app):
    return boxes_with_text(app.world, message("DeleteConf"), app.pid)


@case
def delete_key_removes_after_yes(world, skin):
    addons = listed(world, "chrome")
    row, addon = row_of(addons, lambda a: a["kind"] == 1)
    app = started(world)
    wait_until(lambda: count_label(app) == len(addons), WAIT, "the count %d" % len(addons))
    before = app.shot()
    focus_list(app, row)
    app.key("Delete")
    wait_until(lambda: delete_confirmation(app), WAIT, "the delete confirmation")
    app.key("Return")
    wait_until(lambda: addon["id"] not in world.chrome_prefs()["extensions"]["settings"], WAIT,
               "%s gone from Preferences" % addon["id"])
    wait_until(lambda: count_label(app) == len(addons) - 1, WAIT, "the count %d" % (len(addons) - 1))
    check(not delete_confirmation(app), "the confirmation closed")
    # The next add-on moved up into the row.
    app.move(5, 5)
    app.wait_shot(lambda s: s.crop(*Layout.icon(row)).difference(before.crop(*Layout.icon(row + 1))) < 4,
                  WAIT, "the next add-on in row %d" % row)


@case
def delete_key_escape_keeps(world, skin):
    addons = listed(world, "chrome")
    row, addon = row_of(addons, lambda a: a["kind"] == 1)
    prefs = open(world.chrome_prefs_path(), "rb").read()
    app = started(world)
    wait_until(lambda: count_label(app) == len(addons), WAIT, "the count %d" % len(addons))
    focus_list(app, row)
    app.key("Delete")
    wait_until(lambda: delete_confirmation(app), WAIT, "the delete confirmation")
    app.key("Escape")
    wait_until(lambda: not delete_confirmation(app), WAIT, "the confirmation to close")
    time.sleep(1)
    check(open(world.chrome_prefs_path(), "rb").read() == prefs, "Preferences unchanged")
    check(count_label(app) == len(addons), "the count unchanged")


EMPTY_TEXT = colour("#BDBDBD")


def empty_list_state(shot, picture):
    """(picture shown, box of the empty-list text or None) in the list."""
    w, h = Layout.LIST_W, Layout.LIST_H
    left = Layout.LIST_LEFT + (w - picture.width) // 2
    top = Layout.LIST_TOP + (h - picture.height) // 2 - 30
    shown = shot.crop(left, top, picture.width, picture.height).difference(picture) < 4
    band_top = top + picture.height
    xs, ys = [], []
    for y in range(band_top, band_top + 40):
        for x in range(Layout.LIST_LEFT + 2, Layout.LIST_LEFT + w - 2):
            p = shot.pixel(x, y)
            # The text's own colour, or its smoothed edges on white.
            if all(EMPTY_TEXT[c] - 4 <= p[c] <= 250 for c in range(3)) and max(p) - min(p) <= 8:
                xs.append(x)
                ys.append(y)
    box = (min(xs), min(ys), max(xs), max(ys)) if len(xs) > 20 else None
    return shown, box


def remove_last_of_a_kind(world, skin, browser, kind, tab_key, text_key):
    """Removes every add-on of one kind under its tab: the list then shows
    picture 18 centred 30 pixels above the middle and the text below it."""
    before = listed(world, browser)
    rows = [a for a in before if a["kind"] == kind]
    check(rows, "the demo gives %s add-ons of kind %d" % (browser, kind))
    picture = world.skin_picture(18).over(ODD_ROW)
    app = started(world)
    select_browser(app, browser_name(world, browser))
    click_control(app, translation(tab_key))
    for n in range(len(rows)):
        focus_list(app, 0)
        app.key("Delete")
        wait_until(lambda: delete_confirmation(app), WAIT, "the delete confirmation")
        app.key("Return")
        wait_until(lambda: count_label(app) == len(before) - n - 1, WAIT, "the count %d" % (len(before) - n - 1))
    check(not [a for a in listed(world, browser) if a["kind"] == kind], "nothing of kind %d left" % kind)
    app.move(5, 5)
    shot = app.wait_shot(lambda s: empty_list_state(s, picture)[0], WAIT, "the empty-list picture")
    box = empty_list_state(shot, picture)[1]
    top = Layout.LIST_TOP + (Layout.LIST_H - picture.height) // 2 - 30 + picture.height + 10
    check(message(text_key), "the language has the text %s" % text_key)
    check(box is not None, "the empty-list text is shown")
    centre = (box[0] + box[2]) / 2
    check(abs(centre - (Layout.LIST_LEFT + Layout.LIST_W / 2)) <= 3, "the text is centred (%s)" % (box,))
    check(abs(box[1] - top) <= 4, "the text starts 10 below the picture (%s, expected top %d)" % (box, top))


@case
def removing_the_last_chrome_plugin_shows_the_empty_list(world, skin):
    remove_last_of_a_kind(world, skin, "chrome", 2, "TfrmKoltMain.btn7.Caption_2", "NONEPLUGIN1_2")


@case
def removing_the_last_ie_context_entry_shows_the_empty_list(world, skin):
    # The language files keep this text under the third tab's number.
    remove_last_of_a_kind(world, skin, "ie", 4, "TfrmKoltMain.btn8.Caption", "NONEPLUGIN0_3")


@case
def running_browser_blocks_changes(world, skin):
    addons = listed(world, "chrome")
    row, addon = row_of(addons, lambda a: a["kind"] == 1 and not a["disabled"])
    prefs = open(world.chrome_prefs_path(), "rb").read()
    release = world.start_stand_in("chrome.exe")
    try:
        app = started(world)
        x, y, w, h = Layout.switch(row)
        app.click(x + w // 2, y + h // 2)
        text = message("BIsRuning")
        wait_until(lambda: boxes_with_text(world, text, app.pid), WAIT, "the message %r" % text)
        app.key("Return")
        wait_until(lambda: not boxes_with_text(world, text, app.pid), WAIT, "the message to close")
        # Removal is refused the same way.
        focus_list(app, row)
        app.key("Delete")
        wait_until(lambda: boxes_with_text(world, text, app.pid), WAIT, "the message %r again" % text)
        check(not delete_confirmation(app), "no question about removing")
        app.key("Return")
        wait_until(lambda: not boxes_with_text(world, text, app.pid), WAIT, "the message to close")
        app.move(5, 5)
        check(open(world.chrome_prefs_path(), "rb").read() == prefs, "Preferences unchanged")
        check(os.path.isdir(os.path.join(os.path.dirname(world.chrome_prefs_path()), "Extensions", addon["id"])),
              "the extension's folder is still there")
        check(count_label(app) == len(addons), "the count unchanged")
        shot = app.shot()
        check(skin.switch_state(shot, row) == "ON", "row %d still shows ON" % row)
    finally:
        world.release_stand_in(release)


@case
def seeded_ratings_show_as_stars(world, skin):
    addons = listed(world, "chrome")[:Layout.visible_rows()]
    known = world.service.ratings(1, [a["id"] for a in addons])
    check(any(v >= 1 for v in known.values()), "the seed rates some visible Chrome add-on")
    expected = [expected_stars(known.get(a["id"], 0)) for a in addons]
    app = started(world)
    app.move(5, 5)
    app.wait_shot(lambda s: [skin.stars(s, i) for i in range(len(addons))] == expected, WAIT,
                  "stars %s" % expected, seen=lambda s: [skin.stars(s, i) for i in range(len(addons))])


@case
def ratings_shown_in_tenths_truncated(world, skin):
    addons = listed(world, "chrome")[:4]
    given = ["3.75", "0.1", "5", "4.0"]
    body = "msg=9\r\n" + "".join("%s=%s,2\r\n" % (a["id"], r) for a, r in zip(addons, given))
    world.service.control("__canned", op="get_plugs_rating", body=body, count="0")
    expected = [["lit", "lit", "lit", "half", "grey"], ["half"] + ["grey"] * 4, ["lit"] * 5,
                ["lit"] * 4 + ["grey"]]
    app = started(world)
    app.move(5, 5)
    app.wait_shot(lambda s: [skin.stars(s, i) for i in range(4)] == expected, WAIT, "stars %s" % expected,
                  seen=lambda s: [skin.stars(s, i) for i in range(4)])


@case
def service_down_leaves_grey_stars(world, skin):
    app = started(world, rating_url=closed_port_url())
    app.move(5, 5)
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline:
        check(not toasts(app), "no notification when the service is down")
        time.sleep(0.5)
    shot = app.shot()
    for i in range(Layout.visible_rows()):
        check(skin.stars(shot, i) == ["grey"] * 5, "row %d shows five grey stars" % i)


@case
def reply_without_msg_is_reported_once(world, skin):
    world.service.control("__canned", op="get_plugs_rating", body="rating=4\r\n", count="0")
    app = started(world)
    text = message("GetSvrError1")
    seen = set()
    first = wait_until(lambda: toasts(app, text), WAIT, "the notification %r" % text)
    check_toast_place(app, first[0], -60, -35)
    seen.update(w["hwnd"] for w in first)
    deadline = time.monotonic() + 4
    while time.monotonic() < deadline:
        seen.update(w["hwnd"] for w in toasts(app, text))
        time.sleep(0.4)
    check(len(seen) == 1, "one notification, saw %d" % len(seen))


def default_mark_pixels(shot, button_index):
    x, y, _, _ = Layout.button(button_index)
    return shot.count(DEFAULT_MARK, x + 60, y + 33, 100, 15, tolerance=24)


def progid(world, protocol):
    return world.reg_value(HKCU + "\\" + USER_CHOICE % protocol, "Progid")


@case
def set_as_default_accepted(world, skin):
    browsers = browser_entries(world)
    chrome = [i for i, b in enumerate(browsers) if b["browser"] == "chrome"][0]
    was = [i for i, b in enumerate(browsers) if b["isDefault"]][0]
    check(chrome != was, "Chrome is not the default at first")
    before_progid = progid(world, "http")
    app = started(world)
    app.move(5, 5)
    shot = app.shot()
    check(default_mark_pixels(shot, was) > 10, "the mark on button %d" % was)
    check(default_mark_pixels(shot, chrome) < 3, "no mark on Chrome's button")
    click_control(app, translation("TfrmKoltMain.lblSetasdefault.Caption"))
    text = message("SetAsDefault")
    note = wait_until(lambda: toasts(app, text), WAIT, "the notification %r" % text)
    check_toast_place(app, note[0], 0, -35)
    check(progid(world, "http") != before_progid, "the http choice changed")
    app.move(5, 5)
    app.wait_shot(lambda s: default_mark_pixels(s, chrome) > 10 and default_mark_pixels(s, was) < 3, WAIT,
                  "the mark moved to Chrome")


@case
def set_as_default_refused(world, skin):
    browsers = browser_entries(world)
    chrome = [i for i, b in enumerate(browsers) if b["browser"] == "chrome"][0]
    was = [i for i, b in enumerate(browsers) if b["isDefault"]][0]
    before = {p: progid(world, p) for p in ("http", "https", "ftp")}
    for p in before:
        world.set_key_access("readonly", "HKCU", USER_CHOICE % p, "64")
    try:
        app = started(world)
        click_control(app, translation("TfrmKoltMain.lblSetasdefault.Caption"))
        text = message("SetAsDefaultF")
        wait_until(lambda: toasts(app, text), WAIT, "the notification %r" % text)
        check(not toasts(app, message("SetAsDefault")), "no success note")
        check({p: progid(world, p) for p in before} == before, "the choices unchanged")
        app.move(5, 5)
        shot = app.shot()
        check(default_mark_pixels(shot, was) > 10 and default_mark_pixels(shot, chrome) < 3,
              "the mark stays on button %d" % was)
    finally:
        for p in before:
            world.set_key_access("full", "HKCU", USER_CHOICE % p, "64")


@case
def second_start_raises_the_first(world, skin):
    settings = world.settings_path()
    first = started(world)
    first.click(*minimize_button(first))
    wait_until(lambda: first.main_window()["iconic"], WAIT, "the first window minimised")
    before = open(settings, "rb").read() if os.path.exists(settings) else None
    second = App(world)
    t0 = time.monotonic()
    foreign = set()
    while second.proc.poll() is None and time.monotonic() - t0 < 30:
        for w in world.windows():
            if w["pid"] != first.pid and (w["text"] == "Brivo Plug-in Manager" or w["class"].startswith("T")):
                foreign.add((w["class"], w["text"]))
        time.sleep(0.2)
    code = second.wait_exit(5)
    second.close()
    check(code == 0, "the second start ends with 0, got %d" % code)
    check(not foreign, "the second start showed windows: %s" % sorted(foreign))
    def in_front():
        # Front to back: only top-most windows (notifications) may lie above it.
        for w in world.windows():
            if w["hwnd"] == first.hwnd:
                return not w["iconic"]
            if not w["topmost"]:
                return False
        return False
    wait_until(in_front, WAIT, "the first window restored and in front")
    after = open(settings, "rb").read() if os.path.exists(settings) else None
    check(after == before, "the settings file untouched")


@case
def access_denied_in_chosen_language(world, skin):
    de = texts("Deutsch")
    world.write_settings("[General]\nLanguage=Deutsch\n")
    for view in ("64", "32"):
        world.set_key_access("readonly", "HKLM", START_MENU, view)
    try:
        app = App(world)
        text = message("ACCESSDENIED", de)
        box = wait_until(lambda: boxes_with_text(world, text), 30, "the message %r" % text)[0]
        check(box["class"] == "#32770", "a system message box, got %s" % box["class"])
        # Dismissed with its button.
        ok = [c for c in box["children"] if c["class"].lower() == "button"][0]
        l, t, r, b = ok["rect"]
        world.run(["xdotool", "mousemove", str((l + r) // 2), str((t + b) // 2), "sleep", "0.1", "click", "1"])
        code = app.wait_exit(WAIT)
        check(code == 0, "exit code 0 after the message, got %d" % code)
        saved = world.settings()
        check(saved and saved.get("Language") == "Deutsch", "the settings were kept: %s" % saved)
    finally:
        for view in ("64", "32"):
            world.set_key_access("full", "HKLM", START_MENU, view)


def close_button(app):
    """The title bar's right-most button, 30 pixels wide."""
    return app.size[0] - 15, 15


def minimize_button(app):
    return app.size[0] - 45, 15


@case
def close_button_while_rating_request_runs(world, skin):
    silent = SilentService()
    try:
        settings = world.settings_path()
        check(not os.path.exists(settings), "no settings file before")
        app = started(world, rating_url=silent.url)
        wait_until(silent.connected, WAIT, "the rating request to reach the silent service")
        app.click(*close_button(app))
        code = app.wait_exit(WAIT)
        check(code == 0, "exit code 0, got %d" % code)
        saved = world.settings()
        check(saved and saved.get("Language") == "English", "the settings were saved: %s" % saved)
    finally:
        silent.close()


@case
def alt_f4_saves_settings(world, skin):
    settings = world.settings_path()
    check(not os.path.exists(settings), "no settings file before")
    app = started(world)
    focus_list(app, 0)
    app.key("alt+F4")
    code = app.wait_exit(WAIT)
    check(code == 0, "exit code 0, got %d" % code)
    saved = world.settings()
    check(saved and saved.get("Language") == "English", "the settings were saved: %s" % saved)


@case
def window_stops_at_minimum_size(world, skin):
    app = started(world)
    w, h = app.size
    app.drag(w - 2, h - 2, w - 2 - 700, h - 2 - 700)
    time.sleep(0.5)
    app.refresh_geometry()
    check(app.size == (Layout.MIN_W, Layout.MIN_H), "size %s, expected 500 x 400" % (app.size,))
    # The list follows the window, and its first column gives way: the
    # switches keep 130 pixels from the list's right end.
    narrower = w - Layout.MIN_W
    first = listed(world, "chrome")[0]
    expected = "OFF" if first["disabled"] else "ON"
    state = skin.switch_state(app.shot(), 0, narrower)
    check(state == expected, "row 0's switch (%s) %d pixels further left, found %s" % (expected, narrower, state))
