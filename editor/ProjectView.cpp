// How the window shows what reading and writing the project files do: the
// hourglass, the captions and the contents tree view.
#include "classlib/Application.h"
#include "classlib/Dialogs.h"
#include "editor/MainForm.h"

namespace qm::editor {

void TMainForm::BeginWait() {
  if (!wait_) wait_ = std::make_unique<cl::TWaitCursor>();
}

void TMainForm::EndWait() { wait_.reset(); }

void TMainForm::SetProjectCaption(const std::string& caption, const std::string& app_title) {
  SetText(caption);
  cl::Application().SetTitle(app_title);
}

void TMainForm::ContentsResetting() {
  // The items hold the nodes that the reset frees: they go while their nodes
  // still exist, and with them the selection (the selection change reads
  // its node).
  ConTextView->Clear();
}

void TMainForm::ProjectWasReset() { FindID->SetEnabled(true); }

void TMainForm::ContentsRebuilt() { RebuildContentsView(); }

void TMainForm::ProjectRead() {
  if (Project.Program.TrueColorDisplay) Editor->SetBackgroundColor(Project.TopicColor);
  ClearTopicEditor();
}

void TMainForm::ShowNoContents() {
  cl::ShowMessageBox(Handle(), kNoContentsMessage, cl::Application().Title(), MB_OK | MB_ICONERROR);
}

void TMainForm::RebuildContentsView() {
  ConTextView->BeginUpdate();
  ConTextView->Clear();
  std::vector<ContentsNode*> open_books;
  for (ContentsNode* n : Project.Contents.Nodes()) {
    auto parent = static_cast<cl::TTreeNode>(n->Parent() ? n->Parent()->ViewItem : nullptr);
    n->ViewItem = ConTextView->AddChild(parent, n->Text, n->Kind, reinterpret_cast<LPARAM>(n));
    if (n->Kind == kBookOpen) open_books.push_back(n);
  }
  for (ContentsNode* b : open_books) ConTextView->Expand(static_cast<cl::TTreeNode>(b->ViewItem), true);
  ConTextView->EndUpdate();
}

ContentsNode* TMainForm::NodeOfItem(cl::TTreeNode item) const {
  return item ? reinterpret_cast<ContentsNode*>(ConTextView->Data(item)) : nullptr;
}

}  // namespace qm::editor
