// The inline markup of the editor pane and the shared steps of its
// conversions to and from WinHelp RTF.
//
// In the editor's RTF a markup brace is an escaped brace: the author's
// {jmp text,target} travels as \{jmp text,target\}. Each step works on one
// line, a read position in it and the output; double-byte characters are
// copied as pairs and their trail bytes are never examined.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editor/core/TopicStash.h"

namespace qm::editor {

// True when the literal brace whose next byte is line[pos] must be shown as
// the escape "{#": the next byte is '#' or the text begins with a markup word
// ("end\}", "jmp ", "pop ", "line ", "style ", "keep\}", "box\}", "size ",
// "table\}", "td\}", "tr\}", "tid ", "page\}") or a placeholder word
// ("pict ", "footnote ", "trowd ").
bool NeedsBraceEscape(std::string_view line, std::size_t pos);

// Load direction of a hotspot. pos is at the '{' of "{\ul " (kind "pop") or
// "{\uldb " (kind "jmp"). Only a whole hotspot is converted: the underlined
// group must close on this line and be followed at once by a hidden group
// "{\v " that also closes on it, and it must read back whole from the markup
// (no comma in the link text, escaped braces that pair up). Then writes \{kind text,target\}, moves pos
// past the hidden group and returns true; inner groups of the text are copied,
// pictures among them are set aside into the stash. Otherwise nothing is
// written, pos is kept and the result is false (the caller copies the RTF).
bool ConvertHotspotToMarkup(std::string_view line, std::size_t& pos, std::string& out,
                            std::string_view kind, TopicStash& stash);

// Puts set-aside groups back while saving and remembers which were used.
class StashRestorer {
 public:
  explicit StashRestorer(const TopicStash& stash) : stash_(stash), used_(stash.Items.size(), false) {}
  // line[pos] is the byte after an escaped opening brace whose backslash is
  // the last byte of out. On a placeholder: takes the backslash back, writes
  // the group, moves pos past the placeholder's "\}" and returns true.
  bool TryRestore(std::string_view line, std::size_t& pos, std::string& out);
  // Numbers of the items whose placeholder was not met.
  std::vector<int> Unused() const;
  // Field placeholders put back from now on: those of PairedFieldPlaceholders;
  // any other stays literal text.
  void AllowFields(std::vector<bool> paired) { paired_fields_ = std::move(paired); }
  // Which items were put back, and putting back what was put back after the
  // marks were taken (the markup they went into was no markup): false.
  std::vector<bool> Marks() const { return used_; }
  bool Forget(std::vector<bool> marks) {
    used_ = std::move(marks);
    return false;
  }

 private:
  const TopicStash& stash_;
  std::vector<bool> used_;
  std::vector<bool> paired_fields_;
};

// Save direction of {jmp} and {pop}. pos is after the markup word, out ends
// with the backslash of the escaped opening brace, prefix is "{\uldb " or
// "{\ul ". The text ends at its first comma outside inner braces; the target
// ends at the escaped closing brace of the markup. Writes prefix + text +
// "}{\v " + target + "}" and returns true. Markup that does not end on the
// line, or has no comma, is left alone (false; nothing written, pos kept), so
// that the caller writes it as literal text.
bool ConvertHotspotToRtf(std::string_view line, std::size_t& pos, std::string& out,
                         std::string_view prefix, StashRestorer& restorer);

// Save direction of {button}: pos is after "button ", the backslash already
// written. Copies the markup unchanged in its escaped form through the brace
// that closes it after the label's comma, and returns true; when it does not
// close on the line, nothing is written and the result is false.
bool CopyButtonMarkup(std::string_view line, std::size_t& pos, std::string& out, std::string_view prefix);

}  // namespace qm::editor
