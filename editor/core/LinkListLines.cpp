#include "editor/core/LinkListLines.h"

#include "core/Cp932.h"
#include "editor/core/LinkMarkup.h"
#include "editor/core/ProjectModel.h"

namespace qm::editor {

namespace {

// Full-width forms in code page 932.
constexpr std::string_view kFullWidthComma = "\x81\x43";
constexpr std::string_view kFullWidthOpenBrace = "\x81\x6F";
constexpr std::string_view kFullWidthCloseBrace = "\x81\x70";

// The link dialogs' window choice. Without a name there is no second window
// to show in (">" alone would make the target unreadable): the current one.
int WindowIndex(const LinkListOptions& o) {
  if (o.Window == LinkListWindow::Second && o.SubWindowName.empty()) return 0;
  return static_cast<int>(o.Window);
}

}  // namespace

std::string SafeLinkText(std::string_view title, std::string_view id) {
  const std::string_view text = title.empty() ? id : title;
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = CharLength(text, i);
    if (n == 1 && text[i] == ',') {
      out += kFullWidthComma;
    } else if (n == 1 && text[i] == '{') {
      out += kFullWidthOpenBrace;
    } else if (n == 1 && text[i] == '}') {
      out += kFullWidthCloseBrace;
    } else {
      out.append(text.substr(i, n));
    }
    i += n;
  }
  return out;
}

std::string LinkListLine(const LinkListOptions& o, const LinkListTopic& topic) {
  // Built as the jump dialog builds its hot-text and side-button types.
  JumpLink link;
  link.Text = SafeLinkText(topic.Title, topic.Id);
  link.TopicId = topic.Id;
  link.SubWindow = o.SubWindowName;
  if (o.Type == LinkListType::Jump) {
    link.Type = o.Buttons ? kJumpSideButton : kJumpText;
    link.WindowIndex = WindowIndex(o);
    return JumpLinkMarkup(link);
  }
  // The dialog's pop-up types carry no window, but the list keeps the window
  // chosen (the choice stays when the type turns to pop-up): it goes with
  // the target, where a jump has it.
  link.Type = o.Buttons ? kPopupSideButton : kPopupText;
  const std::string window = JumpWindowSuffix(WindowIndex(o), o.SubWindowName);
  if (!window.empty()) link.TopicId = o.Buttons ? window + "," + topic.Id : topic.Id + window;
  return JumpLinkMarkup(link);
}

bool HasHiddenFirstChild(const ContentsNode* node) {
  return node && node->FirstChild() && node->FirstChild()->Kind == kHiddenTopicNode;
}

std::vector<LinkListTopic> HiddenChildTopics(const ProjectModel& model, const ContentsNode* node) {
  std::vector<LinkListTopic> topics;
  if (!node) return topics;
  for (std::size_t i = 0; i < node->ChildCount(); ++i) {
    const ContentsNode* child = node->Child(i);
    if (child->Kind != kHiddenTopicNode) break;
    if (child->Data < 0 || static_cast<std::size_t>(child->Data) >= model.TopicCount()) continue;
    const auto row = static_cast<std::size_t>(child->Data);
    topics.push_back({model.TopicIds[row], row < model.TopicTitles.size() ? model.TopicTitles[row] : ""});
  }
  return topics;
}

Lines LinkListLines(const LinkListOptions& options, const std::vector<LinkListTopic>& topics) {
  Lines lines;
  lines.reserve(topics.size() * (options.BlankLines ? 2 : 1));
  for (const LinkListTopic& t : topics) {
    if (options.BlankLines) lines.emplace_back();
    lines.push_back(LinkListLine(options, t));
  }
  return lines;
}

}  // namespace qm::editor
