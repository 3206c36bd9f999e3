"""End-to-end cases of the browsers beyond the four families and of their
profiles: Microsoft Edge's button after the four, its profile drop-down,
the running check per browser, the browser column with seven buttons at the
design size and the smallest, and a default browser on Windows 10, where
only the system's settings may make it.
"""

import json
import os
import shutil
import time

from common import *  # noqa: F401,F403 - the shared layout, texts and helpers
from driver import E2EError, wait_until  # noqa: F401

DESIGN_H = 496
BANNER_TOP = 372  # the banner's top at the design height, anchored to the bottom
BANNER_GAP = 4
EDGE_USER_DATA = ("AppData", "Local", "Microsoft", "Edge", "User Data")


def edge_profiles(world):
    """Edge's profiles as bpmcli lists them, the first (last used) first."""
    exe = os.path.join(world.bin, "bpmcli.exe")
    data = json.loads(world.wine(exe, "list", "--browser", "edge", "--format", "json").stdout.decode("utf-8"))
    return data["browsers"]


def column_buttons(app):
    """The browser buttons, top to bottom: (client rectangle, control)."""
    out = []
    for c in app.controls():
        x, y, w, h = client_rect(app, c)
        if (x, w) == (Layout.BUTTON_LEFT, Layout.BUTTON_W) and c["visible"] and y >= Layout.BUTTON_TOP:
            out.append(((x, y, w, h), c))
    return sorted(out, key=lambda item: item[0][1])


def profile_choice(app):
    """The profile drop-down (a combo box), or None while it is hidden."""
    for c in app.controls():
        if c["class"].lower().endswith("combobox") and c["visible"]:
            return c
    return None


def edge_prefs(world, folder):
    path = os.path.join(world.user_dir(), *EDGE_USER_DATA, folder, "Preferences")
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def choose_profile(app, name):
    """Opens the drop-down and picks the profile by its place in the list."""
    combo = wait_until(lambda: profile_choice(app), WAIT, "the profile drop-down")
    x, y, w, h = client_rect(app, combo)
    app.click(x + w // 2, y + h // 2)
    time.sleep(0.4)
    app.key("Down", "Return")
    wait_until(lambda: (profile_choice(app) or {}).get("text") == name, WAIT, "the profile %r chosen" % name)


@case
def edge_button_and_its_profiles(world, skin):
    entries = browser_entries(world)
    check([b["browser"] for b in entries] == ["chrome", "ie", "firefox", "opera", "edge"],
          "the four families, then Edge: %s" % [b["browser"] for b in entries])
    profiles = edge_profiles(world)
    check([(p["profile"], p["profileName"]) for p in profiles] == [("Default", "Personal"), ("Profile 1", "Work")],
          "Edge's profiles from its Local State: %s" % [(p["profile"], p["profileName"]) for p in profiles])
    app = started(world)
    buttons = column_buttons(app)
    check([c["text"] for _, c in buttons] == [b["displayName"] for b in entries],
          "buttons %s" % [c["text"] for _, c in buttons])
    check(profile_choice(app) is None, "Chrome has one profile: no drop-down")
    app.move(5, 5)
    shot = app.shot()
    shot.save_png(os.path.join(world.shots, "profiles-801x496.png"))

    select_browser(app, "Microsoft Edge")
    combo = wait_until(lambda: profile_choice(app), WAIT, "the profile drop-down")
    check(combo["text"] == "Personal", "the first profile is shown first, got %r" % combo["text"])
    link = control_by_text(app, translation("TfrmKoltMain.lblSetasdefault.Caption"))
    cx, cy, cw, ch = client_rect(app, combo)
    lx, ly, lw, lh = client_rect(app, link)
    check(cx + cw <= lx + lw and abs(cy - ly) < 10, "the drop-down stands left of the link in the header row "
          "(drop-down %s, link %s)" % ((cx, cy, cw, ch), (lx, ly, lw, lh)))
    wait_until(lambda: count_label(app) == len(profiles[0]["addons"]), WAIT,
               "Personal's count %d" % len(profiles[0]["addons"]))
    app.move(5, 5)
    app.shot().save_png(os.path.join(world.shots, "profiles-edge-801x496.png"))

    # Work's list, and a switch there changes only Work's Preferences.
    choose_profile(app, "Work")
    work = profiles[1]
    wait_until(lambda: count_label(app) == len(work["addons"]), WAIT, "Work's count %d" % len(work["addons"]))
    personal_before = edge_prefs(world, "Default")
    row, addon = row_of(work["addons"], lambda a: a["kind"] == 1 and not a["disabled"])
    wait_switch(app, skin, row, "ON")
    x, y, w, h = Layout.switch(row)
    app.click(x + w // 2, y + h // 2)
    app.move(5, 5)
    wait_until(lambda: edge_prefs(world, "Profile 1")["extensions"]["settings"][addon["id"]].get("state") == 0, WAIT,
               "%s switched off in Work's Preferences" % addon["id"])
    wait_switch(app, skin, row, "OFF")
    check(edge_prefs(world, "Default") == personal_before, "Personal's Preferences untouched")

    # Back on Chrome and again on Edge: the profile chosen is still shown.
    select_browser(app, browser_name_of(entries, "chrome"))
    wait_until(lambda: profile_choice(app) is None, WAIT, "no drop-down for Chrome")
    select_browser(app, "Microsoft Edge")
    wait_until(lambda: (profile_choice(app) or {}).get("text") == "Work", WAIT, "Work still chosen")


def browser_name_of(entries, browser):
    return [b["displayName"] for b in entries if b["browser"] == browser][0]


def wait_switch(app, skin, row, look):
    app.wait_shot(lambda s: skin.switch_state(s, row) == look, WAIT, "row %d showing %s" % (row, look),
                  seen=lambda s: skin.switch_state(s, row))


@case
def running_edge_blocks_edge_but_not_chrome(world, skin):
    edge = edge_profiles(world)[0]
    row, addon = row_of(edge["addons"], lambda a: a["kind"] == 1 and not a["disabled"])
    before = edge_prefs(world, "Default")
    chrome = listed(world, "chrome")
    chrome_row, chrome_addon = row_of(chrome, lambda a: a["kind"] == 1 and not a["disabled"])
    release = world.start_stand_in("msedge.exe")
    try:
        app = started(world)
        select_browser(app, "Microsoft Edge")
        wait_switch(app, skin, row, "ON")
        x, y, w, h = Layout.switch(row)
        app.click(x + w // 2, y + h // 2)
        text = message("BIsRuning")
        wait_until(lambda: boxes_with_text(world, text, app.pid), WAIT, "the message %r" % text)
        app.key("Return")
        wait_until(lambda: not boxes_with_text(world, text, app.pid), WAIT, "the message to close")
        check(edge_prefs(world, "Default") == before, "Edge's Preferences unchanged")

        # The running check is per browser: Chrome's switch still works.
        select_browser(app, browser_name_of(browser_entries(world), "chrome"))
        wait_switch(app, skin, chrome_row, "ON")
        x, y, w, h = Layout.switch(chrome_row)
        app.click(x + w // 2, y + h // 2)
        app.move(5, 5)
        wait_until(lambda: world.chrome_prefs()["extensions"]["settings"][chrome_addon["id"]].get("state") == 0,
                   WAIT, "%s switched off in Chrome" % chrome_addon["id"])
        check(not boxes_with_text(world, text, app.pid), "no running message for Chrome")
    finally:
        world.release_stand_in(release)


@case
def seven_browsers_fit_above_the_banner(world, skin):
    # Brave and Vivaldi as copies of Edge's user data: seven buttons.
    local = os.path.join(world.user_dir(), "AppData", "Local")
    edge = os.path.join(world.user_dir(), *EDGE_USER_DATA)
    shutil.copytree(edge, os.path.join(local, "BraveSoftware", "Brave-Browser", "User Data"))
    shutil.copytree(edge, os.path.join(local, "Vivaldi", "User Data"))
    app = started(world)

    def check_column():
        buttons = column_buttons(app)
        names = [c["text"] for _, c in buttons]
        check(names[4:] == ["Microsoft Edge", "Brave", "Vivaldi"], "seven buttons, the newer three last: %s" % names)
        # The banner keeps its distance from the window's bottom.
        banner_top = app.size[1] - (DESIGN_H - BANNER_TOP)
        tops = [r[1] for r, _ in buttons]
        heights = {r[3] for r, _ in buttons}
        check(len(heights) == 1 and min(heights) >= 34, "one readable height for all: %s" % sorted(heights))
        height = min(heights)
        check(all(b - a == height for a, b in zip(tops, tops[1:])), "the buttons stand one below the other: %s" % tops)
        bottom = buttons[-1][0][1] + buttons[-1][0][3]
        check(bottom <= banner_top - BANNER_GAP, "the last button ends at %d, above the banner at %d"
              % (bottom, banner_top))
        return buttons

    check_column()
    app.move(5, 5)
    app.shot().save_png(os.path.join(world.shots, "seven-browsers-801x496.png"))
    w, h = app.size
    app.drag(w - 2, h - 2, w - 2 - 700, h - 2 - 700)
    time.sleep(0.5)
    app.refresh_geometry()
    check(app.size == (Layout.MIN_W, Layout.MIN_H), "size %s, expected 500 x 400" % (app.size,))
    buttons = wait_until(lambda: column_buttons(app) if column_buttons(app)[0][0][3] < 50 else None, WAIT,
                         "the buttons shrunk to share the column")
    check_column()
    # Every button still answers: the last one selects Vivaldi.
    x, y, bw, bh = buttons[-1][0]
    app.click(x + bw // 2, y + bh // 2)
    wait_until(lambda: profile_choice(app) is not None, WAIT, "Vivaldi's profile drop-down")
    app.move(5, 5)
    app.shot().save_png(os.path.join(world.shots, "seven-browsers-500x400.png"))


@case
def set_as_default_on_windows_10_opens_the_settings(world, skin):
    world.wine("reg", "add", "HKCU\\Software\\Wine\\AppDefaults\\BrivoPM.exe", "/v", "Version", "/d", "win10",
               "/f", "/reg:64")
    protocols = ("http", "https", "ftp")
    before = {p: world.reg_value(HKCU + "\\" + USER_CHOICE % p, "Progid") for p in protocols}
    for p in protocols:
        world.set_key_access("readonly", "HKCU", USER_CHOICE % p, "64")
    try:
        app = started(world)
        select_browser(app, "Microsoft Edge")
        click_control(app, translation("TfrmKoltMain.lblSetasdefault.Caption"))
        text = message("SetAsDefaultAsk")
        wait_until(lambda: toasts(app, text), WAIT, "the notification %r" % text)
        want = "ms-settings:defaultapps?registeredAppMachine=Microsoft Edge"
        wait_until(lambda: want in world.opened_urls(), WAIT, "the shell asked to open %r (asked: %s)"
                   % (want, world.opened_urls()))
        check(not toasts(app, message("SetAsDefaultF")), "no failure note")
        check({p: world.reg_value(HKCU + "\\" + USER_CHOICE % p, "Progid") for p in protocols} == before,
              "the choices unchanged")
    finally:
        for p in protocols:
            world.set_key_access("full", "HKCU", USER_CHOICE % p, "64")
