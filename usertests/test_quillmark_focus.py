"""Where the keys go, under a window manager (openbox) as on most users'
desktops: after a dialog or a message box closes, typing goes on in the
topic; a dialog stays above the main window after a click on the main
window; the edit keys in the replace dialog's field and in the contents
tree's label editor work on that field. Only X input drives quillmark; the
saved topic is read on disk."""

import os

from quillmark import Quillmark, rtf_bytes
from test_quillmark import open_calques, saved_topic
from uitest import StepFailed, check, pause, wait_for
from zonivex import Zonivex

WINDOW_MANAGER = "openbox"


def open_afxcore_at_its_end(s, q):
    folder = open_calques(s, q)
    q.open_topic("afxcore", "afxcore")
    editor = q.editor()
    s.click(editor.left + 60, editor.top + 40)
    s.key("ctrl+End")
    return folder, editor


def test_a_line_typed_after_each_dialog_lands_in_the_topic(s):
    q = Quillmark(s)
    folder, editor = open_afxcore_at_its_end(s, q)
    lines = []

    def type_line(after):
        s.wait_keyboard(q.main, "the keyboard back on the main window after the %s" % after)
        line = "typed after the %s" % after
        s.type_text("\n" + line)
        lines.append(line)

    def dialog(key, what, close, **kw):
        s.key(key)
        s.wait_window("the %s" % what, keyboard=True, **kw)
        s.key(close)
        s.wait_no_window("the %s to close" % what, **kw)
        type_line(what)

    type_line("project opened")
    dialog("ctrl+i", "indent dialog", "Return", cls="TIndextDlg")
    dialog("ctrl+a", "link dialog", "Escape", cls="TJumpDlg")
    dialog("F9", "topic information dialog", "Escape", cls="TSetTopicDlg")
    dialog("ctrl+o", "open dialog", "Escape", cls="#32770")
    # A message box: what the find dialog looked for is not there.
    s.key("ctrl+f")
    s.wait_window("the find dialog", cls="#32770", keyboard=True)
    s.type_text("nowhere in this topic")
    s.key("Return")
    told = wait_for("the message that it was not found",
                    lambda: s.window(title_re="Quillmark|Quillmerk", cls="#32770", visible=True))
    s.wait_keyboard(told, "the message to take the keyboard")
    s.key("Return")
    s.wait_no_window("the message to close", cls="#32770")
    type_line("not-found message")

    path = saved_topic(folder, "afxcore")
    before = os.path.getmtime(path)
    s.key("ctrl+s")
    wait_for("Ctrl+S to write the topic file", lambda: os.path.getmtime(path) != before)
    data = rtf_bytes(open(path, "rb").read())
    missing = [line for line in lines if line.encode() not in data]
    check(not missing, "the saved topic lacks %s" % missing)


def test_a_dialog_stays_above_the_main_window_after_a_click_on_it(s):
    q = Quillmark(s)
    open_afxcore_at_its_end(s, q)
    s.key("F9")
    dialog = s.wait_window("the topic information dialog", cls="TSetTopicDlg", keyboard=True)
    main = q.refresh()
    # A corner of the main window that the dialog, placed at the mouse,
    # leaves free.
    corners = [(x, y) for x in (main.left + 20, main.right - 20) for y in (main.top + 60, main.bottom - 10)
               if not (dialog.left <= x < dialog.right and dialog.top <= y < dialog.bottom)]
    check(corners, "the dialog %s covers the main window %s" % (dialog, main))
    s.click(*corners[0])
    pause()  # the window manager raises what a click asks it to, or nothing
    check(s.is_above(dialog, q.refresh()), "the main window stands above its dialog after a click on it")
    s.wait_keyboard(dialog, "the dialog to keep the keyboard after a click on the main window")
    s.type_text("Kept on top")
    s.key("Return")
    s.wait_no_window("the topic information dialog to close", cls="TSetTopicDlg")
    wait_for("the title in the status bar", lambda: q.status(4) == "Kept on top")
    s.wait_keyboard(q.main, "the keyboard back on the main window")
    s.type_text("\ntyped after the dialog")


def test_edit_keys_work_in_the_replace_field_and_the_label_editor(s):
    q = Quillmark(s)
    _, editor = open_afxcore_at_its_end(s, q)
    s.type_text("\nOn the clipboard")
    s.key("shift+Home", "ctrl+c", "ctrl+End")
    topic = s.text(editor)

    s.key("ctrl+r")
    dialog = s.wait_window("the replace dialog", cls="#32770", keyboard=True)
    field = s.child(dialog, cls="Edit")
    s.key("ctrl+v")
    wait_for("Ctrl+V to paste into the find field", lambda: s.text(field) == "On the clipboard")
    s.key("shift+Home", "ctrl+x")
    wait_for("Ctrl+X to cut the find field", lambda: s.text(field) == "")
    s.key("Escape")
    s.wait_no_window("the replace dialog to close", cls="#32770")

    # A book's label edited in place: a click on the selected label.
    book = q.tree_item("How to ...")
    for _ in range(2):
        s.click(book.left + 8, (book.top + book.bottom) // 2)
    label = wait_for("the label editor", lambda: s.child(q.tree(), cls="Edit"))
    s.wait_keyboard(q.main, "the main window to keep the keyboard")
    s.key("End", "ctrl+v")
    wait_for("Ctrl+V to paste into the label", lambda: s.text(label) == "How to ...On the clipboard")
    s.key("ctrl+a", "Home", "Delete")
    wait_for("Delete to take the label's first letter", lambda: s.text(label) == "ow to ...On the clipboard")
    check(not s.windows(cls="TJumpDlg", visible=True), "Ctrl+A in the label editor opened the link dialog")
    s.key("Return")
    wait_for("the new label in the tree", lambda: "ow to ...On the clipboard" in q.tree_labels())
    check(s.text(editor) == topic, "the edit keys in the dialog and the label editor changed the topic")


def focused_class(s):
    return s.probe.focus()[2]


def save_and_read(s, path):
    before = os.path.getmtime(path) if os.path.exists(path) else None
    s.key("ctrl+s")
    wait_for("Ctrl+S to write %s" % os.path.basename(path),
             lambda: os.path.exists(path) and os.path.getmtime(path) != before)
    return rtf_bytes(open(path, "rb").read())


def test_the_keyboard_starts_where_the_author_types(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    # An opened project: the tree has the keys; Tab leads on to the editor,
    # which keeps Tab for the text, and Shift+F6 back.
    wait_for("the contents tree to take the keyboard", lambda: focused_class(s) == "SysTreeView32")
    s.key("Tab")
    wait_for("Tab to reach the editor", lambda: focused_class(s) == "RICHEDIT")
    s.key("shift+F6")
    wait_for("Shift+F6 to reach the tree again", lambda: focused_class(s) == "SysTreeView32")

    # A new topic (File, New topic): its title line is typed at once.
    s.key("alt+f", "t")
    new_id = wait_for("a new topic open (status bar)", lambda: q.status(0).startswith("HID") and q.status(0))
    wait_for("the editor to take the keyboard in the new topic", lambda: focused_class(s) == "RICHEDIT")
    s.type_text("Title typed at once")
    new_topic = save_and_read(s, saved_topic(folder, new_id))
    check(b"Title typed at once" in new_topic, "the new topic lacks its typed title: %r" % new_topic[-300:])

    # ID search: the id typed at once opens that topic.
    s.key("alt+e", "i")
    s.wait_window("the ID search box", cls="TInputQueryForm", keyboard=True)
    s.type_text("afxcore")
    s.key("Return")
    wait_for("the topic afxcore open (status bar)", lambda: q.status(0) == "afxcore")

    # The indent dialog: 36 typed at once is the new left indent.
    editor = q.editor()
    s.click(editor.left + 60, editor.top + 40)
    s.key("ctrl+End")
    s.type_text("\nIndented by the dialog")
    s.key("ctrl+i")
    s.wait_window("the indent dialog", cls="TIndextDlg", keyboard=True)
    s.type_text("36")
    s.key("Return")
    s.wait_no_window("the indent dialog to close", cls="TIndextDlg")
    data = save_and_read(s, saved_topic(folder, "afxcore"))
    at = data.find(b"Indented by the dialog")
    check(at > 0, "the saved topic lacks the typed line")
    paragraph = data[data.rfind(b"\\pard", 0, at):at]
    check(b"\\li720" in paragraph, "the indented line is saved with %r" % paragraph)



def test_a_closing_dialog_gives_the_keyboard_back_after_a_turn_to_another_program(s):
    """zonivex beside quillmark: the author clicks zonivex while a dialog (a
    form of ours, the find dialog of the system) or a message of quillmark
    is up, clicks that dialog again and closes it;
    what is typed next lands in the topic, not in zonivex (a window manager
    hands the keyboard to the window focused before, which was zonivex's)."""
    q = Quillmark(s)
    folder, _ = open_afxcore_at_its_end(s, q)
    z = Zonivex(s)
    # zonivex comes up over quillmark: moved beside it by its title bar.
    zmain = z.refresh()
    s.drag(zmain.left + 200, zmain.top + 10, zmain.left + 200 + 660, zmain.top + 10)
    zmain = wait_for("zonivex moved beside quillmark", lambda: (lambda w: w.left >= 640 and w)(z.refresh()))
    main = q.refresh()
    s.click(main.left + 200, main.top + 10)

    def wait_keys(win, program, what):
        s.wait_keyboard(win, what)
        try:
            wait_for(what + " (X to hand the keys to %s)" % program, lambda: s.x_focus_program() == program)
        except StepFailed as e:
            raise StepFailed("%s; X hands them to %s" % (e, s.x_focus_program()))

    wait_keys(q.main, "quillmark.exe", "quillmark to take the keyboard after a click on it")
    lines = []

    def away_and_back(dialog, answer, what):
        s.click(zmain.left + 200, zmain.top + 10)
        wait_keys(z.main, "zonivex.exe", "zonivex to take the keyboard after a click on it")
        s.click(min(dialog.left + 30, zmain.left - 10), dialog.top + 10)
        wait_keys(dialog, "quillmark.exe", "the %s to take the keyboard back after a click on it" % what)
        s.key(answer)
        s.wait_no_window("the %s to close" % what, cls=dialog.cls)
        wait_keys(q.main, "quillmark.exe", "the keyboard back on the main window after the %s" % what)
        line = "typed after the %s" % what
        s.type_text("\n" + line)
        lines.append(line)

    s.key("alt+v", "o")
    away_and_back(s.wait_window("the options dialog", cls="TOptionDlg", keyboard=True), "Escape",
                  "options dialog")
    s.key("ctrl+f")
    away_and_back(s.wait_window("the find dialog", cls="#32770", keyboard=True), "Escape", "find dialog")
    # A message: the id asked for by ID search is no topic's.
    s.key("alt+e", "i")
    s.wait_window("the ID search box", cls="TInputQueryForm", keyboard=True)
    s.type_text("nosuchtopic")
    s.key("Return")
    away_and_back(s.wait_window("the message that the id is unknown", cls="#32770", keyboard=True), "Return",
                  "message")

    data = save_and_read(s, saved_topic(folder, "afxcore"))
    missing = [line for line in lines if line.encode() not in data]
    check(not missing, "the saved topic lacks %s" % missing)
    others = [w for w in s.windows(pid=zmain.pid, visible=True) if w.hwnd != zmain.hwnd]
    check(not others and z.refresh().title == "Zonivex", "the typed keys reached zonivex: %s" % others)
