"""Paragraph formats in a user's hands: indents set through the indent dialog
in a new topic, and a Word-made topic (indented and hanging paragraphs, empty
and tab-only ones between them, headings kept with the next paragraph, tab
stops left of the margin, a style with \\keepn that no paragraph uses, a last
paragraph without \\par), stay what their author made through three rounds
of opening, editing and saving, and the editor stays. Only the keyboard and
the mouse drive the editor; the files on disk are checked."""

import difflib
import os
import re

from quillmark import Quillmark
from test_quillmark import saved_topic
from uitest import TESTDATA, check, wait_for

PROJECT = "calques3d"
HPJ = "Calques3D.hpj"

# A Word-made topic (the menu topics of the project's own afxcore topic,
# see testdata/README.md); it replaces that topic.
WORD_TOPIC = os.path.join(TESTDATA, "topics", "calques3d-menus.rtf")

FOOTNOTE_MARKS = b"#$+KAB!>"
# Destinations whose text is no text of the topic's paragraphs.
SKIPPED = {b"fonttbl", b"colortbl", b"stylesheet", b"info", b"listtable", b"listoverridetable", b"pntext",
           b"pntxtb", b"pntxta", b"listtext", b"footnote", b"pict", b"object", b"header", b"footer"}


def rtf_paragraphs(data):
    """The paragraphs of an RTF text as RTF means them: (text, \\li, \\fi,
    \\keepn, \\keep, \\ri, alignment, \\sb, \\sa, tab stops) each, the
    text without blanks, escaped characters and footnote marks, the tab stops
    as their words (kinds and positions). A paragraph ends at \\par,
    \\page, \\sect or \\row; its format, reset by \\pard, is kept within
    groups."""
    plain = dict(li=0, fi=0, keepn=False, keep=False, ri=0, align=b"ql", sb=0, sa=0, tabs=b"")
    paragraphs, text = [], b""
    stack = [dict(plain, skip=False)]
    group_start = False
    in_force = stack[0]  # the format where the last text was read
    for m in re.finditer(rb"\\([a-z]+)(-?\d+)? ?|\\\*|\\'..|\\.|[{}]|\r|\n|.", data, re.S):
        token, state = m.group(0), stack[-1]
        if token == b"{":
            stack.append(dict(state))
            group_start = True
            continue
        if token == b"}":
            if len(stack) > 1:
                stack.pop()
            continue
        word = m.group(1)
        if token == b"\\*":
            state["skip"] = True
        elif word is not None:
            if group_start and word in SKIPPED:
                if word == b"footnote" and text[-1:] and text[-1:] in FOOTNOTE_MARKS:
                    text = text[:-1]
                state["skip"] = True
            elif word == b"pard":
                state.update(plain)
            elif word in (b"li", b"fi", b"ri", b"sb", b"sa"):
                state[word.decode()] = int(m.group(2) or 0)
            elif word in (b"ql", b"qr", b"qc", b"qj"):
                state["align"] = word
            elif word in (b"keepn", b"keep"):
                state[word.decode()] = True
            elif word in (b"tx", b"tb") or re.match(rb"t[ql]", word):
                state["tabs"] += b"\\" + word + (m.group(2) or b"")
            elif word == b"tab" and not state["skip"]:
                text += b"\t"
            elif word in (b"par", b"page", b"sect", b"row") and not state["skip"]:
                paragraphs.append((text,) + tuple(state[k] for k in
                                                  ("li", "fi", "keepn", "keep", "ri", "align", "sb", "sa", "tabs")))
                text = b""
        elif token in (b"\\\\", b"\\{", b"\\}") and not state["skip"]:
            text += token[1:]
        elif token not in (b"\r", b"\n", b" ") and not token.startswith(b"\\") and not state["skip"]:
            # (Escaped characters, which writers spell differently, are left out.)
            text += token
            in_force = state
        group_start = False
    if text:
        # The last paragraph, which no \\par ends.
        paragraphs.append((text,) + tuple(in_force[k] for k in
                                          ("li", "fi", "keepn", "keep", "ri", "align", "sb", "sa", "tabs")))
    return paragraphs


def format_changes(before, after):
    """The paragraphs of before whose format differs in after,
    or that after lacks: each found by its text (empty and tab-only ones by
    their place among the others)."""
    keys = lambda ps: [p[0] for p in ps]
    changes = []
    matcher = difflib.SequenceMatcher(None, keys(before), keys(after), autojunk=False)
    matched = set()
    for a, b, n in matcher.get_matching_blocks():
        for k in range(n):
            matched.add(a + k)
            if before[a + k][1:] != after[b + k][1:]:
                changes.append("%r: \\li, \\fi, \\keepn, \\keep, \\ri, alignment, \\sb, \\sa, tabs %s became %s" %
                               (before[a + k][0][:40], before[a + k][1:], after[b + k][1:]))
    changes += ["%r is gone" % p[0][:40] for i, p in enumerate(before) if i not in matched]
    return changes


def file_indents(data, marker):
    """The \\li and \\fi of the paragraph whose text holds marker."""
    found = [p for p in rtf_paragraphs(data) if marker in p[0]]
    check(found, "the topic file lacks %r: %r" % (marker, data[-400:]))
    return found[0][1:3]


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
    word_topic = open(WORD_TOPIC, "rb").read()
    with open(os.path.join(folder, "AfxCore.rtf"), "wb") as f:
        f.write(word_topic)
    before = rtf_paragraphs(word_topic)
    check(any(p[0] == b"\t" and p[1] for p in before) and any(p[3] for p in before),
          "the Word topic lacks an indented tab-only paragraph or a \\keepn heading")
    # Tab stops left of the margin (Wine's rich edit faulted on them at the
    # save), a style with \\keepn that no paragraph uses, a last paragraph
    # with text and no \\par.
    styles = re.findall(rb"\{\\s(\d+)[^{}]*\\keepn[^{}]*;\}", word_topic)
    body = word_topic[word_topic.index(b"\\pard"):]
    check(any(b"\\tx-" in p[9] for p in before) and
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
    before_save = mtime(path)
    s.key("ctrl+s")
    data = saved_after(s, path, before_save, "Ctrl+S to write the new topic")
    check(file_indents(data, b"Indentedbythedialog") == (720, 360),
          "the new topic is saved with \\li, \\fi = %s, not 720, 360" % (file_indents(data, b"Indentedby"),))

    for round in range(1, 4):
        # The Word topic, opened, edited at its end and saved: every
        # paragraph as the file had it.
        q.open_topic("afxcore", "afxcore")
        data = touch_and_save(s, q, saved_topic(folder, "afxcore"), "round %d: Ctrl+S to write afxcore" % round)
        # Its last paragraph holds the x typed at the end of each round.
        edited = before[:-1] + [(before[-1][0] + b"x" * round,) + before[-1][1:]]
        changes = format_changes(edited, rtf_paragraphs(data))
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
        data = touch_and_save(s, q, path, "round %d: Ctrl+S to write the new topic" % round)
        got = file_indents(data, b"Indentedbythedialog")
        check(got == (720, 360), "round %d: the new topic is saved with \\li, \\fi = %s, not 720, 360" %
              (round, got))
