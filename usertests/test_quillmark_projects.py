"""Help projects made by other tools and authors, in a user's hands: each is
opened in quillmark, one of its topics is edited and everything is saved
with Ctrl+S. The help compiler stand-in, run on the project before and
after, must find the same topic files and pictures and build the same help
file in the same language; every option quillmark does not own keeps its
line."""

import os
import re
import shutil

from quillmark import HELPWORKSHOP, Quillmark
from test_quillmark import type_into_topic
from uitest import PROJECTS, StepFailed, check, wait_for

# (folder of the test data, project file[, the topic to edit when not the
# first whose file is there])
FOREIGN_PROJECTS = [
    ("andes-fbd", "FBD.hpj"),
    ("andes-fbd", "FBD-tcp.hpj"),
    ("calques3d", "Calques3D.hpj"),
    ("calques3d", "Calques3D_FRA.hpj"),
    ("delphidabbler-vied", "VIEd.hpj"),
    ("delphidabbler-filever", "FileVer.hpj"),
    ("delphidabbler-filevershext", "FileVerShExt.hpj"),
    ("delphidabbler-about", "PJAbout.hpj"),
    # AREAS: the topics before it hold negative tab stops ("\tx-180"), whose
    # save is mended apart.
    ("inetnav", "INETNAV.hpj", "AREAS"),
    ("genedoc", "GENEDOC.HPJ"),
    ("nmr-proyecto", "Proyecto.hpj"),
]
# Options the editor writes by design: the contents file it writes, the
# contents topic (its tree's first), its folders before the project's.
OWNED = {"CNT", "CONTENTS", "ROOT", "BMROOT"}


def options(hpj, section="[OPTIONS]"):
    """The lines of a section of a project file but empty and comment lines,
    as text (code page 1252 bytes kept as they are)."""
    lines, inside = [], False
    for line in open(hpj, "rb").read().decode("latin-1").splitlines():
        if line.startswith("["):
            inside = line.strip().upper() == section
        elif inside and line.strip() and not line.startswith(";"):
            lines.append(line)
    return lines


def unix_path(s, folder, path):
    """Where a path of a project file lies for the Windows programs: on a
    drive of the session's prefix, or relative to the project folder."""
    if re.match(r"[A-Za-z]:", path):
        return os.path.join(s.prefix, "dosdevices", path[:2].lower(), path[2:].lstrip("\\").replace("\\", "/"))
    return os.path.join(folder, path.replace("\\", "/"))


def existing_file(folder, entry):
    """The file a [FILES] entry names inside the project folder, found
    without regard to case as on Windows; None when it is not there."""
    path = folder
    for part in re.split(r"[\\/]", entry.strip()):
        if part in ("", "."):
            continue
        names = {name.lower(): name for name in os.listdir(path)} if os.path.isdir(path) else {}
        if part.lower() not in names:
            return None
        path = os.path.join(path, names[part.lower()])
    return path if os.path.isfile(path) else None


def kept_options(hpj):
    return [line for line in options(hpj) if line.split("=")[0].strip().upper() not in OWNED]


def compile_with_stand_in(s, hpj):
    """Runs the stand-in compiler as quillmark does; returns the files it did
    not find, its language line and the help file it names."""
    log_name = os.path.splitext(os.path.basename(hpj))[0] + ".err"
    for line in options(hpj):
        key, _, value = line.partition("=")
        if key.strip().upper() == "ERRORLOG":
            log_name = value.split(";")[0].strip()
    log = unix_path(s, os.path.dirname(hpj), log_name)
    if os.path.exists(log):
        os.remove(log)
    # The author's machine had the log's folder.
    os.makedirs(os.path.dirname(log), exist_ok=True)
    s.wine(os.path.join(HELPWORKSHOP, "hcrtf.exe"), "-x", "-nga", s.windows_path(hpj))
    lines = open(log, "rb").read().decode("latin-1").splitlines()
    # In capitals: Windows finds a file whatever the case of its name.
    missing = sorted(line.upper() for line in lines if line.startswith("HC5011"))
    language = [line for line in lines if line.startswith("Language:")]
    built = [line for line in lines if line.startswith("No help file")]
    return missing, language, built


def topics_with_files(hpj):
    """The ids of the [FILES] topics whose files are there (lower case):
    saving a topic whose file is missing makes it."""
    return [os.path.splitext(re.split(r"[\\/]", entry.strip())[-1])[0].lower()
            for entry in options(hpj, "[FILES]") if existing_file(os.path.dirname(hpj), entry)]


def first_topic(q, ids, hpj_name):
    """The first tree item that is one of those topics (its label is its id)."""
    for label in q.tree_labels():
        if label.lower() in ids:
            return label
    check(False, "no topic of %s in the tree: %s" % (hpj_name, q.tree_labels()))


def status_is(q, label):
    """The status bar's topic id when it is label's; a large topic keeps the
    window too busy to answer for a while."""
    try:
        shown = q.status(0)
    except StepFailed:
        return None
    return shown.lower() == label.lower() and shown


def test_projects_of_other_tools_build_the_same_help_after_a_save(s):
    # A drive D: of the session's own, for projects that name it.
    drive_d = os.path.join(s.dir, "drive_d")
    os.makedirs(drive_d)
    os.symlink(drive_d, os.path.join(s.prefix, "dosdevices", "d:"))
    q = None
    for folder_name, hpj_name, *topic in FOREIGN_PROJECTS:
        # A copy of its own for each project file: two project files of one
        # folder share their loose topic files.
        folder = os.path.join(s.work, os.path.splitext(hpj_name)[0])
        shutil.copytree(os.path.join(PROJECTS, folder_name), folder)
        hpj = os.path.join(folder, hpj_name)
        before = compile_with_stand_in(s, hpj)
        kept_before = kept_options(hpj)
        config_before = options(hpj, "[CONFIG]")
        ids = [name.lower() for name in topic] or topics_with_files(hpj)

        q = q or Quillmark(s)
        q.open_project(hpj)
        label = first_topic(q, ids, hpj_name)
        q.click_tree_item(label)
        topic_id = wait_for("the topic %s open (status bar)" % label, lambda: status_is(q, label))
        type_into_topic(s, q, " edited here")
        s.key("ctrl+s")
        rtf = os.path.join(folder, "rtf")
        wait_for("Ctrl+S to write the topic %s" % topic_id,
                 lambda: any(name.lower() == topic_id.lower() + ".rtf" and
                             b"edited here" in open(os.path.join(rtf, name), "rb").read()
                             for name in (os.listdir(rtf) if os.path.isdir(rtf) else [])))
        wait_for("Ctrl+S to write %s with the editor's folders" % hpj_name,
                 lambda: any(re.match(r"ROOT=rtf(,|$)", line) for line in options(hpj)))

        after = compile_with_stand_in(s, hpj)
        check(after[0] == before[0], "%s: the compiler misses other files after the save:\n%s\nbefore:\n%s"
              % (hpj_name, "\n".join(after[0]), "\n".join(before[0])))
        check(after[1] == before[1], "%s: the language changed: %s, before %s" % (hpj_name, after[1], before[1]))
        check(after[2] == before[2], "%s: the help file changed: %s, before %s" % (hpj_name, after[2], before[2]))
        kept_after = kept_options(hpj)
        lost = [line for line in kept_before if line not in kept_after]
        check(not lost, "%s: options lost or changed by the save: %s" % (hpj_name, lost))
        check(options(hpj, "[CONFIG]") == config_before, "%s: the help window's macros changed or moved: %s"
              % (hpj_name, options(hpj, "[CONFIG]")))
