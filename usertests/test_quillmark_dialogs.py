"""quillmark's small dialogs in a user's hands: a table typed into the grid
of the table dialog, and the help project options confirmed and saved. Each
test starts the program in a fresh Wine prefix and uses only the mouse and the
keyboard."""

import os
import shutil

from quillmark import INSERT_MENU, TOOL_MENU, Quillmark
from uitest import check, wait_for

PROJECT = "calques3d"
HPJ = "Calques3D.hpj"
# Rows of the Insert and Tools menus (separators do not count).
INSERT_TABLE_ROW, INSERT_GRAPHIC_ROW, INSERT_MCI_ROW = 0, 1, 2
SHG = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "testdata", "shg", "shed",
                   "ACCDLG.SHG")
TOOL_OPTIONS_ROW = 3


def open_calques(s, q):
    folder = s.copy_project(PROJECT)
    q.open_project(os.path.join(folder, HPJ))
    return folder


def button(s, dialog, caption):
    for w in s.probe.children(dialog.hwnd):
        if w.cls.lower() == "button" and w.title == caption:
            return w
    check(False, "the dialog %s has no button %r" % (dialog.title, caption))


def test_a_table_typed_into_the_grid_goes_into_the_topic(s):
    q = Quillmark(s)
    open_calques(s, q)
    q.open_topic("afxcore", "afxcore")
    editor = q.editor()
    s.click(editor.left + 20, editor.top + 12)
    s.key("ctrl+Home")
    q.choose(INSERT_MENU, INSERT_TABLE_ROW)
    dialog = s.wait_window("the table dialog", cls="TTableDlg", keyboard=True)
    # Enter moves on to the next cell, as Tab does.
    for i, cell in enumerate(["a", "b", "c", "d"]):
        if i:
            s.key("Return")
        s.type_text(cell)
    s.click(*button(s, dialog, "OK").center)
    s.wait_no_window("the table dialog to close", cls="TTableDlg")
    want = "{size 1000,2000}{table}a{td}b{td}{tr}c{td}d{td}{tr}{end}"
    wait_for("the table markup in the topic", lambda: want in (s.probe.text(q.editor().hwnd) or ""))


def test_the_options_confirmed_reach_the_saved_project_file(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    hpj = os.path.join(folder, HPJ)
    q.choose(TOOL_MENU, TOOL_OPTIONS_ROW)
    dialog = s.wait_window("the options dialog", cls="THelpOptionDlg", keyboard=True)
    check(dialog.title == "ヘルプオプション", "the options dialog is titled %r" % dialog.title)
    # The title edit has the focus: a word at its end, then OK by Enter.
    s.key("End")
    s.type_text(" Extra")
    s.key("Return")
    s.wait_no_window("the options dialog to close", cls="THelpOptionDlg")
    q.focus()
    s.key("ctrl+s")
    title = b"Calques 3D Help Extra"
    s.wait_file(hpj, "the project file saved with the new title", predicate=lambda data: title in data)


def test_a_new_external_entry_gets_its_target_at_once(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    q.open_topic("afxcore", "afxcore")
    # The contents toolbar's 新規参照トピック button adds the entry after the
    # topic and asks for its target straight away.
    s.click(*q.toolbar_button(1, 3))
    dialog = s.wait_window("the external-entry dialog", cls="TChgOtherDlg", keyboard=True)
    check(dialog.title == "コンテキスト設定", "the external-entry dialog is titled %r" % dialog.title)
    s.type_text("Intro_1")
    s.key("Tab")
    s.type_text("other.hlp")
    s.key("Tab")
    s.type_text("win2")
    s.key("Return")
    s.wait_no_window("the external-entry dialog to close", cls="TChgOtherDlg")
    q.focus()
    s.key("ctrl+s")
    s.wait_file(os.path.join(folder, "Calques3D.cnt"), "the contents file with the entry's target",
                predicate=lambda data: b"New =Intro_1 @other.hlp>win2" in data)


def test_a_picture_and_a_sound_inserted_through_their_dialogs(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    shutil.copy(SHG, os.path.join(folder, "bmp", "ACCDLG.SHG"))
    with open(os.path.join(folder, "sound.wav"), "wb"):
        pass
    q.open_topic("afxcore", "afxcore")
    editor = q.editor()
    s.click(editor.left + 20, editor.top + 12)
    s.key("ctrl+Home")
    q.choose(INSERT_MENU, INSERT_GRAPHIC_ROW)
    s.wait_window("the graphic dialog", cls="TBmpDlg", keyboard=True)
    # The list has the focus: Home chooses the first picture, the .shg (its
    # preview shows), and Enter confirms it.
    s.key("Home", "Return")
    s.wait_no_window("the graphic dialog to close", cls="TBmpDlg")
    wait_for("the picture markup in the topic",
             lambda: "{bmc ACCDLG.SHG}" in (s.probe.text(q.editor().hwnd) or ""))
    q.choose(INSERT_MENU, INSERT_MCI_ROW)
    s.wait_window("the MCI dialog", cls="TMCIDlg", keyboard=True)
    s.key("Down", "Return")
    s.wait_no_window("the MCI dialog to close", cls="TMCIDlg")
    wait_for("the media markup in the topic",
             lambda: "{mci PLAY,sound.wav}" in (s.probe.text(q.editor().hwnd) or ""))
