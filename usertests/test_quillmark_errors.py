"""Saving in a project made by another tool: no rtf folder, the map file
named in a folder that is not there, a topic file that cannot be written.
The message shows, quillmark runs on, nothing typed is lost, and a project
save writes its three files together."""

import os
import shutil

from quillmark import Quillmark, rtf_bytes
from test_quillmark import type_into_topic
from uitest import PROJECTS, check, wait_for

FBD_FILES = ("FBD.hpj", "FBD.cnt", "FBD.hm", "Afxhelp.hm")


def copy_fbd_project_files(s):
    """The project, contents and map files of andes-fbd without its topic
    and picture files: a project of another tool, which has no rtf folder.
    Its [MAP] names the map file in a folder hlp that is not there."""
    dest = os.path.join(s.work, "fbd")
    os.makedirs(dest)
    for name in FBD_FILES:
        shutil.copy(os.path.join(PROJECTS, "andes-fbd", name), dest)
        os.chmod(os.path.join(dest, name), 0o644)
    hpj = os.path.join(dest, "FBD.hpj")
    data = open(hpj, "rb").read()
    check(b"#include FBD.hm" in data, "FBD.hpj no longer includes FBD.hm")
    open(hpj, "wb").write(data.replace(b"#include FBD.hm", b"#include <hlp\\FBD.hm>"))
    return dest


def test_a_project_without_rtf_folder_saves_and_a_failed_save_keeps_the_text(s):
    folder = copy_fbd_project_files(s)
    q = Quillmark(s)
    q.open_project(os.path.join(folder, "FBD.hpj"))
    check(not os.path.exists(os.path.join(folder, "rtf")), "opening the project made an rtf folder")
    q.focus()
    s.key("alt+f", "t")
    topic_id = wait_for("a new topic open (status bar)", lambda: q.status(0).startswith("HID") and q.status(0))
    type_into_topic(s, q, "最初の行 first line")
    s.key("ctrl+s")
    path = os.path.join(folder, "rtf", topic_id + ".rtf")
    s.wait_file(path, "the new topic saved", lambda d: "最初の行 first line".encode("cp932") in rtf_bytes(d))
    # The project's three files were written together: the map file in the
    # folder its [MAP] line names.
    for name in ("FBD.hpj", "FBD.cnt", os.path.join("hlp", "FBD.hm")):
        s.wait_file(os.path.join(folder, name), "%s written with the new topic" % name,
                    lambda d: topic_id.encode() in d)
    check(q.proc.poll() is None, "quillmark ended after the save")

    # The topic file cannot be written now (a folder stands where the new
    # file is written beside it; Wine writes over read-only files, and the
    # tests run as root): the message names it, the program runs on with
    # the text, and the save succeeds once it can.
    type_into_topic(s, q, "\n二行目 second line")
    blocker = path + ".~new"
    os.mkdir(blocker)
    s.key("ctrl+s")
    box = s.wait_window("the message that the topic cannot be saved", cls="#32770", pid=q.main.pid)
    message = s.box_text(box)
    check(s.windows_path(path).lower() in message.lower(), "the failed save says %r" % message)
    s.click_box_button(box, "OK", "the message that the topic cannot be saved")
    check(q.proc.poll() is None, "quillmark ended after the failed save")
    check("二行目 second line" in (s.text(q.editor()) or ""), "the typed line is gone from the editor")
    check(b"second line" not in open(path, "rb").read(), "the topic file was written")
    os.rmdir(blocker)
    s.wait_keyboard(q.main, "the main window to take the keys after the message")
    s.key("ctrl+s")
    s.wait_file(path, "the second line saved once the file can be written",
                lambda d: "二行目 second line".encode("cp932") in rtf_bytes(d))
