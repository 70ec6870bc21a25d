"""Helpers for user-level tests: a Windows program of the suite runs under Wine on
an Xvfb display and is driven only through X input (xdotool), the way a user
drives it with mouse and keyboard. What the test checks is what a user sees
(windows by title, their places and stacking, the text of controls, pixels of
the screen) and what lands on disk.

Every test gets a fresh Wine prefix, copied from one template prefix made once
per run (`make_template_prefix`), so that each starts like a new user's machine
without paying for a new prefix every time.

Window manager: by default none runs (the Xvfb display is bare) and the
template prefix sets Wine's X11 driver to unmanaged windows, so Wine itself
stacks the windows by the Win32 rules (an owned window stays above its owner).
Set QM_UT_WM to a window manager command (for example "openbox") to run the
tests under it instead; the prefix then keeps Wine's managed windows and the
window manager does the stacking. A test module that sets WINDOW_MANAGER runs
under that one whatever QM_UT_WM says (run.py gives it a display and a
template prefix of its own); a test marked with `also_under` runs once more
under the window manager it names.

The window probe (build/win64/usertests/qmprobe.exe, a console program in the
same prefix) only looks: it lists windows and reads texts; it never clicks.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
from collections import namedtuple

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The one place that says where the shared test data lies.
TESTDATA = os.environ.get("QM_TESTDATA") or os.path.join(ROOT, "testdata")
PROJECTS = os.path.join(TESTDATA, "projects")
BUILD = os.path.join(ROOT, "build", "usertests")
DIST64 = os.path.join(ROOT, "dist", "win64")
PROBE = os.path.join(ROOT, "build", "win64", "usertests", "qmprobe.exe")
WINE = os.environ.get("WINE") or shutil.which("wine64") or "/usr/lib/wine/wine64"
WINESERVER = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
WINDOW_MANAGER = os.environ.get("QM_UT_WM", "")

# How long a step may take before the test gives up on it.
STEP_TIMEOUT = float(os.environ.get("QM_UT_STEP_TIMEOUT", "20"))


def also_under(window_manager):
    """Marks a test to run a second time, under this window manager (a
    command), as well as under its module's."""
    def mark(fn):
        fn.also_under = window_manager
        return fn
    return mark


class StepFailed(AssertionError):
    """A step of a user-level test did not give what a user expects."""


def check(condition, message):
    if not condition:
        raise StepFailed(message)


def wait_for(what, probe, timeout=STEP_TIMEOUT, interval=0.1):
    """Calls probe until it returns something true; returns that value.
    Raises StepFailed naming `what` after `timeout` seconds."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise StepFailed("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def pause(seconds=0.3):
    """A hand's pace inside one gesture, or time for input to land before a
    check that it changed nothing (there is no condition to wait for then).
    Never a wait for an effect: wait_for that effect instead."""
    time.sleep(seconds)


# --- Display ---------------------------------------------------------------

class Display:
    """An Xvfb display of its own for one run, with the optional window
    manager (a command; by default QM_UT_WM's)."""

    def __init__(self, width=1280, height=1024, window_manager=None):
        window_manager = WINDOW_MANAGER if window_manager is None else window_manager
        self.window_manager = window_manager
        self.width, self.height = width, height
        # The server picks a free display number itself and writes it once
        # it takes clients: runs started side by side never share a display.
        said, told = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(told), "-screen", "0",
                                      "%dx%dx24" % (width, height), "-nolisten", "tcp"], pass_fds=(told,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(told)
        with os.fdopen(said) as f:
            number = f.readline().strip()  # empty when the server ended first
        check(number.isdigit(), "Xvfb did not start")
        self.name = ":" + number
        self.wm = None
        if window_manager:
            self.wm = subprocess.Popen(window_manager.split(), env=dict(os.environ, DISPLAY=self.name),
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            query = ["xprop", "-display", self.name, "-root", "_NET_SUPPORTING_WM_CHECK"]
            wait_for("the window manager %r to own the screen" % window_manager, lambda: b"window id #" in
                     subprocess.run(query, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout)

    def stop(self):
        for p in (self.wm, self.xvfb):
            if p and p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()


def wine_environment(prefix, display):
    env = dict(os.environ)
    env.update(WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               LC_ALL="ja_JP.UTF-8", DISPLAY=display)
    return env


def make_template_prefix(path, display, managed=None):
    """A new Wine prefix at path, booted once; tests copy it. Its windows are
    left to a window manager when managed (by default: when QM_UT_WM names
    one), else Wine stacks them itself."""
    managed = bool(WINDOW_MANAGER) if managed is None else managed
    if os.path.exists(path):
        shutil.rmtree(path)
    os.makedirs(path)
    env = wine_environment(path, display)
    # Made as run.sh makes a user's prefix (the Japanese faces included).
    # A program that faults writes Wine's backtrace into its log (kept with a
    # failure) rather than showing a crash dialog.
    subprocess.run(["bash", "-c", 'source "$1/scripts/wine-env.sh" && wine_env_init_prefix && wine_env_crash_log',
                    "-", ROOT],
                   env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not managed:
        subprocess.run([WINE, "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f"],
                       env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run([WINESERVER, "-w"], env=env)
    if not os.path.exists(os.path.join(path, "system.reg")):
        raise RuntimeError("wineboot made no prefix in " + path)


# --- Windows as the probe sees them ----------------------------------------

class Window(namedtuple("Window", "hwnd owner visible left top right bottom pid ctrl_id cls title")):
    """One window: handle and owner (hex text), visible flag, screen rectangle,
    process, control id, class and title."""

    @property
    def width(self):
        return self.right - self.left

    @property
    def height(self):
        return self.bottom - self.top

    @property
    def center(self):
        return ((self.left + self.right) // 2, (self.top + self.bottom) // 2)

    def __str__(self):
        return "%s %r [%s] at (%d,%d)-(%d,%d)%s owner %s" % (
            self.hwnd, self.title, self.cls, self.left, self.top, self.right, self.bottom,
            "" if self.visible else " hidden", self.owner)


class TreeItem(namedtuple("TreeItem", "item image left top right bottom label")):
    """A visible tree item: handle, image index, label rectangle, label."""

    @property
    def center(self):
        return ((self.left + self.right) // 2, (self.top + self.bottom) // 2)


def _parse_window(line):
    f = line.split("\t")
    if len(f) < 8:
        return None
    l, t, r, b = (int(v) for v in f[3].split(","))
    return Window(f[0], f[1], f[2] == "1", l, t, r, b, int(f[4]), int(f[5]), f[6], f[7] if len(f) > 7 else "")


class Probe:
    """The window probe, running in the session's prefix and answering on a pipe."""

    def __init__(self, env):
        self.proc = subprocess.Popen([WINE, PROBE, "serve"], env=env, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

    def ask(self, *words):
        self.proc.stdin.write((" ".join(str(w) for w in words) + "\n").encode())
        self.proc.stdin.flush()
        lines = []
        while True:
            raw = self.proc.stdout.readline()
            if not raw:
                raise RuntimeError("the window probe ended")
            line = raw.decode("utf-8", "replace").rstrip("\r\n")
            if line == ".":
                return lines
            lines.append(line)

    def windows(self):
        """Top-level windows, topmost first."""
        return [w for w in map(_parse_window, self.ask("windows")) if w]

    def children(self, hwnd):
        return [w for w in map(_parse_window, self.ask("children", hwnd)) if w]

    def text(self, hwnd):
        lines = self.ask("text", hwnd)
        if lines and lines[0].startswith("error:"):
            return None
        return "\n".join(lines)

    def send(self, hwnd, msg, wparam=0, lparam=0):
        answer = self.ask("send", hwnd, msg, wparam, lparam)
        if not answer or answer[0].startswith("error"):
            raise StepFailed("message %#x to %s: %s" % (msg, hwnd, answer))
        return int(answer[0])

    def client(self, hwnd):
        answer = self.ask("client", hwnd)
        return tuple(int(v) for v in answer[0].split(","))

    def rect(self, hwnd, msg, wparam=0, first=0):
        """A message that fills a RECT given in lParam: (result, screen rect)."""
        answer = self.ask("rect", hwnd, msg, wparam, first)
        if not answer or answer[0].startswith("error"):
            raise StepFailed("message %#x to %s: %s" % (msg, hwnd, answer))
        result, r = answer[0].split("\t")
        return int(result), tuple(int(v) for v in r.split(","))

    def point(self, hwnd, msg, lparam):
        """A message that fills a POINTL given in wParam: the screen point."""
        answer = self.ask("point", hwnd, msg, lparam)
        if not answer or answer[0].startswith("error"):
            raise StepFailed("message %#x to %s: %s" % (msg, hwnd, answer))
        return tuple(int(v) for v in answer[0].split(","))

    def textmsg(self, hwnd, msg, wparam=0):
        """A message that fills a text buffer given in lParam (SB_GETTEXTA)."""
        answer = self.ask("textmsg", hwnd, msg, wparam)
        if answer and answer[0].startswith("error"):
            raise StepFailed("message %#x to %s: %s" % (msg, hwnd, answer))
        return "\n".join(answer)

    def items(self, hwnd):
        """The items of a combo box, top to bottom."""
        return self.ask("items", hwnd)

    def tree(self, hwnd):
        """The visible items of a tree view, top to bottom, as TreeItem."""
        items = []
        for line in self.ask("tree", hwnd):
            f = line.split("\t")
            if len(f) < 4:
                continue
            l, t, r, b = (int(v) for v in f[2].split(","))
            items.append(TreeItem(f[0], int(f[1]), l, t, r, b, f[3]))
        return items

    def metric(self, index):
        return int(self.ask("metric", index)[0])

    def focus(self):
        """(active window, focused window, the focused one's class) of the
        thread the keyboard goes to."""
        return tuple(((self.ask("focus") + [""])[0].split("\t") + ["", ""])[:3])

    def close(self):
        if self.proc.poll() is None:
            self.proc.stdin.close()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()


def _matches(w, title, title_re, cls, visible, pid):
    if title is not None and w.title != title:
        return False
    if title_re is not None and not re.search(title_re, w.title):
        return False
    if cls is not None and w.cls != cls:
        return False
    if visible is not None and w.visible != visible:
        return False
    if pid is not None and w.pid != pid:
        return False
    return True


# --- X input ------------------------------------------------------------------

def xdotool(display, *args):
    subprocess.run(["xdotool"] + [str(a) for a in args], env=dict(os.environ, DISPLAY=display),
                   check=True, stdout=subprocess.DEVNULL)


# --- One test's session -------------------------------------------------------

class Session:
    """A fresh Wine prefix on the run's display, with the probe, the input
    helpers and a work folder for copies of test data."""

    def __init__(self, name, display, template):
        self.name = name
        self.display = display
        self.dir = tempfile.mkdtemp(prefix="qm-ut-%s-" % name)
        self.prefix = os.path.join(self.dir, "prefix")
        subprocess.run(["cp", "-a", "--reflink=auto", template, self.prefix], check=True)
        self.work = os.path.join(self.dir, "work")
        os.makedirs(self.work)
        self.env = wine_environment(self.prefix, display.name)
        self.programs = []
        self.probe = Probe(self.env)
        self.last_click = (-99, -99, 0)

    # Programs

    def wine(self, *args, check_rc=True):
        """Runs a Wine command (reg, winepath...) to its end; returns its output."""
        r = subprocess.run([WINE] + list(args), env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if check_rc and r.returncode != 0:
            raise StepFailed("wine %s ended with %d" % (" ".join(args), r.returncode))
        return r.stdout.decode("utf-8", "replace")

    def start(self, exe, *args):
        """Starts a Windows program of dist/win64 (or a full path); returns the process."""
        path = exe if os.path.isabs(exe) else os.path.join(DIST64, exe)
        log = open(os.path.join(self.dir, os.path.basename(exe) + ".log"), "ab")
        p = subprocess.Popen([WINE, path] + list(args), env=self.env, stdout=log, stderr=log,
                             start_new_session=True)
        self.programs.append(p)
        return p

    def wait_exit(self, proc, timeout=STEP_TIMEOUT):
        wait_for("the program to end", lambda: proc.poll() is not None, timeout)
        return proc.returncode

    def end_session(self):
        """`wineboot --end-session`, as when the user logs off: the top-level
        windows of every program are asked whether the session may end
        (WM_QUERYENDSESSION) and the programs that agree are ended; then the
        prefix starts again. Returns the running process: its exit status is
        1 when a program refused, 0 otherwise. A program that has not answered
        after five seconds gets Wine's wait dialog (`wait_dialog`)."""
        p = subprocess.Popen([WINE, "wineboot", "--end-session"], env=self.env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, start_new_session=True)
        self.programs.append(p)
        return p

    def wait_dialog(self, program):
        """Wine's dialog about a program that keeps the session from ending
        (a dialog box of another process than the window `program`'s), once
        it shows."""
        return wait_for("Wine's wait dialog about the program that has not answered yet",
                        lambda: next((w for w in self.windows(cls="#32770", visible=True)
                                      if w.pid != program.pid), None))

    def windows_path(self, unix_path):
        """The path under which the Windows program sees a file (drive Z:)."""
        return "Z:" + os.path.abspath(unix_path).replace("/", "\\")

    def reg_add(self, key, value, data):
        self.wine("reg", "add", key, "/v", value, "/d", data, "/f")

    def reg_query(self, key, value):
        """The REG_SZ data of a value, or None when it is missing."""
        out = self.wine("reg", "query", key, "/v", value, check_rc=False)
        for line in out.splitlines():
            m = re.match(r"\s*%s\s+REG_\w+\s+(.*)$" % re.escape(value), line.rstrip("\r"), re.I)
            if m:
                return m.group(1)
        return None

    def copy_project(self, name):
        """A writable copy of a project of the test data; returns its folder."""
        dest = os.path.join(self.work, name)
        shutil.copytree(os.path.join(PROJECTS, name), dest)
        os.chmod(dest, 0o755)
        for base, dirs, files in os.walk(dest):
            for d in dirs:
                os.chmod(os.path.join(base, d), 0o755)
            for f in files:
                os.chmod(os.path.join(base, f), 0o644)
        return dest

    # Looking

    def windows(self, title=None, title_re=None, cls=None, visible=None, pid=None):
        return [w for w in self.probe.windows() if _matches(w, title, title_re, cls, visible, pid)]

    def window(self, **kw):
        """The one window that matches now (topmost when several), or None."""
        found = self.windows(**kw)
        return found[0] if found else None

    def wait_window(self, what=None, timeout=STEP_TIMEOUT, keyboard=False, **kw):
        """The window once it shows (and, with keyboard, takes the keys)."""
        kw.setdefault("visible", True)
        what = what or "a window %r" % kw
        win = wait_for(what, lambda: self.window(**kw), timeout)
        if keyboard:
            self.wait_keyboard(win, what + " to take the keyboard", timeout)
        return win

    def wait_no_window(self, what=None, timeout=STEP_TIMEOUT, **kw):
        kw.setdefault("visible", True)
        wait_for(what or "no window %r" % kw, lambda: not self.windows(**kw), timeout)

    def refresh(self, win):
        """The window's state now (None when it is gone)."""
        for w in self.probe.windows():
            if w.hwnd == win.hwnd:
                return w
        return None

    def stacking(self):
        """Handles of the visible top-level windows, topmost first."""
        return [w.hwnd for w in self.probe.windows() if w.visible]

    def is_above(self, upper, lower):
        order = self.stacking()
        return upper.hwnd in order and lower.hwnd in order and order.index(upper.hwnd) < order.index(lower.hwnd)

    def child(self, parent, cls=None, title=None, visible=True, index=0):
        found = [w for w in self.probe.children(parent.hwnd)
                 if _matches(w, title, None, cls, visible, None)]
        return found[index] if len(found) > index else None

    def text(self, win):
        return self.probe.text(win.hwnd)

    def box_text(self, box):
        """The message of a message box (its last text)."""
        texts = [w.title for w in self.probe.children(box.hwnd) if w.cls == "Static" and w.title]
        return texts[-1] if texts else ""

    def click_box_button(self, box, caption, what):
        """Clicks the button of a message box whose caption starts with this
        text ("はい", "キャンセル", "OK") and waits for that box to close."""
        found = [w for w in self.probe.children(box.hwnd) if w.cls == "Button" and w.title.startswith(caption)]
        check(found, "%s has no button %s" % (what, caption))
        self.click(*found[0].center)
        wait_for(what + " to close", lambda: not (self.refresh(box) and self.refresh(box).visible))

    def wait_keyboard(self, win, what=None, timeout=STEP_TIMEOUT):
        """Waits until keys go to this top-level window (a dialog just shown,
        the main window after its dialog closed) before typing into it: it
        is the active window. Whichever of Wine's X windows X hands a key to,
        Wine passes it on to the active window's focus; under a window
        manager, X must also hand the keys to one of Wine's windows, which
        the window manager decides a moment after a window shows or closes."""
        def ready():
            return self.probe.focus()[0] == win.hwnd and (not self.display.wm or self.x_focus_on_wine())
        try:
            wait_for(what or "the keyboard on %s" % (win,), ready, timeout)
        except StepFailed as e:
            raise StepFailed("%s (keys go to window %s, focus %s [%s]; X focus on Wine: %s)" %
                             ((e,) + self.probe.focus() + (self.x_focus_on_wine(),)))

    def x_focus_on_wine(self):
        """Whether X hands the keys to a window of a Windows program and not
        to none."""
        return self.x_focus_program() is not None

    def x_focus_program(self):
        """The Windows program ("quillmark.exe") whose window X hands the
        keys to (Wine names its windows' class after the program), or None."""
        env = dict(os.environ, DISPLAY=self.display.name)
        focus = subprocess.run(["xdotool", "getwindowfocus"], env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL).stdout.strip()
        if not focus:
            return None
        wm_class = subprocess.run(["xprop", "-id", focus, "WM_CLASS"], env=env, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL).stdout.decode(errors="replace").lower()
        found = re.findall(r'"([^"]*\.exe)"', wm_class)
        return found[0] if found else None

    def typed(self, text):
        """Whether the last line of text shows in the focused control; true
        when that is no edit box (other controls keep what they take)."""
        line = text.split("\n")[-1]
        _, focus, cls = self.probe.focus()
        if not line or "edit" not in cls.lower():
            return True
        return line in (self.probe.text(focus) or "").replace("\r", "")

    def wait_file(self, path, what=None, predicate=None, timeout=STEP_TIMEOUT):
        """Waits until path exists (and predicate(bytes) holds); returns its bytes."""
        def ready():
            if not os.path.exists(path):
                return None
            try:
                with open(path, "rb") as f:
                    data = f.read()
            except OSError:
                return None
            if predicate and not predicate(data):
                return None
            return data or b" "
        return wait_for(what or "the file " + path, ready, timeout)

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-window", "root", path], env=dict(os.environ, DISPLAY=self.display.name),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def gray(self, left, top, width, height):
        """The screen's pixels in a rectangle as rows of grey levels (0 black)."""
        data = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, left, top),
                               "-depth", "8", "gray:-"], env=dict(os.environ, DISPLAY=self.display.name),
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True).stdout
        return [data[r * width:(r + 1) * width] for r in range(height)]

    def rgb(self, left, top, width, height):
        """The screen's pixels in a rectangle as rows of (red, green, blue)."""
        data = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, left, top),
                               "-depth", "8", "rgb:-"], env=dict(os.environ, DISPLAY=self.display.name),
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True).stdout
        return [[tuple(data[(r * width + x) * 3:(r * width + x) * 3 + 3]) for x in range(width)]
                for r in range(height)]

    # Input

    def xdo(self, *args):
        xdotool(self.display.name, *args)

    def move(self, x, y):
        self.xdo("mousemove", x, y)

    def click(self, x, y, button=1, double=False):
        # X hands the program the input in the order sent, so no click waits
        # for the one before; but two at one spot within the double-click
        # time (0.5 s in Wine) would make a double click.
        last_x, last_y, last_time = self.last_click
        if abs(x - last_x) <= 4 and abs(y - last_y) <= 4:
            time.sleep(max(0, last_time + 0.7 - time.monotonic()))
        self.xdo("mousemove", x, y)
        self.xdo("click", "--repeat", 2 if double else 1, "--delay", 80, button)
        self.last_click = (x, y, time.monotonic())

    def click_in(self, win, dx, dy, **kw):
        """Clicks at a point relative to a window's top-left corner (negative
        offsets count from the right or bottom edge)."""
        x = win.left + dx if dx >= 0 else win.right + dx
        y = win.top + dy if dy >= 0 else win.bottom + dy
        self.click(x, y, **kw)

    def drag(self, x1, y1, x2, y2, steps=8):
        """Presses the left button at one point, moves in steps, releases at
        another, at a hand's pace (the program sees the moves between)."""
        self.xdo("mousemove", x1, y1)
        pause(0.1)
        self.xdo("mousedown", 1)
        pause(0.15)
        for i in range(1, steps + 1):
            self.xdo("mousemove", x1 + (x2 - x1) * i // steps, y1 + (y2 - y1) * i // steps)
            pause(0.05)
        pause(0.15)
        self.xdo("mouseup", 1)

    def key(self, *keys):
        """Presses keys or chords the xdotool way: "Escape", "alt+f", "ctrl+s"."""
        self.xdo("key", "--delay", 60, *keys)

    def type_text(self, text):
        """Types text as keystrokes and waits for it to show in the focused
        edit box. Characters outside the keyboard map (such as Japanese) come
        through a keycode that xdotool maps to the character for the moment:
        typed one at a time, each awaited before the map changes again."""
        done = ""
        for run in re.findall(r"[\x00-\x7f]+|[^\x00-\x7f]", text):
            mapped = ord(run[0]) < 128
            self.xdo("type", "--delay", 40 if mapped else 120, run)
            done += run
            if not mapped:
                wait_for("%r typed" % done, lambda: self.typed(done))
        wait_for("%r typed" % text, lambda: self.typed(text))

    # Menus, found on the screen as a user finds them

    def menu_bar_titles(self, main):
        """Centres of the titles on a window's menu bar, left to right: the
        strip between the caption and the client area is scanned for columns
        of dark pixels, and columns closer than a few pixels make one title."""
        cl, ct, cr, cb = self.probe.client(main.hwnd)
        SM_CYMENU = 15
        top, bottom = ct - self.probe.metric(SM_CYMENU), ct
        check(top > main.top, "no room for a menu bar above the client area of %s" % (main,))
        rows = self.gray(cl, top, cr - cl, bottom - top)
        dark = [any(row[x] < 96 for row in rows) for x in range(cr - cl)]
        titles, start, gap = [], None, 0
        for x, d in enumerate(dark + [False] * 10):
            if d:
                if start is None:
                    start = x
                gap, last = 0, x
            elif start is not None:
                gap += 1
                if gap > 7:
                    titles.append((cl + (start + last) // 2, (top + bottom) // 2))
                    start = None
        return titles

    def popup_menus(self):
        """The visible drop-down and popup menus, topmost first."""
        return self.windows(cls="#32768", visible=True)

    def menu_item_rows(self, popup):
        """Vertical centres of a popup menu's items, top to bottom: bands of
        rows that hold text or pictures, without the thin separator lines."""
        rows = self.gray(popup.left + 3, popup.top + 3, popup.width - 6, popup.height - 6)
        background = max(set(rows[0]), key=rows[0].count) if rows else 0
        busy = [sum(1 for v in row if abs(v - background) > 30) > 2 for row in rows]
        items, start = [], None
        for y, b in enumerate(busy + [False]):
            if b and start is None:
                start = y
            elif not b and start is not None:
                if y - start >= 6:  # a separator is one or two lines
                    items.append(popup.top + 3 + (start + y - 1) // 2)
                start = None
        return items

    def wait_menu_rows(self, popup):
        """The rows of a popup menu once it is painted (read alike twice)."""
        seen = [None]
        return wait_for("the menu at %s painted" % ((popup.left, popup.top),),
                        lambda: seen.append(self.menu_item_rows(popup)) or seen[-2] == seen[-1] and seen[-1])

    # End

    def close(self):
        self.probe.close()
        subprocess.run([WINESERVER, "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for p in self.programs:
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except OSError:
                    pass
                p.wait()
        shutil.rmtree(self.dir, ignore_errors=True)
