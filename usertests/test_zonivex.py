"""zonivex in a user's hands: a real .shg opened through the open dialog (from
a folder with a Japanese name, typed), a hotspot drawn with the rubber band,
moved, named in the attribute dialog (whose boxes keep the input method
closed: ids are typed in ASCII), saved over the file, and found again after
a restart; one copy at a time. Each test starts the program in a fresh Wine
prefix and uses only the mouse and the keyboard."""

import os

from uitest import check, wait_for
from zonivex import (CLOSE_BTN, OPEN_BTN, SAVE_BTN, SETTINGS_KEY, Zonivex, copy_picture, copy_shg,
                     read_hotspots)

SHG = "ACCDLG.SHG"  # 418 x 265, two pop-ups lower down


def test_draw_move_name_save_and_reopen_a_hotspot(s):
    path = copy_shg(s, SHG, "図版")
    before = read_hotspots(path)
    z = Zonivex(s)
    z.open_file(path)
    check(z.status() == "", "the status line shows %r before anything is selected" % z.status())

    # A band from (60,40) up and left to (20,20) makes hotspot 3, selected.
    z.draw(60, 40, 20, 20)
    z.wait_status("the new hotspot in the status line",
                  lambda t: t == "Hotspot 3 : Popup :  : (20,20)-(60,40)")

    # Dragged by its middle, 15 right and 10 down.
    a = z.picture_point(40, 30)
    s.drag(a[0], a[1], a[0] + 15, a[1] + 10)
    z.wait_status("the moved hotspot in the status line",
                  lambda t: t == "Hotspot 3 : Popup :  : (35,30)-(75,50)")

    # A double click on it opens the attribute dialog.
    a = z.picture_point(55, 40)
    s.click(a[0], a[1], double=True)
    dialog = s.wait_window("the attribute dialog", cls="TAttrDlg", title="属性", keyboard=True)
    edits = [w for w in s.probe.children(dialog.hwnd) if w.cls.lower() == "edit"]
    check(len(edits) == 2, "the attribute dialog shows %d edit boxes, not 2" % len(edits))
    check(s.text(edits[0]) == "Hotspot 3", "the name box holds %r" % s.text(edits[0]))
    # The name replaced, the context typed.
    s.click(edits[0].left + 10, (edits[0].top + edits[0].bottom) // 2)
    s.key("End", "shift+Home")
    s.type_text("Index")
    s.click(edits[1].left + 10, (edits[1].top + edits[1].bottom) // 2)
    s.type_text("Topic1>Main")
    check(s.text(edits[0]) == "Index", "the name box shows %r after typing" % s.text(edits[0]))
    s.key("Return")
    s.wait_no_window("the attribute dialog to close on Enter", cls="TAttrDlg")

    # Saved over the file after the question.
    z.click_button(SAVE_BTN)
    z.answer("Zonivex", "Return", "the question whether to write over the file")
    s.wait_file(path, "the file written with three hotspots", lambda data: len(read_hotspots(path)) == 3)
    hotspots = read_hotspots(path)
    check(hotspots[:2] == before, "the two hotspots the file had changed: %r" % (hotspots[:2],))
    name, context, typebyte, x, y, w, h = hotspots[2]
    check(name == b"Index", "the new hotspot is named %r in the file" % name)
    check(context == b"Topic1>Main", "the new hotspot's context is %r in the file" % context)
    check((x, y, w, h) == (35, 30, 40, 20), "the new hotspot stands at %r in the file" % ((x, y, w, h),))
    check(typebyte == 0xEE, "the new hotspot's type byte is %#x, not that of an invisible pop-up into a window"
          % typebyte)
    z.close()

    # After a restart it is there again.
    z = Zonivex(s)
    z.open_file(path)
    s.click(*z.row_point(2))
    z.wait_status("the reopened hotspot in the status line",
                  lambda t: t == "Index : Popup : Topic1>Main : (35,30)-(75,50)")
    z.close()
    check(s.reg_query(SETTINGS_KEY, "List") == "199", "the list's width is not kept in the settings")


def test_a_second_start_brings_the_first_back(s):
    z = Zonivex(s)
    first = z.refresh()
    check(first.title == "Zonivex", "the window is titled %r" % first.title)
    second = s.start("zonivex.exe")
    s.wait_exit(second)
    check(len(s.windows(cls="TForm1", visible=True)) == 1, "a second zonivex window shows")
    z.close()


def test_import_hotspots_into_a_picture_and_be_asked_at_close(s):
    picture = copy_picture(s, "pal8.bmp")
    shg = copy_shg(s, "SCREEN.SHG")
    expected = read_hotspots(shg)
    z = Zonivex(s)
    z.open_file(picture)
    z.click_button(OPEN_BTN)
    dialog = z.file_dialog("the open dialog")
    types = z.file_types(dialog)
    check(types == ["ファイル", "shgファイル", "画像ファイル", "メタファイル", "ホットスポット"],
          "the open dialog offers the file types %r" % types)
    z.choose_last_file_type(dialog)
    z.type_file_name(dialog, shg)
    wait_for("the imported hotspots in the list", lambda: z.row_count() == len(expected))
    check(z.refresh().title.endswith("\\pal8.bmp - Zonivex"), "the picture was replaced: %r" % z.main.title)
    s.click(*z.row_point(0))
    name = expected[0][0].decode("cp932")
    z.wait_status("the first imported hotspot in the status line", lambda t: t.startswith(name + " : "))

    # The imported hotspots are unsaved work.
    z.click_button(CLOSE_BTN)
    question = z.question()
    check(question == "変更があります。保存しますか?", "closing after the import asks %r" % question)
    z.click_answer("いいえ", "the question whether to save")
    s.wait_exit(z.proc)
    check(not os.path.exists(os.path.splitext(picture)[0] + ".shg"), "いいえ saved the hotspots")


def test_a_cancelled_save_keeps_the_window_and_its_hotspot(s):
    picture = copy_picture(s, "pal8.bmp")
    z = Zonivex(s)
    z.open_file(picture)
    z.draw(10, 10, 40, 40)
    z.wait_status("the new hotspot", lambda t: t == "Hotspot 1 : Popup :  : (10,10)-(40,40)")

    def still_there(after):
        # Clicks on the picture, on the toolbar's separator after 終了 and
        # on its band beside the buttons must not close the window; a click
        # on the row then shows the hotspot.
        s.click(*z.picture_point(100, 60))
        s.click(*z.button(CLOSE_BTN + 1))
        bar = z.child("ToolbarWindow32")
        s.click(z.refresh().right - 40, (bar.top + bar.bottom) // 2)
        s.click(*z.row_point(0))
        z.wait_status("the hotspot still there " + after, lambda t: t.startswith("Hotspot 1 : "))
        check(z.proc.poll() is None, "the window closed " + after)
        check(z.row_count() == 1, "the list holds %d rows %s" % (z.row_count(), after))

    # はい, then the save dialog cancelled.
    z.click_button(CLOSE_BTN)
    z.click_answer("はい", "the question whether to save")
    dialog = z.file_dialog("the save dialog")
    cancel = [w for w in s.probe.children(dialog.hwnd) if w.cls == "Button" and w.title == "キャンセル"]
    check(cancel, "the save dialog has no キャンセル button")
    s.click(*cancel[0].center)
    s.wait_no_window("the save dialog to close", cls="#32770")
    still_there("after a cancelled save")

    # Escape on the question.
    z.click_button(CLOSE_BTN)
    z.answer("Zonivex", "Escape", "the question whether to save")
    still_there("after Escape on the question")

    z.click_button(CLOSE_BTN)
    z.click_answer("いいえ", "the question whether to save")
    s.wait_exit(z.proc)
    check(not [f for f in os.listdir(s.work) if f.lower().endswith(".shg")], "いいえ saved the hotspot")


def test_the_list_and_the_picture_repaint_whole_after_the_splitter_moves(s):
    z = Zonivex(s)
    z.open_file(copy_picture(s, "pal8.bmp"))  # 127 x 64
    columns = 70 + 45 + 80
    x, y = z.child("TSplitter").center
    for step, to in (("to the right", x + 80), ("back to the left", x + 20)):
        s.drag(x, y, to, y)
        x = to

        def clean():
            # Below the picture the box shows its grey from its left edge on.
            left, top, right, bottom = s.probe.client(z.child("TScrollBox").hwnd)
            rows = s.gray(left, top + 80, 16, bottom - top - 90)
            if any(p > 200 for row in rows for p in row):
                return None
            # The header shows no divider right of its three columns.
            header = z.child("SysHeader32")
            strip = s.gray(header.left + columns + 4, header.top + 4, header.width - columns - 8, header.height - 8)
            marked = [i for i in range(len(strip[0])) if sum(row[i] for row in strip) / len(strip) < 200]
            return not marked or None

        wait_for("the list and the picture repainted after moving the splitter " + step, clean)
    z.close()
