"""A Word-made file of many topics, with page breaks between them and Word's
tables, in a user's hands: opened, a line typed at its end and saved with
Ctrl+S three times, it keeps every page break, row, cell, cell edge and
footnote; a page break the author types as {page} is one more in the file.
Only the keyboard and the mouse drive the editor; the file on disk is
checked."""

import os
import re

from quillmark import Quillmark, project_with_topic
from test_quillmark import saved_topic
from uitest import TESTDATA, check, wait_for

PROJECT = "calques3d"
HPJ = "Calques3D.hpj"

# 38 topics, 4 tables of 14 rows (see testdata/README.md); it replaces the
# project's afxcore topic.
WORD_TOPIC = os.path.join(TESTDATA, "topics", "genedoc-afxcore.rtf")
WORDS = ("page", "cell", "row", "cellx", "footnote")


def counts(data):
    """How often each of WORDS stands in data as a control word."""
    data = re.sub(rb"\\[\\{}]", b"", data)
    return {w: len(re.findall(rb"\\" + w.encode() + rb"(?![a-zA-Z])", data)) for w in WORDS}


def test_word_topic_keeps_its_page_breaks_and_tables_over_three_saves(s):
    q = Quillmark(s)
    folder, word_topic = project_with_topic(s, PROJECT, "AfxCore.rtf", WORD_TOPIC)
    original = counts(word_topic)
    check(all(original[w] for w in WORDS), "the Word topic lacks one of %s: %s" % (WORDS, original))
    # The block of the topic's own footnotes adds its id.
    expected = dict(original, footnote=original["footnote"] + 1)
    q.open_project(os.path.join(folder, HPJ))
    path = saved_topic(folder, "afxcore")
    # A new topic to open in between, so that each round opens afxcore from
    # its file.
    labels = set(q.tree_labels())
    s.click(*q.toolbar_button(1, 1))
    other = wait_for("a new topic open (status bar)", lambda: q.status(0).startswith("HID") and q.status(0))
    label = wait_for("the new topic in the contents tree",
                     lambda: ([x for x in q.tree_labels() if x not in labels] or [None])[0])

    for round in range(1, 4):
        q.open_topic("afxcore", "afxcore")
        if round == 1:
            shown = s.probe.text(q.editor().hwnd) or ""
            check("{page}" in shown and "{td}" in shown and "{tr}" in shown,
                  "the editor shows no {page}, {td} or {tr}: %r" % shown[:300])
        q.type_at_end("Typed in round %d" % round, new_line=True)
        data = q.save_topic(path, "round %d: Ctrl+S to write afxcore" % round)
        check(counts(data) == expected, "round %d: afxcore is saved with %s, not %s" % (round, counts(data), expected))
        q.open_topic(label, other)

    # The author ends the last topic with a page break and begins a new one.
    q.open_topic("afxcore", "afxcore")
    q.type_at_end("{page}A new topic", new_line=True)
    data = q.save_topic(path, "Ctrl+S to write the typed page break")
    check(counts(data)["page"] == original["page"] + 1,
          "the typed {page} gives %d page breaks, not %d" % (counts(data)["page"], original["page"] + 1))
    check(re.search(rb"\\page ?A new topic", data), "no \\page before the typed text: %r" % data[-300:])
