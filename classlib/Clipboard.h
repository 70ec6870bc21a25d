// The system clipboard: opening it (with a retry while another program holds
// it), handles of any format, text, and graphics in their clipboard form.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace cl {

class TGraphic;

class EClipboardError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TClipboard {
 public:
  // The clipboard's owner window while it is open (may be null).
  explicit TClipboard(HWND owner = nullptr) : owner_(owner) {}
  ~TClipboard();
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  // How long Open waits for another program that holds the clipboard.
  static constexpr DWORD kBusyWaitMs = 2000;

  // Opens the clipboard; nested opens count and only the last Close closes
  // it. Throws EClipboardError when another program
  // keeps it for longer than kBusyWaitMs.
  void Open();
  void Close();
  bool IsOpen() const { return opens_ > 0; }

  bool HasFormat(UINT format) const;
  // The clipboard's handle of format, or null; it stays the clipboard's.
  HANDLE GetAsHandle(UINT format);
  // Hands data to the clipboard (emptied first, once per opening); data is
  // freed when the clipboard does not take it.
  void SetAsHandle(UINT format, HANDLE data);
  // Empties the clipboard and puts the graphic's clipboard data there, with
  // its palette as CF_PALETTE when it gives one.
  void Assign(const TGraphic& graphic);

  // The text (CF_TEXT) up to its first NUL; empty when there is none.
  // Throws EClipboardError as Open does.
  std::string AsText();
  // Replaces the clipboard's contents by the text (an empty one too).
  // Throws EClipboardError as Open does, or when the text is not taken.
  void SetAsText(const std::string& text);

 private:
  HWND owner_;
  int opens_ = 0;
  bool emptied_ = false;
};

}  // namespace cl
