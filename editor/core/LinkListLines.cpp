#include "editor/core/LinkListLines.h"

#include "core/Cp932.h"
#include "editor/core/ProjectModel.h"

namespace qm::editor {

namespace {

// Full-width forms in code page 932.
constexpr std::string_view kFullWidthComma = "\x81\x43";
constexpr std::string_view kFullWidthOpenBrace = "\x81\x6F";
constexpr std::string_view kFullWidthCloseBrace = "\x81\x70";
constexpr std::string_view kIdeographicSpace = "\x81\x40";

// The window as written after the id ("" / ">main" / ">name"). The dialog
// disables the window choice for pop-ups but keeps it, and the choice applies
// to whatever type is chosen.
//
// This builds the same texts as the link dialogs do for their jump and pop-up
// types; once those builders are in the core this can call them instead.
std::string WindowSuffix(const LinkListOptions& o) {
  switch (o.Window) {
    case LinkListWindow::Main: return ">main";
    // Without a name there is no second window to show in (">" alone
    // would make the target unreadable).
    case LinkListWindow::Second: return o.SubWindowName.empty() ? std::string() : ">" + o.SubWindowName;
    default: return {};
  }
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
  const std::string text = SafeLinkText(topic.Title, topic.Id);
  const std::string window = WindowSuffix(o);
  const bool jump = o.Type == LinkListType::Jump;
  std::string line;
  if (o.Buttons) {
    line = jump ? "{button ,JI(" : "{button ,PI(";
    if (!window.empty()) {
      line += window;
      line += ',';
    }
    line += topic.Id;
    line += ")}";
    line += kIdeographicSpace;
    line += text;
  } else {
    line = jump ? "{jmp " : "{pop ";
    line += text;
    line += ',';
    line += topic.Id;
    line += window;
    line += '}';
  }
  return line;
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
