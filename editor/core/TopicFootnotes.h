// The open topic's footnote fields and the footnote block of a topic file.
//
// A topic file is WinHelp RTF held as a list of lines (code page 932 bytes).
// Its first body line carries the footnote block: the context id (#), the
// title ($), browse id (+), keyword tables (B, K, A), entry macros (!) and
// window (>), and "\keepn" when the topic opens with a non-scrolling region.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/Lines.h"

namespace qm::editor {

// The open topic's fields. Values are the text itself (code page 932 bytes):
// reading a footnote decodes its RTF escapes, writing one escapes "\", "{"
// and "}" again.
struct TopicFields {
  std::string TopicTitle;   // $
  std::string BrowseId;     // +
  std::string BKeywords;    // B
  std::string KKeywords;    // K
  std::string AKeywords;    // A
  std::string TopicMacros;  // !
  std::string TopicWindow;  // >
  bool NoScroll = false;    // "\keepn" at the head of the block

  bool operator==(const TopicFields&) const = default;
};

// The field of a footnote letter ($ + B K A ! >); nullptr for any other byte
// (also for '#', whose value is the topic id).
std::string* FootnoteField(TopicFields& fields, char letter);

// True for the eight letters that mark a topic's footnotes: # $ + B K A ! >.
bool IsFootnoteLetter(char c);

// Index of the first body line: 2 when line 1 begins with "{\colortbl",
// otherwise 1 (also when there are fewer than two lines).
std::size_t FirstBodyLine(const Lines& lines);

// The join rule: when the first body line is at least two bytes long, its
// last-but-one byte is '}' and the next line begins with "\viewkind", that
// line is appended to the first body line and removed.
void ApplyJoinRule(Lines& lines, std::size_t first);

// The footnote block without its lead: "#{\footnote id} " and then each
// non-empty field in the order $ + B K A ! >, every footnote ended by "} ".
std::string FootnoteBlockBody(std::string_view topic_id, const TopicFields& fields);

// Puts the footnote block into the first body line lines[first] (which may
// take the following line into it) and returns the position just after the
// block, where the caller goes on with the rest of the line. The lead is
// "\keepn " when fields.NoScroll is set, else nothing, or one blank after
// "\pard". When the line offers no place at all the block goes at its end,
// so the topic's fields are never dropped. block_at, when given, receives
// where the block begins.
std::size_t PlaceFootnoteBlock(Lines& lines, std::size_t first, std::string_view topic_id,
                               const TopicFields& fields, std::size_t* block_at = nullptr);

// Reads a footnote's value; pos is at the '{' of "{\footnote ". The value is
// the text after the first blank up to the first unescaped '}' (double-byte
// pairs whole), with "\'xx", "\\", "\{" and "\}" decoded to the bytes they
// stand for. pos moves past the '}' and past one blank after it, when there
// is one.
void ReadFootnoteText(std::string_view line, std::size_t& pos, std::string& value);

// A value as footnote text: single-byte "\", "{" and "}" escaped (the trail
// byte of a double-byte character never is).
std::string EscapeFootnoteText(std::string_view value);

// True when the footnote group at pos ("{\footnote ") holds plain text only:
// its first unescaped brace after the opening is the closing one, on this
// line.
bool IsPlainFootnote(std::string_view line, std::size_t pos);

}  // namespace qm::editor
