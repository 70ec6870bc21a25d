"""quillmark in a user's hands: its menus, opening a project, typing into a
topic, the contents tree, compiling, floating toolbars, and its settings from
one start to the next. Each test starts the program in a fresh Wine prefix and
uses only the mouse and the keyboard."""

import filecmp
import os
import re
import shutil
import subprocess
import tempfile

from quillmark import (FILE_MENU, HCW_KEY, MENUS, SETTINGS_KEY, TOOL_MENU, VIEW_CONTEXTBAR_ROW, VIEW_MENU,
                       EM_LINEINDEX, EM_POSFROMCHAR, Quillmark, hcw_folder_in_prefix, rtf_bytes)
import uitest
from uitest import check, pause, wait_for

PROJECT = "calques3d"
HPJ = "Calques3D.hpj"
CONTENTS = "Calques3D.cnt"
MENU_NAMES = [name for name, _ in MENUS]
UNDERLINE = "_" * 12


def open_calques(s, q, through_menu=False):
    folder = s.copy_project(PROJECT)
    q.open_project(os.path.join(folder, HPJ), through_menu)
    return folder


def check_drops_below(s, q, popup, title, index, how):
    """A drop-down menu hangs below its title on the menu bar, starting at
    the title's left: not beside it as a submenu would."""
    client_top = s.probe.client(q.main.hwnd)[1]
    x = title[0]
    check(abs(popup.top - client_top) <= 4,
          "the %s menu opened %s shows at y=%d, not below the menu bar (y=%d)" %
          (MENU_NAMES[index], how, popup.top, client_top))
    check(x - 90 <= popup.left <= x,
          "the %s menu opened %s starts at x=%d, not below its title (centre x=%d)" %
          (MENU_NAMES[index], how, popup.left, x))


def test_menus_open_below_their_titles_and_close_by_escape(s):
    q = Quillmark(s)
    titles = q.menu_titles()
    for i, title in enumerate(titles):
        popup = q.open_menu(i, titles)
        check_drops_below(s, q, popup, title, i, "by a click")
        s.key("Escape")
        s.wait_no_window("the %s menu to close on Escape" % MENU_NAMES[i], cls="#32768")
        q.check_main_visible("Escape closed the %s menu" % MENU_NAMES[i])
        # The second Escape leaves the menu bar (and must do nothing else).
        s.key("Escape")
        pause()
        q.check_main_visible("a second Escape after the %s menu" % MENU_NAMES[i])


def test_menus_close_by_a_click_outside_and_on_their_title(s):
    q = Quillmark(s)
    titles = q.menu_titles()
    editor = q.editor()
    for i, title in enumerate(titles):
        q.open_menu(i, titles)
        # Outside the menu, in the (empty, read-only) editor.
        s.click(editor.right - 40, editor.bottom - 40)
        s.wait_no_window("the %s menu to close on a click outside it" % MENU_NAMES[i], cls="#32768")
        q.check_main_visible("a click outside the %s menu" % MENU_NAMES[i])
        q.open_menu(i, titles)
        s.click(*title)
        s.wait_no_window("the %s menu to close on a click on its title" % MENU_NAMES[i], cls="#32768")
        q.check_main_visible("a click on the title of the open %s menu" % MENU_NAMES[i])


def test_menus_open_by_alt_letters(s):
    q = Quillmark(s)
    titles = q.menu_titles()
    q.focus()
    for i, (_, letter) in enumerate(MENUS):
        s.key("alt+" + letter)
        popup = s.wait_window("Alt+%s to open the %s menu" % (letter.upper(), MENU_NAMES[i]), cls="#32768")
        check_drops_below(s, q, popup, titles[i], i, "by Alt+" + letter.upper())
        s.key("Escape", "Escape")
        s.wait_no_window("the %s menu to close" % MENU_NAMES[i], cls="#32768")
        q.check_main_visible("Escape closed the %s menu opened by Alt+%s" % (MENU_NAMES[i], letter.upper()))


def test_menu_item_chosen_by_click(s):
    q = Quillmark(s)
    titles = q.menu_titles()
    bar = q.toolbars()[1]  # ContextBar
    check(bar.visible, "the contents toolbar is not shown at the first start")
    q.choose(VIEW_MENU, VIEW_CONTEXTBAR_ROW, titles)
    s.wait_no_window("the menu to close when its item is chosen", cls="#32768")
    q.check_main_visible("choosing コンテキストバー from the View menu")
    wait_for("the contents toolbar to hide", lambda: not s.refresh(bar) or not q.toolbars()[1].visible)
    q.choose(VIEW_MENU, VIEW_CONTEXTBAR_ROW, titles)
    q.check_main_visible("choosing コンテキストバー again")
    wait_for("the contents toolbar to show again", lambda: q.toolbars()[1].visible)


def test_open_project_through_file_menu_and_open_dialog(s):
    q = Quillmark(s)
    open_calques(s, q, through_menu=True)
    q.check_main_visible("opening a project")
    labels = q.tree_labels()
    for label in ("Calques 3D : Introduction", "Glossary", "How to ...", "The views", "The menus"):
        check(label in labels, "the contents tree lacks %r after opening (it shows %s)" % (label, labels))


def type_into_topic(s, q, text):
    """Clicks into the topic and types text at its end."""
    editor = q.editor()
    s.click(editor.left + 60, editor.top + 40)
    s.key("ctrl+End")
    s.type_text(text)
    shown = s.text(editor) or ""
    check(text.strip() in shown, "the editor shows %r, not the typed %r" % (shown[-80:], text.strip()))


def type_into_topic_and_save(s, q, folder, text):
    type_into_topic(s, q, text)
    s.key("ctrl+s")


def saved_topic(folder, topic_id):
    rtf = os.path.join(folder, "rtf")
    for name in os.listdir(rtf):
        if name.lower() == topic_id.lower() + ".rtf":
            return os.path.join(rtf, name)
    return os.path.join(rtf, topic_id + ".rtf")


def test_type_japanese_and_ascii_into_a_new_topic_and_save(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    # The contents toolbar's 新規トピック button makes a topic and opens it.
    s.click(*q.toolbar_button(1, 1))
    topic_id = wait_for("a new topic open (status bar)", lambda: q.status(0).startswith("HID") and q.status(0))
    text = "Typed ASCII 日本語テスト"
    type_into_topic_and_save(s, q, folder, text)
    path = saved_topic(folder, topic_id)
    data = s.wait_file(path, "the topic file %s written by Ctrl+S" % os.path.basename(path))
    check(text.encode("cp932") in rtf_bytes(data),
          "the saved topic lacks the typed text in code page 932: %r" % data[-300:])


def test_type_japanese_into_an_existing_topic_and_save(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    q.open_topic("afxcore", "afxcore")
    path = saved_topic(folder, "afxcore")
    before = os.path.getmtime(path)
    text = "\n追記 日本語テスト end"
    type_into_topic_and_save(s, q, folder, text)
    wait_for("Ctrl+S to write the topic file", lambda: os.path.getmtime(path) != before)
    data = open(path, "rb").read()
    for part in ("追記 日本語テスト end",):
        check(part.encode("cp932") in rtf_bytes(data),
              "the saved topic lacks %r in code page 932" % part)
    check(b"File menu commands" in data, "the saved topic lost its own text")


def dark_columns(rows):
    """How many pixel columns hold something dark (the caret takes one or two)."""
    return sum(1 for x in range(len(rows[0])) if any(row[x] < 110 for row in rows))


def test_underscores_show_in_the_editor(s):
    q = Quillmark(s)
    open_calques(s, q)
    s.click(*q.toolbar_button(1, 1))
    wait_for("a new topic open (status bar)", lambda: q.status(0).startswith("HID"))
    editor = q.editor()
    s.click(editor.left + 60, editor.top + 40)
    s.type_text(UNDERLINE)
    check(UNDERLINE in (s.text(editor) or ""), "the editor did not take the typed underscores")
    left, top, right, bottom = s.probe.client(editor.hwnd)
    wait_for("the twelve typed underscores to show in the editor (24 dark pixel columns or more)",
             lambda: dark_columns(s.gray(left, top, right - left, 40)) >= 24)


def test_drag_a_topic_in_the_contents_tree(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    moving, target = q.tree_item("afxcore"), q.tree_item("Calques 3D : Introduction")
    s.drag(moving.left + 10, moving.center[1], target.left + 10, target.center[1])
    labels = wait_for("afxcore to be first in the tree",
                      lambda: q.tree_labels()[0] == "afxcore" and q.tree_labels())
    check(labels[1] == "Calques 3D : Introduction", "the tree after the drag: %s" % labels)
    cnt = os.path.join(folder, CONTENTS)
    before = os.path.getmtime(cnt)
    q.focus()
    s.key("ctrl+s")
    wait_for("Ctrl+S to write the contents file", lambda: os.path.getmtime(cnt) != before)
    lines = open(cnt, "rb").read().decode("cp932").splitlines()
    entries = [i for i, line in enumerate(lines) if line[:1].isdigit()]
    check(entries and "afxcore" in lines[entries[0]],
          "the first entry of the saved contents file is %r" % (lines[entries[0]] if entries else None))


def test_window_line_of_another_tool_kept_by_a_save(s):
    """A main window line written by another tool (no caption, a position,
    colours as red, green and blue, a bare flag) keeps its settings when the
    project is saved from the window."""
    folder = s.copy_project(PROJECT)
    hpj = os.path.join(folder, HPJ)
    data = open(hpj, "rb").read()
    foreign = b"main=,(0,0,1023,1023),1,(255,255,255),(192,192,192),0"
    data = re.sub(rb"(?mi)^main=[^\r\n]*", foreign, data)
    open(hpj, "wb").write(data)
    before = os.path.getmtime(hpj)
    q = Quillmark(s)
    q.open_project(hpj)
    q.focus()
    s.key("ctrl+s")
    wait_for("Ctrl+S to write the project file", lambda: os.path.getmtime(hpj) != before)
    lines = open(hpj, "rb").read().split(b"\r\n")
    mains = [line for line in lines if line.lower().startswith(b"main=")]
    check(mains == [b'main="Calques 3D Help",(0,0,1023,1023),1,(r16777215),(r12632256),0'],
          "the saved main window line: %r" % mains)


def test_compile_from_tools_menu_and_open_a_topic_from_the_log(s):
    s.reg_add(HCW_KEY, "Hcw", hcw_folder_in_prefix(s))
    q = Quillmark(s)
    folder = open_calques(s, q)
    # A new topic with a jump to a topic that does not exist: the compiler
    # names the new topic's id in its warning.
    s.click(*q.toolbar_button(1, 1))
    topic_id = wait_for("a new topic open (status bar)", lambda: q.status(0).startswith("HID") and q.status(0))
    editor = q.editor()
    s.click(editor.left + 60, editor.top + 40)
    s.type_text("See {jmp this,NO_SUCH_TOPIC}.")
    q.open_menu(TOOL_MENU)
    s.key("c")  # コンパイル(&C)
    s.wait_no_window("the Tools menu to close", cls="#32768")
    # The log the project file names (ERRORLOG=Calques3D.LOG), which the
    # save keeps.
    log = s.wait_file(os.path.join(folder, "Calques3D.LOG"), "the compiler's error log Calques3D.LOG")
    pane = wait_for("the error pane to show", lambda: q.error_pane().visible and q.error_pane())
    last_line = log.decode("cp932").strip().splitlines()[-1].strip()
    text = wait_for("the error pane to show the log", lambda: last_line in (s.text(pane) or "") and s.text(pane))
    # Open another topic, make the pane taller by its splitter, and
    # double-click the new topic's id in the compiler's message.
    q.open_topic("afxcore", "afxcore")
    s.drag(pane.left + 100, pane.top - 2, pane.left + 100, pane.top - 150)
    pane = wait_for("the error pane to grow", lambda: q.error_pane().height > pane.height + 100 and q.error_pane())
    at = text.rfind(" %s " % topic_id)
    check(at >= 0, "no message of the log names the new topic %s:\n%s" % (topic_id, text))
    line = text.count("\n", 0, at)
    column = at - (text.rfind("\n", 0, at) + 1)
    # The author scrolls the pane with the mouse wheel until the line shows.
    for _ in range(40):
        x, y = s.probe.point(pane.hwnd, EM_POSFROMCHAR, s.probe.send(pane.hwnd, EM_LINEINDEX, line) + column + 3)
        if pane.top < y < pane.bottom - 10:
            break
        s.click(pane.left + pane.width // 2, pane.top + pane.height // 2, button=4 if y <= pane.top else 5)
    check(pane.top < y < pane.bottom - 10, "the id %s is not in view in the error pane" % topic_id)
    s.click(x + 1, y + 6, double=True)
    wait_for("the topic %s to open from the error log" % topic_id, lambda: q.status(0) == topic_id)


def floating_window(s, q, caption="プロジェクト"):
    return s.window(cls="TToolDockForm", title=caption, visible=True)


@uitest.also_under("openbox")
def test_floating_toolbar_stays_above_the_main_window(s):
    q = Quillmark(s)
    main = q.refresh()
    bar = q.toolbars()[0]  # PrjBar, docked at the left of the first row
    editor = q.editor()
    # Drag it by its grip into the middle of the editor in small steps, as a
    # hand does: the dock bar takes at most one new row, then the bar floats.
    s.drag(bar.left + 4, bar.top + 8, editor.left + 120, editor.top + 80, steps=16)
    floating = wait_for("the project toolbar to float", lambda: floating_window(s, q))
    check(floating.owner == main.hwnd, "the floating toolbar is not owned by the main window")
    check(s.is_above(floating, main), "the floating toolbar is behind the main window after floating it")
    s.click(editor.right - 30, editor.bottom - 30)
    s.wait_keyboard(main, "the main window active after a click in the editor")
    # The owned toolbar is raised again once the main window is active: wait for that.
    wait_for("the floating toolbar above the main window after a click in the editor",
             lambda: s.is_above(floating, main))
    s.click(floating.left + floating.width - 8, floating.bottom - 6)
    pause()  # a click that must change nothing: time for it to land
    check(s.is_above(floating, main), "the floating toolbar fell behind the main window at a click in it")
    check(s.probe.focus()[0] == main.hwnd, "a click in the floating toolbar took the keyboard from the main window")
    # Moved by its caption, it follows the mouse all the way and leaves the
    # keyboard where it was.
    moved_to = (floating.left + 100, floating.top + 100)
    s.drag(floating.left + 30, floating.top + 6, floating.left + 130, floating.top + 106)
    floating = wait_for("the floating toolbar to move to %s by its caption" % (moved_to,),
                        lambda: (lambda w: w and (w.left, w.top) == moved_to and w)(floating_window(s, q)))
    s.wait_keyboard(main, "the keyboard on the main window after the toolbar was moved by its caption")
    wait_for("the floating toolbar above the main window after it was moved", lambda: s.is_above(floating, main))
    place = (floating.left, floating.top)
    q.exit_by_keys()
    q.wait_ended()
    # The next start floats it again, at the same place, above the main window.
    q = Quillmark(s)
    main = q.refresh()
    floating = wait_for("the project toolbar floating after a restart", lambda: floating_window(s, q))
    check(abs(floating.left - place[0]) <= 2 and abs(floating.top - place[1]) <= 2,
          "the floating toolbar came back at %s, not %s" % ((floating.left, floating.top), place))
    check(s.is_above(floating, main), "the floating toolbar starts behind the main window after a restart")
    # The caption of the main window clicked: a window manager raises it,
    # and keeps the toolbar that it owns above it.
    q.focus()
    wait_for("the floating toolbar above the main window after a click on its caption",
             lambda: s.is_above(floating, main))
    # A double click on its caption docks it again.
    s.click(floating.left + 20, floating.top + 6, double=True)
    wait_for("the toolbar to dock again", lambda: not floating_window(s, q))
    check(q.toolbars()[0].visible, "the docked toolbar is not shown")


def test_settings_kept_from_one_start_to_the_next(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    main = q.refresh()
    tree = q.tree()
    # Move the window by its caption and widen the contents tree by its splitter.
    s.drag(main.left + 300, main.top + 8, main.left + 400, main.top + 88)
    main = wait_for("the main window to move", lambda: q.refresh().left == 100 and q.main)
    tree = q.tree()
    s.drag(tree.right + 1, tree.top + 100, tree.right + 61, tree.top + 100)
    width = wait_for("the contents tree to widen", lambda: q.tree().width > tree.width and q.tree().width)
    # Exit through the File menu.
    q.choose(FILE_MENU, -1)
    q.wait_ended()
    check(q.proc.returncode == 0, "quillmark ended with %s" % q.proc.returncode)
    check(s.reg_query(SETTINGS_KEY + r"\Pos", "Left") == "100", "the window's place was not written")
    q = Quillmark(s)
    main = q.refresh()
    check((main.left, main.top) == (100, 80), "the window came back at %s" % ((main.left, main.top),))
    check(abs(q.tree().width - width) <= 2, "the contents tree came back %d wide, not %d" % (q.tree().width, width))
    # The project is the first recent item of the File menu: after the
    # eleven fixed items, before Exit.
    popup = q.open_menu(FILE_MENU)
    rows = s.menu_item_rows(popup)
    check(len(rows) == 10, "the File menu shows %d items, not its 9 commands and the recent project" % len(rows))
    s.click(popup.left + 40, rows[-2])
    q.wait_title(r"\\%s - Quillmark$" % HPJ.replace(".", r"\."), "the recent project to open")
    wait_for("the recent project's contents in the tree", lambda: "afxcore" in q.tree_labels())


def lhasa_accepts(path):
    return subprocess.run(["lhasa", "t", path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def test_backup_from_tools_menu_extracts_back(s):
    # The archiver library where a user puts it: the Windows system folder.
    shutil.copy(os.path.join(uitest.DIST64, "archiver", "unlha32.dll"),
                os.path.join(s.prefix, "drive_c", "windows", "system32"))
    q = Quillmark(s)
    folder = open_calques(s, q)
    # Laid out as the editor keeps a project: topics in rtf, pictures in bmp.
    for sub, ext in (("rtf", ".rtf"), ("bmp", ".bmp")):
        os.makedirs(os.path.join(folder, sub), exist_ok=True)
        for name in os.listdir(folder):
            if name.lower().endswith(ext):
                os.rename(os.path.join(folder, name), os.path.join(folder, sub, name))
    q.open_menu(TOOL_MENU)
    s.key("b")  # バックアップ(&B)
    s.wait_no_window("the Tools menu to close", cls="#32768")
    archive = os.path.join(folder, HPJ + ".lzh")
    s.wait_file(archive, "the backup " + HPJ + ".lzh", predicate=lambda _: lhasa_accepts(archive))
    q.check_main_visible("the backup")
    out = tempfile.mkdtemp(prefix="qm-ut-backup-")
    try:
        subprocess.run(["lhasa", "xw=" + out, archive], check=True, stdout=subprocess.DEVNULL)
        expected = [HPJ, CONTENTS, "Calques3D.hm"] + \
            [os.path.join(sub, n) for sub in ("rtf", "bmp") for n in sorted(os.listdir(os.path.join(folder, sub)))]
        for name in expected:
            got = os.path.join(out, name)
            check(os.path.exists(got), "the backup lacks %s" % name)
            check(filecmp.cmp(got, os.path.join(folder, name), shallow=False),
                  "%s came back from the backup changed" % name)
        check(not os.path.exists(os.path.join(out, "Calques3D_FRA.hpj")), "the backup holds another project's file")
    finally:
        shutil.rmtree(out, ignore_errors=True)


def test_replace_all_of_japanese_text_through_the_replace_dialog(s):
    q = Quillmark(s)
    folder = open_calques(s, q)
    q.open_topic("afxcore", "afxcore")
    path = saved_topic(folder, "afxcore")
    before = os.path.getmtime(path)
    editor = q.editor()
    s.click(editor.left + 60, editor.top + 40)
    s.key("ctrl+End")
    s.type_text("\n前テスト中テスト後")
    s.key("ctrl+Home")
    s.key("ctrl+r")  # 置換(&E)...
    dialog = s.wait_window("the replace dialog", cls="#32770", visible=True, keyboard=True)
    s.type_text("テスト")
    s.key("Tab")
    s.type_text("試験")
    find_box = s.child(dialog, cls="Edit")
    check(find_box and s.text(find_box) == "テスト", "the find box holds %r" % (find_box and s.text(find_box)))
    s.key("alt+a")  # replace all
    told = wait_for("the dialog to close and the end of replacing to be told",
                    lambda: s.window(title_re="Quillmark|Quillmerk", cls="#32770", visible=True))
    s.wait_keyboard(told, "the message to take the keyboard")
    s.key("Return")
    shown = s.text(editor) or ""
    check("前試験中試験後" in shown, "the editor shows %r after replacing" % shown[-40:])
    wait_for("the replace dialog to close", lambda: not s.refresh(dialog))
    s.wait_keyboard(q.main, "the main window active after replacing")
    s.key("ctrl+s")
    wait_for("Ctrl+S to write the topic file", lambda: os.path.getmtime(path) != before)
    check("前試験中試験後".encode("cp932") in rtf_bytes(open(path, "rb").read()),
          "the saved topic lacks the replaced text")
