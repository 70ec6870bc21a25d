"""The Windows session ends (`wineboot --end-session`, as when the user logs
off) while a program holds unsaved work: zonivex asks whether to save, as on
closing, and quillmark saves, as on closing. Refusing keeps the program and
its work; agreeing saves and ends the program. The question stays above the
wait dialog that Wine shows about a program that has not answered yet."""

import os

from quillmark import Quillmark, rtf_bytes
from test_quillmark import open_calques, saved_topic, type_into_topic
from uitest import check, wait_for
from zonivex import SHED, Zonivex, copy_shg, read_hotspots

SHG = "ACCDLG.SHG"


def session_box(s, program, title, what):
    """The program's message box while the session ends, once Wine's wait
    dialog about the program is up too: the box must stay above it. Wine's
    dialog, shown later in the middle of the screen where the box stands,
    is then dragged aside by its caption, as a user would, for without a
    window manager the display puts a window of another process on top
    whatever its order among Wine's windows."""
    box = s.wait_window(what, cls="#32770", title=title, pid=program.pid)
    waiting = s.wait_dialog(program)
    check(s.is_above(box, waiting), "%s is behind Wine's wait dialog %r" % (what, waiting.title))
    s.drag(waiting.left + waiting.width // 2, waiting.top + 10, waiting.left + waiting.width // 2,
           box.bottom + 20 + 10)
    wait_for("Wine's wait dialog dragged below %s" % what,
             lambda: (lambda w: w is None or w.top > box.bottom)(s.refresh(waiting)))
    return box


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
    s.click_in(box, box.width // 2, 12)  # its caption, above Wine's dialog
    s.wait_keyboard(box, "the question to take the keyboard")
    s.key("Escape")
    s.wait_no_window("the question to close", cls="#32770", title="Zonivex")
    check(s.wait_exit(ending) == 1, "wineboot reports no refusal (exit status %d)" % ending.returncode)
    check(z.proc.poll() is None, "zonivex ended although the end of the session was refused")
    s.click(*z.row_point(2))
    z.wait_status("the new hotspot still there", lambda t: t.startswith("Hotspot 3 : "))
    check(open(path, "rb").read() == before, "the refused end of the session changed the file")

    # はい saves over the file, after the question whether to write over it, and the program ends.
    ending = s.end_session()
    s.click_box_button(session_box(s, z.main, "Zonivex", "the question whether to save"), "はい",
                       "the question whether to save")
    z.click_answer("はい", "the question whether to write over the file")
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
