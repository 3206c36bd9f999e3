#!/usr/bin/env python3
"""The setup and the uninstaller under Wine, in a prefix of their own.

    install_test.py BUILD_DIR

Packages the tree's programs with scripts/package (twice, which must give
the same bytes), then installs silently, installs an older version and this
one over it, installs the same version twice and uninstalls silently, and
checks after each step the files in the 32-bit Program Files folder, the
shortcuts, the uninstall entry in the 32-bit registry view, the user's
settings and bpmcli.exe run from the installed folder. The cases depend on
each other and run in order; the first failure ends the run. Prints one
line per case and "N passed, N failed", and writes a GoogleTest-form report
when GTEST_OUTPUT asks for one.

In the x86 mode the setup is the shipped 32-bit one. A machine that cannot
run 32-bit programs (the x64 mode) builds the same script as a 64-bit setup
of the 64-bit programs; it writes the same folder and the same registry view.
"""

import hashlib
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import time
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(ROOT, "tests", "support"))
import gtest_report  # noqa: E402
USER = os.environ.get("USER") or subprocess.run(["id", "-un"], capture_output=True, text=True).stdout.strip()
PRODUCT = "Brivo Plug-in Manager"
KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\BrivoPM"
INSTALL_DIR_WIN = "C:\\Program Files (x86)\\" + PRODUCT


class Failure(AssertionError):
    pass


def check(condition, text):
    if not condition:
        raise Failure(text)


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def pe_time_stamp(data):
    """TimeDateStamp of a PE file's COFF header."""
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    check(data[offset:offset + 4] == b"PE\0\0", "not a PE file")
    return struct.unpack_from("<I", data, offset + 8)[0]


def file_version(data):
    """The file version of a PE file's VS_FIXEDFILEINFO, as "a.b.c.d"."""
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    check(at >= 0, "no version resource")
    ms, ls = struct.unpack_from("<II", data, at + 8)
    return "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def wait_until(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            raise Failure("timed out after %gs waiting for %s" % (timeout, what))
        time.sleep(0.2)


class World:
    def __init__(self, build):
        self.build = os.path.realpath(build)
        self.prefix = os.path.join(self.build, "install-wine")
        self.work = os.path.join(self.build, "install-test")
        self.xvfb = None
        self.env = None
        self.version = None

    # paths in the prefix ---------------------------------------------------
    def drive(self, *parts):
        return os.path.join(self.prefix, "drive_c", *parts)

    def install_dir(self):
        return self.drive("Program Files (x86)", PRODUCT)

    def start_menu_link(self):
        return self.drive("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", PRODUCT + ".lnk")

    def desktop_link(self):
        return self.drive("users", "Public", "Desktop", PRODUCT + ".lnk")

    def appdata(self, *parts):
        return self.drive("users", USER, "AppData", "Roaming", *parts)

    def settings_file(self):
        return self.appdata("Brivo Plugin Manager", "BrivoPM.ini")

    # processes -------------------------------------------------------------
    def run(self, args, check_status=True, timeout=180, env=None):
        e = dict(self.env)
        e.update(env or {})
        proc = subprocess.run(args, env=e, capture_output=True, timeout=timeout)
        if check_status and proc.returncode != 0:
            raise Failure("%s failed (%d): %s" % (" ".join(args), proc.returncode,
                                                  proc.stderr.decode("utf-8", "replace")[-800:]))
        return proc

    def wine(self, *args, check_status=True, timeout=120):
        return self.run([os.path.join(ROOT, "scripts", "wine-run"), self.prefix] + list(args),
                        check_status=check_status, timeout=timeout)

    def setup(self):
        out = subprocess.run(["bash", "-c", '. "$1/scripts/wine-env" && env -0', "-", ROOT],
                             capture_output=True, check=True).stdout
        self.env = dict(item.split("=", 1) for item in out.decode().split("\0") if "=" in item)
        # No menu entries of the Linux desktop for the shortcuts made here;
        # a locale the machine has, or Wine cannot write non-ASCII file names.
        self.env.update(WINEPREFIX=self.prefix, WINEARCH="win64", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d", LANG="C.UTF-8")
        n = 160
        while os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
            n += 1
        self.xvfb = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: os.path.exists("/tmp/.X11-unix/X%d" % n), 10, "Xvfb :%d" % n)
        self.env["DISPLAY"] = ":%d" % n
        shutil.rmtree(self.work, ignore_errors=True)
        os.makedirs(self.work)
        # The prefix is made once (wineboot takes from ten seconds to minutes
        # on a loaded machine); what an earlier run may have left of an
        # install is taken away, so each run starts as on a fresh machine.
        self.run(["wineserver", "-k"], check_status=False)
        self.run([os.path.join(ROOT, "scripts", "wine-prefix"), self.prefix], timeout=600)
        self.forget_install()
        with open(os.path.join(self.build, "CMakeCache.txt"), encoding="utf-8") as f:
            self.version = re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(.*)$", f.read(), re.M).group(1)

    def forget_install(self):
        for path in (self.install_dir(), self.appdata("Brivo Plugin Manager"), self.appdata("UpdateInfo")):
            shutil.rmtree(path, ignore_errors=True)
        for path in (self.start_menu_link(), self.desktop_link()):
            if os.path.lexists(path):
                os.remove(path)
        for view in (32, 64):
            self.run(["wine", "reg", "delete", KEY, "/f", "/reg:%d" % view], check_status=False)
        check(self.uninstall_entry(32) is None and self.uninstall_entry(64) is None,
              "an earlier run's uninstall entry cannot be removed")

    def teardown(self):
        if self.env:
            self.run(["wineserver", "-k"], check_status=False)
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()

    # packages --------------------------------------------------------------
    def package(self, name, version=None, tz="UTC"):
        out = os.path.join(self.work, name)
        env = {"TZ": tz}
        if version:
            env["BRIVO_PACKAGE_VERSION"] = version
        self.run([os.path.join(ROOT, "scripts", "package"), self.build, out], env=env, timeout=300)
        return out

    def setup_file(self, dist, version=None):
        return os.path.join(dist, "BrivoPM-Setup-%s.exe" % (version or self.version))

    def install(self, setup, *options):
        # The setup runs from a Unix path given as a Windows one on drive Z:.
        self.wine("Z:" + setup.replace("/", "\\"), "/S", *options, timeout=180)

    # registry --------------------------------------------------------------
    def uninstall_entry(self, view):
        """The values of the uninstall key in one registry view, or None."""
        proc = self.run(["wine", "reg", "query", KEY, "/reg:%d" % view], check_status=False)
        if proc.returncode != 0:
            return None
        values = {}
        for line in proc.stdout.decode("utf-8", "replace").splitlines():
            m = re.match(r"^\s+(\S+)\s+(REG_\w+)\s*(.*?)\s*$", line)
            if m:
                kind, text = m.group(2), m.group(3)
                values[m.group(1)] = int(text, 16) if kind == "REG_DWORD" else text
        return values


# -- cases --------------------------------------------------------------------

def package_is_reproducible(w):
    """Two packages of one tree are the same bytes: the programs without link
    time, fixed times in the archive, whatever the clock and time zone."""
    first = w.package("dist-1")
    time.sleep(2.1)  # the archive's clock has two-second steps
    second = w.package("dist-2", tz="Pacific/Kiritimati")
    with open(os.path.join(first, "SHA256SUMS")) as a, open(os.path.join(second, "SHA256SUMS")) as b:
        sums = a.read()
        check(sums == b.read(), "two packages differ:\n%s" % sums)
    setup = "BrivoPM-Setup-%s.exe" % w.version
    portable = "BrivoPM-%s-portable.zip" % w.version
    check(sorted(os.listdir(first)) == sorted([setup, portable, "SHA256SUMS"]),
          "the package holds %s" % os.listdir(first))
    for name in (setup, portable):
        check("%s  %s\n" % (sha256(os.path.join(first, name)), name) in sums, "SHA256SUMS misses " + name)
    languages = sorted(os.listdir(os.path.join(w.build, "bin", "Languages")))
    epoch = int(subprocess.run(["git", "-C", ROOT, "log", "-1", "--format=%ct"], capture_output=True,
                               text=True, check=True).stdout)
    with zipfile.ZipFile(os.path.join(first, portable)) as z:
        names = [i.filename for i in z.infolist()]
        check(names == ["BrivoPM.exe", "bpmcli.exe", "Languages/"] + ["Languages/" + f for f in languages],
              "the archive holds %s" % names)
        stamp = time.gmtime(epoch)[:6]
        stamp = stamp[:5] + (stamp[5] // 2 * 2,)
        for info in z.infolist():
            check(info.date_time == stamp, "%s has the time %s, not the commit's %s" % (info.filename,
                                                                                      info.date_time, stamp))
        for exe in ("BrivoPM.exe", "bpmcli.exe"):
            check(pe_time_stamp(z.read(exe)) == 0, exe + " carries a link time")
        for f in languages:
            with open(os.path.join(w.build, "bin", "Languages", f), "rb") as built:
                check(z.read("Languages/" + f) == built.read(), "Languages/%s differs from the build's" % f)
    with open(os.path.join(first, setup), "rb") as f:
        data = f.read()
    check(file_version(data) == w.version, "the setup's version resource says %s" % file_version(data))
    check(("FileVersion".encode("utf-16-le")) in data and w.version.encode("utf-16-le") in data,
          "the setup's version texts are missing")
    w.dist = first


def check_installed(w, version, desktop):
    folder = w.install_dir()
    check(os.path.isdir(folder), "nothing in " + folder)
    with zipfile.ZipFile(os.path.join(w.dist, "BrivoPM-%s-portable.zip" % w.version)) as z:
        shipped = {i.filename: z.read(i) for i in z.infolist() if not i.is_dir()}
    found = set()
    for base, _, files in os.walk(folder):
        for f in files:
            found.add(os.path.relpath(os.path.join(base, f), folder).replace(os.sep, "/"))
    check(found == set(shipped) | {"uninstall.exe"}, "installed files: %s" % sorted(found))
    for name, data in shipped.items():
        with open(os.path.join(folder, name), "rb") as f:
            check(f.read() == data, name + " differs from the package's")
    check(os.path.isfile(w.start_menu_link()), "no Start-menu shortcut " + w.start_menu_link())
    target = INSTALL_DIR_WIN + "\\BrivoPM.exe"
    with open(w.start_menu_link(), "rb") as f:
        link = f.read()
    check(target.encode("utf-16-le") in link or target.encode("ascii") in link,
          "the Start-menu shortcut does not point at " + target)
    check(os.path.isfile(w.desktop_link()) == desktop,
          "desktop shortcut %s" % ("missing" if desktop else "made though not asked for"))

    entry = w.uninstall_entry(32)
    check(entry is not None, "no uninstall entry in the 32-bit view")
    size_kb = sum(os.path.getsize(os.path.join(b, f)) for b, _, fs in os.walk(folder) for f in fs) // 1024
    expected = {
        "DisplayName": PRODUCT,
        "DisplayVersion": version,
        "Publisher": "Brivo",
        "DisplayIcon": INSTALL_DIR_WIN + "\\BrivoPM.exe,0",
        "InstallLocation": INSTALL_DIR_WIN,
        "UninstallString": '"%s\\uninstall.exe"' % INSTALL_DIR_WIN,
        "QuietUninstallString": '"%s\\uninstall.exe" /S' % INSTALL_DIR_WIN,
        "NoModify": 1,
        "NoRepair": 1,
    }
    for name, value in expected.items():
        check(entry.get(name) == value, "uninstall entry %s is %r, not %r" % (name, entry.get(name), value))
    check(abs(entry.get("EstimatedSize", -1) - size_kb) <= 4,
          "EstimatedSize %r KB for %d KB of files" % (entry.get("EstimatedSize"), size_kb))
    check(w.uninstall_entry(64) is None, "the uninstall entry is in the 64-bit view too")

    # The installed companion runs from its folder and finds the browsers.
    proc = w.wine(INSTALL_DIR_WIN + "\\bpmcli.exe", "list", "--format", "json")
    try:
        listing = json.loads(proc.stdout.decode("utf-8"))
    except ValueError:
        raise Failure("bpmcli.exe list printed no JSON: %r" % proc.stdout[:300])
    names = [b["browser"] for b in listing["browsers"]]
    check("ie" in names and "chrome" in names, "bpmcli.exe list shows %s" % names)


def silent_install(w):
    """/S installs the files, the Start-menu shortcut (no desktop one) and the
    uninstall entry; bpmcli.exe runs from the installed folder."""
    w.install(w.setup_file(w.dist))
    check_installed(w, w.version, desktop=False)


def over_older_version(w):
    """An older version (with the desktop shortcut) is replaced by this one:
    its uninstaller runs first, so its desktop shortcut goes, and the entry
    names the new version; the user's settings stay."""
    older = "1.0.0.1"
    old_dist = w.package("dist-old", version=older)
    w.install(w.setup_file(old_dist, older), "/DESKTOP")
    entry = w.uninstall_entry(32)
    check(entry and entry.get("DisplayVersion") == older, "the older setup did not install: %r" % entry)
    check(os.path.isfile(w.desktop_link()), "/DESKTOP made no desktop shortcut")
    write_settings(w)
    w.install(w.setup_file(w.dist))
    check_installed(w, w.version, desktop=False)
    check_settings_kept(w)


def same_version_twice(w):
    """The same version installed again leaves one clean install."""
    w.install(w.setup_file(w.dist), "/DESKTOP")
    w.install(w.setup_file(w.dist), "/DESKTOP")
    check_installed(w, w.version, desktop=True)
    check_settings_kept(w)


SETTINGS = "[General]\r\nLanguage=Deutsch\r\nCheckNews=0\r\nAutoUpdate=1\r\nMSGID=7\r\n"


def write_settings(w):
    os.makedirs(os.path.dirname(w.settings_file()), exist_ok=True)
    with open(w.settings_file(), "w", encoding="utf-8", newline="") as f:
        f.write(SETTINGS)
    history = w.appdata("Brivo Plugin Manager", "History")
    os.makedirs(history, exist_ok=True)
    with open(os.path.join(history, "journal.txt"), "w") as f:
        f.write("kept\n")
    os.makedirs(w.appdata("UpdateInfo"), exist_ok=True)
    with open(w.appdata("UpdateInfo", "Ad.txt"), "w") as f:
        f.write("{}")


def check_settings_kept(w):
    check(os.path.isfile(w.settings_file()), "the settings file is gone")
    with open(w.settings_file(), encoding="utf-8", newline="") as f:
        check(f.read() == SETTINGS, "the settings file changed")
    check(os.path.isfile(w.appdata("Brivo Plugin Manager", "History", "journal.txt")), "the journal is gone")
    check(os.path.isfile(w.appdata("UpdateInfo", "Ad.txt")), "the cache is gone")


def uninstall_and_wait(w, *options):
    entry = w.uninstall_entry(32)
    check(entry is not None, "no uninstall entry to uninstall with")
    quiet = entry["QuietUninstallString"]
    m = re.match(r'^"([^"]+)" /S$', quiet)
    check(m is not None, "QuietUninstallString %r is not a quoted program and /S" % quiet)
    # As Windows starts it: the uninstaller copies itself away and ends at
    # once; the copy removes the files.
    w.wine(m.group(1), "/S", *options)
    wait_until(lambda: not os.path.exists(w.install_dir()), 60, "the install folder to go")
    wait_until(lambda: w.uninstall_entry(32) is None, 30, "the uninstall entry to go")


def check_uninstalled(w):
    check(not os.path.exists(w.install_dir()), "the install folder stays")
    check(not os.path.exists(w.start_menu_link()), "the Start-menu shortcut stays")
    check(not os.path.exists(w.desktop_link()), "the desktop shortcut stays")
    check(w.uninstall_entry(32) is None and w.uninstall_entry(64) is None, "an uninstall entry stays")


def silent_uninstall_keeps_settings(w):
    """QuietUninstallString removes every program file, both shortcuts and the
    entry; the settings file, the journal and the cache remain."""
    uninstall_and_wait(w)
    check_uninstalled(w)
    check_settings_kept(w)


def uninstall_removes_settings_when_asked(w):
    """/REMOVESETTINGS also removes the settings folder and the cache."""
    w.install(w.setup_file(w.dist))
    # A file of the user's own in Languages\ keeps that folder, nothing else.
    own = os.path.join(w.install_dir(), "Languages", "Mine.ini")
    with open(own, "w") as f:
        f.write("[Lang]\n")
    uninstall_and_wait_for_files(w, own)
    check(not os.path.exists(w.appdata("Brivo Plugin Manager")), "the settings folder stays")
    check(not os.path.exists(w.appdata("UpdateInfo")), "the cache folder stays")


def uninstall_and_wait_for_files(w, own):
    entry = w.uninstall_entry(32)
    program = re.match(r'^"([^"]+)"', entry["UninstallString"]).group(1)
    w.wine(program, "/S", "/REMOVESETTINGS")
    wait_until(lambda: w.uninstall_entry(32) is None, 60, "the uninstall entry to go")
    wait_until(lambda: not os.path.exists(w.appdata("Brivo Plugin Manager")), 30, "the settings folder to go")
    left = sorted(os.path.relpath(os.path.join(b, f), w.install_dir())
                  for b, _, fs in os.walk(w.install_dir()) for f in fs)
    check(left == [os.path.join("Languages", "Mine.ini")], "left in the install folder: %s" % left)
    check(not os.path.exists(w.start_menu_link()), "the Start-menu shortcut stays")


CASES = [package_is_reproducible, silent_install, over_older_version, same_version_twice,
         silent_uninstall_keeps_settings, uninstall_removes_settings_when_asked]


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip())
        return 2
    world = World(argv[1])
    results = []
    t0 = time.monotonic()
    try:
        world.setup()
        print("set-up: %.1fs (%s mode)" % (time.monotonic() - t0, world.env["BRIVO_MODE"]), flush=True)
        for fn in CASES:
            t = time.monotonic()
            try:
                fn(world)
            except (Failure, subprocess.SubprocessError, OSError) as e:
                results.append((fn.__name__, time.monotonic() - t, str(e)))
                print("FAIL %s (%.1fs): %s" % (fn.__name__, time.monotonic() - t, e), flush=True)
                break  # the later cases build on this one
            results.append((fn.__name__, time.monotonic() - t, None))
            print("ok   %s (%.1fs)" % (fn.__name__, time.monotonic() - t), flush=True)
    finally:
        world.teardown()
        gtest_report.write_report("install", results)
    failed = sum(1 for r in results if r[2] is not None)
    passed = len(results) - failed
    print("%d passed, %d failed (%.0fs)" % (passed, failed, time.monotonic() - t0))
    return 1 if failed or passed < len(CASES) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
