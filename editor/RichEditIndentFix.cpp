#include "editor/RichEditIndentFix.h"

#include <cstring>
#include <utility>
#include <vector>

#include "classlib/Clipboard.h"
#include "editor/RichEditTabFix.h"
#include "editor/core/CopiedParagraphFormat.h"
#include "editor/core/SwappedIndents.h"

namespace qm::editor {

namespace {

std::string HandleBytes(HANDLE h) {
  const void* p = h ? GlobalLock(h) : nullptr;
  if (!p) return {};
  std::string bytes(static_cast<const char*>(p), GlobalSize(h));
  GlobalUnlock(h);
  return bytes;
}

HGLOBAL BytesHandle(const std::string& bytes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
  if (!h) return nullptr;
  char* p = static_cast<char*>(GlobalLock(h));
  std::memcpy(p, bytes.c_str(), bytes.size() + 1);
  GlobalUnlock(h);
  return h;
}

ParagraphFormat FormatOf(const PARAFORMAT& pf) {
  ParagraphFormat f;
  f.start = pf.dxStartIndent;
  f.offset = pf.dxOffset;
  f.right = pf.dxRightIndent;
  f.alignment = pf.wAlignment == PFA_RIGHT     ? ParagraphFormat::kRight
                : pf.wAlignment == PFA_CENTER  ? ParagraphFormat::kCenter
                : pf.wAlignment == PFA_JUSTIFY ? ParagraphFormat::kJustify
                                               : ParagraphFormat::kLeft;
  f.bullet = pf.wNumbering == PFN_BULLET;
  // A tab stop's position is in the low 24 bits (the rest is its kind).
  for (int i = 0; i < pf.cTabCount && i < MAX_TAB_STOPS; ++i) f.tabs.push_back(pf.rgxTabs[i] & 0x00FFFFFF);
  return f;
}

}  // namespace

bool RichEditSwapsIndents() {
  static const bool swapped =
      WriterSwapsIndents(cl::TRichEdit::ParagraphRtf(kIndentProbeStart, kIndentProbeOffset));
  return swapped;
}

std::string EditorRtf(const cl::TRichEdit& editor) {
  std::string rtf = RtfFromEditor(editor.SaveRtf());
  return RichEditSwapsIndents() ? MendSwappedIndents(rtf) : rtf;
}

bool RichEditLeavesOutCopiedFormat() {
  static const bool leaves_out =
      WriterLeavesOutCopiedFormat(cl::TRichEdit::CopiedParagraphRtf(kIndentProbeStart, kIndentProbeOffset));
  return leaves_out;
}

void MendCopiedRtf(const cl::TRichEdit& editor, const PARAFORMAT& first) {
  const bool swaps = RichEditSwapsIndents();
  const bool leaves_out = RichEditLeavesOutCopiedFormat();
  const bool tabs = RichEditLosesNegativeTabs();
  if (!swaps && !leaves_out && !tabs) return;
  const UINT rtf_format = RegisterClipboardFormatA("Rich Text Format");
  cl::TClipboard clipboard(editor.Handle());
  try {
    clipboard.Open();
    const std::string rtf = HandleBytes(clipboard.GetAsHandle(rtf_format));
    // The indents the control wrote are mended first; the format put in
    // after them is written right already.
    std::string mended = swaps ? MendSwappedIndents(rtf) : rtf;
    if (leaves_out) mended = WithFirstParagraphFormat(mended, ParagraphFormatRtf(FormatOf(first)));
    // Tab stops hidden from the control get their place left of the margin
    // back (the first paragraph's format included).
    mended = RtfFromEditor(mended);
    if (rtf.empty() || mended == rtf) return;
    // The clipboard is filled anew with the text and the mended RTF; the
    // control's other formats describe the data object it gave up.
    std::vector<std::pair<UINT, std::string>> kept;
    for (UINT format : {UINT{CF_UNICODETEXT}, UINT{CF_TEXT}, UINT{CF_LOCALE}}) {
      if (clipboard.HasFormat(format)) kept.emplace_back(format, HandleBytes(clipboard.GetAsHandle(format)));
    }
    kept.emplace_back(rtf_format, mended);
    for (const auto& [format, bytes] : kept) {
      if (HGLOBAL h = BytesHandle(bytes)) clipboard.SetAsHandle(format, h);
    }
  } catch (const cl::EClipboardError&) {
    // Held by another program: the copy stays as the control made it.
  }
}

}  // namespace qm::editor
