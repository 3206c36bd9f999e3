"""Drives the real BrivoPM.exe under Wine on an Xvfb of its own.

The world of a run is a Wine prefix in the build tree (<build>/e2e-wine)
filled once by the demo scripts (scripts/demo.d); its user folder and
registry are kept as a snapshot and put back before every case, so cases
never see each other's changes. The screen is read from X screenshots
(PPM, parsed here); what X cannot tell (window texts, the foreground window,
registry access lists) comes from the probe program tests/e2e/probe.c,
which runs inside the prefix.
"""

import contextlib
import json
import os
import shutil
import socket
import subprocess
import sys
import time
import urllib.parse
import urllib.request

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
APP_TITLE = "Brivo Plug-in Manager"
USER = os.environ.get("USER") or subprocess.run(["id", "-un"], capture_output=True, text=True).stdout.strip()


class E2EError(AssertionError):
    pass


def wait_until(condition, timeout, what, interval=0.2):
    """Polls condition() until it returns something true; returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise E2EError("timed out after %gs waiting for %s" % (timeout, what))
        time.sleep(interval)


# -- pictures ---------------------------------------------------------------

class Picture:
    """RGB pixels (and optionally alpha) of a screenshot or a skin picture."""

    def __init__(self, width, height, rgb, alpha=None):
        self.width, self.height, self.rgb, self.alpha = width, height, rgb, alpha

    @staticmethod
    def _fields(data, count):
        fields, pos = [], 0
        while len(fields) < count:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        return fields, pos + 1

    @classmethod
    def from_ppm(cls, data):
        (magic, w, h, maxval), pos = cls._fields(data, 4)
        if magic != b"P6" or maxval != b"255":
            raise E2EError("not an 8-bit PPM picture")
        w, h = int(w), int(h)
        return cls(w, h, data[pos:pos + 3 * w * h])

    @classmethod
    def from_file(cls, path):
        """Any picture ImageMagick reads, with its alpha channel."""
        data = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], capture_output=True, check=True).stdout
        w, h = (int(v) for v in subprocess.run(["identify", "-format", "%w %h", path], capture_output=True,
                                               text=True, check=True).stdout.split())
        rgb = bytearray(3 * w * h)
        alpha = bytearray(w * h)
        for i in range(w * h):
            rgb[3 * i:3 * i + 3] = data[4 * i:4 * i + 3]
            alpha[i] = data[4 * i + 3]
        return cls(w, h, bytes(rgb), bytes(alpha))

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise E2EError("pixel (%d,%d) outside %dx%d" % (x, y, self.width, self.height))
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def crop(self, x, y, w, h):
        rows = [self.rgb[3 * ((y + r) * self.width + x):3 * ((y + r) * self.width + x + w)] for r in range(h)]
        alpha = None
        if self.alpha is not None:
            alpha = b"".join(self.alpha[(y + r) * self.width + x:(y + r) * self.width + x + w] for r in range(h))
        return Picture(w, h, b"".join(rows), alpha)

    def over(self, background):
        """This picture composited over a plain colour, as a window draws it."""
        if self.alpha is None:
            return self
        out = bytearray(len(self.rgb))
        for i, a in enumerate(self.alpha):
            for c in range(3):
                out[3 * i + c] = (self.rgb[3 * i + c] * a + background[c] * (255 - a) + 127) // 255
        return Picture(self.width, self.height, bytes(out))

    def difference(self, other):
        """Mean absolute channel difference to a picture of the same size."""
        if (self.width, self.height) != (other.width, other.height):
            raise E2EError("pictures of different sizes")
        return sum(abs(a - b) for a, b in zip(self.rgb, other.rgb)) / max(1, len(self.rgb))

    def count(self, colour, x, y, w, h, tolerance=8):
        """Pixels within tolerance of colour in the box."""
        n = 0
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                p = self.pixel(xx, yy)
                if max(abs(p[c] - colour[c]) for c in range(3)) <= tolerance:
                    n += 1
        return n

    def save_png(self, path):
        header = b"P6\n%d %d\n255\n" % (self.width, self.height)
        subprocess.run(["convert", "ppm:-", path], input=header + self.rgb, check=True)


def colour(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


# -- services ---------------------------------------------------------------

class StandInService:
    """A service stand-in of tools/ (TOOL/serve.py) seeded with the demo
    content, on a port of its own; it ends with this run at the latest."""

    def __init__(self, tool, state_dir):
        os.makedirs(state_dir, exist_ok=True)
        port_file = os.path.join(state_dir, "%s-port" % tool)
        with contextlib.suppress(FileNotFoundError):
            os.remove(port_file)
        self.log = open(os.path.join(state_dir, "%s.log" % tool), "w")
        self.proc = subprocess.Popen(
            [sys.executable, os.path.join(ROOT, "tools", tool, "serve.py"), "--seed", "demo",
             "--port-file", port_file, "--idle-timeout", "1800", "--watch-pid", str(os.getpid())],
            stdin=subprocess.DEVNULL, stdout=self.log, stderr=subprocess.STDOUT)
        wait_until(lambda: os.path.exists(port_file) and open(port_file).read().strip(), 20,
                   "the %s stand-in to start" % tool)
        self.url = "http://127.0.0.1:%s" % open(port_file).read().strip()

    def control(self, command, **query):
        with urllib.request.urlopen("%s/%s?%s" % (self.url, command, urllib.parse.urlencode(query)), timeout=10) as r:
            return r.read().decode("utf-8", "replace")

    def stop(self):
        with contextlib.suppress(Exception):
            self.control("__quit")
        with contextlib.suppress(Exception):
            self.proc.wait(5)
        if self.proc.poll() is None:
            self.proc.kill()
        self.log.close()


class RatingService(StandInService):
    """tools/ratingservice/serve.py seeded with the demo ratings."""

    def __init__(self, state_dir):
        super().__init__("ratingservice", state_dir)

    def post(self, op, fields):
        body = urllib.parse.urlencode(fields).encode("ascii")
        with urllib.request.urlopen("%s/plugin/index.php?to=%s" % (self.url, op), body, timeout=10) as r:
            return r.read().decode("utf-8", "replace")

    def ratings(self, browser_id, ids):
        """What the service answers for these add-ons: {id: average}."""
        key = json.loads(self.post("get_captcha", {}))["key"]
        reply = self.post("get_plugs_rating", {"key": key, "browser_id": browser_id,
                                               "plug_ids_json": json.dumps(ids)})
        out = {}
        for line in reply.splitlines()[1:]:
            name, _, value = line.partition("=")
            if value:
                out[name] = float(value.split(",")[0])
        return out

    def hits(self, op):
        return int(self.control("__hits", op=op))


class SilentService:
    """A port that accepts connections and never answers."""

    def __init__(self):
        self.sock = socket.socket()
        self.sock.bind(("127.0.0.1", 0))
        self.sock.listen(16)
        self.url = "http://127.0.0.1:%d" % self.sock.getsockname()[1]
        self.sock.setblocking(False)
        self.accepted = []

    def connected(self):
        """Whether a client has connected (and is left waiting)."""
        try:
            self.accepted.append(self.sock.accept()[0])
        except BlockingIOError:
            pass
        return bool(self.accepted)

    def close(self):
        for conn in self.accepted:
            conn.close()
        self.sock.close()


def closed_port_url():
    """An address where nothing listens."""
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    return "http://127.0.0.1:%d" % port


# -- the Wine world ---------------------------------------------------------

class World:
    """Display, prefix, demo data, snapshot and the rating service of a run."""

    SNAPSHOT_FILES = ("system.reg", "user.reg", "userdef.reg")
    # Keys whose access lists the cases narrow (set_key_access), for the
    # clean-up of an interrupted run.
    NARROWED_KEYS = [("HKLM", "SOFTWARE\\Clients\\StartMenuInternet", "64"),
                     ("HKLM", "SOFTWARE\\Clients\\StartMenuInternet", "32")] + [
        ("HKCU", "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\%s\\UserChoice" % p, "64")
        for p in ("http", "https", "ftp")]

    def __init__(self, build):
        self.build = os.path.realpath(build)
        self.bin = os.path.join(self.build, "bin")
        self.prefix = os.path.join(self.build, "e2e-wine")
        self.snapshot = os.path.join(self.build, "e2e-snapshot")
        self.shots = os.path.join(self.build, "e2e-shots")
        self.xvfb = None
        self.service = None
        self.env = None
        self.apps = []

    # environment -----------------------------------------------------------
    def _wine_env(self):
        # scripts/wine-env decides the Wine mode and, in the x64 mode, puts the
        # 64-bit loader first on PATH; its variables are taken over here.
        out = subprocess.run(["bash", "-c", '. "$1/scripts/wine-env" && env -0', "-", ROOT],
                             capture_output=True, check=True).stdout
        env = dict(item.split("=", 1) for item in out.decode().split("\0") if "=" in item)
        env.update(WINEPREFIX=self.prefix, WINEARCH="win64", WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree,mshtml=")
        for name in ("BRIVO_RATING_URL", "BRIVO_WEB_URL", "BRIVO_AD_URL", "LC_ALL", "LC_MESSAGES", "LANGUAGE"):
            env.pop(name, None)
        # Wine takes the Windows locale from LANG: the program speaks English
        # unless a case chooses a language in the settings.
        env["LANG"] = "en_US.UTF-8"
        # The online services other than the rating service point nowhere.
        dead = closed_port_url()
        env["BRIVO_WEB_URL"] = dead
        env["BRIVO_AD_URL"] = dead
        return env

    def _start_display(self):
        n = 57
        while os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
            n += 1
        self.xvfb = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x800x24", "-nolisten", "tcp"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: os.path.exists("/tmp/.X11-unix/X%d" % n), 10, "Xvfb :%d" % n, 0.1)
        self.env["DISPLAY"] = ":%d" % n

    def run(self, args, check=True, timeout=120, env=None, **kw):
        e = dict(self.env)
        e.update(env or {})
        proc = subprocess.run(args, env=e, capture_output=True, timeout=timeout, **kw)
        if check and proc.returncode != 0:
            raise E2EError("%s failed (%d): %s" % (" ".join(args), proc.returncode,
                                                   proc.stderr.decode("utf-8", "replace")[-800:]))
        return proc

    def wine(self, *args, check=True, timeout=60):
        return self.run(["wine"] + list(args), check=check, timeout=timeout)

    def kill_wine(self):
        self.run(["wineserver", "-k"], check=False)
        # The server writes the registry when it ends.
        self.run(["wineserver", "-w"], check=False)

    def start_wine(self):
        self.run([os.path.join(ROOT, "scripts", "wine-run"), self.prefix, "cmd", "/c", "exit"], check=False)

    # set-up ----------------------------------------------------------------
    def setup(self):
        for exe in ("BrivoPM.exe", "e2e_probe.exe", "browser_stand_in.exe"):
            if not os.path.exists(os.path.join(self.bin, exe)):
                raise E2EError("%s is not built in %s" % (exe, self.bin))
        self.env = self._wine_env()
        self._start_display()
        shutil.rmtree(self.shots, ignore_errors=True)
        os.makedirs(self.shots)
        # The prefix's Wine services belong to the display they started on.
        self.kill_wine()
        self.run([os.path.join(ROOT, "scripts", "wine-prefix"), self.prefix], timeout=600)
        self.kill_wine()
        self.start_wine()
        # What an earlier, interrupted run may have left: narrowed access
        # lists and the program's own settings.
        for root, path, view in self.NARROWED_KEYS:
            self.probe("acl", "full", root, path, view, check=False)
        shutil.rmtree(os.path.dirname(self.settings_path()), ignore_errors=True)
        shutil.rmtree(os.path.join(self.user_dir(), "AppData", "Roaming", "UpdateInfo"), ignore_errors=True)
        for script in ("chromium.sh", "firefox.sh", "ie.sh", "startmenu.sh"):
            self.run(["bash", os.path.join(ROOT, "scripts", "demo.d", script)], timeout=300,
                     env={"BRIVO_BUILD": self.build})
        self.record_opened_urls()
        self.kill_wine()
        shutil.rmtree(self.snapshot, ignore_errors=True)
        os.makedirs(self.snapshot)
        shutil.copytree(self.user_dir(), os.path.join(self.snapshot, "user"), symlinks=True)
        for name in self.SNAPSHOT_FILES:
            shutil.copy2(os.path.join(self.prefix, name), os.path.join(self.snapshot, name))
        self.service = RatingService(os.path.join(self.build, "e2e-state"))

    # Addresses the program may hand to the shell. Their open command is the
    # probe, which writes each address to a file instead of starting a
    # browser or mail program.
    URL_SCHEMES = ("http", "https", "mailto", "ms-settings")

    def opened_urls_path(self):
        return os.path.join(self.prefix, "drive_c", "e2e-opened-urls.txt")

    def record_opened_urls(self):
        probe = "Z:" + os.path.join(self.bin, "e2e_probe.exe").replace("/", "\\")
        command = '"%s" record-url C:\\e2e-opened-urls.txt "%%1"' % probe
        lines = ["REGEDIT4", ""]
        for scheme in self.URL_SCHEMES:
            key = "HKEY_CLASSES_ROOT\\" + scheme
            esc = lambda t: t.replace("\\", "\\\\").replace('"', '\\"')
            lines += ["[-%s]" % key, "", "[%s]" % key, '@="URL:%s"' % scheme, '"URL Protocol"=""', "",
                      "[%s\\shell\\open\\command]" % key, '@="%s"' % esc(command), ""]
        path = os.path.join(self.prefix, "drive_c", "e2e-url-handlers.reg")
        with open(path, "w", newline="\r\n") as f:
            f.write("\n".join(lines) + "\n")
        # The 32-bit view first: where that view has no copy of its own, its
        # "[-key]" deletes the shared 64-bit key, which the 64-bit import then
        # makes again (the x64 mode's program reads the 64-bit view).
        for view in ("32", "64"):
            self.wine("reg", "import", "C:\\e2e-url-handlers.reg", "/reg:" + view)

    def opened_urls(self):
        """The addresses the shell was asked to open since the case began."""
        try:
            with open(self.opened_urls_path(), encoding="utf-8") as f:
                return [line.rstrip("\r\n") for line in f if line.strip()]
        except FileNotFoundError:
            return []

    def fresh(self):
        """Puts the user folder and the registry back as the demo made them."""
        self.kill_wine()
        for app in self.apps:
            app.close()
        self.apps = []
        with contextlib.suppress(FileNotFoundError):
            os.remove(self.opened_urls_path())
        shutil.rmtree(self.user_dir(), ignore_errors=True)
        shutil.copytree(os.path.join(self.snapshot, "user"), self.user_dir(), symlinks=True)
        for name in self.SNAPSHOT_FILES:
            shutil.copy2(os.path.join(self.snapshot, name), os.path.join(self.prefix, name))
        self.service.control("__reset")
        self.start_wine()

    def teardown(self):
        if self.env:
            self.kill_wine()
        for app in self.apps:
            app.close()
        for service in (self.service, getattr(self, "web_service", None)):
            if service:
                service.stop()
        if self.xvfb:
            self.xvfb.terminate()
            with contextlib.suppress(Exception):
                self.xvfb.wait(5)

    # places ------------------------------------------------------------------
    def user_dir(self):
        return os.path.join(self.prefix, "drive_c", "users", USER)

    def chrome_prefs_path(self):
        return os.path.join(self.user_dir(), "AppData", "Local", "Google", "Chrome", "User Data", "Default",
                            "Preferences")

    def opera_dir(self):
        return os.path.join(self.user_dir(), "AppData", "Roaming", "Opera Software", "Opera Stable")

    def firefox_profile(self, name="k3v9q2xd.default-release"):
        return os.path.join(self.user_dir(), "AppData", "Roaming", "Mozilla", "Firefox", "Profiles", name)

    def settings_path(self):
        return os.path.join(self.user_dir(), "AppData", "Roaming", "Brivo Plugin Manager", "BrivoPM.ini")

    def settings(self):
        """The settings file's General section as {key: value}, or None."""
        try:
            data = open(self.settings_path(), "rb").read()
        except FileNotFoundError:
            return None
        text = data[2:].decode("utf-16-le") if data.startswith(b"\xff\xfe") else data.decode("latin-1")
        out, section = {}, None
        for line in text.splitlines():
            line = line.strip()
            if line.startswith("["):
                section = line.strip("[]").lower()
            elif "=" in line and section == "general":
                key, _, value = line.partition("=")
                out[key.strip()] = value.strip()
        return out

    def chrome_prefs(self):
        with open(self.chrome_prefs_path(), encoding="utf-8") as f:
            return json.load(f)

    def firefox_addons(self):
        with open(os.path.join(self.firefox_profile(), "extensions.json"), encoding="utf-8") as f:
            return {a["id"]: a for a in json.load(f)["addons"]}

    def reg_value(self, key, name, view="64"):
        """The value's data as reg.exe prints it, or None when it is missing."""
        proc = self.wine("reg", "query", key, "/v", name, "/reg:%s" % view, check=False)
        if proc.returncode != 0:
            return None
        for line in proc.stdout.decode("utf-8", "replace").splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[0].lower() == name.lower() and parts[1].startswith("REG_"):
                return parts[2] if len(parts) > 2 else ""
        return None

    def reg_key_exists(self, key, view="64"):
        return self.wine("reg", "query", key, "/reg:%s" % view, check=False).returncode == 0

    def probe(self, *args, check=True):
        return self.wine(os.path.join(self.bin, "e2e_probe.exe"), *args, check=check)

    def windows(self):
        out = self.probe("windows").stdout.decode("ascii", "replace")
        return [json.loads(line) for line in out.splitlines() if line.startswith("{")]

    def set_key_access(self, how, root, path, view):
        self.probe("acl", how, root, path, view)

    def start_stand_in(self, name, max_ms=120000):
        """A stand-in browser process named `name` (e.g. chrome.exe)."""
        folder = os.path.join(self.prefix, "drive_c", "e2e-standin")
        os.makedirs(folder, exist_ok=True)
        exe = os.path.join(folder, name)
        shutil.copy2(os.path.join(self.bin, "browser_stand_in.exe"), exe)
        # Output through a file: the stand-in outlives the probe, and a pipe
        # it might hold would keep the reader waiting.
        out_path = os.path.join(folder, "probe.out")
        with open(out_path, "wb") as out:
            proc = subprocess.run(["wine", os.path.join(self.bin, "e2e_probe.exe"), "standin",
                                   "C:\\e2e-standin\\" + name, str(max_ms)], env=self.env, stdout=out,
                                  stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, timeout=60)
        words = open(out_path).read().split()
        if proc.returncode != 0 or len(words) < 4:
            raise E2EError("the stand-in %s did not start" % name)
        return words[3]  # the release event

    def release_stand_in(self, event):
        self.probe("release", event, check=False)

    def write_settings(self, text):
        os.makedirs(os.path.dirname(self.settings_path()), exist_ok=True)
        # The program reads its settings with the profile functions: UTF-16 LE
        # with a byte-order mark reads on every Windows.
        with open(self.settings_path(), "wb") as f:
            f.write(b"\xff\xfe" + text.replace("\n", "\r\n").encode("utf-16-le"))

    def listing(self, browser):
        """bpmcli's list of a browser, in the program's list order."""
        exe = os.path.join(self.bin, "bpmcli.exe")
        if not os.path.exists(exe):
            return None
        out = self.wine(exe, "list", "--browser", browser, "--format", "json").stdout
        data = json.loads(out.decode("utf-8"))
        return data["browsers"][0]

    def skin_picture(self, number, scale=1):
        """The rendered skin picture of this number from the build tree."""
        for line in open(os.path.join(ROOT, "skin", "skin.list"), encoding="utf-8"):
            fields = line.split()
            if fields and fields[0] == str(number):
                # cmake/Skin.cmake names the PNG after the source's path.
                name = fields[1].split(".svg")[0].replace("/", "-") + ".png"
                path = os.path.join(self.build, "skin", "%dx" % scale, name)
                if os.path.exists(path):
                    return Picture.from_file(path)
        raise E2EError("no rendered skin picture %d" % number)

    def screenshot(self):
        data = self.run(["import", "-window", "root", "-depth", "8", "ppm:-"]).stdout
        return Picture.from_ppm(data)


# -- the program --------------------------------------------------------------

class App:
    """One running BrivoPM.exe."""

    def __init__(self, world, rating_url=None, env=None):
        self.world = world
        e = dict(world.env)
        e["BRIVO_RATING_URL"] = rating_url if rating_url is not None else world.service.url
        e.update(env or {})
        self.log = open(os.path.join(world.shots, "program.log"), "ab")
        self.proc = subprocess.Popen([os.path.join(ROOT, "scripts", "wine-run"), world.prefix,
                                      os.path.join(world.bin, "BrivoPM.exe")], env=e,
                                     stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log)
        world.apps.append(self)
        self.started = time.monotonic()
        self.hwnd = None
        self.pid = None
        self.origin = None
        self.size = None

    # windows ---------------------------------------------------------------
    def main_window(self, windows=None):
        for w in windows if windows is not None else self.world.windows():
            # A system message box may carry the program's title too.
            if w["text"] == APP_TITLE and w["class"] != "#32770" and (self.hwnd is None or w["hwnd"] == self.hwnd):
                return w
        return None

    def wait_window(self, timeout=60):
        w = wait_until(lambda: self.proc.poll() is None and self.main_window() or self._ended(), timeout,
                       "the main window", 0.3)
        self.hwnd, self.pid = w["hwnd"], w["pid"]
        self.origin = tuple(w["client"][:2])
        self.size = tuple(w["client"][2:])
        return w

    def _ended(self):
        if self.proc.poll() is not None:
            raise E2EError("BrivoPM.exe ended (exit code %d) before its window appeared" % self.proc.returncode)
        return None

    def own_windows(self):
        return [w for w in self.world.windows() if w["pid"] == self.pid]

    def refresh_geometry(self):
        w = self.main_window()
        if w is None:
            raise E2EError("the main window is gone")
        self.origin = tuple(w["client"][:2])
        self.size = tuple(w["client"][2:])
        return w

    def controls(self):
        """Descendants of the main window by window text, in creation order."""
        return self.refresh_geometry()["children"]

    # input -------------------------------------------------------------------
    def screen(self, x, y):
        return self.origin[0] + x, self.origin[1] + y

    def move(self, x, y):
        sx, sy = self.screen(x, y)
        self.world.run(["xdotool", "mousemove", str(sx), str(sy)])

    def click(self, x, y):
        sx, sy = self.screen(x, y)
        self.world.run(["xdotool", "mousemove", str(sx), str(sy), "sleep", "0.1", "click", "1"])

    def drag(self, x0, y0, x1, y1, steps=8):
        sx0, sy0 = self.screen(x0, y0)
        sx1, sy1 = self.screen(x1, y1)
        args = ["xdotool", "mousemove", str(sx0), str(sy0), "sleep", "0.1", "mousedown", "1"]
        for i in range(1, steps + 1):
            args += ["sleep", "0.05", "mousemove", str(sx0 + (sx1 - sx0) * i // steps),
                     str(sy0 + (sy1 - sy0) * i // steps)]
        args += ["sleep", "0.2", "mouseup", "1"]
        self.world.run(args)

    def key(self, *keys):
        for k in keys:
            self.world.run(["xdotool", "key", k])
            time.sleep(0.15)

    # screen --------------------------------------------------------------------
    def shot(self):
        """A screenshot cropped to the main window's client area."""
        full = self.world.screenshot()
        return full.crop(self.origin[0], self.origin[1], self.size[0], self.size[1])

    def wait_shot(self, condition, timeout, what, seen=None):
        """Takes screenshots until condition(shot) holds; returns the shot.
        On time-out the last shot is kept in the shots folder, and seen(shot)
        (when given) tells in the message what it showed."""
        last = [None]

        def attempt():
            last[0] = self.shot()
            return last[0] if condition(last[0]) else None
        try:
            return wait_until(attempt, timeout, what, 0.3)
        except E2EError as e:
            if last[0] is None:
                raise
            name = "".join(c if c.isalnum() else "-" for c in what)[:60]
            path = os.path.join(self.world.shots, "failed-%s.png" % name)
            last[0].save_png(path)
            detail = "; seen %s" % (seen(last[0]),) if seen else ""
            raise E2EError("%s%s (screenshot %s)" % (e, detail, path)) from None

    # end -----------------------------------------------------------------------
    def wait_exit(self, timeout=30):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise E2EError("BrivoPM.exe did not end within %gs" % timeout)

    def close(self):
        if self.proc.poll() is None:
            self.world.kill_wine()
            with contextlib.suppress(subprocess.TimeoutExpired):
                self.proc.wait(10)
            # A program started next must find Wine's own services running,
            # as every case does after the world is put back.
            self.world.start_wine()
        if not self.log.closed:
            self.log.close()
