// What the author does with the contents tree: adding, deleting, moving and
// relabelling nodes, and which contents commands the selection allows. The
// window calls these and then brings its tree view up to date.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "editor/core/ProjectModel.h"

namespace qm::editor {

// Placement tags of the add commands and their position menus. An external
// entry uses the same placements plus 10 (AddHelpA itself counts as 10).
enum ContentsPlacement : int {
  kPlaceDefault = 0,  // books: end of the level; entries: before the level's first book
  kPlaceAbove = 1,    // before the selected node
  kPlaceBelow = 2,    // after the selected node
  kPlaceThird = 3,    // books: last child of the selected book; entries: top of the tree
  kExternalTagBase = 10,
};

// Enabled state of the contents commands for a selection.
struct ContentsActionState {
  bool AddBook = false;   // AddBookA
  bool AddCnt = false;    // AddCntA
  bool AddHide = false;   // AddHideA
  bool AddHelp = false;   // AddHelpA
  bool DelCnt = false;    // DelCntA
  bool LinkList = false;  // Insert menu's LinkListItem
  // KId_Auto: disabled without a selection; otherwise left as it is.
  std::optional<bool> KIdAuto;
};

ContentsActionState UpdateContentsActions(const ContentsTree& tree, const ContentsNode* selected);

// The three book position items (BookMenuPopup).
bool BookPositionItemsEnabled(const ContentsNode* selected);
// The insert-above and insert-below items of TopicInsMenu / OtherInsMenu;
// the "top" items stay enabled.
bool EntryPositionItemsEnabled(const ContentsNode* selected);

// A new closed book "New" placed by tag (0 to 3); returns it (to be
// selected). Marks the project modified.
ContentsNode* AddBookNode(ProjectModel& m, ContentsNode* selected, int tag);

// A new topic (tag 0 to 3) with a fresh map number and the id "HID%.8d",
// or an external entry "New" with an empty target row (tag 10 to 13).
// Returns the node (to be selected and clicked). Marks the project modified.
ContentsNode* AddContentsNode(ProjectModel& m, ContentsNode* selected, int tag);

// A new hidden topic under the selected topic (or after the selected hidden
// topic). Returns nullptr when the selection is not a topic of kind 2 or 3.
ContentsNode* AddHiddenTopicNode(ProjectModel& m, ContentsNode* selected);

struct DeleteOutcome {
  bool Deleted = false;
  // The open topic was the deleted one: the window clears the editor.
  bool ClearedOpenTopic = false;
};

// Deletes a node without children. A topic's file <id>.rtf in the rtf
// folder is deleted at once (a missing file is no matter), its rows become
// empty and its map number is released. When the node is the open topic's
// (OpenTopicNode, or TopicId names its topic) the open topic is cleared
// whole, TopicId included, so that no later save writes the emptied editor
// under an id. Marks the project modified.
DeleteOutcome DeleteContentsNode(ProjectModel& m, ContentsNode* node);

struct DropOutcome {
  bool Moved = false;
  // The node the dragged one was placed against; after a book moved, the
  // window expands this node and the book again when they are open books.
  ContentsNode* PlacedAgainst = nullptr;
};

// Moves dragged onto target by the drop rules (a book before a book, an
// entry into a book, a hidden topic under a topic, ...). A refused drop, or
// one onto the node's own subtree, changes nothing.
DropOutcome DropContentsNode(ProjectModel& m, ContentsNode* dragged, ContentsNode* target);

// A dragged node the editor takes as a link target: topics and hidden
// topics. An external entry is refused: its data is a row of CntTargets, not
// a topic index, and a link built from it would name the wrong topic.
bool EditorAcceptsDrag(const ContentsNode* dragged);

// In-place relabelling: refused for topics (their text is the title).
bool CanEditLabel(const ContentsNode* node);
// The label was changed in place.
void LabelEdited(ProjectModel& m, ContentsNode* node, std::string text);

// Books show open or closed with the view's expansion.
void NodeExpanded(ContentsNode* node);
void NodeCollapsed(ContentsNode* node);

enum class ContentsClick {
  kNothing,       // no selection, the open node or a book
  kEditExternal,  // open the external entry's target dialog
  kOpenTopic,     // the open topic was saved and OpenTopicNode set: load this one
};
// A click on the selected node. For a topic, save_open_topic runs first
// (it saves the open topic when the editor is modified); only when it
// returns does OpenTopicNode become the clicked node, so a save that throws
// leaves the tree pointing at the topic still in the editor.
ContentsClick ClickContentsNode(ProjectModel& m, ContentsNode* selected,
                                const std::function<void()>& save_open_topic = {});

// The topic commands after the open topic changed (ShowTopicStatus).
struct TopicStatusEnabling {
  bool ReadOnly = true;  // the editor: no topic open
  // The View menu's KId_Auto: only with an open topic and a topic (kind 2)
  // selected. Worked out on every call, also when Apply is empty.
  bool KIdAuto = false;
  // The state to give the topic commands, empty when they already have it.
  std::optional<bool> Apply;
};
// enabled_now: whether the topic commands are enabled now (empty: not
// known yet, always apply).
TopicStatusEnabling TopicStatusFor(const std::string& topic_id, std::optional<bool> enabled_now,
                                   const ContentsNode* selected);

}  // namespace qm::editor
