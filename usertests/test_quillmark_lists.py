"""quillmark's one-step links in a user's hands: a macro link typed into the
macro dialog (Japanese link text) and a list of links to a topic's hidden
topics, both from the Insert menu and saved with Ctrl+S. Only the keyboard
and the mouse drive it."""

import os
import re

from quillmark import INSERT_MENU, Quillmark, rtf_bytes
from test_quillmark import open_calques, saved_topic
from uitest import check, wait_for

# Rows of the Insert menu (separators do not count): table, graphic, MCI,
# then the links: リンク, Aキーワードリンク, キーワードリンク, マクロ, リンクリスト.
INSERT_MACRO_ROW, INSERT_LINK_LIST_ROW = 6, 7


def test_a_macro_link_and_a_link_list_reach_the_saved_topic(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    # afxcore is listed in the contents; the project's other files hang
    # under it as hidden topics.
    q.open_topic("afxcore", "afxcore")
    editor = q.editor()
    s.click(editor.left + 20, editor.top + 12)
    s.key("ctrl+End")

    q.choose(INSERT_MENU, INSERT_MACRO_ROW)
    dialog = s.wait_window("the macro dialog", cls="TMacDlg", keyboard=True)
    check(dialog.title == "マクロ設定", "the macro dialog is titled %r" % dialog.title)
    # The link text has the focus; Tab goes on to the macro, and Enter there
    # confirms the dialog (the macro box takes no line breaks).
    s.type_text("閉じる")
    s.key("Tab")
    s.type_text("CloseWindow(sub)")
    s.key("Return")
    s.wait_no_window("the macro dialog to close", cls="TMacDlg")
    wait_for("the macro link in the topic",
             lambda: "{jmp 閉じる,!CloseWindow(sub)}" in (s.probe.text(q.editor().hwnd) or ""))

    q.choose(INSERT_MENU, INSERT_LINK_LIST_ROW)
    dialog = s.wait_window("the link-list dialog", cls="TLinkListDlg", keyboard=True)
    check(dialog.title == "リンクリスト設定", "the link-list dialog is titled %r" % dialog.title)
    # As it opens: pop-ups, a blank line before each.
    s.key("Return")
    s.wait_no_window("the link-list dialog to close", cls="TLinkListDlg")
    wait_for("the link list at the end of the topic",
             lambda: ",afxprint}\n\n{pop " in (s.probe.text(q.editor().hwnd) or "").replace("\r", ""))

    q.focus()
    s.key("ctrl+s")
    path = saved_topic(folder, "afxcore")
    want = "{\\uldb 閉じる}{\\v !CloseWindow(sub)}".encode("cp932")
    # The Japanese link text took a Japanese font, so the file holds its
    # code page 932 bytes (the help compiler reads no Unicode escapes).
    raw = s.wait_file(path, "the topic file written by Ctrl+S", predicate=lambda data: want in rtf_bytes(data))
    check(not re.search(rb"\\u-?\d", raw), "the saved topic holds Unicode escapes: %r" % raw[-600:])
    data = rtf_bytes(raw)
    check(b"{\\v afxprint}" in data and b"{\\v bcgcontrolbar}" in data,
          "the saved topic lacks the link list: %r" % data[-600:])
