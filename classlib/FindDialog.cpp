#include "classlib/FindDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "classlib/Application.h"

namespace cl {

namespace {

UINT FindMessage() {
  static const UINT msg = RegisterWindowMessageA(FINDMSGSTRINGA);
  return msg;
}

void CopyInto(char* buf, std::size_t size, const std::string& text) {
  std::size_t n = std::min(text.size(), size - 1);
  std::memcpy(buf, text.data(), n);
  buf[n] = '\0';
}

}  // namespace

TFindDialog::TFindDialog(TComponent* owner, bool replace) : TComponent(owner), replace_(replace) {}

TFindDialog::~TFindDialog() {
  CloseDialog();
  if (owner_) RemoveWindowSubclass(owner_, OwnerProc, reinterpret_cast<UINT_PTR>(this));
}

void TFindDialog::Execute(HWND owner) {
  if (handle_ && IsWindow(handle_)) {
    ShowWindow(handle_, SW_SHOW);
    SetActiveWindow(handle_);
    return;
  }
  if (owner_ != owner) {
    if (owner_) RemoveWindowSubclass(owner_, OwnerProc, reinterpret_cast<UINT_PTR>(this));
    owner_ = owner;
    SetWindowSubclass(owner_, OwnerProc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
  }
  CopyInto(find_buf_, sizeof find_buf_, FindText);
  CopyInto(replace_buf_, sizeof replace_buf_, ReplaceText);
  record_ = {};
  record_.lStructSize = sizeof record_;
  record_.hwndOwner = owner;
  record_.lpstrFindWhat = find_buf_;
  record_.wFindWhatLen = sizeof find_buf_;
  record_.lCustData = reinterpret_cast<LPARAM>(this);
  record_.Flags = (Down ? FR_DOWN : 0) | (HideUpDown ? FR_HIDEUPDOWN : 0) |
                  (WholeWord ? FR_WHOLEWORD : 0) | (MatchCase ? FR_MATCHCASE : 0);
  if (replace_) {
    record_.lpstrReplaceWith = replace_buf_;
    record_.wReplaceWithLen = sizeof replace_buf_;
    handle_ = ::ReplaceTextA(&record_);
  } else {
    handle_ = ::FindTextA(&record_);
  }
  if (handle_) Application().AddModelessDialog(handle_);
}

void TFindDialog::Forget() {
  if (handle_) Application().RemoveModelessDialog(handle_);
  handle_ = nullptr;
}

void TFindDialog::CloseDialog() {
  HWND h = handle_;
  Forget();
  if (h && IsWindow(h)) DestroyWindow(h);
}

int TFindDialog::Width() const {
  RECT r{};
  if (!handle_ || !GetWindowRect(handle_, &r)) return 0;
  return r.right - r.left;
}

int TFindDialog::Height() const {
  RECT r{};
  if (!handle_ || !GetWindowRect(handle_, &r)) return 0;
  return r.bottom - r.top;
}

void TFindDialog::MoveTo(int left, int top) {
  if (handle_) SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFindDialog::DialogMessage(const FINDREPLACEA& fr) {
  if (fr.Flags & FR_DIALOGTERM) {
    Forget();
    return;
  }
  FindText = fr.lpstrFindWhat ? fr.lpstrFindWhat : "";
  if (replace_ && fr.lpstrReplaceWith) ReplaceText = fr.lpstrReplaceWith;
  WholeWord = (fr.Flags & FR_WHOLEWORD) != 0;
  MatchCase = (fr.Flags & FR_MATCHCASE) != 0;
  Down = (fr.Flags & FR_DOWN) != 0;
  ReplaceAll = (fr.Flags & FR_REPLACEALL) != 0;
  if (fr.Flags & (FR_REPLACE | FR_REPLACEALL)) {
    if (OnReplace) OnReplace(this);
  } else if (fr.Flags & FR_FINDNEXT) {
    if (OnFind) OnFind(this);
  }
}

LRESULT CALLBACK TFindDialog::OwnerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                        DWORD_PTR data) {
  if (msg == FindMessage()) {
    auto* fr = reinterpret_cast<FINDREPLACEA*>(lp);
    auto* self = reinterpret_cast<TFindDialog*>(data);
    if (fr && fr->lCustData == reinterpret_cast<LPARAM>(self)) {
      try {
        self->DialogMessage(*fr);
      } catch (const std::exception& e) {
        Application().HandleException(e);
      }
      return 0;
    }
  }
  return DefSubclassProc(h, msg, wp, lp);
}

}  // namespace cl
