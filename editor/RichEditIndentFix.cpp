#include "editor/RichEditIndentFix.h"

#include <cstring>
#include <utility>
#include <vector>

#include "classlib/Clipboard.h"
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

}  // namespace

bool RichEditSwapsIndents() {
  static const bool swapped =
      WriterSwapsIndents(cl::TRichEdit::ParagraphRtf(kIndentProbeStart, kIndentProbeOffset));
  return swapped;
}

std::string EditorRtf(const cl::TRichEdit& editor) {
  std::string rtf = editor.SaveRtf();
  return RichEditSwapsIndents() ? MendSwappedIndents(rtf) : rtf;
}

void MendCopiedIndents(const cl::TRichEdit& editor) {
  if (!RichEditSwapsIndents()) return;
  const UINT rtf_format = RegisterClipboardFormatA("Rich Text Format");
  cl::TClipboard clipboard(editor.Handle());
  try {
    clipboard.Open();
    const std::string rtf = HandleBytes(clipboard.GetAsHandle(rtf_format));
    const std::string mended = MendSwappedIndents(rtf);
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
