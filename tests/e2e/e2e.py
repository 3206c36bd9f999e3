#!/usr/bin/env python3
"""End-to-end cases: the real BrivoPM.exe under Wine, driven with the mouse
and keyboard, checked on the screen and in the world (browser files, the
registry, the settings file, what the shell was asked to open).

    e2e.py BUILD_DIR [CASE...]

Runs the cases of every *_cases.py module in this folder, in module order
(main window first) and in their order within a module, each on a fresh
copy of one demo world. Prints one line per case and "N passed, N failed";
exits 1 when a case failed. With case names only those run. Screenshots of
failed waits are left in BUILD_DIR/e2e-shots.
"""

import glob
import importlib
import os
import subprocess
import sys
import time
import traceback

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "support"))
import common  # noqa: E402
import gtest_report  # noqa: E402
from driver import E2EError, World  # noqa: E402


def load_cases():
    names = sorted(os.path.basename(p)[:-3] for p in glob.glob(os.path.join(HERE, "*_cases.py")))
    # The main window's cases come first: they also prove the world itself.
    names.sort(key=lambda n: n != "main_window_cases")
    for name in names:
        importlib.import_module(name)
    return list(common.CASES)


def fail(results, fn, started, detail):
    results.append((fn.__name__, time.monotonic() - started, detail))
    print("FAIL %s (%.1fs): %s" % (fn.__name__, time.monotonic() - started, detail), flush=True)


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip())
        return 2
    wanted = argv[2:]
    all_cases = load_cases()
    unknown = [w for w in wanted if w not in {c.__name__ for c in all_cases}]
    if unknown:
        print("no such case: %s" % ", ".join(unknown))
        return 2
    cases = [c for c in all_cases if not wanted or c.__name__ in wanted]
    world = World(argv[1])
    results = []  # (case, seconds, failure text or None)
    t0 = time.monotonic()
    try:
        world.setup()
        print("set-up: %.1fs (%s, display %s)" % (time.monotonic() - t0, world.env.get("BRIVO_MODE"),
                                                   world.env["DISPLAY"]), flush=True)
        skin = common.Skin(world)
        for fn in cases:
            t = time.monotonic()
            for attempt in (1, 2):
                world.fresh()
                try:
                    fn(world, skin)
                    results.append((fn.__name__, time.monotonic() - t, None))
                    print("ok   %s (%.1fs)" % (fn.__name__, time.monotonic() - t), flush=True)
                    break
                except subprocess.TimeoutExpired as e:
                    # A Wine tool that did not answer at all is the machine
                    # stalling, not the program: the case runs once more.
                    if attempt == 1:
                        print("again %s: %s" % (fn.__name__, e), flush=True)
                        continue
                    fail(results, fn, t, traceback.format_exc().strip())
                except Exception as e:  # one case's failure must not stop the others
                    fail(results, fn, t, str(e) if isinstance(e, E2EError) else traceback.format_exc().strip())
                    break
    finally:
        world.teardown()
        gtest_report.write_report("e2e", results)
    failed = sum(1 for r in results if r[2] is not None)
    passed = len(results) - failed
    print("%d passed, %d failed (%.0fs)" % (passed, failed, time.monotonic() - t0))
    return 1 if failed or passed == 0 else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
