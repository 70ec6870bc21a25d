"""quillmark's editing surface in a user's hands: the topic information
dialog on F9 and a link made through the link dialog, both saved with the
topic. Only the keyboard and the mouse drive it."""

import os

from quillmark import Quillmark, rtf_bytes
from test_quillmark import open_calques, saved_topic
from uitest import check, pause, wait_for


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
    s.wait_window("the topic information dialog", cls="TSetTopicDlg")
    pause(0.5)
    s.type_text("Editing Title")
    s.key("Tab")
    s.type_text("kw1;kw2")
    s.key("Return")
    s.wait_no_window("the topic information dialog to close", cls="TSetTopicDlg")
    wait_for("the title in the status bar", lambda: q.status(4) == "Editing Title")

    # Ctrl+A: a jump to an existing topic, through the link dialog.
    s.key("ctrl+End")
    s.key("ctrl+a")
    s.wait_window("the link dialog", cls="TJumpDlg")
    pause(0.5)
    s.type_text("next")
    s.key("Tab")
    s.type_text("afxcore")
    s.key("Return")
    s.wait_no_window("the link dialog to close", cls="TJumpDlg")
    shown = s.text(editor) or ""
    check("{jmp next,afxcore}" in shown, "the editor shows %r after the link dialog" % shown[-80:])

    s.key("ctrl+s")
    path = saved_topic(folder, topic_id)
    data = rtf_bytes(s.wait_file(path, "the topic file %s written by Ctrl+S" % os.path.basename(path)))
    for part in ("$", "{\\footnote Editing Title}"), ("K", "{\\footnote kw1;kw2}"):
        check((part[0] + part[1]).encode("cp932") in data, "the saved topic lacks %s%s: %r" %
              (part[0], part[1], data[:400]))
    check("本文です".encode("cp932") in data, "the saved topic lacks the typed text")
    check(b"{\\uldb next}{\\v afxcore}" in data, "the saved topic lacks the link: %r" % data[-400:])
