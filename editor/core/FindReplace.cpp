#include "editor/core/FindReplace.h"

#include "core/Cp932.h"

namespace qm::editor {

const char kReplaceDoneMessage[] = "置換が終了しました.";

bool FindNext(FindTarget& target, const std::string& findText, const FindOptions& options) {
  if (findText.empty()) return false;
  const long start = target.SelStart() + target.SelLength();
  const long length = target.TextLength() - start;
  if (length <= 0) return false;
  long matchStart = 0, matchLength = 0;
  if (!target.Find(findText, start, length, options, matchStart, matchLength)) return false;
  target.Select(matchStart, matchLength);
  return true;
}

bool SelectionMatches(const FindTarget& target, const std::string& findText, const FindOptions& options) {
  if (findText.empty()) return false;
  const std::string sel = target.SelText();
  return options.matchCase ? sel == findText : EqualsNoCase(sel, findText);
}

bool ReplaceAndFindNext(FindTarget& target, const std::string& findText, const std::string& replaceText,
                        const FindOptions& options) {
  if (SelectionMatches(target, findText, options)) target.ReplaceSelection(replaceText);
  return FindNext(target, findText, options);
}

int ReplaceAll(FindTarget& target, const std::string& findText, const std::string& replaceText,
               const FindOptions& options) {
  if (findText.empty()) return 0;
  int count = 0;
  if (SelectionMatches(target, findText, options)) {
    target.ReplaceSelection(replaceText);
    ++count;
  }
  for (;;) {
    const long from = target.SelStart() + target.SelLength();
    if (!FindNext(target, findText, options)) break;
    // A control that reports an empty match, or one before the search's
    // start, would make this loop endless.
    if (target.SelLength() <= 0 || target.SelStart() < from) break;
    target.ReplaceSelection(replaceText);
    ++count;
  }
  return count;
}

std::string NotFoundMessage(const std::string& findText) {
  return "\"" + findText + "\"が見つかりません.";
}

}  // namespace qm::editor
