#include "editor/RichEditFindTarget.h"

#include <windows.h>
#include <richedit.h>

namespace qm::editor {

long RichEditFindTarget::SelStart() const { return edit_.SelStart(); }
long RichEditFindTarget::SelLength() const { return edit_.SelLength(); }
std::string RichEditFindTarget::SelText() const { return edit_.SelText(); }

long RichEditFindTarget::TextLength() const {
  // In characters, as the positions are; a double-byte character is one.
  GETTEXTLENGTHEX gtl = {};
  gtl.flags = GTL_NUMCHARS | GTL_PRECISE;
  gtl.codepage = CP_ACP;
  LRESULT n = SendMessageA(edit_.Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0);
  if (n >= 0) return static_cast<long>(n);
  return GetWindowTextLengthA(edit_.Handle());
}

bool RichEditFindTarget::Find(const std::string& text, long start, long length,
                              const FindOptions& options, long& matchStart, long& matchLength) {
  FINDTEXTEXA ft = {};
  ft.chrg.cpMin = start;
  ft.chrg.cpMax = start + length;
  ft.lpstrText = text.c_str();
  WPARAM flags = FR_DOWN;
  if (options.wholeWord) flags |= FR_WHOLEWORD;
  if (options.matchCase) flags |= FR_MATCHCASE;
  LRESULT found = SendMessageA(edit_.Handle(), EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&ft));
  if (found < 0) return false;
  matchStart = ft.chrgText.cpMin;
  matchLength = ft.chrgText.cpMax - ft.chrgText.cpMin;
  return true;
}

void RichEditFindTarget::Select(long start, long length) {
  // The match is shown where the author works.
  SetFocus(edit_.Handle());
  edit_.SetSel(static_cast<int>(start), static_cast<int>(length));
  SendMessageA(edit_.Handle(), EM_SCROLLCARET, 0, 0);
}

void RichEditFindTarget::ReplaceSelection(const std::string& text) { edit_.SetSelText(text); }

}  // namespace qm::editor
