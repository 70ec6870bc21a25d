"""Paragraph indents in a user's hands: set through the indent dialog in a
new topic, and written by another tool into a topic file, they stay what
their author made through three rounds of opening and saving. Only the
keyboard and the mouse drive the editor; the files on disk are checked."""

import os
import re

from quillmark import Quillmark
from test_quillmark import saved_topic
from uitest import check, wait_for

PROJECT = "calques3d"
HPJ = "Calques3D.hpj"

# A topic of another tool (it replaces the project's own afxcore topic): a
# first line further in and a hanging one.
OTHER_TOOL_TOPIC = (b"{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 MS Gothic;}}\r\n"
                    b"\\pard #{\\footnote afxcore} \\f0\\fs20 Head of the topic\\par\r\n"
                    b"\\pard\\li720\\fi360 Further in\\par\r\n"
                    b"\\pard\\li360\\fi-360 Hanging first line\\par\r\n"
                    b"\\pard Plain again\\par\r\n}\r\n")


def file_indents(data, marker):
    """The \\li and \\fi (0 when absent) of the paragraph whose text holds
    marker: those after the last \\pard before it."""
    at = data.find(marker)
    check(at >= 0, "the topic file lacks %r: %r" % (marker, data[-400:]))
    props = data[data.rfind(b"\\pard", 0, at):at]
    li = re.search(rb"\\li(-?\d+)", props)
    fi = re.search(rb"\\fi(-?\d+)", props)
    return (int(li.group(1)) if li else 0, int(fi.group(1)) if fi else 0)


def saved_after(s, path, before, what):
    # Written beside and renamed over: whole once its time changes.
    wait_for(what, lambda: os.path.exists(path) and os.path.getmtime(path) != before)
    return open(path, "rb").read()


def mtime(path):
    return os.path.getmtime(path) if os.path.exists(path) else None


def indent_dialog(s):
    s.key("ctrl+i")
    dialog = s.wait_window("the indent dialog", cls="TIndextDlg", keyboard=True)
    return dialog, [w for w in s.probe.children(dialog.hwnd) if w.cls.lower() == "edit"]


def touch_and_save(s, q, path, what):
    """A character typed at the topic's end, then Ctrl+S."""
    editor = q.editor()
    s.click(editor.left + 60, editor.top + 12)
    s.key("ctrl+End")
    s.type_text("x")
    before = mtime(path)
    s.key("ctrl+s")
    return saved_after(s, path, before, what)


def test_indents_keep_their_values_over_three_opens_and_saves(s):
    q = Quillmark(s)
    folder = s.copy_project(PROJECT)
    with open(os.path.join(folder, "AfxCore.rtf"), "wb") as f:
        f.write(OTHER_TOOL_TOPIC)
    q.open_project(os.path.join(folder, HPJ))

    labels = set(q.tree_labels())
    s.click(*q.toolbar_button(1, 1))
    topic_id = wait_for("a new topic open (status bar)", lambda: q.status(0).startswith("HID") and q.status(0))
    label = wait_for("the new topic in the contents tree",
                     lambda: ([x for x in q.tree_labels() if x not in labels] or [None])[0])
    path = saved_topic(folder, topic_id)
    editor = q.editor()
    s.click(editor.left + 60, editor.top + 40)
    s.type_text("Indented by the dialog")

    # 左インデント 36 points, １行目 18 points further in: RTF \li720\fi360.
    dialog, edits = indent_dialog(s)
    check(len(edits) == 3, "the indent dialog shows %d edits" % len(edits))
    for edit, value in zip(edits, ("36", "18")):
        s.click(*edit.center)
        s.key("End")
        for _ in range(6):
            s.key("BackSpace")
        s.type_text(value)
    s.key("Return")
    s.wait_no_window("the indent dialog to close", cls="TIndextDlg")
    before = mtime(path)
    s.key("ctrl+s")
    data = saved_after(s, path, before, "Ctrl+S to write the new topic")
    check(file_indents(data, b"Indented by the dialog") == (720, 360),
          "the new topic is saved with \\li, \\fi = %s, not 720, 360" % (file_indents(data, b"Indented by"),))

    for round in range(1, 4):
        q.open_topic("afxcore", "afxcore")
        data = touch_and_save(s, q, saved_topic(folder, "afxcore"), "round %d: Ctrl+S to write afxcore" % round)
        for marker, want in (b"Further in", (720, 360)), (b"Hanging first line", (360, -360)):
            got = file_indents(data, marker)
            check(got == want, "round %d: afxcore's %r is saved with \\li, \\fi = %s, not %s" %
                  (round, marker, got, want))

        q.open_topic(label, topic_id)
        s.click(editor.left + 60, editor.top + 12)
        s.key("ctrl+Home")
        dialog, edits = indent_dialog(s)
        shown = [s.probe.text(e.hwnd) for e in edits]
        s.key("Escape")
        s.wait_no_window("the indent dialog to close", cls="TIndextDlg")
        check(shown[:2] == ["36", "18"], "round %d: the indent dialog shows %s for 36, 18" % (round, shown))
        data = touch_and_save(s, q, path, "round %d: Ctrl+S to write the new topic" % round)
        got = file_indents(data, b"Indented by the dialog")
        check(got == (720, 360), "round %d: the new topic is saved with \\li, \\fi = %s, not 720, 360" %
              (round, got))
