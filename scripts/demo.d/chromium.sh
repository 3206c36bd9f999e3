#!/usr/bin/env bash
# Demo data for the lists of the browsers built on Chromium: a Chrome profile
# with fifteen extensions, an Opera profile with five and a Microsoft Edge
# with two profiles named in its "Local State" ("Personal", used last, and
# "Work"), each with its "Preferences" entries, installed version folders,
# manifests and PNG icons.
# Names are in several languages, some escaped twice or left as __MSG_
# placeholders as browsers store them; several are switched off. Run by
# `./bpm run` with WINEPREFIX set to the demo prefix. Both profiles are made
# afresh on every run, so each run (also after the program removed or
# switched extensions) leaves the same state; so is Edge's user data folder.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the demo prefix}"
command -v convert >/dev/null || { echo "chromium.sh: ImageMagick's convert is missing" >&2; exit 1; }

user_dir="$WINEPREFIX/drive_c/users/$(id -un)"
[ -d "$user_dir" ] || { echo "chromium.sh: no user profile in $WINEPREFIX" >&2; exit 1; }

python3 - "$user_dir/AppData/Local/Google/Chrome/User Data/Default" "$user_dir/AppData/Roaming/Opera Software/Opera Stable" \
  "$user_dir/AppData/Local/Microsoft/Edge/User Data" <<'PY'
import json, os, shutil, subprocess, sys

chrome_dir, opera_dir, edge_dir = sys.argv[1], sys.argv[2], sys.argv[3]

# id, name, description, version, state, in known_disabled, icon sizes, colour, shape
CHROME = [
    ("gdpnbhhkmcjbeoaealcjkebnjmjfkapn", "Tab Saver Pro", "Save and restore whole sets of tabs with one click.",
     "3.2.1", 1, False, (16, 48, 128), "#1e88e5", "roundrectangle 9,9 39,39 6,6"),
    ("khbagmfjnacofmlpdebniohmmifbalfe", "Dunkelmodus f\u00fcr alle Seiten",
     "Schaltet jede Webseite in einen augenschonenden Dunkelmodus.", "2.0.4", 0, True, (16, 48), "#37474f",
     "circle 24,24 24,8"),
    ("ocfmpkjjlbkhdgnmeidnhnabkefjhgla", "Traducteur \u00c9clair", "Traduisez n\u2019importe quelle page en un clic.",
     "1.8", 1, False, (32,), "#8e24aa", "polygon 24,6 42,40 6,40"),
    ("bmeafkpjplmhdbhidnfgjmnjcmlapkol", "Bloqueador de anuncios Ligero",
     "Bloquea anuncios y rastreadores sin ralentizar la navegaci\u00f3n.", "5.1.0", 1, False, (16, 48, 128),
     "#e53935", "rectangle 12,12 36,36"),
    ("jnihpecmbkgaalfdkmdbhkcocjjmmgeo", "\u041c\u0435\u043d\u0435\u0434\u0436\u0435\u0440 \u043f\u0430\u0440\u043e\u043b\u0435\u0439 \u041a\u043b\u044e\u0447",
     "\u0425\u0440\u0430\u043d\u0438\u0442 \u043f\u0430\u0440\u043e\u043b\u0438 \u0432 \u0437\u0430\u0448\u0438\u0444\u0440\u043e\u0432\u0430\u043d\u043d\u043e\u043c \u0432\u0438\u0434\u0435.",
     "1.4.2", 1, False, (48,), "#43a047", "circle 24,20 24,10"),
    ("lkcdeeodnbomjmfjkgbcafaddhmehjpi", "\u7f51\u9875\u622a\u56fe\u52a9\u624b",
     "\u4e00\u952e\u622a\u53d6\u6574\u4e2a\u7f51\u9875\u5e76\u4fdd\u5b58\u4e3a\u56fe\u7247\u3002", "0.9.7", 0, False,
     (16, 48), "#fb8c00", "rectangle 8,14 40,34"),
    ("pfagbnpkhlmkcdihjehmoionkegnbjcd", "\u3075\u308a\u304c\u306a\u30e1\u30fc\u30ab\u30fc",
     "\u6f22\u5b57\u306b\u3075\u308a\u304c\u306a\u3092\u81ea\u52d5\u3067\u4ed8\u3051\u307e\u3059\u3002", "1.1", 1, False,
     (16,), "#d81b60", "circle 8,8 8,2"),
    # Escaped twice by its author: the list shows the decoded letters.
    ("ecbjmdokfndhmgpnmaoacglplhfbmkjf", "Caf\\u00e9 Locator", "Finds caf\\u00e9s and bakeries near you \\u2615",
     "2.2.0", 1, False, (16, 48), "#6d4c41", "circle 24,24 24,12"),
    # Localised through _locales: browsers keep the placeholder in Preferences.
    ("mhlnpbgdkkpjogfnkcpobelmdicaiddb", "__MSG_extName__", "__MSG_extDescription__", "4.0.1", 1, False, (48, 128),
     "#00897b", "roundrectangle 6,6 42,42 12,12"),
    ("aoebkcmnhjdpgpilflanebhgmnfhkmid", "Leitor de PDF R\u00e1pido", "Abra PDFs diretamente no navegador.",
     "2.3", 0, True, (16, 32, 48), "#c62828", "rectangle 14,8 34,40"),
    ("ijkhgnapcfbeomdlkjmmhbcbfagnoblm", "Weather Now", "Forecasts for the next seven days, hour by hour.",
     "1.12.0", 1, False, (16, 128), "#039be5", "circle 24,24 24,4"),
    ("nbjcgmiopalfefhkdbehdpjnoklmhjga", "Grammar Guardian", "Checks spelling and grammar as you type.", "8.4.2",
     1, False, (), "#5e35b1", ""),
    ("dmgfacpkjbnlhioebkecfpkbhjmnaolg", "Cookie Cleaner", "Deletes cookies of closed tabs after one minute.",
     "0.5.3", 0, True, (16, 48), "#8d6e63", "circle 24,24 24,14"),
    ("fhjocmnldgbaepikbbkdaknehmfjmcpo", "\u03a3\u03b7\u03bc\u03b5\u03b9\u03ce\u03c3\u03b5\u03b9\u03c2 \u0393\u03c1\u03ae\u03b3\u03bf\u03c1\u03b1",
     "\u039a\u03c1\u03b1\u03c4\u03ae\u03c3\u03c4\u03b5 \u03c3\u03b7\u03bc\u03b5\u03b9\u03ce\u03c3\u03b5\u03b9\u03c2 \u03c3\u03b5 \u03ba\u03ac\u03b8\u03b5 \u03c3\u03b5\u03bb\u03af\u03b4\u03b1.",
     "1.0", 1, False, (48,), "#fdd835", "polygon 8,40 24,8 40,40"),
    ("kbolmgcenjpkdhfaiomnbecjgadhlpfj", "Pomodoro Focus Timer", "25 minutes of work, 5 of rest \u2013 repeat.",
     "1.0.0.3", 1, False, (16, 48, 128), "#f4511e", "circle 24,26 24,10"),
]
# Left behind by an uninstaller: a settings entry without its folder is not listed.
CHROME_LEFTOVER = ("hfmgbegjielnmfghilhfjfhahcbgpjnp", "Old Toolbar Helper")

OPERA = [
    ("gnegbmhcpkdjmcilbdaopahmjfdclhae", "Ad Shield", "Blocks pop-ups and tracking pixels.", "3.9.1", 1, False,
     (16, 48), "#d32f2f", "polygon 24,6 40,14 36,36 24,42 12,36 8,14"),
    ("ckdhneafgpjemibpjkolmhcinbhmdcfo", "Schnellwahl-Hintergr\u00fcnde", "Neue Hintergr\u00fcnde f\u00fcr die Schnellwahl, jeden Tag.",
     "1.6", 1, False, (48,), "#00acc1", "rectangle 6,12 42,36"),
    ("mhmphnocemakkjdampibehejoaleebpo", "Notas R\u00e1pidas", "Toma notas sin salir de la p\u00e1gina.", "2.0.2", 0,
     True, (16, 32), "#7cb342", "rectangle 12,6 36,42"),
    ("oejbgkmnihfcdplakemcbngdhjfliapm", "\\u0424\\u043e\\u0442\\u043e Zoom",
     "\\u0423\\u0432\\u0435\\u043b\\u0438\\u0447\\u0438\\u0432\\u0430\\u0435\\u0442 \\u0444\\u043e\\u0442\\u043e \\u043f\\u0440\\u0438 \\u043d\\u0430\\u0432\\u0435\\u0434\\u0435\\u043d\\u0438\\u0438",
     "0.8", 1, False, (16, 48), "#3949ab", "circle 20,20 20,8"),
    ("lfpcnhkeabjiogmdbgmhcajkfnpdelke", "Currency Converter", "Shows \u20ac, \u00a3 and \u00a5 prices in your own currency.",
     "5.0", 1, False, (128, 16), "#2e7d32", "circle 24,24 24,6"),
]

# Microsoft Edge: its "Default" profile ("Personal") and "Profile 1" ("Work").
EDGE_PERSONAL = [
    ("oklpmgjhbcnfdaeikhoapmnlgjbcdefk", "Recipe Keeper", "Saves recipes from any cooking site in one place.",
     "2.1.0", 1, False, (16, 48), "#ef6c00", "circle 24,24 24,10"),
    ("hcbdoiefpfmnnlkjgbamejakdpcmhilf", "Lesezeichen-Sortierer", "Sortiert Lesezeichen nach Themen und Alter.",
     "1.3", 1, False, (48,), "#5c6bc0", "rectangle 10,10 38,38"),
    ("nmlkjihgfedcbaponmlkjihgfedcbapo", "Homework Timer", "Short study sessions with breaks in between.",
     "0.4.2", 0, True, (16, 48), "#26a69a", "circle 24,26 24,12"),
]
EDGE_WORK = [
    ("pabcdefghijklmnopabcdefghijklmno", "Meeting Notes", "Takes notes beside any video call.", "3.0.1", 1, False,
     (16, 48), "#0277bd", "rectangle 8,12 40,36"),
    ("gfedcbaponmlkjihgfedcbaponmlkjih", "Gestionnaire de Sessions", "Enregistre et restaure vos onglets de travail.",
     "1.9", 1, False, (48,), "#6a1b9a", "polygon 24,8 40,40 8,40"),
]


def icon(path, size, colour, shape):
    scale = size / 48.0
    args = ["convert", "-size", "48x48", "gradient:%s-#ffffff" % colour, "-rotate", "180"]
    if shape:
        args += ["-fill", "#ffffffcc", "-stroke", colour, "-draw", shape]
    args += ["-resize", "%dx%d" % (size, size), "PNG32:" + path]
    subprocess.run(args, check=True)


def make_profile(folder, extensions, extra_settings, other):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(os.path.join(folder, "Extensions"))
    settings, known = {}, []
    for n, (ext_id, name, description, version, state, listed, sizes, colour, shape) in enumerate(extensions):
        rel = ext_id + "\\" + version + "_0"
        version_dir = os.path.join(folder, "Extensions", ext_id, version + "_0")
        os.makedirs(os.path.join(version_dir, "icons"))
        icons = {}
        for size in sizes:
            icon(os.path.join(version_dir, "icons", "icon%d.png" % size), size, colour, shape)
            icons[str(size)] = "icons/icon%d.png" % size
        manifest = {"manifest_version": 2, "name": name, "description": description, "version": version,
                    "permissions": ["storage", "tabs"], "background": {"scripts": ["background.js"]}}
        if icons:
            manifest["icons"] = icons
        if name.startswith("__MSG_"):
            manifest["default_locale"] = "en"
            locale = os.path.join(version_dir, "_locales", "en")
            os.makedirs(locale)
            with open(os.path.join(locale, "messages.json"), "w", encoding="utf-8") as f:
                json.dump({"extName": {"message": "Reading List Sync"},
                           "extDescription": {"message": "Keeps your reading list on every computer."}}, f)
        with open(os.path.join(version_dir, "manifest.json"), "w", encoding="utf-8") as f:
            json.dump(manifest, f, ensure_ascii=False, indent=2)
        with open(os.path.join(version_dir, "background.js"), "w") as f:
            f.write("chrome.runtime.onInstalled.addListener(function () {});\n")
        settings[ext_id] = {"active_permissions": {"api": ["storage", "tabs"]}, "from_webstore": True,
                            "install_time": str(13300000000000000 + n * 86400000000), "location": 1,
                            "manifest": manifest, "path": rel, "state": state,
                            "was_installed_by_default": False}
        if listed:
            known.append(ext_id)
    settings.update(extra_settings)
    prefs = {"browser": {"window_placement": {"left": 40, "top": 30, "right": 1240, "bottom": 760, "maximized": False}},
             "extensions": {"alerts": {"initialized": True}, "known_disabled": known, "settings": settings,
                            "last_chrome_version": "49.0.2623.112"},
             "homepage": "https://www.example.com/",
             "profile": other}
    # Browsers write their file with raw UTF-8 and no byte-order mark.
    with open(os.path.join(folder, "Preferences"), "w", encoding="utf-8") as f:
        json.dump(prefs, f, ensure_ascii=False, separators=(",", ":"))


leftover_id, leftover_name = CHROME_LEFTOVER
make_profile(chrome_dir, CHROME,
             {leftover_id: {"state": 1, "path": leftover_id + "\\1.0_0",
                            "manifest": {"name": leftover_name, "version": "1.0"}}},
             {"name": "Erste Person", "avatar_index": 26, "exit_type": "Normal"})
make_profile(opera_dir, OPERA, {}, {"name": "Opera", "exit_type": "Normal"})

# Edge lists its profiles in "Local State"; the one used last comes first.
shutil.rmtree(edge_dir, ignore_errors=True)
make_profile(os.path.join(edge_dir, "Default"), EDGE_PERSONAL, {}, {"name": "Personal", "exit_type": "Normal"})
make_profile(os.path.join(edge_dir, "Profile 1"), EDGE_WORK, {}, {"name": "Work", "exit_type": "Normal"})
with open(os.path.join(edge_dir, "Local State"), "w", encoding="utf-8") as f:
    json.dump({"browser": {"enabled_labs_experiments": []},
               "profile": {"info_cache": {"Default": {"name": "Personal", "avatar_icon": "chrome://theme/IDR_PROFILE_AVATAR_26"},
                                          "Profile 1": {"name": "Work", "avatar_icon": "chrome://theme/IDR_PROFILE_AVATAR_20"}},
                           "last_used": "Default", "profiles_order": ["Default", "Profile 1"]}},
              f, ensure_ascii=False, separators=(",", ":"))
print("chromium.sh: Chrome profile with %d extensions, Opera profile with %d, Edge profiles with %d and %d"
      % (len(CHROME), len(OPERA), len(EDGE_PERSONAL), len(EDGE_WORK)))
PY
