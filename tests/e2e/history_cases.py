"""End-to-end cases of the change history: a removal, a switch and the
default browser undone from the history window and by bpmcli, and the
undos that are refused (browser running, add-on installed again, undone
already, a damaged record).
"""

import json
import os
import shutil
import time

from common import *  # noqa: F401,F403 - the shared layout, texts and helpers
from driver import E2EError, wait_until  # noqa: F401

# The history window's list at 96 DPI, in its client coordinates.
HISTORY_LIST_LEFT, HISTORY_LIST_TOP, HISTORY_ROW_H = 10, 40, 52


def bpmcli(world, *args):
    return world.wine(os.path.join(world.bin, "bpmcli.exe"), *args, check=False)


def history(world):
    proc = bpmcli(world, "history", "--format", "json")
    check(proc.returncode == 0, "bpmcli history answers 0, not %d" % proc.returncode)
    return json.loads(proc.stdout.decode("utf-8"))


def journal_folder(world):
    return os.path.join(os.path.dirname(world.settings_path()), "History")


def journal_records(world):
    """The journal's records, newest first, as JSON."""
    folder = journal_folder(world)
    out = []
    for name in sorted((n for n in os.listdir(folder) if n.endswith(".json")), reverse=True):
        try:
            out.append(json.load(open(os.path.join(folder, name), encoding="utf-8")))
        except ValueError:
            out.append(None)  # a damaged record
    return out


def tree(folder):
    """Every file under the folder by its relative path, with its bytes."""
    out = {}
    for base, _, files in os.walk(folder):
        for name in files:
            path = os.path.join(base, name)
            out[os.path.relpath(path, folder)] = open(path, "rb").read()
    return out


def extension_folder(world, addon_id):
    return os.path.join(os.path.dirname(world.chrome_prefs_path()), "Extensions", addon_id)


def history_window(app):
    title = translation("TfrmHistory.Caption")
    for w in app.world.windows():
        if w["pid"] == app.pid and w["text"] == title:
            return w
    return None


def open_history(app):
    """Ctrl+H in the main window."""
    app.key("ctrl+h")
    return wait_until(lambda: history_window(app), WAIT, "the history window")


def in_main(app, x, y):
    """A screen point as the main window's client coordinates (App.click's)."""
    return x - app.origin[0], y - app.origin[1]


def history_row_point(app, window, row):
    x, y = window["client"][:2]
    return in_main(app, x + HISTORY_LIST_LEFT + 120, y + HISTORY_LIST_TOP + HISTORY_ROW_H * row + 20)


def history_control(app, text):
    w = history_window(app)
    for c in (w["children"] if w else []):
        if c["text"] == text and c["visible"]:
            return c
    return None


def click_history_control(app, text):
    c = wait_until(lambda: history_control(app, text), WAIT, "a history control reading %r" % text)
    l, t, r, b = c["rect"]
    app.click(*in_main(app, (l + r) // 2, (t + b) // 2))


def remove_by_keyboard(app, world, row, gone, what):
    """Delete on the row, Enter on the confirmation, then waits for gone()."""
    focus_list(app, row)
    app.key("Delete")
    wait_until(lambda: boxes_with_text(world, message("DeleteConf"), app.pid), WAIT, "the delete confirmation")
    app.key("Return")
    wait_until(gone, WAIT, what)


def reg_default(world, key):
    """The key's default value as reg.exe prints it, or None."""
    proc = world.wine("reg", "query", key, "/ve", "/reg:64", check=False)
    if proc.returncode != 0:
        return None
    for line in proc.stdout.decode("utf-8", "replace").splitlines():
        parts = line.strip().split(None, 2)
        if parts and parts[0].startswith("(") and len(parts) >= 2 and parts[1].startswith("REG_"):
            return parts[2] if len(parts) > 2 else ""
    return None


@case
def chrome_removal_undone_in_the_history_window(world, skin):
    addons = listed(world, "chrome")
    row, addon = row_of(addons, lambda a: a["kind"] == 1)
    folder = extension_folder(world, addon["id"])
    files = tree(folder)
    check(files, "the extension has files")
    entry = world.chrome_prefs()["extensions"]["settings"][addon["id"]]
    # An older record that cannot be read: listed as such, the window still works.
    os.makedirs(journal_folder(world), exist_ok=True)
    with open(os.path.join(journal_folder(world), "20000101-000000-000.json"), "wb") as f:
        f.write(b'{"time": "2000-01-01T00:00:00Z", "action": "rem')
    app = started(world)
    wait_until(lambda: count_label(app) == len(addons), WAIT, "the count %d" % len(addons))
    remove_by_keyboard(app, world, row, lambda: addon["id"] not in world.chrome_prefs()["extensions"]["settings"],
                       "%s gone from Preferences" % addon["id"])
    check(not os.path.exists(folder), "the folder left the profile")
    records = journal_records(world)
    check(records[0]["action"] == "remove" and records[0]["addonId"] == addon["id"], "the removal's record")
    check(records[0]["entry"] == entry, "the record keeps the settings entry as it was")
    listed_history = history(world)
    check([h.get("unreadable", False) for h in listed_history] == [False, True],
          "the removal, then the unreadable record: %s" % listed_history)
    wait_until(lambda: count_label(app) == len(addons) - 1, WAIT, "the count %d" % (len(addons) - 1))

    window = open_history(app)
    # Undo by double click on the newest row.
    sx, sy = app.screen(*history_row_point(app, window, 0))
    world.run(["xdotool", "mousemove", str(sx), str(sy), "sleep", "0.1", "click", "--repeat", "2", "--delay", "120",
               "1"])
    wait_until(lambda: os.path.isdir(folder), WAIT, "the folder back in the profile")
    check(tree(folder) == files, "the folder is back byte for byte")
    settings = world.chrome_prefs()["extensions"]["settings"]
    check(settings.get(addon["id"]) == entry, "the settings entry is back as it was")
    check(history(world)[0]["undone"], "the record is marked undone")
    # A second undo of the same record is refused, with the reason below the list.
    app.key("Return")
    wait_until(lambda: history_control(app, message("UndoTwice")), WAIT, "the note %r" % message("UndoTwice"))
    # The unreadable record is refused too, and the window still works.
    app.click(*history_row_point(app, history_window(app), 1))
    click_history_control(app, translation("TfrmHistory.btnUndo.Caption"))
    wait_until(lambda: history_control(app, message("UndoUnreadable")), WAIT, "the unreadable record's note")
    app.key("Escape")
    wait_until(lambda: not history_window(app), WAIT, "the history window to close")
    # The main window read the browser again: the row is back.
    wait_until(lambda: count_label(app) == len(addons), WAIT, "the count %d again" % len(addons))
    check([a["id"] for a in listed(world, "chrome")] == [a["id"] for a in addons], "the same list as before")


@case
def undo_refused_while_running_or_installed_again(world, skin):
    addons = listed(world, "chrome")
    _, addon = row_of(addons, lambda a: a["kind"] == 1)
    folder = extension_folder(world, addon["id"])
    files = tree(folder)
    proc = bpmcli(world, "remove", "chrome", addon["id"], "--yes")
    check(proc.returncode == 0, "bpmcli remove answers 0, not %d" % proc.returncode)
    check(not os.path.exists(folder), "the folder left the profile")
    prefs = open(world.chrome_prefs_path(), "rb").read()
    release = world.start_stand_in("chrome.exe")
    try:
        proc = bpmcli(world, "undo", "1")
        check(proc.returncode == 3, "undo while Chrome runs answers 3, not %d" % proc.returncode)
    finally:
        world.release_stand_in(release)
    check(not os.path.exists(folder), "nothing was put back")
    check(open(world.chrome_prefs_path(), "rb").read() == prefs, "Preferences unchanged")
    # The same id installed again: the undo can no longer be done.
    os.makedirs(folder)
    with open(os.path.join(folder, "new.txt"), "wb") as f:
        f.write(b"installed again")
    proc = bpmcli(world, "undo", "1")
    check(proc.returncode == 1, "undo after a new install answers 1, not %d" % proc.returncode)
    check(message("UndoInstalledAgain").encode("utf-8") in proc.stderr + proc.stdout, "the note says why")
    check(tree(folder) == {"new.txt": b"installed again"}, "the new install is left alone")
    check(open(world.chrome_prefs_path(), "rb").read() == prefs, "Preferences unchanged")
    check(not history(world)[0]["undone"], "the record is not marked undone")
    # Once the new install is gone the undo works.
    shutil.rmtree(folder)
    proc = bpmcli(world, "undo", "1")
    check(proc.returncode == 0, "undo answers 0, not %d" % proc.returncode)
    check(tree(folder) == files, "the folder is back byte for byte")
    check(bpmcli(world, "undo", "1").returncode == 1, "a second undo answers 1")
    check(bpmcli(world, "undo", "9").returncode == 2, "an undo of no record answers 2")


@case
def switch_and_default_undone_by_bpmcli(world, skin):
    addons = listed(world, "chrome")
    _, addon = row_of(addons, lambda a: a["kind"] == 1 and not a["disabled"])
    check(bpmcli(world, "disable", "chrome", addon["id"]).returncode == 0, "bpmcli disable answers 0")
    check(world.chrome_prefs()["extensions"]["settings"][addon["id"]].get("state") == 0, "switched off")
    http = HKCU + "\\" + USER_CHOICE % "http"
    before = (world.reg_value(http, "Progid"), reg_default(world, "HKEY_CLASSES_ROOT\\http\\shell\\open\\command"))
    proc = bpmcli(world, "default", "chrome")
    check(proc.returncode == 0, "bpmcli default chrome answers 0, not %d" % proc.returncode)
    check(world.reg_value(http, "Progid") != before[0], "the http choice changed")
    listed_history = history(world)
    check([h["action"] for h in listed_history] == ["default", "switch"], "newest first: %s" % listed_history)
    check(listed_history[1]["addonId"] == addon["id"] and listed_history[1]["browser"] == "chrome",
          "the switch's record names the add-on")
    table = bpmcli(world, "history").stdout.decode("utf-8")
    check(table.splitlines()[1].startswith("1    ") and "default" in table.splitlines()[1], "the table: %s" % table)
    proc = bpmcli(world, "undo", "1")
    check(proc.returncode == 0, "undo of the default answers 0, not %d" % proc.returncode)
    after = (world.reg_value(http, "Progid"), reg_default(world, "HKEY_CLASSES_ROOT\\http\\shell\\open\\command"))
    check(after == before, "the default browser's values are as before: %s, %s" % (after, before))
    proc = bpmcli(world, "undo", "2")
    check(proc.returncode == 0, "undo of the switch answers 0, not %d" % proc.returncode)
    check(world.chrome_prefs()["extensions"]["settings"][addon["id"]].get("state") == 1, "switched on again")
    check([h["undone"] for h in history(world)] == [True, True], "both marked undone")


def host_path(world, windows_path):
    """A C: path of the prefix on this machine."""
    check(windows_path[:3].upper() == "C:\\", "a path on drive C: %r" % windows_path)
    return os.path.join(world.prefix, "drive_c", *windows_path[3:].split("\\"))


def package_bytes(path):
    return tree(path) if os.path.isdir(path) else {"": open(path, "rb").read()}


@case
def firefox_removal_undone_by_the_undo_button(world, skin):
    addons = listed(world, "firefox")
    row, addon = row_of(addons, lambda a: a["kind"] == 1 and a["filePath"])
    package = host_path(world, addon["filePath"])
    check(os.path.exists(package), "the add-on's package %s exists" % package)
    files = package_bytes(package)
    entry = world.firefox_addons()[addon["id"]]
    cache = os.path.join(world.firefox_profile(), "addonStartup.json.lz4")
    app = started(world)
    select_browser(app, browser_name(world, "firefox"))
    wait_until(lambda: count_label(app) == len(addons), WAIT, "the count %d" % len(addons))
    remove_by_keyboard(app, world, row, lambda: addon["id"] not in world.firefox_addons(),
                       "%s gone from extensions.json" % addon["id"])
    check(not os.path.exists(package), "the package left the profile")
    # Firefox ran meanwhile and wrote its start-up cache again.
    with open(cache, "wb") as f:
        f.write(b"mozLz40\0cache")
    open_history(app)
    click_history_control(app, translation("TfrmHistory.btnUndo.Caption"))
    wait_until(lambda: os.path.exists(package), WAIT, "the package back in the profile")
    check(package_bytes(package) == files, "the package is back byte for byte")
    check(world.firefox_addons().get(addon["id"]) == entry, "the extensions.json entry is back as it was")
    check(not os.path.exists(cache), "the start-up cache is removed again")
    app.key("Escape")
    wait_until(lambda: not history_window(app), WAIT, "the history window to close")
    wait_until(lambda: count_label(app) == len(addons), WAIT, "the count %d again" % len(addons))


BHO = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects"
CLASSES = "HKLM\\SOFTWARE\\Classes\\CLSID"


def registry_export(world, key, view):
    """The key's subtree as reg.exe exports it (text), or None when it is missing."""
    path = os.path.join(world.prefix, "drive_c", "e2e-export.reg")
    proc = world.wine("reg", "export", key, "C:\\e2e-export.reg", "/reg:%s" % view, "/y", check=False)
    if proc.returncode != 0:
        return None
    text = open(path, "rb").read().decode("utf-16")
    os.remove(path)
    return text


@case
def ie_helper_in_both_views_removed_and_undone(world, skin):
    addons = listed(world, "ie")
    rows = [i for i, a in enumerate(addons) if a["kind"] == 1 and a["name"] == "Quillmark Password Keeper"]
    check(len(rows) == 2, "the helper is listed once for each view: rows %s" % rows)
    clsid = addons[rows[0]]["id"]
    keys = [(key, view) for key in (BHO, CLASSES + "\\" + clsid) for view in ("32", "64")]
    before = {k: registry_export(world, *k) for k in keys}
    check(all(before.values()), "every key is there before: %s" % [k for k, v in before.items() if not v])
    app = started(world)
    select_browser(app, browser_name(world, "ie"))
    wait_until(lambda: count_label(app) == len(addons), WAIT, "the count %d" % len(addons))
    # Both rows go, one after the other: the second moves up into the first's place.
    for left in (1, 0):
        remove_by_keyboard(app, world, rows[0],
                           lambda: sum(a["id"] == clsid for a in listed(world, "ie")) == left,
                           "%d registration(s) of the helper left" % left)
    check(not any(world.reg_key_exists(BHO + "\\" + clsid, view) for view in ("32", "64")),
          "the helper's key is gone from both views")
    # Undo both with the button, each row chosen by a click, newest first.
    open_history(app)
    for row in (0, 1):
        app.click(*history_row_point(app, history_window(app), row))
        click_history_control(app, translation("TfrmHistory.btnUndo.Caption"))
        wait_until(lambda: sum(h["undone"] for h in history(world)) == row + 1, WAIT, "%d undone" % (row + 1))
    after = {k: registry_export(world, *k) for k in keys}
    for k in keys:
        check(after[k] == before[k], "%s (%s-bit view) is back as it was:\n%s\n--- now ---\n%s" % (
            k[0], k[1], before[k], after[k]))
    app.key("Escape")
    wait_until(lambda: not history_window(app), WAIT, "the history window to close")
    wait_until(lambda: count_label(app) == len(addons), WAIT, "the count %d again" % len(addons))
