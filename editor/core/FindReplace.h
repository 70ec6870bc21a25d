// Find and replace on the open topic, over a small interface to the editor
// control so that the loops can be checked without a window.
//
// Positions and lengths are those of the control. A match is selected as the
// range the control's find reports, not by the find text's length: the rich
// edit counts characters, the text is code page 932 bytes, and a Japanese
// match would otherwise be selected short or long.
#pragma once

#include <string>

namespace qm::editor {

struct FindOptions {
  bool wholeWord = false;
  bool matchCase = false;
};

class FindTarget {
 public:
  virtual ~FindTarget() = default;
  virtual long SelStart() const = 0;
  virtual long SelLength() const = 0;
  virtual std::string SelText() const = 0;
  virtual long TextLength() const = 0;
  // The first match of text within [start, start + length): true with its
  // range, false when there is none.
  virtual bool Find(const std::string& text, long start, long length, const FindOptions& options,
                    long& matchStart, long& matchLength) = 0;
  virtual void Select(long start, long length) = 0;
  // Replaces the selection; afterwards the caret stands after the new text
  // with nothing selected.
  virtual void ReplaceSelection(const std::string& text) = 0;
};

// Searches from the end of the selection to the end of the text and selects
// the match. False when there is none, and for an empty find text.
bool FindNext(FindTarget& target, const std::string& findText, const FindOptions& options);

// True when the selection is the find text: the same bytes with "match case",
// else equal apart from the case of ASCII letters. Never for an empty find
// text.
bool SelectionMatches(const FindTarget& target, const std::string& findText, const FindOptions& options);

// Replace: the selection when it is the find text, then the next match is
// selected. Returns whether a next match was found.
bool ReplaceAndFindNext(FindTarget& target, const std::string& findText, const std::string& replaceText,
                        const FindOptions& options);

// Replace all: the selection when it is the find text, then every later
// match, each search starting after the text just put in (so a replace text
// that holds the find text is not found again, and nothing before the
// selection is touched). Returns the number of replacements; an empty find
// text replaces nothing.
int ReplaceAll(FindTarget& target, const std::string& findText, const std::string& replaceText,
               const FindOptions& options);

// "\"<find text>\"が見つかりません." and "置換が終了しました.".
std::string NotFoundMessage(const std::string& findText);
extern const char kReplaceDoneMessage[];

}  // namespace qm::editor
