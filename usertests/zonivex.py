"""What a user of zonivex finds on the screen: the main window with its
toolbar, the hotspot list, the picture and the status line, and the steps a
user takes with them (open a file, draw and move a hotspot, edit it in the
attribute dialog, save). Also a reader of the .shg files it writes."""

import os
import shutil
import struct

from uitest import TESTDATA, check, wait_for

SHED = os.path.join(TESTDATA, "shg", "shed")
SETTINGS_KEY = r"HKCU\software\tarvesk\quillmark\zonivex"

SB_GETTEXTA = 0x402
TB_GETITEMRECT = 0x41D
LVM_GETITEMCOUNT = 0x1004
LVM_GETITEMRECT = 0x100E
CB_GETCOUNT = 0x146
CB_GETCURSEL = 0x147
FILE_TYPES_ID = 0x470  # the file dialogs' list of file types

# Toolbar buttons by index (separators count).
CLOSE_BTN, OPEN_BTN, SAVE_BTN, DELETE_BTN, ATTRIBUTES_BTN, DEFAULTS_BTN, ABOUT_BTN = 0, 2, 3, 5, 6, 8, 10


def copy_shg(s, name, folder=""):
    """A writable copy of a .shg file of the test data in the session's work
    folder (in a folder of it when given)."""
    os.makedirs(os.path.join(s.work, folder), exist_ok=True)
    dest = os.path.join(s.work, folder, name)
    shutil.copyfile(os.path.join(SHED, name), dest)
    os.chmod(dest, 0o644)
    return dest


def copy_picture(s, name):
    """A writable copy of a bitmap of the test data in the session's work folder."""
    dest = os.path.join(s.work, name)
    shutil.copyfile(os.path.join(TESTDATA, "bmp", "g", name), dest)
    os.chmod(dest, 0o644)
    return dest


def read_hotspots(path):
    """The hotspots of a .shg file in the order the program lists them:
    (name, context, mode byte, x, y, width, height); names and contexts as
    code page 932 bytes. Bitmaps only."""
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 4)[0]
    pos = offset + 2

    def cword():
        nonlocal pos
        b = data[pos]
        pos += 1
        if b & 1:
            pos += 1
            return (b >> 1) + data[pos - 1] * 128
        return b >> 1

    def cdword():
        nonlocal pos
        w = struct.unpack_from("<H", data, pos)[0]
        pos += 2
        if w & 1:
            v = struct.unpack_from("<H", data, pos)[0]
            pos += 2
            return (w >> 1) + v * 32768
        return w >> 1

    check(data[offset] == 6, "%s does not hold a bitmap" % path)
    cdword(), cdword(), cword(), cword()
    for _ in range(6):
        cdword()
    _, hs_offset = struct.unpack_from("<II", data, pos)
    if hs_offset == 0:
        return []
    at = offset + hs_offset
    count, macro = struct.unpack_from("<HI", data, at + 1)
    records = []
    for k in range(count):
        r = at + 7 + 15 * k
        records.append((data[r],) + struct.unpack_from("<HHHH", data, r + 3))
    pos = at + 7 + 15 * count + macro
    strings = []
    for _ in range(count):
        end = data.index(b"\0", pos)
        name = data[pos:end]
        pos = end + 1
        end = data.index(b"\0", pos)
        strings.append((name, data[pos:end]))
        pos = end + 1
    # The file holds them last first.
    return [(n, c, t, x, y, w, h) for (n, c), (t, x, y, w, h) in zip(reversed(strings), reversed(records))]


class Zonivex:
    """One running zonivex.exe in a session."""

    def __init__(self, session):
        self.s = session
        self.proc = session.start("zonivex.exe")
        self.main = session.wait_window("the zonivex main window", cls="TForm1", keyboard=True)

    def refresh(self):
        w = self.s.window(cls="TForm1", pid=self.main.pid) or self.s.window(cls="TForm1")
        check(w is not None, "the zonivex main window is gone (the process %s)" %
              ("still runs" if self.proc.poll() is None else "has ended"))
        self.main = w
        return w

    def wait_title(self, pattern, what=None):
        self.main = self.s.wait_window(what or "the main window titled like %r" % pattern, cls="TForm1",
                                       title_re=pattern)
        return self.main

    def child(self, cls):
        found = [w for w in self.s.probe.children(self.refresh().hwnd) if w.cls == cls]
        check(found, "no %s in the zonivex window" % cls)
        return found[0]

    def status(self):
        """The status line, as code page 932 bytes turned into text."""
        return self.s.probe.textmsg(self.child("msctls_statusbar32").hwnd, SB_GETTEXTA, 0)

    def wait_status(self, what, predicate):
        return wait_for(what, lambda: (lambda t: t if predicate(t) else None)(self.status()))

    def button(self, index):
        """Centre of a toolbar button on the screen."""
        bar = self.child("ToolbarWindow32")
        ok, r = self.s.probe.rect(bar.hwnd, TB_GETITEMRECT, index)
        check(ok, "no toolbar button %d" % index)
        return ((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)

    def click_button(self, index):
        self.s.click(*self.button(index))

    def picture_point(self, x, y):
        """The screen point of a picture pixel (the picture is not scrolled)."""
        left, top, _, _ = self.s.probe.client(self.child("TScrollBox").hwnd)
        return left + x, top + y

    def row_count(self):
        return self.s.probe.send(self.child("SysListView32").hwnd, LVM_GETITEMCOUNT)

    def row_point(self, row):
        """The screen point in the middle of a row of the hotspot list."""
        ok, r = self.s.probe.rect(self.child("SysListView32").hwnd, LVM_GETITEMRECT, row, 0)
        check(ok, "no row %d in the hotspot list" % row)
        return (r[0] + 20, (r[1] + r[3]) // 2)

    # Steps a user takes

    def file_dialog(self, what):
        """The open or save dialog, once it shows, owned by the main window."""
        dialog = self.s.wait_window(what, cls="#32770", title_re="^(?!Zonivex$)", keyboard=True)
        check(dialog.owner == self.main.hwnd, "%s is not owned by the main window" % what)
        return dialog

    def dialog_control(self, dialog, ctrl_id, cls):
        found = [w for w in self.s.probe.children(dialog.hwnd) if w.ctrl_id == ctrl_id and w.cls == cls]
        check(found, "no %s %#x in the file dialog" % (cls, ctrl_id))
        return found[0]

    def file_types(self, dialog):
        """The file types the dialog's list offers, top to bottom."""
        return self.s.probe.items(self.dialog_control(dialog, FILE_TYPES_ID, "ComboBox").hwnd)

    def choose_last_file_type(self, dialog):
        """Drops the list of file types down with a click and takes its last entry."""
        box = self.dialog_control(dialog, FILE_TYPES_ID, "ComboBox")
        self.s.click(*box.center)
        self.s.key("End", "Return")
        count = self.s.probe.send(box.hwnd, CB_GETCOUNT)
        wait_for("the last file type chosen", lambda: self.s.probe.send(box.hwnd, CB_GETCURSEL) == count - 1)

    def type_file_name(self, dialog, path):
        """Types a file's path into the dialog's name box and presses Enter."""
        edit = [w for w in self.s.probe.children(dialog.hwnd) if w.cls == "Edit" and w.visible]
        check(edit, "no file name box in the file dialog")
        self.s.click(*edit[0].center)
        self.s.type_text(self.s.windows_path(path))
        self.s.key("Return")
        self.s.wait_no_window("the file dialog to close", cls="#32770")

    def open_file(self, path):
        """Opens a file through the toolbar's 開く button and the open dialog."""
        self.click_button(OPEN_BTN)
        self.file_dialog("the open dialog")
        self.s.type_text(self.s.windows_path(path))
        self.s.key("Return")
        name = os.path.basename(path)
        self.wait_title(r"\\%s - Zonivex$" % name.replace(".", r"\."), "the file %s open" % name)
        self.s.wait_keyboard(self.main, "the main window active after the open dialog")

    def draw(self, x1, y1, x2, y2):
        """Draws a hotspot with the rubber band, from one picture pixel to another."""
        a, b = self.picture_point(x1, y1), self.picture_point(x2, y2)
        self.s.drag(a[0], a[1], b[0], b[1])

    def click_answer(self, button, what):
        """Clicks the button whose caption starts with this text ("はい",
        "いいえ") in the message box titled Zonivex."""
        box = self.s.wait_window(what, cls="#32770", title="Zonivex")
        self.s.click_box_button(box, button, what)

    def question(self):
        """The text of the message box titled Zonivex, once it shows."""
        return self.s.box_text(self.s.wait_window("a question", cls="#32770", title="Zonivex"))

    def answer(self, title, key, what):
        """Answers the message box with this title by a key."""
        self.s.wait_window(what, cls="#32770", title=title, keyboard=True)
        self.s.key(key)
        self.s.wait_no_window(what + " to close", cls="#32770", title=title)

    def close(self):
        self.click_button(CLOSE_BTN)
        self.s.wait_exit(self.proc)
