"""What a user of quillmark finds on the screen: the main window, its menu
bar, the contents tree, the editor, the error pane, the status bar and the
toolbars, and the steps a user takes with them (open a project, open a topic,
close the program)."""

import os

from uitest import check, wait_for

HCW_KEY = r"HKCU\software\tarvesk\quillmark\Env"
SETTINGS_KEY = r"HKCU\software\tarvesk\quillmark"
HELPWORKSHOP = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "dist", "win64",
                            "helpworkshop")

# The titles of the menu bar, left to right, with their Alt letters.
MENUS = [("ファイル", "f"), ("編集", "e"), ("表示", "v"), ("挿入", "i"), ("書式", "o"), ("ツール", "t"), ("ヘルプ", "h")]
FILE_MENU, EDIT_MENU, VIEW_MENU, INSERT_MENU, FORMAT_MENU, TOOL_MENU, HELP_MENU = range(7)
# Rows of the File menu (separators do not count) and of the View menu.
FILE_OPEN_ROW, FILE_EXIT_ROW_FROM_END = 1, 1
VIEW_CONTEXTBAR_ROW = 1

SB_GETTEXTA = 0x402
TB_GETITEMRECT = 0x41D
EM_POSFROMCHAR = 0xD6
EM_LINEINDEX = 0xBB
TVM_GETITEMHEIGHT = 0x111C


class Quillmark:
    """One running quillmark.exe in a session."""

    def __init__(self, session):
        self.s = session
        self.proc = session.start("quillmark.exe")
        self.main = session.wait_window("the quillmark main window", cls="TMainForm", keyboard=True)

    # Windows

    def refresh(self):
        w = self.s.window(cls="TMainForm", pid=self.main.pid) or self.s.window(cls="TMainForm")
        check(w is not None, "the quillmark main window is gone (the process %s)" %
              ("still runs" if self.proc.poll() is None else "has ended"))
        self.main = w
        return w

    def check_main_visible(self, after):
        w = self.refresh()
        check(w.visible, "the main window is hidden after %s" % after)
        return w

    def wait_title(self, pattern, what=None):
        self.main = self.s.wait_window(what or "the main window titled like %r" % pattern, cls="TMainForm",
                                       title_re=pattern)
        return self.main

    def children(self, cls):
        return [w for w in self.s.probe.children(self.refresh().hwnd) if w.cls == cls]

    def tree(self):
        return self.children("SysTreeView32")[0]

    def editor(self):
        # The error pane is made before the editor.
        return self.children("RICHEDIT")[1]

    def error_pane(self):
        return self.children("RICHEDIT")[0]

    def status(self, part):
        bar = self.children("msctls_statusbar32")[0]
        return self.s.probe.textmsg(bar.hwnd, SB_GETTEXTA, part)

    def toolbars(self):
        """The TToolBar windows in the order they were made: PrjBar,
        ContextBar, EditBar, AttrBar, TopicBar."""
        return self.children("TToolBar")

    def tree_items(self):
        return self.s.probe.tree(self.tree().hwnd)

    def tree_labels(self):
        return [i.label for i in self.tree_items()]

    def tree_item(self, label):
        found = [i for i in self.tree_items() if i.label == label]
        check(found, "no item %r in the contents tree (it shows %s)" % (label, self.tree_labels()))
        return found[0]

    def toolbar_button(self, bar_index, button_index):
        """Centre of a toolbar button on the screen."""
        bar = self.toolbars()[bar_index]
        buttons = [w for w in self.s.probe.children(bar.hwnd) if w.cls == "ToolbarWindow32"][0]
        ok, r = self.s.probe.rect(buttons.hwnd, TB_GETITEMRECT, button_index)
        check(ok, "no button %d on toolbar %d" % (button_index, bar_index))
        return ((r[0] + r[2]) // 2 - 4, (r[1] + r[3]) // 2)

    # Steps a user takes

    def focus(self):
        """Clicks the main window's caption, as a user does before typing."""
        w = self.refresh()
        self.s.click(w.left + min(200, w.width // 3), w.top + 8)
        self.s.wait_keyboard(w, "the main window active after a click on its caption")

    def menu_titles(self):
        return wait_for("the menu bar to show its %d titles" % len(MENUS),
                        lambda: (lambda t: len(t) == len(MENUS) and t)(self.s.menu_bar_titles(self.refresh())))

    def open_menu(self, index, titles=None):
        """Clicks a menu title; returns the drop-down menu once it is painted."""
        titles = titles or self.menu_titles()
        self.s.click(*titles[index])
        popup = self.s.wait_window("the drop-down menu of title %d" % index, cls="#32768")
        self.s.wait_menu_rows(popup)
        return popup

    def choose(self, menu_index, row, titles=None):
        """Opens a menu by a click and clicks one of its rows (separators
        do not count; negative rows count from the end)."""
        popup = self.open_menu(menu_index, titles)
        rows = self.s.menu_item_rows(popup)
        check(len(rows) > abs(row), "menu %d shows only %d items" % (menu_index, len(rows)))
        self.s.click(popup.left + 40, rows[row])

    def open_project(self, hpj, through_menu=False):
        """Opens a project through the open dialog: by the File menu's 開く
        or by Ctrl+O; types the path into the file name box."""
        if through_menu:
            self.choose(FILE_MENU, FILE_OPEN_ROW)
        else:
            self.focus()
            self.s.key("ctrl+o")
        dialog = self.s.wait_window("the open dialog", cls="#32770", keyboard=True)
        check(dialog.owner == self.main.hwnd, "the open dialog is not owned by the main window")
        self.s.type_text(self.s.windows_path(hpj))
        self.s.key("Return")
        name = os.path.basename(hpj)
        self.wait_title(r"\\%s - Quillmark$" % name.replace(".", r"\."), "the project %s open" % name)
        self.s.wait_no_window("the open dialog to close", cls="#32770")
        self.s.wait_keyboard(self.main, "the main window active after the open dialog")
        wait_for("the project's contents in the tree", self.tree_items)
        return self.main

    def click_tree_item(self, label):
        item = self.tree_item(label)
        self.s.click(item.left + 8, (item.top + item.bottom) // 2)

    def open_topic(self, label, topic_id):
        self.click_tree_item(label)
        wait_for("the topic %s open (status bar)" % topic_id, lambda: self.status(0) == topic_id)

    def type_at_end(self, text, new_line=False):
        """text typed at the open topic's end (on a line of its own with
        new_line)."""
        editor = self.editor()
        self.s.click(editor.left + 60, editor.top + 12)
        self.s.key("ctrl+End")
        if new_line:
            self.s.key("Return")
        self.s.type_text(text)

    def save_topic(self, path, what):
        """Ctrl+S: the topic file at path as Ctrl+S wrote it (written beside
        and renamed over: whole once its time changes)."""
        before = os.path.getmtime(path) if os.path.exists(path) else None
        self.s.key("ctrl+s")
        wait_for(what, lambda: os.path.exists(path) and os.path.getmtime(path) != before)
        with open(path, "rb") as f:
            return f.read()

    def exit_by_keys(self):
        self.focus()
        self.s.key("alt+F4")

    def wait_ended(self, timeout=20):
        wait_for("quillmark to end", lambda: self.proc.poll() is not None, timeout)


def project_with_topic(session, project, topic_file, rtf):
    """A copy of the test project whose topic file topic_file is replaced by
    the file rtf: the copy's folder and the topic's bytes."""
    folder = session.copy_project(project)
    with open(rtf, "rb") as f:
        data = f.read()
    with open(os.path.join(folder, topic_file), "wb") as f:
        f.write(data)
    return folder, data


def hcw_folder_in_prefix(session):
    return session.windows_path(HELPWORKSHOP)


def rtf_bytes(data):
    """The bytes a topic file stands for: \\'xx escapes taken as the bytes
    they name, so that text written either raw or escaped compares alike."""
    out = bytearray()
    i = 0
    while i < len(data):
        if data[i:i + 2] == b"\\'" and i + 4 <= len(data):
            try:
                out.append(int(data[i + 2:i + 4], 16))
                i += 4
                continue
            except ValueError:
                pass
        out.append(data[i])
        i += 1
    return bytes(out)
