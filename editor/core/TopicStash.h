// RTF that the editor pane cannot hold, set aside while a topic is open.
//
// The rich-edit control drops or rewrites some of what a topic file may hold:
// embedded pictures and OLE objects (it keeps few of them, and may write them
// back in a form the help compiler does not read) and footnotes other than the
// topic's own fields. Loading puts each such RTF group into the stash and
// shows a placeholder in its place, a markup text the control keeps:
// {pict N} for a picture or object, {footnote N} for a footnote, {trowd N}
// for the definition of a row of a Word table. A field of Word's (a hyperlink,
// a symbol) keeps its result text in the pane, where the author sees and edits
// it, between {field N} (the field's opening up to its result's first
// formatting words) and {fieldend N} (the braces that close the result and
// the field); a field without result text is one {field N}. Saving puts
// the group back, byte for byte, where its placeholder stands.
//
// Numbers start at TopicStash::FirstNumber; a caller that keeps them distinct
// from topic to topic (by counting on from the previous topic's last number)
// makes a placeholder pasted into another topic stay plain text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm::editor {

struct TopicStashItem {
  std::string Word;  // "pict", "footnote", "trowd", "field" or "fieldend"
  std::string Rtf;   // the whole group, braces included; lines joined by CR LF
  int Pair = 0;      // a field's opening: the number of its "fieldend"; else 0
};

struct TopicStash {
  int FirstNumber = 1;
  std::vector<TopicStashItem> Items;

  // Adds an item and returns its number.
  int Add(std::string_view word, std::string rtf);
  // The item with this number; nullptr when there is none.
  const TopicStashItem* Find(int number) const;
  // The number one past the last item's: a good FirstNumber for the next topic.
  int NextNumber() const { return FirstNumber + static_cast<int>(Items.size()); }
};

// The placeholder as it travels in the editor's RTF: "\{pict 3\}".
std::string StashPlaceholder(std::string_view word, int number);

// The placeholder word for an RTF group that the editor pane cannot keep,
// starting at line[pos] == '{': "pict" for \pict, \object, \*\shppict,
// \nonshppict and \*\do groups; empty for anything else (footnotes are
// decided by the caller, which knows their context).
std::string_view PictureGroupWord(std::string_view line, std::size_t pos);

// Recognises a placeholder body at line[pos], the byte after an escaped
// opening brace: "pict N\}", "footnote N\}", "trowd N\}", "field N\}" or
// "fieldend N\}". On success sets the item and
// the length of the body (through its closing "\}").
bool MatchPlaceholder(std::string_view line, std::size_t pos, const TopicStash& stash,
                      const TopicStashItem*& item, int& number, std::size_t& length);

// The numbers of the field openings and ends that may be put back in the
// editor's lines: each opening whose own end follows it, nested as the
// fields were, both met for the first time. Any other (the author deleted
// its partner, or copied it) would leave the file's braces unbalanced.
std::vector<bool> PairedFieldPlaceholders(const std::vector<std::string>& lines, const TopicStash& stash);

}  // namespace qm::editor
