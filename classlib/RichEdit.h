// The rich edit control (rich edit 1.0, class "RICHEDIT" of riched32.dll):
// text in and out as RTF, the selection, the modified and read-only flags.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "classlib/Control.h"

namespace cl {

// Character attributes of the selection (or of a whole text).
enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
struct TTextAttributes {
  COLORREF Color = 0;
  std::string Name;
  int Size = 0;         // points
  unsigned Style = 0;   // TFontStyle bits
};

// Paragraph attributes: alignment, bullets, indents in points (the left
// indent counted from the first line's).
enum class TParaAlignment { Left = 0, Right = 1, Center = 2 };
struct TParaAttributes {
  TParaAlignment Alignment = TParaAlignment::Left;
  bool Bullet = false;
  int FirstIndent = 0;
  int LeftIndent = 0;
  int RightIndent = 0;
};

// Marks the rich edit h modified after a character or paragraph format was
// set on it, and runs its change event as a typed character would.
void MarkFormatChanged(HWND h);

// A paragraph's keep flags, as bits: kept whole (\keep), kept with the next
// paragraph (\keepn).
enum TKeepFlags : unsigned { kfKeepWhole = 1, kfKeepWithNext = 2 };
// The keep flags of each paragraph of the rich edit h, in order.
std::vector<unsigned> GetParagraphKeepFlags(HWND h);
// Gives each paragraph of h its entry of flags, when flags has one entry per
// paragraph (otherwise it returns false and changes nothing). The selection
// stays, and the control sends no notification meanwhile.
bool SetParagraphKeepFlags(HWND h, const std::vector<unsigned>& flags);
// The first character of each paragraph of the rich edit h, in order.
std::vector<LONG> GetParagraphStarts(HWND h);

class TRichEdit : public TControl {
 public:
  TRichEdit(TComponent* owner, TControl* parent, DWORD extra_style = 0);

  // The whole text as RTF, in and out.
  void LoadRtf(const std::string& rtf);
  std::string SaveRtf() const;
  // The RTF that a hidden control of this class writes for one paragraph
  // with this start indent and offset (twips, as EM_SETPARAFORMAT takes
  // them): how the control writes indents, asked of the control itself.
  static std::string ParagraphRtf(long start_twips, long offset_twips);
  // The RTF that such a control writes for a copy of the second of two
  // paragraphs, both with this start indent and offset: whether a copy
  // holds its first paragraph's format, asked of the control itself.
  static std::string CopiedParagraphRtf(long start_twips, long offset_twips);
  // The keep flags of each paragraph of a hidden control of this class that
  // read rtf: how the control reads them, asked of the control itself.
  static std::vector<unsigned> KeepFlagsRead(const std::string& rtf);
  // The format of each paragraph of a hidden control of this class that
  // read rtf (EM_GETPARAFORMAT's, tab table included).
  static std::vector<PARAFORMAT2> ParagraphFormatsRead(const std::string& rtf);
  // Puts rtf in place of the selection, as a paste would.
  void ReplaceSelectionRtf(const std::string& rtf);
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

  // The selection's character attributes, as the control reports them for
  // its start; setting them sets every attribute on the whole selection.
  TTextAttributes SelAttributes() const;
  void SetSelAttributes(const TTextAttributes& a);
  // One attribute at a time.
  void SetSelColor(COLORREF c);
  void SetSelFontName(const std::string& name);
  void SetSelSize(int points);
  void SetSelStyle(unsigned style);
  // The paragraph attributes of the selection's first paragraph; setting
  // one applies it to every paragraph of the selection.
  TParaAttributes Paragraph() const;
  void SetAlignment(TParaAlignment a);
  void SetBullet(bool on);
  void SetIndents(int first, int left, int right);
  bool CanUndo() const;

  // The face that takes a typed or inserted double-byte character when the
  // text at the caret is in a font without the Japanese character set.
  std::string DbcsFontName = "ＭＳ Ｐゴシック";

  std::function<void(TRichEdit*)> OnSelectionChange;
  std::function<void(TRichEdit*)> OnChange;
  // After the control has put its selection on the clipboard, once per copy
  // or cut, however it was asked: WM_COPY or WM_CUT, and the keys, which
  // are sent as those (Ctrl+C and Ctrl+Insert copy, Ctrl+X and Shift+Delete
  // cut, Shift+Insert pastes, as in every edit control; not every rich edit
  // has the Insert and Delete ones of its own, Wine's has not). first is
  // the format of the selection's first paragraph as it was before the copy
  // (EM_GETPARAFORMAT: after a cut the text is gone).
  std::function<void(TRichEdit*, const PARAFORMAT& first)> OnCopy;
  // Before the control pastes, however it was asked (WM_PASTE, Ctrl+V,
  // Shift+Insert): true when it pasted itself, and the control does not.
  std::function<bool(TRichEdit*)> OnPaste;
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
  void GiveSelectionDbcsFont();
  void Stream(const std::string& data, UINT format);
  std::string StreamOut(UINT format) const;
};

}  // namespace cl
