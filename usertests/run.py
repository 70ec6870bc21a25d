#!/usr/bin/env python3
"""Runs the user-level tests one at a time on an Xvfb display of their own.

    usertests/run.py              every test
    usertests/run.py menu open    the tests whose names hold "menu" or "open"
    usertests/run.py --list       the names only

Tests are the functions test_* of the modules test_*.py beside this file, in
the order they stand; each takes a fresh session (uitest.Session). A module
that sets WINDOW_MANAGER (a command) runs after the others, under that window
manager on a display and a template prefix of its own; so does the second run
of a test marked with uitest.also_under. A failing step leaves a screenshot and
the program's output in build/usertests/failures/.
The last line is "N passed, N failed"; the exit status is 1 when a test failed.
"""

import glob
import importlib
import os
import shutil
import signal
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import uitest  # noqa: E402

TEST_TIMEOUT = int(os.environ.get("QM_UT_TEST_TIMEOUT", "300"))
FAILURES = os.path.join(uitest.BUILD, "failures")


class TestTimeout(Exception):
    pass


def on_alarm(signum, frame):
    raise TestTimeout("the test ran longer than %d s" % TEST_TIMEOUT)


def collect(filters):
    here = os.path.dirname(os.path.abspath(__file__))
    tests = []
    for path in sorted(glob.glob(os.path.join(here, "test_*.py"))):
        module = importlib.import_module(os.path.splitext(os.path.basename(path))[0])
        module_wm = getattr(module, "WINDOW_MANAGER", uitest.WINDOW_MANAGER)
        for name, fn in vars(module).items():
            if name.startswith("test_") and callable(fn):
                full = "%s.%s" % (module.__name__[5:], name[5:])
                if not filters or any(f in full for f in filters):
                    for wm in dict.fromkeys((module_wm, getattr(fn, "also_under", module_wm))):
                        tests.append((full, fn, fn.__code__.co_firstlineno, wm))
    # Those of the run's window manager first; in the order they stand in each file.
    tests.sort(key=lambda t: (t[3] != uitest.WINDOW_MANAGER, t[0].split(".")[0], t[2]))
    return [(n, f, wm) for n, f, _, wm in tests]


def label(name, wm):
    """The test's name, with the window manager when it is not the run's."""
    return name + (" (under %s)" % wm if wm != uitest.WINDOW_MANAGER else "")


def missing_tools(window_managers):
    missing = [t for t in ("Xvfb", "xdotool", "import") if not shutil.which(t)]
    missing += [wm for wm in window_managers if wm and not shutil.which(wm.split()[0])]
    for path in (os.path.join(uitest.DIST64, "quillmark.exe"), uitest.PROBE):
        if not os.path.exists(path):
            missing.append(path + " (build win64 first)")
    return missing


def run_one(name, fn, display, template):
    """Runs one test; returns None when it passed, else what failed. The
    failure's files are named after name (the window manager's name added
    when it is not the run's)."""
    if display.window_manager != uitest.WINDOW_MANAGER:
        name += "-" + display.window_manager.split()[0]
    session = uitest.Session(name.replace(".", "-"), display, template)
    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(TEST_TIMEOUT)
    try:
        fn(session)
        return None
    except Exception as e:  # noqa: BLE001 - every failure is reported the same way
        signal.alarm(0)
        os.makedirs(FAILURES, exist_ok=True)
        shot = os.path.join(FAILURES, name + ".png")
        session.screenshot(shot)
        for log in glob.glob(os.path.join(session.dir, "*.log")):
            shutil.copy(log, os.path.join(FAILURES, name + "." + os.path.basename(log)))
        where = traceback.extract_tb(e.__traceback__)
        lines = ["    %s:%d %s" % (os.path.basename(f.filename), f.lineno, f.line) for f in where[1:]]
        detail = "%s: %s" % (type(e).__name__, e) if not isinstance(e, uitest.StepFailed) else str(e)
        return detail + "\n" + "\n".join(lines[-4:]) + "\n    screenshot: " + os.path.relpath(shot, uitest.ROOT)
    finally:
        signal.alarm(0)
        session.close()


def main(argv):
    filters = [a for a in argv if not a.startswith("-")]
    tests = collect(filters)
    if "--list" in argv:
        for name, _, wm in tests:
            print(label(name, wm))
        return 0
    window_managers = []
    for _, _, wm in tests:
        if wm not in window_managers:
            window_managers.append(wm)
    missing = missing_tools(window_managers)
    if missing:
        print("usertests: missing: " + ", ".join(missing))
        return 2
    if os.path.isdir(FAILURES):
        shutil.rmtree(FAILURES)
    passed = failed = 0
    started = time.monotonic()
    for wm in window_managers:
        print("usertests: window manager: %s" % (wm or "none (Wine stacks its unmanaged windows itself)"))
        display = uitest.Display(window_manager=wm)
        try:
            template = os.path.join(uitest.BUILD, "template-prefix" + ("-" + wm.split()[0] if wm else ""))
            t = time.monotonic()
            uitest.make_template_prefix(template, display.name, managed=bool(wm))
            print("usertests: template prefix made in %.0f s" % (time.monotonic() - t))
            for name, fn, test_wm in tests:
                if test_wm != wm:
                    continue
                t = time.monotonic()
                error = run_one(name, fn, display, template)
                took = time.monotonic() - t
                if error is None:
                    passed += 1
                    print("PASS %s (%.0f s)" % (label(name, wm), took), flush=True)
                else:
                    failed += 1
                    print("FAIL %s (%.0f s): %s" % (label(name, wm), took, error), flush=True)
        finally:
            display.stop()
    print("usertests: %.0f s in all" % (time.monotonic() - started))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
