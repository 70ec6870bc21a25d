// The contents tree: opening topics from it, the contents commands' enabling
// and the open topic's status.
#include "editor/MainForm.h"

namespace qm::editor {

void TMainForm::WireContentsCommands() {
  ConTextView->OnClick = [this](cl::TControl* c) { ConTextViewClick(c); };
  ConTextView->OnChange = [this](cl::TTreeView* t, cl::TTreeNode) { ConTextViewChange(t); };
  ConTextView->OnExpanded = [this](cl::TTreeView*, cl::TTreeNode n) { ConTextViewExpanded(n); };
  ConTextView->OnCollapsed = [this](cl::TTreeView*, cl::TTreeNode n) { ConTextViewCollapsed(n); };
}

void TMainForm::ShowTopicStatus(const std::string& id) {
  Project.TopicId = id;
  StatusBar->SetPanelText(0, Project.TopicId);
  StatusBar->SetPanelText(1, Project.MapNumberText);
  StatusBar->SetPanelText(2, Project.TopicFootnotes.BrowseId);
  StatusBar->SetPanelText(4, Project.TopicFootnotes.TopicTitle);
  StatusBar->SetPanelText(5, Project.TopicFootnotes.KKeywords);
  StatusBar->SetPanelText(6, Project.TopicFootnotes.AKeywords);
  Editor->SetReadOnly(Project.TopicId.empty());
  // The topic commands of the editor follow the read-only state here.
}

void TMainForm::UpdateContentsActions() {
  ContentsNode* s = NodeOfItem(ConTextView->Selected());
  if (!s) {
    AddBookA->SetEnabled(true);
    AddCntA->SetEnabled(true);
    AddHelpA->SetEnabled(true);
    AddHideA->SetEnabled(false);
    DelCntA->SetEnabled(false);
    return;
  }
  int k = s->Kind;
  bool last = ContentsTree::Next(s) == nullptr;
  ContentsNode* next = s->NextSibling();
  AddBookA->SetEnabled(!(k >= 2 && !last && (k == 3 || (next && !next->IsBook()))));
  AddCntA->SetEnabled(k != 3);
  AddHelpA->SetEnabled(k != 3);
  AddHideA->SetEnabled(k == 2 || k == 3);
  DelCntA->SetEnabled(!s->HasChildren());
}

void TMainForm::ConTextViewClick(cl::TComponent*) {
  ContentsNode* s = NodeOfItem(ConTextView->Selected());
  if (!s || s == Project.OpenTopicNode) return;
  if (s->Kind == kTopicNode || s->Kind == kHiddenTopicNode) {
    // Save the open topic first: should that fail, the tree still points at
    // the topic that is in the editor.
    if (Editor->Modified() && !Project.TopicId.empty()) SaveTopic();
    Project.OpenTopicNode = s;
    LoadTopic();
  }
  // A click on a book does nothing; external entries are edited in their
  // dialog.
}

void TMainForm::ConTextViewChange(cl::TComponent*) { UpdateContentsActions(); }

void TMainForm::ConTextViewExpanded(cl::TTreeNode item) {
  if (ContentsNode* n = NodeOfItem(item); n && n->Kind == kBookClosed) {
    n->Kind = kBookOpen;
    ConTextView->SetImageIndex(item, kBookOpen);
  }
}

void TMainForm::ConTextViewCollapsed(cl::TTreeNode item) {
  if (ContentsNode* n = NodeOfItem(item); n && n->Kind == kBookOpen) {
    n->Kind = kBookClosed;
    ConTextView->SetImageIndex(item, kBookClosed);
  }
}

}  // namespace qm::editor
