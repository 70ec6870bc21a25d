// The lines of a link list: one jump, pop-up or button link for each hidden
// topic under a node of the contents tree, appended to the open topic.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Lines.h"

namespace qm::editor {

class ContentsNode;
class ProjectModel;

enum class LinkListType { Jump = 0, Popup = 1 };
// Window of a jump: the current one, the main window, the second window.
enum class LinkListWindow { Current = 0, Main = 1, Second = 2 };

struct LinkListOptions {
  LinkListType Type = LinkListType::Popup;
  LinkListWindow Window = LinkListWindow::Current;
  std::string SubWindowName;  // the second window's name
  bool BlankLines = true;     // an empty line before each link
  bool Buttons = false;       // button markup instead of hot text
};

struct LinkListTopic {
  std::string Id;
  std::string Title;
};

// Link text that cannot break the markup it goes into: the id when the title
// is empty (an empty hot text would be invisible), and ",", "{" and "}"
// replaced by their full-width forms (a comma would end the text early and
// move the rest into the target, a brace would end or open markup).
// Double-byte characters are kept whole.
std::string SafeLinkText(std::string_view title, std::string_view id);

// One link line. Hot text: "{jmp " or "{pop " + text + "," + id + window
// suffix ("}", ">main}", ">" + name + "}"), for either type.
// Button: "{button ,JI(" or "{button ,PI(" + window prefix (">main,",
// ">" + name + ",", nothing) + id + ")}", an ideographic space and the text.
std::string LinkListLine(const LinkListOptions& options, const LinkListTopic& topic);

// The list can be made for a node whose first child is a hidden topic.
bool HasHiddenFirstChild(const ContentsNode* node);

// The node's children from the first as long as they are hidden topics, with
// their ids and titles from the topic table (rows outside it are passed
// over).
std::vector<LinkListTopic> HiddenChildTopics(const ProjectModel& model, const ContentsNode* node);

// The lines to append for the topics in order: each one preceded by an
// empty line when BlankLines is set.
Lines LinkListLines(const LinkListOptions& options, const std::vector<LinkListTopic>& topics);

}  // namespace qm::editor
