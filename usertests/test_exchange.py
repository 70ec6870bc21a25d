"""quillmark and zonivex side by side, as an author uses them together: a
click on quillmark's topic-id panel gives the hotspot selected in zonivex
that topic as its context; selecting a hotspot in zonivex opens its topic in
quillmark. Both programs run in one fresh Wine prefix and are driven only by
the mouse and the keyboard."""

import os

from quillmark import Quillmark
from uitest import check, wait_for
from zonivex import SAVE_BTN, Zonivex, copy_shg, read_hotspots
from zonivex import SETTINGS_KEY as ZONIVEX_SETTINGS_KEY

PROJECT = "calques3d"
HPJ = "Calques3D.hpj"
FIRST = ("afxcore", "afxcore")


def test_topic_ids_go_both_ways(s):
    folder = s.copy_project(PROJECT)
    q = Quillmark(s)
    q.open_project(os.path.join(folder, HPJ))
    q.open_topic(*FIRST)

    shg = copy_shg(s, "ACCDLG.SHG")
    # Side by side: zonivex to the right of quillmark.
    s.reg_add(ZONIVEX_SETTINGS_KEY, "Left", "640")
    z = Zonivex(s)
    z.open_file(shg)
    z.draw(20, 20, 60, 40)
    a = z.picture_point(40, 30)
    s.drag(a[0], a[1], a[0] + 10, a[1] + 5)
    z.wait_status("the new hotspot, moved, in zonivex's status line",
                  lambda t: t == "Hotspot 3 : Popup :  : (30,25)-(70,45)")

    # A click on quillmark's topic-id panel: the hotspot takes the id.
    bar = q.children("msctls_statusbar32")[0]
    s.click(bar.left + 30, (bar.top + bar.bottom) // 2)
    z.wait_status("the topic id as the selected hotspot's context",
                  lambda t: t == "Hotspot 3 : Popup : %s : (30,25)-(70,45)" % FIRST[1])
    check(q.status(0) == FIRST[1], "quillmark left its topic: it shows %r" % q.status(0))

    # Saved over the file: the context is in it.
    z.click_button(SAVE_BTN)
    z.answer("Zonivex", "Return", "the question whether to write over the file")
    s.wait_file(shg, "the file written with the topic id as a context",
                lambda data: len(read_hotspots(shg)) == 3 and read_hotspots(shg)[2][1] == FIRST[1].encode())
    check(read_hotspots(shg)[2][3:] == (30, 25, 40, 20), "the hotspot stands at %r in the file" %
          (read_hotspots(shg)[2][3:],))

    # With another topic open in quillmark (a new one), selecting the
    # hotspot in zonivex opens its topic there again.
    s.click(*q.toolbar_button(1, 1))
    second = wait_for("a new topic open in quillmark", lambda: (lambda t: t if t.startswith("HID") else None)(
        q.status(0)))
    first_row = read_hotspots(shg)[0][0].decode("cp932")
    s.click(*z.row_point(0))  # another hotspot first (its context is no topic)
    # zonivex shows the row once it has sent its context, so the message is
    # in quillmark's queue by then; quillmark answers a second question only
    # after it has dealt with what came before the first.
    z.wait_status("the first hotspot selected in zonivex", lambda t: t.startswith(first_row + " : "))
    q.status(0)
    check(q.status(0) == second, "an id of no topic changed quillmark's topic to %r" % q.status(0))
    s.click(*z.row_point(2))
    wait_for("quillmark to open the hotspot's topic", lambda: q.status(0) == FIRST[1])
