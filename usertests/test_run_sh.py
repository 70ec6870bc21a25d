"""./run.sh as a new user starts it: on a new Wine prefix it must reach a
visible quillmark window (QM_RUN_EXIT_WHEN_SHOWN makes it end there) and leave
the Help Workshop folder set to the stand-ins; "./run.sh zonivex" reaches the
hotspot editor's window."""

import os
import subprocess

from uitest import ROOT, check


def test_first_run_on_a_new_prefix_shows_the_window(s):
    prefix = os.path.join(s.dir, "new-prefix")
    env = dict(os.environ, WINEPREFIX=prefix, DISPLAY=s.display.name, QM_RUN_EXIT_WHEN_SHOWN="1")
    r = subprocess.run(["./run.sh"], cwd=ROOT, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                       timeout=600)
    out = r.stdout.decode("utf-8", "replace")
    check(r.returncode == 0, "./run.sh ended with %d on a new prefix:\n%s" % (r.returncode, out[-2000:]))
    user_reg = open(os.path.join(prefix, "user.reg"), "rb").read().decode("utf-8", "replace")
    check("helpworkshop" in user_reg.lower() and "tarvesk\\\\quillmark\\\\env" in user_reg.lower(),
          "./run.sh did not set the Help Workshop folder (Env\\Hcw)")


def test_run_sh_zonivex_starts_the_hotspot_editor(s):
    prefix = os.path.join(s.dir, "new-prefix")
    env = dict(os.environ, WINEPREFIX=prefix, DISPLAY=s.display.name, QM_RUN_EXIT_WHEN_SHOWN="1")
    r = subprocess.run(["./run.sh", "zonivex"], cwd=ROOT, env=env, stdout=subprocess.PIPE,
                       stderr=subprocess.STDOUT, timeout=600)
    out = r.stdout.decode("utf-8", "replace")
    check(r.returncode == 0, "./run.sh zonivex ended with %d on a new prefix:\n%s" % (r.returncode, out[-2000:]))
    check("the zonivex window shows" in out, "./run.sh zonivex did not see the zonivex window:\n%s" % out[-2000:])
