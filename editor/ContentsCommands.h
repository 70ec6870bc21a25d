// The contents tree: opening topics from it, adding, deleting, relabelling
// and moving its nodes, the contents commands' enabling and the open
// topic's status. The rules are the contents tree's own (ContentsEditing);
// this group keeps the tree view in step with them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/CommandGroup.h"
#include "editor/core/ContentsEditing.h"
#include "editor/core/ContentsTree.h"

namespace qm::editor {

class TContentsCommands : public TCommandGroup {
 public:
  explicit TContentsCommands(TMainForm& form);

  // The add and delete commands; the sender's Tag (or its action's) chooses
  // the placement.
  cl::TAction* AddBookA = nullptr;
  cl::TAction* AddCntA = nullptr;
  cl::TAction* AddHideA = nullptr;
  cl::TAction* AddHelpA = nullptr;
  cl::TAction* DelCntA = nullptr;
  void AddBookAExecute(cl::TComponent* sender);
  void AddCntAExecute(cl::TComponent* sender);
  void AddHideAExecute(cl::TComponent* sender);
  void DelCntAExecute(cl::TComponent* sender);

  // The drop-down buttons of ContextBar and their position menus.
  cl::TToolButton* AddBookButton = nullptr;
  cl::TToolButton* AddCntButton = nullptr;
  cl::TToolButton* AddHelpButton = nullptr;
  cl::TPopupMenu* BookMenu = nullptr;
  cl::TMenuItem* BookInsUpMenu = nullptr;
  cl::TMenuItem* BookInsDnMenu = nullptr;
  cl::TMenuItem* BookInsLDnMenu = nullptr;
  cl::TPopupMenu* TopicInsMenu = nullptr;
  cl::TMenuItem* TopicInsUpMenu = nullptr;
  cl::TMenuItem* TopicInsDnMenu = nullptr;
  cl::TMenuItem* TopicInsTopMenu = nullptr;
  cl::TPopupMenu* OtherInsMenu = nullptr;
  cl::TMenuItem* OtherUpMenu = nullptr;
  cl::TMenuItem* OtherDownMenu = nullptr;
  cl::TMenuItem* OtherTopMenu = nullptr;
  void BookMenuPopup(cl::TPopupMenu* sender);
  void TopicInsMenuPopup(cl::TPopupMenu* sender);

  // The tree view's events. A click on an external entry (also the one an
  // add command has just made) asks OnEditExternalEntry to edit its target.
  void ConTextViewClick(cl::TComponent* sender);
  std::function<void(ContentsNode*)> OnEditExternalEntry;
  void ConTextViewChange(cl::TComponent* sender);
  void ConTextViewExpanded(cl::TTreeNode item);
  void ConTextViewCollapsed(cl::TTreeNode item);
  void ConTextViewEditing(cl::TTreeNode item, bool& allow);
  void ConTextViewEdited(cl::TTreeNode item, std::string& text);
  void ConTextViewDragOver(cl::TControl* source, int x, int y, bool& accept);
  void ConTextViewDragDrop(cl::TControl* source, int x, int y);
  // The topic editor as a drop target.
  controls::TDropHandler* EditorDrop = nullptr;
  void EditorDragOver(cl::TControl* source, int x, int y, bool& accept);

  // The status bar's topic panels, the editor's read-only state and the
  // commands that work on the open topic (the window's TopicOpenCommands).
  void ShowTopicStatus(const std::string& id);
  // Whether those commands were last enabled; empty before the first
  // ShowTopicStatus.
  std::optional<bool> TopicCommandsEnabled;
  void UpdateContentsActions();
  // Commands of later groups that follow the selection or the open topic
  // (the Insert menu's link list, the View menu's renumbering): each is told
  // after the contents commands have taken their state.
  std::vector<std::function<void(const ContentsActionState&)>> ContentsActionsShown;
  std::vector<std::function<void(const TopicStatusEnabling&)>> TopicStatusShown;

  // Rebuilds the tree view's items from the project's contents tree.
  void RebuildContentsView();
  // The contents node that a tree view item shows.
  ContentsNode* NodeOfItem(cl::TTreeNode item) const;
  // The tree view after the contents tree changed: a new node's item, a
  // moved node's items (expansion kept).
  void InsertContentsItem(ContentsNode* node);
  void MoveContentsItems(ContentsNode* node);

  void FormCreated() override;

 private:
  controls::TTreeViewEx* view_;  // the window's ConTextView
};

}  // namespace qm::editor
