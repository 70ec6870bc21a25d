"""Paragraph formats in a user's hands: indents set through the indent dialog
in a new topic, and a Word-made topic (indented and hanging paragraphs, empty
and tab-only ones between them, headings kept with the next paragraph, tab
stops left of the margin, a style with \\keepn that no paragraph uses, a last
paragraph without \\par), stay what their author made through three rounds
of opening, editing and saving, and the editor stays. Only the keyboard and
the mouse drive the editor; the files on disk are checked."""

import os
import re

import rtfcheck
from quillmark import Quillmark, project_with_topic
from test_quillmark import saved_topic
from uitest import TESTDATA, check, wait_for

PROJECT = "calques3d"
HPJ = "Calques3D.hpj"

# A Word-made topic (the menu topics of the project's own afxcore topic,
# see testdata/README.md); it replaces that topic.
WORD_TOPIC = os.path.join(TESTDATA, "topics", "calques3d-menus.rtf")

def file_indents(data, marker):
    """The \\li and \\fi of the paragraph whose text holds marker."""
    found = [p for p in rtfcheck.read(data).paragraphs if marker in p.text]
    check(found, "the topic file lacks %r: %r" % (marker, data[-400:]))
    return found[0].li, found[0].fi


def indent_dialog(s):
    s.key("ctrl+i")
    dialog = s.wait_window("the indent dialog", cls="TIndextDlg", keyboard=True)
    return dialog, [w for w in s.probe.children(dialog.hwnd) if w.cls.lower() == "edit"]


def test_indents_keep_their_values_over_three_opens_and_saves(s):
    q = Quillmark(s)
    folder, word_topic = project_with_topic(s, PROJECT, "AfxCore.rtf", WORD_TOPIC)
    before = rtfcheck.read(word_topic).paragraphs
    check(any(p.text == b"\t" and p.li for p in before) and any(p.keepn for p in before),
          "the Word topic lacks an indented tab-only paragraph or a \\keepn heading")
    # Tab stops left of the margin (Wine's rich edit faulted on them at the
    # save), a style with \\keepn that no paragraph uses, a last paragraph
    # with text and no \\par.
    styles = re.findall(rb"\{\\s(\d+)[^{}]*\\keepn[^{}]*;\}", word_topic)
    body = word_topic[word_topic.index(b"\\pard"):]
    check(any(t.lstrip("rcd").startswith("-") for p in before for t in p.tabs) and
          any(not re.search(rb"\\s%s(?!\d)" % n, body) for n in styles) and
          not re.search(rb"\\par\s*}*\s*$", word_topic),
          "the Word topic lacks a negative tab stop, an unused \\keepn style or a last paragraph without \\par")
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
    data = q.save_topic(path, "Ctrl+S to write the new topic")
    check(file_indents(data, b"Indentedbythedialog") == (720, 360),
          "the new topic is saved with \\li, \\fi = %s, not 720, 360" % (file_indents(data, b"Indentedby"),))

    for round in range(1, 4):
        # The Word topic, opened, edited at its end and saved: every
        # paragraph as the file had it.
        q.open_topic("afxcore", "afxcore")
        q.type_at_end("x")
        data = q.save_topic(saved_topic(folder, "afxcore"), "round %d: Ctrl+S to write afxcore" % round)
        # Its last paragraph holds the x typed at the end of each round.
        edited = before[:-1] + [before[-1]._replace(text=before[-1].text + b"x" * round)]
        changes = rtfcheck.format_changes(edited, rtfcheck.read(data).paragraphs, empty=True)
        check(not changes, "round %d: afxcore is saved with %d paragraphs changed: %s" %
              (round, len(changes), "; ".join(changes[:6])))
        q.refresh()

        q.open_topic(label, topic_id)
        s.click(editor.left + 60, editor.top + 12)
        s.key("ctrl+Home")
        dialog, edits = indent_dialog(s)
        shown = [s.probe.text(e.hwnd) for e in edits]
        s.key("Escape")
        s.wait_no_window("the indent dialog to close", cls="TIndextDlg")
        check(shown[:2] == ["36", "18"], "round %d: the indent dialog shows %s for 36, 18" % (round, shown))
        q.type_at_end("x")
        data = q.save_topic(path, "round %d: Ctrl+S to write the new topic" % round)
        got = file_indents(data, b"Indentedbythedialog")
        check(got == (720, 360), "round %d: the new topic is saved with \\li, \\fi = %s, not 720, 360" %
              (round, got))
