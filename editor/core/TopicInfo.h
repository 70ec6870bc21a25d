// The open topic's information as the topic information dialog edits it:
// what the dialog starts with, the checks of its OK button (fixed order, the
// first failing check's message), and the storing of what changed into the
// topic's fields and the project, with the rename of the topic file.
#pragma once

#include <string>
#include <string_view>

#include "editor/core/ProjectModel.h"

namespace qm::editor {

// The dialog's values. Window: 0 the default window, 1 "main", 2 the
// project's second window.
struct TopicInfoValues {
  std::string Id;
  std::string BrowseId;
  std::string Title;
  std::string BKeywords;  // the component-help kind; changed only by the filler
  std::string KKeywords;
  std::string AKeywords;
  std::string Macros;
  int Window = 0;
};

struct TopicInfoStart {
  TopicInfoValues Values;
  // The window index shown at opening; the apply step compares against it.
  int OpenedWindow = 0;
  // The second window's name (the macro template of "sub" uses it), and
  // whether the window choice and that template are enabled.
  std::string SubWindow;
  bool SubWindowEnabled = false;
  // Opening changed the topic (its window was the removed second window):
  // the editor is to be marked modified.
  bool EditorModified = false;
};

// Reads the open topic into the dialog's values. Two steps take effect at
// once and stay whatever the dialog's result: a topic shown in the second
// window, while the project has none, goes back to the default window; a
// topic shown in another window whose contents line has no window gets
// ">" + the second window's name there. Neither step applies while the
// second window has no name (both names would be empty: the first would
// clear every topic's default window, the second write a bare ">").
TopicInfoStart OpenTopicInfo(ProjectModel& m);

// Whether a byte counts as a letter or digit in ids and names: ASCII letters
// and digits and the single-byte katakana (a byte of a double-byte
// character never does).
bool IsIdLetterOrDigit(unsigned char c);

// The message of the first check the values fail, or empty when the dialog
// may close: the id is given; a changed id has letters, digits and "_" only
// and names no topic yet (ignoring case, so a case-only change finds the
// topic itself); the browse id is empty or name ":" number; keywords need a
// title.
std::string CheckTopicInfo(const ProjectModel& m, const TopicInfoValues& v);
// The browse-id check alone: empty when the text is empty or valid.
std::string CheckBrowseId(std::string_view browse_id);

extern const char kNoTopicIdMessage[];
extern const char kBadTopicIdMessage[];
extern const char kTopicIdExistsMessage[];
extern const char kNoBrowseNumberMessage[];
extern const char kBadBrowseIdMessage[];
extern const char kKeywordsNeedTitleMessage[];

// What storing the values did besides the model's fields.
struct TopicInfoApplied {
  bool Changed = false;          // refresh the topic status display
  bool EditorModified = false;   // mark the editor modified
  bool NodeTextChanged = false;  // the open topic's contents node has a new text
  // The title copy: the editor (empty) is to get the title as its first
  // line and "{end}" as its second, the non-scrolling region checked.
  bool AddTitleCopy = false;
};

// Stores the values into the open topic and the project in the dialog's
// order. A changed id renames rtf\<old id>.rtf to rtf\<new id>.rtf; a
// failed rename is not reported (a topic never saved has no file yet; the
// next save writes the text under the new id). editor_empty: the editor
// holds no lines.
TopicInfoApplied ApplyTopicInfo(ProjectModel& m, const TopicInfoValues& v, int opened_window,
                                bool editor_empty);

// The macro templates of the dialog's menu, by the item's tag (0 to 3).
std::string MacroTemplate(int tag, std::string_view sub_window);
// The macro text with a template added: the template alone when the text is
// empty, else after a ";".
std::string AppendMacro(std::string_view macros, std::string_view template_text);

}  // namespace qm::editor
