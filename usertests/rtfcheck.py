"""What a topic file holds, as RTF means it, for the tests that check the
files the editor saved: its paragraphs with their format, its last paragraph
(the one no \\par ends), its footnotes and the count of its page breaks and
table words; and the differences between two such files."""

import difflib
import re
from collections import namedtuple

FOOTNOTE_MARKS = b"#$+KAB!>*@"
# Destinations whose text is no text of the topic's paragraphs.
SKIPPED = {b"fonttbl", b"colortbl", b"stylesheet", b"info", b"listtable", b"listoverridetable", b"pntext",
           b"pntxtb", b"pntxta", b"listtext", b"footnote", b"pict", b"object", b"header", b"footer"}

# A paragraph: its text (without blanks, escaped characters and footnote
# marks; a tab as "\t") and its format at its end, reset by \pard and kept
# within groups. tabs: the positions, after "r", "c", "d" or "b" for right,
# centred, decimal and bar tab stops.
Paragraph = namedtuple("Paragraph", "text li fi ri sb sa align tabs keep keepn intbl")
FORMAT = Paragraph._fields[1:]
PLAIN = dict(li=0, fi=0, ri=0, sb=0, sa=0, align="l", tabs=(), keep=False, keepn=False, intbl=False)

Topic = namedtuple("Topic", "paragraphs last footnotes counts")
COUNTED = (b"page", b"cell", b"row", b"cellx")


def read(data):
    """The paragraphs of an RTF text (each ended by \\par, \\page, \\sect or
    \\row; the last one too when it has text), its last paragraph (text and
    format where the document closes), the text of its footnotes and the
    count of \\page, \\cell, \\row, \\cellx and \\footnote in its text."""
    paragraphs, text = [], b""
    footnotes, counts = [], dict.fromkeys([w.decode() for w in COUNTED] + ["footnote"], 0)
    stack = [dict(PLAIN, skip=False, note=None, kind="")]
    last = None
    group_start = False

    def paragraph(state, t):
        return Paragraph(t, *[state[k] for k in FORMAT])

    for m in re.finditer(rb"\\([a-zA-Z]+)(-?\d+)? ?|\\\*|\\'..|\\.|[{}]|\r|\n|.", data, re.S):
        token, state = m.group(0), stack[-1]
        if token == b"{":
            stack.append(dict(state))
            group_start = True
            continue
        if token == b"}":
            if len(stack) == 2:
                last = paragraph(state, text)
                if text:
                    paragraphs.append(last)
                    text = b""
            if len(stack) > 1:
                stack.pop()
            continue
        word, param = m.group(1), m.group(2)
        if token == b"\\*":
            state["skip"] = True
        elif word is not None:
            in_text = not state["skip"]
            if group_start and word in SKIPPED:
                if word == b"footnote" and in_text:
                    if text[-1:] and text[-1:] in FOOTNOTE_MARKS:
                        text = text[:-1]
                    counts["footnote"] += 1
                    footnotes.append(b"")
                    state["note"] = len(footnotes) - 1
                state["skip"] = True
            elif word == b"pard":
                state.update(PLAIN, kind="")
            elif word in (b"li", b"fi", b"ri", b"sb", b"sa"):
                state[word.decode()] = int(param or 0)
            elif word in (b"ql", b"qc", b"qr", b"qj"):
                state["align"] = word[1:].decode()
            elif word in (b"tqr", b"tqc"):
                state["kind"] = word[2:].decode()
            elif word == b"tqdec":
                state["kind"] = "d"
            elif word in (b"tx", b"tb"):
                state["tabs"] = state["tabs"] + (("b" if word == b"tb" else state["kind"]) + (param or b"0").decode(),)
                state["kind"] = ""
            elif word in (b"keep", b"keepn", b"intbl"):
                state[word.decode()] = True
            elif word == b"tab" and in_text:
                text += b"\t"
            if in_text and word in COUNTED:
                counts[word.decode()] += 1
            if in_text and word in (b"par", b"page", b"sect", b"row"):
                paragraphs.append(paragraph(state, text))
                text = b""
        elif token in (b"\\\\", b"\\{", b"\\}") or not token.startswith(b"\\") and token not in (b"\r", b"\n", b" "):
            t = token[-1:]
            if state["note"] is not None and stack[-1]["note"] is not None:
                footnotes[state["note"]] += t
            elif not state["skip"]:
                # (Escaped characters, which writers spell differently, are left out.)
                text += t
        elif token == b" " and state["note"] is not None:
            footnotes[state["note"]] += b" "
        group_start = False
    if last is None:
        last = paragraph(stack[0], text)
    return Topic(paragraphs, last, [f.strip() for f in footnotes], counts)


def format_changes(before, after, fields=FORMAT, empty=False):
    """The paragraphs of before that have text (with empty, the empty ones
    too) whose format (the fields named) differs in after, or that after
    lacks: each found by its text (tab-only and empty ones by their place
    among the others), as "'text': field was became now"."""
    if not empty:
        before, after = [p for p in before if p.text], [p for p in after if p.text]
    keys = lambda ps: [p.text for p in ps]
    changes = []
    matcher = difflib.SequenceMatcher(None, keys(before), keys(after), autojunk=False)
    matched = set()
    for a, b, n in matcher.get_matching_blocks():
        for k in range(n):
            matched.add(a + k)
            was, now = before[a + k], after[b + k]
            diff = ["%s %s became %s" % (f, getattr(was, f), getattr(now, f)) for f in fields
                    if getattr(was, f) != getattr(now, f)]
            if diff:
                changes.append("%r: %s" % (was.text[:40], ", ".join(diff)))
    changes += ["%r is gone" % p.text[:40] for i, p in enumerate(before) if i not in matched]
    return changes
