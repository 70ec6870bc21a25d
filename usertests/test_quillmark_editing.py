"""quillmark's editing surface in a user's hands: the topic information
dialog on F9 and a link made through the link dialog, both saved with the
topic; markup from the Insert menu, the line shortcuts and F10 saved the same
way. Only the keyboard and the mouse drive it."""

import os
import re

from quillmark import INSERT_MENU, Quillmark, rtf_bytes
from test_quillmark import open_calques, saved_topic
from uitest import check, wait_for


def test_topic_information_and_a_link_reach_the_saved_topic(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    # A new topic from the contents toolbar, some Japanese text in it.
    s.click(*q.toolbar_button(1, 1))
    topic_id = wait_for("a new topic open (status bar)", lambda: q.status(0).startswith("HID") and q.status(0))
    editor = q.editor()
    s.click(editor.left + 60, editor.top + 40)
    s.type_text("本文です ")
    check(q.status(8).strip() == "挿入", "the insert panel shows %r" % q.status(8))

    # F9: the title (where the dialog starts), then the K keywords.
    s.key("F9")
    s.wait_window("the topic information dialog", cls="TSetTopicDlg", keyboard=True)
    s.type_text("Editing Title")
    s.key("Tab")
    s.type_text("kw1;kw2")
    s.key("Return")
    s.wait_no_window("the topic information dialog to close", cls="TSetTopicDlg")
    wait_for("the title in the status bar", lambda: q.status(4) == "Editing Title")

    # Ctrl+A: a jump to an existing topic, through the link dialog.
    s.key("ctrl+End")
    s.key("ctrl+a")
    s.wait_window("the link dialog", cls="TJumpDlg", keyboard=True)
    s.type_text("next")
    s.key("Tab")
    s.type_text("afxcore")
    s.key("Return")
    s.wait_no_window("the link dialog to close", cls="TJumpDlg")
    wait_for("the link in the editor", lambda: "{jmp next,afxcore}" in (s.text(editor) or ""))

    s.wait_keyboard(q.main, "the main window active after the link dialog")
    s.key("ctrl+s")
    path = saved_topic(folder, topic_id)
    data = rtf_bytes(s.wait_file(path, "the topic file %s written by Ctrl+S" % os.path.basename(path)))
    for part in ("$", "{\\footnote Editing Title}"), ("K", "{\\footnote kw1;kw2}"):
        check((part[0] + part[1]).encode("cp932") in data, "the saved topic lacks %s%s: %r" %
              (part[0], part[1], data[:400]))
    check("本文です".encode("cp932") in data, "the saved topic lacks the typed text")
    check(b"{\\uldb next}{\\v afxcore}" in data, "the saved topic lacks the link: %r" % data[-400:])


def test_markup_from_the_insert_menu_line_shortcuts_and_f10_reach_the_saved_topic(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    q.open_topic("afxcore", "afxcore")
    path = saved_topic(folder, "afxcore")
    editor = q.editor()
    s.click(editor.left + 60, editor.top + 40)

    # Ctrl+Y takes the caret's line away; the rich edit would redo with it.
    s.key("ctrl+End")
    s.key("Return")
    s.type_text("remove this line")
    s.key("ctrl+y")
    wait_for("Ctrl+Y to take the line away", lambda: "remove this line" not in (s.text(editor) or ""))

    # The markup rows stand at the Insert menu's end: keep, end, topic id,
    # then the two sub-menus.
    s.type_text("kept ")
    q.choose(INSERT_MENU, -5)
    wait_for("{keep} in the editor", lambda: "kept {keep}" in (s.text(editor) or ""))
    q.choose(INSERT_MENU, -4)
    wait_for("{end} in the editor", lambda: "kept {keep}{end}" in (s.text(editor) or ""))

    # F10 flips the non-scrolling region instead of opening the menu bar.
    s.key("F10")
    s.type_text("x")
    wait_for("the typed x after F10 in the editor", lambda: "kept {keep}{end}x" in (s.text(editor) or ""))
    check(not s.popup_menus(), "F10 opened a menu")

    mtime = os.path.getmtime(path)
    s.key("ctrl+s")
    wait_for("Ctrl+S to write the topic file", lambda: os.path.getmtime(path) != mtime)
    data = rtf_bytes(open(path, "rb").read())
    # ({end} is a \pard and a blank, followed by the paragraph's own format.)
    check(re.search(rb"kept \\keep \\pard ((\\[a-z]+-?\d*)+ )?x", data.replace(b"\r\n", b"")),
          "the saved topic lacks the markup: %r" % data[-300:])
    check(b"remove this line" not in data, "the saved topic holds the deleted line")
    # F10 again and a second save: exactly one of the two files opens its
    # footnotes with \keepn.
    s.key("F10")
    mtime = os.path.getmtime(path)
    s.key("ctrl+s")
    wait_for("Ctrl+S to write the topic file again", lambda: os.path.getmtime(path) != mtime)
    again = rtf_bytes(open(path, "rb").read())
    lead = b"\\keepn #{\\footnote"
    check((lead in data) != (lead in again), "F10 did not flip \\keepn before the footnotes: %r then %r" %
          (data[data.find(b"#{\\footnote") - 60:][:80], again[again.find(b"#{\\footnote") - 60:][:80]))
