#include "editor/core/LinkMarkup.h"

#include "editor/core/ContentsTree.h"

namespace qm::editor {

namespace {

// U+3000 in code page 932.
constexpr char kIdeographicSpace[] = "\x81\x40";

}  // namespace

std::string LinkAttrPrefix(int attr_index) {
  switch (attr_index) {
    case 1: return "*";
    case 2: return "%";
    default: return "";
  }
}

std::string JumpWindowSuffix(int window_index, std::string_view sub_window) {
  switch (window_index) {
    case 1: return ">main";
    case 2: return ">" + std::string(sub_window);
    default: return "";
  }
}

std::string ALinkWindowTail(int window_index, std::string_view sub_window) {
  switch (window_index) {
    case 1: return "\",,,main";
    case 2: return "\",,," + std::string(sub_window);
    default: return "\"";
  }
}

std::string JumpLinkMarkup(const JumpLink& l) {
  const std::string a = LinkAttrPrefix(l.AttrIndex);
  const std::string w = JumpWindowSuffix(l.WindowIndex, l.SubWindow);
  const std::string x = w.empty() ? "" : w + ",";
  switch (l.Type) {
    case kJumpButton: return "{button " + l.Text + ",JI(" + x + l.TopicId + ")}";
    case kJumpSideButton: return "{button ,JI(" + x + l.TopicId + ")}" + kIdeographicSpace + l.Text;
    case kPopupText: return "{pop " + l.Text + "," + a + l.TopicId + "}";
    case kPopupButton: return "{button " + l.Text + ",PI(" + l.TopicId + ")}";
    case kPopupSideButton: return "{button ,PI(" + l.TopicId + ")}" + kIdeographicSpace + l.Text;
    default: return "{jmp " + l.Text + "," + a + l.TopicId + w + "}";
  }
}

bool JumpLinkComplete(int type, std::string_view text, std::string_view topic_id) {
  return !topic_id.empty() && (!text.empty() || type >= kJumpSideButton);
}

bool JumpTypeUsesWindow(int type) { return type >= kJumpText && type <= kJumpSideButton; }

bool JumpTypeUsesAttr(int type) { return type == kJumpText || type == kPopupText; }

std::string ALinkMarkup(const KeywordLink& l) {
  const std::string arg = "\"" + l.Keywords + ALinkWindowTail(l.WindowIndex, l.SubWindow);
  if (l.Button) return "{button " + l.Text + ",AL(" + arg + ")}";
  return "{jmp " + l.Text + "," + LinkAttrPrefix(l.AttrIndex) + "!AL(" + arg + ")}";
}

std::string KLinkMarkup(const KeywordLink& l) {
  const std::string arg = "\"" + l.Keywords + "\"";
  if (l.Button) return "{button " + l.Text + ",KL(" + arg + ")}";
  return "{jmp " + l.Text + "," + LinkAttrPrefix(l.AttrIndex) + "!KL(" + arg + ")}";
}

bool KeywordLinkComplete(bool button, std::string_view text, std::string_view keywords) {
  return !keywords.empty() && (!text.empty() || button);
}

bool CanDropNodeOnEditor(int node_kind) {
  return node_kind == kTopicNode || node_kind == kHiddenTopicNode;
}

}  // namespace qm::editor
