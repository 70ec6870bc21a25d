"""quillmarksetup in a user's hands: the package of dist/win64 installs into a
folder the user types (in Japanese), the installed editor starts, and the
uninstall command takes everything away but what its run-once entry removes at
the next log-on; an install into that folder before the log-on survives it.
Mouse and keyboard only."""

import os
import re
import shutil
import subprocess

from uitest import DIST64, WINE, check, wait_for

PACKAGE = os.path.join(DIST64, "package")
FOLDER = ["ツール", "クイル"]          # C:\ツール\クイル
RUN_ONCE = r"HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce"
UNINSTALL = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvesk_quillmark"
INSTALLED = ("quillmarkSetup.exe", "quillmark.exe", "zonivex.exe", "quillmark.hlp", "quillmark.cnt")


def package_copy(s):
    dest = os.path.join(s.work, "package")
    shutil.copytree(PACKAGE, dest)
    return dest


def reg_text(s, key, value):
    """A registry value's text, Japanese included (reg writes code page 932
    into a pipe); None when it is missing."""
    out = subprocess.run([WINE, "reg", "query", key, "/v", value], env=s.env, stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL).stdout.decode("cp932", "replace")
    for line in out.splitlines():
        m = re.match(r"\s*%s\s+REG_\w+\s+(.*)$" % re.escape(value), line.rstrip("\r"), re.I)
        if m:
            return m.group(1)
    return None


def click_button(s, dialog, title):
    button = s.child(dialog, cls="Button", title=title)
    check(button is not None, "no button %r on %s" % (title, dialog))
    s.click(*button.center)


def answer_message(s, text, button="OK"):
    """Waits for the setup's message box, checks its text and clicks button."""
    box = s.wait_window("the message %r" % text, cls="#32770", title="Quillmark Setup")
    shown = [s.text(w) for w in s.probe.children(box.hwnd) if w.cls == "Static"]
    check(any(text in (t or "") for t in shown), "the message box says %r, not %r" % (shown, text))
    click_button(s, box, button)
    wait_for("the message box to close", lambda: not (s.refresh(box) and s.refresh(box).visible))


def install(s, package, folder, shortcuts=()):
    """Installs from package into folder (typed into the folder dialog),
    ticking the shortcut boxes named; the setup ends with exit code 0."""
    setup = s.start(os.path.join(package, "quillmarkSetup.exe"))
    readme = s.wait_window("the readme", title="概要/著作権")
    memo = s.child(readme, cls="Edit")
    check("Quillmark ヘルプ作成エディタ" in (s.text(memo) or ""), "the readme is not shown")
    click_button(s, readme, "次へ")

    folder_dlg = s.wait_window("the folder dialog", title="インストール準備")
    edit = s.child(folder_dlg, cls="Edit")
    check(s.text(edit) == r"C:\Program Files\quillmark", "the proposed folder is %r" % s.text(edit))
    s.click(*edit.center)
    s.key("End", "shift+Home")
    s.type_text(folder)
    wait_for("the typed folder", lambda: s.text(edit) == folder)
    click_button(s, folder_dlg, "次へ")

    dialog = s.wait_window("the shortcut dialog", title="ショートカット設定")
    for box in shortcuts:
        click_button(s, dialog, box)
    click_button(s, dialog, "次へ")
    answer_message(s, "インストールが終了しました。")
    check(s.wait_exit(setup) == 0, "the install ended with an error")


def uninstall(s, installed):
    """quillmarkSetup.exe /r from the install folder, confirmed."""
    setup = s.start(os.path.join(installed, "quillmarkSetup.exe"), "/r")
    answer_message(s, "アンインストールを実行してもよろしいですか？")
    answer_message(s, "アンインストールが終了しました。")
    s.wait_exit(setup)
    check(sorted(os.listdir(installed)) == ["quillmarkSetup.exe"],
          "left in the folder: %s" % sorted(os.listdir(installed)))
    check(s.reg_query(UNINSTALL, "DisplayName") is None, "the uninstall entry is still there")
    command = reg_text(s, RUN_ONCE, "Tarvesk_quillmark")
    check(command == 'Latepurge -n "C:\\%s" quillmarkSetup.exe' % "\\".join(FOLDER),
          "the run-once entry is %r" % command)


def log_on(s):
    """What the next log-on does: Wine's start-up runs (and deletes) what the
    run-once key holds, one command after the other, to its end."""
    s.wine("wineboot", "-r")


def test_install_uninstall_install_again_and_log_on(s):
    # Shortcuts would otherwise become menu entries of this machine.
    s.env["WINEDLLOVERRIDES"] += ";winemenubuilder.exe=d"
    package = package_copy(s)
    folder = "C:\\" + "\\".join(FOLDER)
    installed = os.path.join(s.prefix, "drive_c", *FOLDER)
    install(s, package, folder, ("スタートメニューに登録", "デスクトップに作成"))
    for name in INSTALLED:
        check(os.path.exists(os.path.join(installed, name)), "%s was not installed" % name)
    desktop_link = os.path.join(s.prefix, "drive_c", "users", "Public", "Desktop", "Quillmark.lnk")
    check(os.path.exists(desktop_link), "no shortcut on the desktop")
    check(s.reg_query(UNINSTALL, "DisplayName") == "Quillmark", "no uninstall entry")

    # The installed editor runs; closed again before the uninstall.
    editor = s.start(os.path.join(installed, "quillmark.exe"))
    main = s.wait_window("the installed editor", cls="TMainForm")
    s.click(*main.center)
    s.wait_keyboard(main, "the installed editor active")
    s.key("alt+F4")
    s.wait_exit(editor)

    uninstall(s, installed)
    check(not os.path.exists(desktop_link), "the desktop shortcut is still there")

    # Installed again into the same folder before the log-on that would
    # remove it: the new installation keeps its setup through the log-on.
    install(s, package, folder)
    check(reg_text(s, RUN_ONCE, "Tarvesk_quillmark") is None,
          "the earlier uninstall's run-once entry stands after the install")
    log_on(s)
    for name in INSTALLED:
        check(os.path.exists(os.path.join(installed, name)), "%s went at the log-on" % name)
    check(s.reg_query(UNINSTALL, "DisplayName") == "Quillmark", "no uninstall entry")

    # Without the delete-after-exit program in the Windows folder the
    # installation is not up to date: the setup installs it again.
    latepurge = os.path.join(s.prefix, "drive_c", "windows", "Latepurge.exe")
    os.remove(latepurge)
    setup = s.start(os.path.join(package, "quillmarkSetup.exe"))
    click_button(s, s.wait_window("the readme of the install again", title="概要/著作権"), "次へ")
    answer_message(s, "インストールが終了しました。")
    check(s.wait_exit(setup) == 0, "the install again ended with an error")
    check(os.path.exists(latepurge), "Latepurge.exe was not put back into the Windows folder")

    # Its uninstall works, and the log-on after it takes the folder away.
    uninstall(s, installed)
    log_on(s)
    wait_for("the folder to go", lambda: not os.path.exists(installed))


def test_a_package_without_a_file_names_it_and_fails(s):
    package = package_copy(s)
    # The programs read at the start (the uninstall too reads them), and the
    # first and the last file that only the install copies: named before any
    # dialog.
    for name, args in (("zonivex.exe", ()), ("quillmark.exe", ("/r",)), ("Latepurge.exe", ()),
                       ("quillmark.cnt", ())):
        kept = os.path.join(s.work, name)
        os.rename(os.path.join(package, name), kept)
        setup = s.start(os.path.join(package, "quillmarkSetup.exe"), *args)
        answer_message(s, s.windows_path(os.path.join(package, name)) + " が見つかりません。")
        rc = s.wait_exit(setup)
        check(rc == 1, "the setup ended with exit code %r" % rc)
        os.rename(kept, os.path.join(package, name))
    check(not os.path.exists(os.path.join(s.prefix, "drive_c", "Program Files", "quillmark")),
          "the install folder was made")
    check(not os.path.exists(os.path.join(s.prefix, "drive_c", "windows", "Latepurge.exe")),
          "Latepurge.exe was copied")
    check(s.reg_query(UNINSTALL, "DisplayName") is None, "an uninstall entry was written")
