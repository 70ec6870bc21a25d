#include "editor/TopicCommands.h"

#include <stdexcept>

#include "classlib/Dialogs.h"
#include "core/FileErrorTexts.h"
#include "core/FileSystem.h"
#include "editor/ContentsCommands.h"
#include "editor/EditingCommands.h"
#include "editor/RichEditIndentFix.h"
#include "editor/RichEditKeepFix.h"
#include "editor/RichEditTabFix.h"
#include "editor/core/ProjectFiles.h"
#include "editor/core/TopicLoad.h"
#include "editor/core/TopicSave.h"

namespace qm::editor {

namespace {
// The editor pane's empty state: the default font, plain paragraphs.
std::string EmptyEditorRtf(const ProgramValues& p) {
  return "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 " + p.DefaultFontName +
         ";}}\\pard\\plain\\f0\\fs" + std::to_string(p.DefaultFontSize * 2) + " \\par }";
}
}  // namespace

void TTopicCommands::ClearTopicEditor() {
  Form.Editor->LoadRtf(EmptyEditorRtf(Project.Program));
  Form.Editor->DbcsFontName = Project.Program.DefaultFontName;
  Form.Editor->ResetAttributes(Project.Program.DefaultFontName, Project.Program.DefaultFontSize);
  Form.Editor->SetModified(false);
  Form.Group<TEditingCommands>().ShowModifiedMark(false);
  Project.TopicFootnotes = TopicFields{};
  Project.MapNumberText.clear();
  Form.ContentsCmds->ShowTopicStatus(Project.TopicId);
  Form.ContentsCmds->UpdateContentsActions();
}

void TTopicCommands::LoadTopic() {
  Project.TopicFootnotes = TopicFields{};
  ContentsNode* node = Project.OpenTopicNode;
  if (!node) return;
  auto index = static_cast<std::size_t>(node->Data);
  std::string id = Project.TopicIds.Id(index);
  int map_number = Project.TopicIds.MapNumber(index);
  Project.MapNumberText = std::to_string(map_number);
  std::string path = Project.TopicFilePath(id);

  if (!FileExists(path)) {
    // A new topic: it opens empty and its file is made by the next save.
    ClearTopicEditor();
    Project.MapNumberText = std::to_string(map_number);
    Project.TopicFootnotes.TopicTitle = Project.TopicTitles[index];
    OpenTopicStash = TopicStash{OpenTopicStash.NextNumber(), {}};
    Form.ContentsCmds->ShowTopicStatus(id);
    Form.Editor->SetModified(true);
    Form.Editor->SetFocus();
    return;
  }

  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    // Never leave the previous topic's id on an empty, writable editor: the
    // next save would write it over that topic's file.
    Project.TopicId.clear();
    Project.OpenTopicNode = nullptr;
    ClearTopicEditor();
    throw FileError(CannotOpenFileText(path));
  }
  Form.Editor->DbcsFontName = Project.Program.DefaultFontName;
  Form.Editor->ResetAttributes(Project.Program.DefaultFontName, Project.Program.DefaultFontSize);
  TopicStash stash{OpenTopicStash.NextNumber(), {}};
  Lines editor_lines = LoadTopicLines(SplitLines(bytes), Project.TopicFootnotes, stash);
  OpenTopicStash = std::move(stash);
  const std::string rtf = RichEditStreamIn(editor_lines);
  Form.Editor->LoadRtf(RtfForEditor(rtf));
  MendLoadedKeepFlags(*Form.Editor, rtf);

  bool modified = false;
  std::string& stored = Project.TopicTitles[index];
  if (Project.TopicFootnotes.TopicTitle != stored) {
    if (Project.TopicFootnotes.TopicTitle.empty()) {
      // The file has no title: the next save writes the stored one into it.
      Project.TopicFootnotes.TopicTitle = stored;
      modified = true;
    } else {
      stored = Project.TopicFootnotes.TopicTitle;
      node->Text = Project.TopicFootnotes.TopicTitle;
      if (node->ViewItem)
        Form.ConTextView->SetNodeText(static_cast<cl::TTreeNode>(node->ViewItem), node->Text);
      Project.ProjectModified = true;
    }
  }
  Form.ContentsCmds->ShowTopicStatus(id);
  Form.Editor->SetFocus();
  Form.Editor->SetModified(modified);
  Form.Group<TEditingCommands>().ShowModifiedMark(modified);
}

void TTopicCommands::SaveTopic() {
  Lines editor_lines = SplitRichEditStreamOut(EditorRtf(*Form.Editor));
  std::vector<int> unused;
  Lines file_lines =
      SaveTopicLines(editor_lines, Project.TopicId, Project.TopicFootnotes, OpenTopicStash, &unused);
  if (!unused.empty()) {
    // Pictures or footnotes set aside at loading whose placeholder is gone
    // from the text: the author must agree before the file loses them.
    std::string names;
    for (int n : unused) {
      if (const TopicStashItem* item = OpenTopicStash.Find(n))
        names += " {" + item->Word + " " + std::to_string(n) + "}";
    }
    if (cl::MessageDlg("次の埋め込みデータがトピックから削除されています:" + names +
                           "\n保存するとトピック ファイルから失われます. 保存しますか?",
                       cl::TMsgDlgType::Warning, MB_YESNO) != IDYES)
      throw std::runtime_error("トピック " + Project.TopicId + " を保存しませんでした.");
  }
  // A project made elsewhere may have no rtf folder yet.
  EnsureProjectFolders(Project);
  WriteFileReplacing(Project.TopicFilePath(Project.TopicId), JoinLines(file_lines));
  Form.Editor->SetModified(false);
  Form.Group<TEditingCommands>().ShowModifiedMark(false);
}

}  // namespace qm::editor
