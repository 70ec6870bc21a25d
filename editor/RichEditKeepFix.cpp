#include "editor/RichEditKeepFix.h"

#include <algorithm>
#include <cstring>

#include "classlib/Clipboard.h"
#include "editor/RichEditTabFix.h"
#include "editor/core/NegativeTabs.h"
#include "editor/core/ParagraphKeepFlags.h"

namespace qm::editor {

namespace {

// The clipboard's RTF, up to its first NUL; empty when it has none or
// another program holds the clipboard.
std::string ClipboardRtf(HWND owner) {
  cl::TClipboard clipboard(owner);
  try {
    clipboard.Open();
    HANDLE h = clipboard.GetAsHandle(RegisterClipboardFormatA("Rich Text Format"));
    const char* p = h ? static_cast<const char*>(GlobalLock(h)) : nullptr;
    if (!p) return {};
    const std::size_t size = GlobalSize(h);
    std::string rtf(p, strnlen(p, size));
    GlobalUnlock(h);
    return rtf;
  } catch (const cl::EClipboardError&) {
    return {};
  }
}

// The format of the paragraph that holds character at (the selection kept).
PARAFORMAT2 FormatAt(HWND h, LONG at) {
  CHARRANGE selection{};
  SendMessageA(h, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  CHARRANGE caret{at, at};
  SendMessageA(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  PARAFORMAT2 pf = {};
  pf.cbSize = sizeof pf;
  SendMessageA(h, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  SendMessageA(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  return pf;
}

// The index of the paragraph that holds character at (starts: each one's
// first character).
std::size_t ParagraphAt(const std::vector<LONG>& starts, LONG at) {
  const auto it = std::upper_bound(starts.begin(), starts.end(), at);
  return it == starts.begin() ? 0 : static_cast<std::size_t>(it - starts.begin() - 1);
}

}  // namespace

bool RichEditCarriesKeepFlags() {
  static const bool carries = ReaderCarriesKeepFlags(cl::TRichEdit::KeepFlagsRead(std::string(kKeepProbeRtf)));
  return carries;
}

void MendLoadedKeepFlags(cl::TRichEdit& editor, const std::string& rtf) {
  if (!RichEditCarriesKeepFlags()) return;
  if (cl::SetParagraphKeepFlags(editor.Handle(), ParagraphKeepFlags(rtf)))
    SendMessageA(editor.Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
}

bool PasteMended(cl::TRichEdit& editor) {
  const bool tabs = RichEditLosesNegativeTabs();
  const bool carries = RichEditCarriesKeepFlags();
  if ((!tabs && !carries) || editor.ReadOnly()) return false;
  const HWND h = editor.Handle();
  const std::string rtf = ClipboardRtf(h);
  if (rtf.empty()) return false;
  CHARRANGE selection{};
  SendMessageA(h, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  const std::vector<LONG> starts = cl::GetParagraphStarts(h);
  const std::vector<unsigned> held = cl::GetParagraphKeepFlags(h);
  // The paragraph the pasted text runs into keeps its own format (not every
  // reader leaves it so).
  PARAFORMAT2 runs_into = FormatAt(h, selection.cpMax);
  editor.ReplaceSelectionRtf(tabs ? HideNegativeTabs(rtf) : rtf);
  SendMessageA(h, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&runs_into));
  if (carries && !starts.empty()) {
    CHARRANGE end{};
    SendMessageA(h, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&end));
    const std::vector<LONG> now = cl::GetParagraphStarts(h);
    const auto ends = static_cast<std::size_t>(
        std::count_if(now.begin(), now.end(), [&](LONG s) { return s > selection.cpMin && s <= end.cpMax; }));
    const std::vector<unsigned> flags =
        KeepFlagsAfterPaste(held, ParagraphAt(starts, selection.cpMin), ParagraphAt(starts, selection.cpMax),
                            ParagraphKeepFlags(rtf), ends);
    if (flags.size() == now.size()) cl::SetParagraphKeepFlags(h, flags);
  }
  cl::MarkFormatChanged(h);
  return true;
}

}  // namespace qm::editor
