"""Word-made topic files of other help projects (testdata/topics: many
topics to a file, page breaks, Word tables, tab stops left of the margin,
heading styles) as the topics of one project: each opened from the contents
tree, a letter typed at its end and saved with Ctrl+S, three rounds over all
of them in one run of the program. After every save the program still runs
and the file keeps the page breaks, table cells, rows and cell edges and the
footnotes of the original, its text but for the typed letters, and every
paragraph, found again by its text, the format the original gave it."""

import os
import shutil

import rtfcheck
from quillmark import Quillmark
from test_quillmark import saved_topic
from uitest import TESTDATA, StepFailed, check, wait_for

TOPICS = os.path.join(TESTDATA, "topics")
ROUNDS = 3


def topic_id(name):
    return os.path.splitext(name)[0].replace("-", "_")


def make_project(folder, names):
    """A project of these topic files: real.hpj names them, real.cnt lists
    them on its top level (so that the tree shows each), rtf/ holds them."""
    os.makedirs(os.path.join(folder, "rtf"))
    ids = [topic_id(n) for n in names]
    with open(os.path.join(folder, "real.hpj"), "w", newline="\r\n") as f:
        f.write("[OPTIONS]\nTITLE=Real topics\nCNT=real.cnt\n\n[FILES]\n" + "".join(i + ".rtf\n" for i in ids))
    with open(os.path.join(folder, "real.cnt"), "w", newline="\r\n") as f:
        f.write(":Base real.hlp\n" + "".join("1 %s=%s\n" % (i, i) for i in ids))
    for name, i in zip(names, ids):
        shutil.copyfile(os.path.join(TOPICS, name), os.path.join(folder, "rtf", i + ".rtf"))
        os.chmod(os.path.join(folder, "rtf", i + ".rtf"), 0o644)
    return os.path.join(folder, "real.hpj")


def showing(q, tid):
    """True once the status bar shows the topic's id; a program too busy to
    answer (opening a large topic) shows it not yet."""
    try:
        return q.status(0) == tid
    except StepFailed:
        return False


def saved_changes(original, data, tid, typed):
    """What the saved file lost against the original with `typed` added at
    its last paragraph's end: counts, footnotes, text and paragraph formats."""
    before, after = rtfcheck.read(original), rtfcheck.read(data)
    problems = []
    footnotes = list(after.footnotes)
    if tid.encode() not in before.footnotes and tid.encode() in footnotes:
        # Saving puts the topic's own id into its first footnotes.
        footnotes.remove(tid.encode())
    counts = dict(after.counts, footnote=len(footnotes))
    if counts != before.counts:
        problems.append("counts %s became %s" % (before.counts, counts))
    for f in before.footnotes:
        if f in footnotes:
            footnotes.remove(f)
        else:
            problems.append("footnote %r is lost" % f[:40])
    problems += ["footnote %r is new" % f[:40] for f in footnotes]
    texts = lambda ps: b"|".join(p.text for p in ps if p.text)
    # The letters land at the end of the last paragraph that a \par ends
    # (the control makes it its last: an empty paragraph after it is none of
    # the control's) or in that empty one, if the editor keeps it.
    expected = list(before.paragraphs)
    expected[-1] = expected[-1]._replace(text=expected[-1].text + typed)
    kept = list(before.paragraphs) + [before.last._replace(text=typed)]
    if not before.last.text and texts(kept) == texts(after.paragraphs):
        expected = kept
    if texts(expected) != texts(after.paragraphs):
        was, now = texts(expected), texts(after.paragraphs)
        d = next((k for k in range(min(len(was), len(now))) if was[k] != now[k]), min(len(was), len(now)))
        problems.append("the text differs at %d: was %r, now %r" % (d, was[max(0, d - 40):d + 60],
                                                                   now[max(0, d - 40):d + 60]))
    problems += rtfcheck.format_changes(expected, after.paragraphs)
    return problems


def test_word_topics_of_other_projects_keep_pages_tables_text_and_formats_over_three_saves(s):
    names = sorted(n for n in os.listdir(TOPICS) if n.lower().endswith(".rtf"))
    check(len(names) >= 12, "the test data holds %d topic files" % len(names))
    folder = os.path.join(s.work, "real")
    hpj = make_project(folder, names)
    originals = {n: open(os.path.join(TOPICS, n), "rb").read() for n in names}
    q = Quillmark(s)
    q.open_project(hpj)
    items = wait_for("the contents tree to show the %d topics" % len(names),
                     lambda: (lambda t: len(t) >= len(names) and t)(q.tree_items()))
    failures = []
    for round in range(1, ROUNDS + 1):
        for k, name in enumerate(names):
            tid = topic_id(name)
            where = "%s round %d" % (name, round)
            check(q.proc.poll() is None, "quillmark has ended before %s" % where)
            # The tree item in its place (its label becomes the topic's
            # title once the topic is open).
            item = q.tree_items()[k]
            s.click(item.left + 8, (item.top + item.bottom) // 2)
            wait_for("%s: the topic open (status bar)" % where, lambda: showing(q, tid))
            q.type_at_end("x")
            try:
                data = q.save_topic(saved_topic(folder, tid), "%s: Ctrl+S to write the topic" % where)
            except StepFailed as e:
                # (Wine shows its program error dialog when the program
                # breaks down; the rounds end there.)
                crashed = [w.title for w in s.probe.windows() if w.visible and "エラー" in w.title]
                failures.append("%s: %s%s" % (where, "quillmark broke down at Ctrl+S (%s); " % crashed[0]
                                              if crashed else "", e))
                break
            failures += ["%s: %s" % (where, p) for p in saved_changes(originals[name], data, tid, b"x" * round)]
        else:
            continue
        break
    check(not failures, "%d problems in the saved topics:\n%s" % (len(failures), "\n".join(failures[:60])))
