#include "classlib/Clipboard.h"

#include <cstring>

#include "classlib/ErrorTexts.h"
#include "classlib/Graphics.h"

namespace cl {

namespace {

// Frees a handle that the clipboard did not take.
void FreeData(UINT format, HANDLE data) {
  if (!data) return;
  if (format == CF_PALETTE || format == CF_BITMAP) DeleteObject(data);
  else GlobalFree(data);
}

}  // namespace

TClipboard::~TClipboard() {
  if (opens_ > 0) CloseClipboard();
}

void TClipboard::Open() {
  if (opens_ == 0) {
    // Another program may hold it for a while: a viewer reading a change,
    // or, under Wine, the system handing a change on to the X programs that
    // ask for it, which takes long on a busy machine. A reader that gave up
    // too soon would lose what was just put there (the topic-id exchange
    // reads right after the other program wrote).
    const ULONGLONG until = GetTickCount64() + kBusyWaitMs;
    bool ok = OpenClipboard(owner_) != 0;
    while (!ok && GetTickCount64() < until) {
      Sleep(10);
      ok = OpenClipboard(owner_) != 0;
    }
    if (!ok) throw EClipboardError(kClipboardBusyText);
    emptied_ = false;
  }
  ++opens_;
}

void TClipboard::Close() {
  if (opens_ == 0) return;
  if (--opens_ == 0) CloseClipboard();
}

bool TClipboard::HasFormat(UINT format) const { return IsClipboardFormatAvailable(format) != 0; }

HANDLE TClipboard::GetAsHandle(UINT format) {
  Open();
  HANDLE h = GetClipboardData(format);
  Close();
  return h;
}

void TClipboard::SetAsHandle(UINT format, HANDLE data) {
  try {
    Open();
  } catch (...) {
    FreeData(format, data);
    throw;
  }
  if (!emptied_) {
    EmptyClipboard();
    emptied_ = true;
  }
  if (!SetClipboardData(format, data)) FreeData(format, data);
  Close();
}

void TClipboard::Assign(const TGraphic& graphic) {
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  graphic.SaveToClipboardFormat(format, data, palette);
  try {
    Open();
  } catch (...) {
    FreeData(format, data);
    FreeData(CF_PALETTE, palette);
    throw;
  }
  EmptyClipboard();
  emptied_ = true;
  SetAsHandle(format, data);
  if (palette) SetAsHandle(CF_PALETTE, palette);
  Close();
}

std::string TClipboard::AsText() {
  // Looked at only while it is open: another program may be changing it,
  // and under Wine the system hands every change on to X programs and may
  // put it back as data rendered on demand, so what it lists before it is
  // open, or the data it gives at once, may not be what it holds. Text that
  // it lists but does not give yet is asked for again, as long as Open would
  // wait for a holder.
  const ULONGLONG until = GetTickCount64() + kBusyWaitMs;
  for (;;) {
    Open();
    const bool listed = IsClipboardFormatAvailable(CF_TEXT) != 0;
    HANDLE h = listed ? GetClipboardData(CF_TEXT) : nullptr;
    std::string text;
    if (h) {
      if (const char* p = static_cast<const char*>(GlobalLock(h))) {
        // Never past the block, even without a terminator.
        text.assign(p, strnlen(p, GlobalSize(h)));
        GlobalUnlock(h);
      }
    }
    Close();
    if (!listed || h || GetTickCount64() >= until) return text;
    Sleep(10);
  }
}

void TClipboard::SetAsText(const std::string& text) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!mem) throw EClipboardError(kClipboardMemoryText);
  void* p = GlobalLock(mem);
  if (!p) {
    GlobalFree(mem);
    throw EClipboardError(kClipboardMemoryText);
  }
  std::memcpy(p, text.c_str(), text.size() + 1);
  GlobalUnlock(mem);
  try {
    Open();
  } catch (...) {
    GlobalFree(mem);
    throw;
  }
  EmptyClipboard();
  emptied_ = true;
  const bool taken = SetClipboardData(CF_TEXT, mem) != nullptr;
  if (!taken) GlobalFree(mem);
  Close();
  if (!taken) throw EClipboardError(kClipboardNotTakenText);
}

}  // namespace cl
