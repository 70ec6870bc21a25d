// The inline markup of links as the link dialogs build it: jumps and pop-ups
// to a topic id, ALink and KLink jumps through keywords. The texts typed by
// the author go in as typed; nothing is checked or escaped.
#pragma once

#include <string>
#include <string_view>

namespace qm::editor {

// The hot-text attribute choice: 0 normal, 1 underlined ("*"), 2 none ("%").
std::string LinkAttrPrefix(int attr_index);

// The window choice: 0 current, 1 main, 2 the project's second window.
// The suffix of a jump to a topic id: "", ">main", ">" + sub_window.
std::string JumpWindowSuffix(int window_index, std::string_view sub_window);
// The tail of an ALink keyword argument: a closing double quote, then
// ",,,main" or ",,," + sub_window.
std::string ALinkWindowTail(int window_index, std::string_view sub_window);

// The six link types of the jump dialog.
enum JumpLinkType : int {
  kJumpText = 0,
  kJumpButton = 1,
  kJumpSideButton = 2,
  kPopupText = 3,
  kPopupButton = 4,
  kPopupSideButton = 5,
};

struct JumpLink {
  int Type = kJumpText;
  std::string Text;        // the link text S
  std::string TopicId;     // I
  int AttrIndex = 0;       // used by the hot-text types 0 and 3
  int WindowIndex = 0;     // used by the jump types 0 to 2
  std::string SubWindow;   // the project's second window's name
};

// The markup of a jump-dialog link; the side-button types end in an
// ideographic space and the link text.
std::string JumpLinkMarkup(const JumpLink& link);
// Whether the jump dialog may close with OK: an id, and link text unless the
// type needs none (types 2 to 5).
bool JumpLinkComplete(int type, std::string_view text, std::string_view topic_id);
// Which choices of the jump dialog apply to a type: the window to the jump
// types (0 to 2), the attribute to the hot-text types (0 and 3).
bool JumpTypeUsesWindow(int type);
bool JumpTypeUsesAttr(int type);

struct KeywordLink {
  bool Button = false;
  std::string Text;      // S
  std::string Keywords;  // K, several separated by ";" as typed
  int AttrIndex = 0;     // used when not a button
  int WindowIndex = 0;   // ALink only
  std::string SubWindow;
};

std::string ALinkMarkup(const KeywordLink& link);
std::string KLinkMarkup(const KeywordLink& link);
// Whether an ALink or KLink dialog may close with OK: keywords, and link
// text unless it is a button.
bool KeywordLinkComplete(bool button, std::string_view text, std::string_view keywords);

// Whether a contents node of this kind may be dropped on the topic editor to
// make a link: topics and hidden topics only (an external entry's data is no
// topic index, and books name no topic).
bool CanDropNodeOnEditor(int node_kind);

}  // namespace qm::editor
