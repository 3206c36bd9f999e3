#!/usr/bin/env bash
# Demo data for the Firefox list: a current profile whose "extensions.json"
# holds ten add-ons (locales, switched-off ones, icon addresses) and an older
# profile folder whose add-ons live in "extensions.sqlite" with an
# "addons.json" beside it. Run by `./bpm run` with WINEPREFIX set to the demo
# prefix. Both profile folders and "profiles.ini" are written afresh on every
# run, so each run (also after the program removed or switched add-ons)
# leaves the same state.
#
#   BRIVO_DEMO_FIREFOX_PROFILE=legacy  makes the older profile "Profile0", the
#                                      one the program lists
#   BRIVO_DEMO_ICON_BASE               where the icon addresses point
#                                      (default http://127.0.0.1:8765/icons)
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the demo prefix}"
export WINEDEBUG=-all

appdata_win=$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
roaming=$(winepath -u "$appdata_win" 2>/dev/null)
[ -n "$roaming" ] || { echo "firefox.sh: cannot find the roaming application data" >&2; exit 1; }

FIREFOX="$roaming/Mozilla/Firefox" \
FIREFOX_WIN="$appdata_win\\Mozilla\\Firefox" \
PROFILE_CHOICE="${BRIVO_DEMO_FIREFOX_PROFILE:-current}" \
ICON_BASE="${BRIVO_DEMO_ICON_BASE:-http://127.0.0.1:8765/icons}" \
python3 - <<'PY'
import json, os, shutil, sqlite3, zlib

firefox = os.environ["FIREFOX"]
firefox_win = os.environ["FIREFOX_WIN"]
icons = os.environ["ICON_BASE"].rstrip("/")
current_dir = "Profiles/k3v9q2xd.default-release"
legacy_dir = "Profiles/7fh2lq0m.default"

def fresh(folder):
    path = os.path.join(firefox, folder)
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(os.path.join(path, "extensions"))
    return path

def descriptor(folder, addon_id):
    return firefox_win + "\\" + folder.replace("/", "\\") + "\\extensions\\" + addon_id + ".xpi"

def fake_xpi(folder, addon_id):
    with open(os.path.join(firefox, folder, "extensions", addon_id + ".xpi"), "wb") as f:
        f.write(b"PK\x05\x06" + b"\0" * 18)  # an empty zip archive

# Invented add-ons: id, name, version, description, German texts or None,
# userDisabled, appDisabled, icon sizes.
CURRENT = [
    ("tabtamer@quietlabs.example", "Tab Tamer", "3.4.1", "Groups and sleeps tabs you are not using",
     ("Tab-Bändiger", "Gruppiert und pausiert Tabs, die Sie nicht nutzen"), False, False, (32, 64)),
    ("{5b8e1c7a-3f2d-4e6a-9c41-2d7f0b6e8a13}", "Readwell", "1.12.0", "Turns cluttered pages into clean reading views",
     ("Lesefreund", "Macht aus überladenen Seiten eine ruhige Leseansicht"), False, False, (64,)),
    ("cookiejar-keeper@morrowsoft.example", "Cookie Jar Keeper", "2.0.7", "Keeps the cookies you choose and clears the rest",
     None, True, False, (32,)),
    ("pagepeek@lantern.example", "PagePeek", "0.9.3", "Previews links when you hover over them",
     ("Seitenblick", "Zeigt eine Vorschau, wenn Sie über einen Link fahren"), False, False, (32, 64)),
    ("{c2a4f6e8-1b3d-4f57-a9c0-e1d2c3b4a596}", "Quiet Video", "5.1", "Stops videos from playing by themselves",
     None, False, True, (64,)),
    ("shelfnotes@papercraft.example", "Shelf Notes", "1.0.4", "Sticky notes for any web page, kept on your computer",
     ("Regalnotizen", "Haftnotizen für jede Webseite, gespeichert auf Ihrem Rechner"), False, False, ()),
    ("colorpick@hue.example", "Hue Dropper", "4.2.0", "Picks colours from any page and copies them as #RRGGBB",
     None, False, False, (32, 64)),
    ("{9e7d5c3b-a1f2-4e8d-b6c4-0f1e2d3c4b5a}", "Translate Bubble", "2.6.2", "Translates the words you select in a small bubble",
     ("Übersetzungsblase", "Übersetzt markierte Wörter in einer kleinen Blase"), True, False, (64,)),
    ("nightowl@starling.example", "Night Owl Theme Switcher", "1.3.0", "Dark pages after sunset, light ones by day",
     None, False, False, (32,)),
    ("formfill-plus@tidy.example", "FormFill Plus", "7.0.1", "Fills long forms with the details you saved",
     ("FormFill Plus", "Füllt lange Formulare mit gespeicherten Angaben aus"), False, False, (32, 64)),
]

def addon_entry(folder, row):
    addon_id, name, version, description, german, user_off, app_off, sizes = row
    entry = {
        "id": addon_id, "syncGUID": "{%08x-demo}" % zlib.crc32(addon_id.encode()), "version": version,
        "type": "extension", "name": name, "active": not (user_off or app_off),
        "userDisabled": user_off, "appDisabled": app_off, "descriptor": descriptor(folder, addon_id),
        "installDate": 1700000000000, "updateDate": 1710000000000, "visible": True,
        "defaultLocale": {"name": name, "description": description, "creator": "Demo Maker"},
        "locales": {},
        "icons": {str(s): "%s/%s-%d.png" % (icons, addon_id.strip("{}"), s) for s in sizes},
    }
    if german:
        entry["locales"]["de"] = {"name": german[0], "description": german[1]}
    return entry

path = fresh(current_dir)
with open(os.path.join(path, "extensions.json"), "w", encoding="utf-8") as f:
    json.dump({"schemaVersion": 31, "addons": [addon_entry(current_dir, r) for r in CURRENT]}, f,
              ensure_ascii=False, indent=1)
for row in CURRENT:
    fake_xpi(current_dir, row[0])

# The older profile: the add-on manager's database of its time.
LEGACY = [
    # id, name, description, active, userDisabled, icon, cached texts in addons.json or None
    ("{3d9a0c51-7e2b-4f18-8a6d-c5b4e3f2a110}", "Bookmark Harbour", "Keeps bookmarks in tidy harbours", 1, 0, True,
     ("Bookmark Harbour", "Sorts and syncs your bookmarks")),
    ("downthem@riverbank.example", "DownThem River", "Downloads every link of a page at once", 1, 0, True, None),
    ("adquiet@shade.example", "Ad Quiet", "Calms down noisy advertisements", 0, 1, False,
     ("Ad Quiet Classic", "")),
    ("weatherpane@skyline.example", "Weather Pane", "Shows the weather in the status bar", 0, 0, True, None),
    ("grease-lite@scripthouse.example", "Script House Lite", "Runs your own user scripts on chosen sites", 1, 0, False, None),
    ("caf\u00e9-menu@bistro.example", "Caf\u00e9 Men\u00fc", "Opens the page's menu in a side bar \u2013 \u00e9l\u00e9gant", 1, 0, True, None),
]
path = fresh(legacy_dir)
db = sqlite3.connect(os.path.join(path, "extensions.sqlite"))
db.executescript("""
create table addon (internal_id integer primary key autoincrement, id text, syncGUID text,
  location text, version text, type text, internalName text, updateURL text, updateKey text,
  optionsURL text, optionsType text, aboutURL text, iconURL text, icon64URL text, defaultLocale integer,
  active integer, userDisabled integer, appDisabled integer, pendingUninstall integer, descriptor text,
  installDate integer, updateDate integer, applyBackgroundUpdates integer, bootstrap integer,
  skinnable integer, size integer, sourceURI text, releaseNotesURI text, softDisabled integer);
create table locale (id integer, name text, description text, creator text, homepageURL text);
""")
cached = []
for n, (addon_id, name, description, active, user_off, icon, cache) in enumerate(LEGACY, 1):
    icon_url = "%s/%s-32.png" % (icons, addon_id.strip("{}")) if icon else None
    db.execute("insert into addon (internal_id, id, location, version, type, iconURL, defaultLocale, active,"
               " userDisabled, appDisabled, descriptor, installDate, updateDate) values"
               " (?, ?, 'app-profile', ?, 'extension', ?, ?, ?, ?, 0, ?, 1300000000000, 1310000000000)",
               (n, addon_id, "1.%d" % n, icon_url, n, active, user_off, descriptor(legacy_dir, addon_id)))
    db.execute("insert into locale (id, name, description, creator) values (?, ?, ?, 'Demo Maker')",
               (n, name, description))
    fake_xpi(legacy_dir, addon_id)
    if cache:
        cached.append({"id": addon_id, "name": cache[0], "description": cache[1], "type": "extension"})
db.commit()
db.close()
with open(os.path.join(path, "addons.json"), "w", encoding="utf-8") as f:
    json.dump({"schema": 5, "addons": cached}, f, ensure_ascii=False)

first, second = (current_dir, legacy_dir)
if os.environ["PROFILE_CHOICE"] == "legacy":
    first, second = second, first
with open(os.path.join(firefox, "profiles.ini"), "w", newline="\r\n") as f:
    f.write("[General]\nStartWithLastProfile=1\n\n"
            "[Profile0]\nName=default\nIsRelative=1\nPath=%s\nDefault=1\n\n"
            "[Profile1]\nName=older\nIsRelative=1\nPath=%s\n" % (first, second))
print("firefox.sh: Profile0 is %s" % first)
PY
