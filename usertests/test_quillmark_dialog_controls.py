"""quillmark's theme-aware dialog controls in a user's hands: a button of the
link dialog's type group clicked with the mouse decides the link saved with
the topic, and the about box opened from the Help menu shows its raised
title, its items' hints showing in the status bar. Only the mouse and the keyboard drive the program."""

import os

from quillmark import HELP_MENU, Quillmark, rtf_bytes
from test_quillmark import open_calques, saved_topic
from uitest import check, wait_for

TB_GETITEMRECT = 0x41D
COLOR_BUTTON = 5   # the format bar: the two boxes, bold, italic, underline, colour
RED_ROW = 9        # the colour menu: the colour table's order, grey before silver

HELP_ABOUT_ROW = 2  # separators do not count


def button(s, dialog, caption):
    """A push button or a radio button of the dialog (those of its groups
    too), by its caption."""
    for w in s.probe.children(dialog.hwnd):
        if w.cls.lower() == "button" and w.title == caption and w.visible:
            return w
    check(False, "the dialog %s has no button %r" % (dialog.title, caption))


def test_a_type_clicked_in_the_link_dialog_decides_the_saved_link(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    q.open_topic("afxcore", "afxcore")
    editor = q.editor()
    s.click(editor.left + 60, editor.top + 40)
    s.key("ctrl+End")
    s.key("Return")
    s.key("ctrl+a")
    dialog = s.wait_window("the link dialog", cls="TJumpDlg", keyboard=True)
    s.type_text("more")
    s.key("Tab")
    s.type_text("afxcore")
    # The pop-up type, chosen with the mouse in the type group.
    s.click(*button(s, dialog, "ポップアップ").center)
    s.click(*button(s, dialog, "OK").center)
    s.wait_no_window("the link dialog to close", cls="TJumpDlg")
    wait_for("the pop-up markup in the editor", lambda: "{pop more,afxcore}" in (s.text(editor) or ""))

    s.key("ctrl+s")
    path = saved_topic(folder, "afxcore")
    data = s.wait_file(path, "the topic file with the pop-up link",
                       predicate=lambda d: b"{\\ul more}{\\v afxcore}" in rtf_bytes(d))
    check(b"{\\uldb more}" not in rtf_bytes(data), "the saved topic holds a jump, not the pop-up chosen")


def test_the_about_box_opens_from_the_help_menu(s):
    q = Quillmark(s)
    # While the menu is open the status bar shows the highlighted item's hint.
    q.open_menu(HELP_MENU)
    s.key("Down")
    wait_for("the first item's hint in the status bar", lambda: q.status(0) == "Display the help contents screen")
    s.key("Escape")
    s.key("Escape")
    wait_for("the status bar's panels back", lambda: q.status(8).strip() == "挿入")
    q.choose(HELP_MENU, HELP_ABOUT_ROW)
    box = s.wait_window("the about box", cls="TAboutBox")
    check(box.title == "バージョン情報", "the about box is titled %r" % box.title)
    titles = [w for w in s.probe.children(box.hwnd) if w.cls == "TLabel3D"]
    check(len(titles) == 1, "the about box shows %d raised titles" % len(titles))
    check(s.probe.text(titles[0].hwnd) == "Quillmark", "the raised title reads %r" % s.probe.text(titles[0].hwnd))
    # A click anywhere on the box closes it.
    s.click(*titles[0].center)
    s.wait_no_window("the about box to close", cls="TAboutBox")
    q.check_main_visible("the about box closed")


def test_format_bar_boxes_show_hints_and_the_colour_menu_its_colours(s):
    q = Quillmark(s)
    open_calques(s, q)
    q.open_topic("afxcore", "afxcore")
    bar = q.toolbars()[3]
    boxes = sorted((w for w in s.probe.children(bar.hwnd) if w.cls == "ComboBox"), key=lambda w: w.left)
    check(len(boxes) == 2, "the format bar holds %d boxes" % len(boxes))
    # Resting the mouse on a box shows its hint as the buttons show theirs.
    for box, hint in zip(boxes, ("ﾌｫﾝﾄ名", "ﾌｫﾝﾄｻｲｽﾞ")):
        s.move(box.left + 5, box.top + 3)
        s.move(box.left + 8, box.top + 4)
        wait_for("the hint %r of the box under the mouse" % hint,
                 lambda: any(s.text(w) == hint for w in s.windows(cls="tooltips_class32", visible=True)))
    # The colour button's drop-down menu shows each colour beside its name.
    buttons = [w for w in s.probe.children(bar.hwnd) if w.cls == "ToolbarWindow32"][0]
    ok, r = s.probe.rect(buttons.hwnd, TB_GETITEMRECT, COLOR_BUTTON)
    check(ok, "no colour button on the format bar")
    s.click(r[2] - 4, (r[1] + r[3]) // 2)
    popup = s.wait_window("the colour menu", cls="#32768")
    # The mouse off the button, so that its hint does not cover the rows.
    s.move(popup.right + 60, popup.bottom - 10)
    wait_for("the button's hint to go", lambda: not s.windows(cls="tooltips_class32", visible=True))
    rows = s.wait_menu_rows(popup)
    check(len(rows) == 16, "the colour menu shows %d items" % len(rows))
    for row, (name, want) in ((RED_ROW, ("赤", (255, 0, 0))), (RED_ROW + 1, ("黄緑", (0, 255, 0)))):
        line = s.rgb(popup.left + 2, rows[row], 30, 1)[0]
        check(want in line, "the %s item shows no %s picture: %s" % (name, want, line))
    s.key("Escape")
