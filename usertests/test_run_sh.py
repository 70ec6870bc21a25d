"""./run.sh as a new user starts it: on a new Wine prefix it must reach a
visible quillmark window (QM_RUN_EXIT_WHEN_SHOWN makes it end there), say
each step on a line of its own, leave the Help Workshop folder set to the
stand-ins and build only what it starts; "./run.sh zonivex" reaches the
hotspot editor's window."""

import contextlib
import os
import re
import subprocess

from uitest import ROOT, check

STEPS = ["installing missing packages", "configuring build/win64", "building", "preparing the Wine prefix",
         "starting"]


@contextlib.contextmanager
def set_aside(*paths):
    """Build outputs renamed for the while; back in place afterwards. A build
    that needs one of them makes it again."""
    moved = []
    try:
        for p in paths:
            full = os.path.join(ROOT, p)
            if os.path.exists(full):
                os.replace(full, full + ".aside")
                moved.append(full)
        yield
    finally:
        for full in moved:
            os.replace(full + ".aside", full)


def run_sh(s, *args):
    prefix = os.path.join(s.dir, "new-prefix")
    env = dict(os.environ, WINEPREFIX=prefix, DISPLAY=s.display.name, QM_RUN_EXIT_WHEN_SHOWN="1")
    r = subprocess.run(["./run.sh", *args], cwd=ROOT, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                       timeout=600)
    out = r.stdout.decode("utf-8", "replace")
    name = " ".join(["./run.sh", *args])
    check(r.returncode == 0, "%s ended with %d on a new prefix:\n%s" % (name, r.returncode, out[-2000:]))
    lines = [m.group(2) for m in re.finditer(r"^run\.sh: (\d)/5 (.*)$", out, re.M)]
    check(len(lines) == len(STEPS) and all(line.startswith(step) for line, step in zip(lines, STEPS)),
          "%s did not show its five steps in order:\n%s" % (name, out[-2000:]))
    check(re.search(r"building .*: .*100%", out), "%s showed no build progress to 100%%:\n%s" % (name, out[-2000:]))
    return prefix, out


def made_again(*paths):
    return [p for p in paths if os.path.exists(os.path.join(ROOT, p))]


def test_first_run_on_a_new_prefix_shows_the_window(s):
    # Test programs and the 32-bit build are ./test.sh's: set aside, they
    # must not come back.
    not_for_run_sh = ["build/win64/editor/editor_wine_tests.exe", "build/win64/controls/controls_wine_tests.exe",
                      "build/win32/editor/quillmark.exe"]
    with set_aside(*not_for_run_sh):
        prefix, out = run_sh(s)
        made = made_again(*not_for_run_sh)
    check(not made, "./run.sh built what it does not start: %s" % made)
    user_reg = open(os.path.join(prefix, "user.reg"), "rb").read().decode("utf-8", "replace")
    check("helpworkshop" in user_reg.lower() and "tarvesk\\\\quillmark\\\\env" in user_reg.lower(),
          "./run.sh did not set the Help Workshop folder (Env\\Hcw)")


def test_run_sh_zonivex_starts_the_hotspot_editor(s):
    not_for_zonivex = ["build/win64/hotspot/zonivex_wine_tests.exe", "build/win64/standins/hcrtf.exe"]
    with set_aside(*not_for_zonivex):
        _, out = run_sh(s, "zonivex")
        made = made_again(*not_for_zonivex)
    check(not made, "./run.sh zonivex built what it does not start: %s" % made)
    check("the zonivex window shows" in out, "./run.sh zonivex did not see the zonivex window:\n%s" % out[-2000:])
