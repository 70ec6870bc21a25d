"""The Windows session ends (`wineboot --end-session`, as when the user logs
off) while a program holds unsaved work: zonivex asks whether to save, as on
closing, and quillmark saves, as on closing. Refusing keeps the program and
its work; agreeing saves and ends the program. The question stays above the
wait dialog that Wine shows about a program that has not answered yet."""

import os

from quillmark import Quillmark, rtf_bytes
from test_quillmark import open_calques, saved_topic, type_into_topic
import uitest
from uitest import check, wait_for
from zonivex import OPEN_BTN, SHED, Zonivex, copy_shg, read_hotspots

SHG = "ACCDLG.SHG"


def overlap(a, b):
    return a.left < b.left + b.width and b.left < a.left + a.width and \
        a.top < b.top + b.height and b.top < a.top + a.height


def session_box(s, program, title, what):
    """The program's message box while the session ends, once Wine's wait
    dialog about the program has come up in the middle of the screen, where
    the box stands: the box must show on the screen whole and unchanged
    above that dialog, with the keyboard, as it did before the dialog came."""
    box = s.wait_window(what, cls="#32770", title=title, pid=program.pid)
    s.wait_keyboard(box, what + " to take the keyboard")
    # The box's inside: its text, and the focus on its button while it has
    # the keyboard (a window manager draws the frame by its own lights).
    left, top, right, bottom = s.probe.client(box.hwnd)
    look = lambda: s.rgb(left, top, right - left, bottom - top)
    before = [look()]
    def settled():
        now = look()
        same, before[0] = now == before[0], now
        return same
    wait_for("%s drawn" % what, settled)
    screen = s.rgb(0, 0, s.display.width, s.display.height)
    waiting = s.wait_dialog(program)
    check(overlap(box, waiting), "Wine's wait dialog %r does not stand over %s" % (waiting.title, what))
    # Wine's dialog is on the screen once a corner of it beside the box shows.
    corners = [(x, y) for x in (waiting.left + 4, waiting.left + waiting.width - 12)
               for y in (waiting.top + 4, waiting.top + waiting.height - 12)
               if not (box.left - 8 < x < box.left + box.width and box.top - 8 < y < box.top + box.height)]
    check(corners, "Wine's wait dialog %r lies within %s" % (waiting.title, what))
    x, y = corners[0]
    wait_for("Wine's wait dialog drawn", lambda: s.rgb(x, y, 8, 8) != [row[x:x + 8] for row in screen[y:y + 8]])
    wait_for("%s shown above Wine's wait dialog as before it came" % what, lambda: look() == before[0])
    s.wait_keyboard(box, what + " to keep the keyboard above Wine's wait dialog")
    return box


@uitest.also_under("openbox")
def test_zonivex_asks_to_save_when_the_session_ends(s):
    path = copy_shg(s, SHG)
    before = open(path, "rb").read()
    z = Zonivex(s)
    z.open_file(path)
    z.draw(60, 40, 20, 20)
    z.wait_status("the new hotspot", lambda t: t.startswith("Hotspot 3 : "))

    # The question dismissed (Escape) refuses the end of the session: the
    # program and the hotspot stay.
    ending = s.end_session()
    box = session_box(s, z.main, "Zonivex", "the question whether to save")
    check(s.box_text(box) == "変更があります。保存しますか?", "the session's end asks %r" % s.box_text(box))
    s.key("Escape")
    s.wait_no_window("the question to close", cls="#32770", title="Zonivex")
    check(s.wait_exit(ending) == 1, "wineboot reports no refusal (exit status %d)" % ending.returncode)
    check(z.proc.poll() is None, "zonivex ended although the end of the session was refused")
    s.click(*z.row_point(2))
    z.wait_status("the new hotspot still there", lambda t: t.startswith("Hotspot 3 : "))
    check(open(path, "rb").read() == before, "the refused end of the session changed the file")

    # While the Open command asks whether to save, the end of the session is
    # refused at once, without a second question.
    z.click_button(OPEN_BTN)
    box = s.wait_window("the Open command's question", cls="#32770", title="Zonivex", keyboard=True)
    check(s.box_text(box) == "変更があります。保存しますか?", "the Open command asks %r" % s.box_text(box))
    ending = s.end_session()
    check(s.wait_exit(ending) == 1, "wineboot reports no refusal (exit status %d)" % ending.returncode)
    questions = s.windows(cls="#32770", title="Zonivex", visible=True)
    check([w.hwnd for w in questions] == [box.hwnd], "%d questions show" % len(questions))
    s.key("Escape")
    s.wait_no_window("the Open command's question to close", cls="#32770", title="Zonivex")

    # Enter says はい: the program saves over the file, after the question
    # whether to write over it, and ends.
    ending = s.end_session()
    session_box(s, z.main, "Zonivex", "the question whether to save")
    s.key("Return")
    what = "the question whether to write over the file"
    box = wait_for(what, lambda: next((w for w in s.windows(cls="#32770", title="Zonivex", visible=True)
                                       if s.box_text(w) == "上書きしてもよろしいですか?"), None))
    s.wait_keyboard(box, what + " to take the keyboard")
    s.click_box_button(box, "はい", what)
    check(s.wait_exit(ending, 60) == 0, "wineboot ended with %d after the save" % ending.returncode)
    s.wait_exit(z.proc)
    hotspots = read_hotspots(path)
    check(len(hotspots) == 3 and hotspots[:2] == read_hotspots(os.path.join(SHED, SHG)),
          "the saved file holds %r" % (hotspots,))
    check(hotspots[2][3:] == (20, 20, 40, 20), "the new hotspot stands at %r in the file" % (hotspots[2][3:],))


def test_quillmark_saves_the_topic_when_the_session_ends(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    q.open_topic("afxcore", "afxcore")
    path = saved_topic(folder, "afxcore")
    text = "\n終了時の追記 end"
    type_into_topic(s, q, text)

    # A save that fails refuses the end of the session and names the file:
    # the file written beside the topic cannot be made (a folder stands there).
    blocker = path + ".~new"
    os.mkdir(blocker)
    ending = s.end_session()
    box = session_box(s, q.main, None, "the message that the topic cannot be saved")
    message = s.box_text(box)
    check(message.lower() == s.windows_path(path).lower() + " を作成できません.",
          "the failed save says %r" % message)
    s.click_box_button(box, "OK", "the message that the topic cannot be saved")
    check(s.wait_exit(ending) == 1, "wineboot reports no refusal (exit status %d)" % ending.returncode)
    check(q.proc.poll() is None, "quillmark ended although its save failed")
    check(text.strip() in (s.text(q.editor()) or ""), "the typed text is gone from the editor")

    # Saved as on closing, and the program ends.
    os.rmdir(blocker)
    ending = s.end_session()
    check(s.wait_exit(ending, 60) == 0, "wineboot ended with %d" % ending.returncode)
    q.wait_ended()
    data = open(path, "rb").read()
    check(text.strip().encode("cp932") in rtf_bytes(data), "the topic file lacks the typed text: %r" % data[-300:])
