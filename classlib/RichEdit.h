// The rich edit control (rich edit 1.0, class "RICHEDIT" of riched32.dll):
// text in and out as RTF, the selection, the modified and read-only flags.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <string>

#include "classlib/Control.h"

namespace cl {

class TRichEdit : public TControl {
 public:
  TRichEdit(TComponent* owner, TControl* parent, DWORD extra_style = 0);

  // The whole text as RTF, in and out.
  void LoadRtf(const std::string& rtf);
  std::string SaveRtf() const;
  // The whole text as plain text (lines end in CR LF).
  void LoadText(const std::string& text);
  std::string PlainText() const;
  void Clear();

  // Lines: the count leaves out a trailing empty line.
  int LineCount() const;
  std::string Line(int index) const;

  int SelStart() const;
  int SelLength() const;
  void SetSel(int start, int length);
  std::string SelText() const;
  void SetSelText(const std::string& text);

  bool Modified() const;
  void SetModified(bool v);
  bool ReadOnly() const;
  void SetReadOnly(bool v);
  void SetBackgroundColor(COLORREF c);
  // Default and selection attributes back to plain black text in this font,
  // the paragraph to no numbering, left alignment and no indents.
  void ResetAttributes(const std::string& font_name, int points);

  // The face that takes a typed double-byte character when the text at the
  // caret is in a font without the Japanese character set.
  std::string DbcsFontName = "ＭＳ Ｐゴシック";

  std::function<void(TRichEdit*)> OnSelectionChange;
  std::function<void(TRichEdit*)> OnChange;
  bool Notify(NMHDR* hdr, LRESULT& result) override;
  bool Command(WORD code) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 protected:
  // Puts one typed character (one byte, or a double-byte pair) at the caret
  // as typing would.
  virtual void InsertTypedChar(const std::string& ch);
  // A lead byte waits for its trail: the next WM_CHAR completes it.
  bool LeadBytePending() const { return pending_lead_ != 0; }

 private:
  // A double-byte character typed into this ANSI window arrives as a lead
  // byte and a trail byte; the lead waits here for its trail.
  unsigned char pending_lead_ = 0;
  void Stream(const std::string& data, UINT format);
  std::string StreamOut(UINT format) const;
};

}  // namespace cl
