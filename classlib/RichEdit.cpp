#include "classlib/RichEdit.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "classlib/ErrorTexts.h"

namespace cl {

namespace {
struct InCookie {
  const std::string* data;
  std::size_t pos;
};

DWORD CALLBACK ReadCallback(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* done) {
  auto* c = reinterpret_cast<InCookie*>(cookie);
  std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(cb), c->data->size() - c->pos);
  std::memcpy(buf, c->data->data() + c->pos, n);
  c->pos += n;
  *done = static_cast<LONG>(n);
  return 0;
}

DWORD CALLBACK WriteCallback(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* done) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(buf), static_cast<std::size_t>(cb));
  *done = cb;
  return 0;
}

std::string StreamOutOf(HWND h, UINT format) {
  std::string out;
  EDITSTREAM es = {};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
  es.pfnCallback = WriteCallback;
  SendMessageA(h, EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&es));
  return out;
}

void LoadRichEditLibrary() {
  static HMODULE lib = LoadLibraryA("riched32.dll");
  if (!lib) throw std::runtime_error(kRichEditLibraryText);
}
}  // namespace

TRichEdit::TRichEdit(TComponent* owner, TControl* parent, DWORD extra_style)
    : TControl(owner, parent) {
  LoadRichEditLibrary();
  CreateHandle("RICHEDIT", "",
               WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL |
                   ES_WANTRETURN | extra_style,
               WS_EX_CLIENTEDGE);
  SendMessageA(Handle(), EM_SETEVENTMASK, 0, ENM_SELCHANGE | ENM_CHANGE);
  SendMessageA(Handle(), EM_EXLIMITTEXT, 0, 0x7FFFFFF0);
}

namespace {
void StreamInto(HWND h, const std::string& data, UINT format) {
  InCookie c{&data, 0};
  EDITSTREAM es = {};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&c);
  es.pfnCallback = ReadCallback;
  SendMessageA(h, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
}
}  // namespace

void TRichEdit::Stream(const std::string& data, UINT format) { StreamInto(Handle(), data, format); }

std::string TRichEdit::StreamOut(UINT format) const { return StreamOutOf(Handle(), format); }

namespace {
// A hidden control of the class holding text, each paragraph with this start
// indent and offset: its RTF of the text from line `from` on.
std::string HiddenControlRtf(const char* text, int from, long start_twips, long offset_twips) {
  LoadRichEditLibrary();
  HWND h = CreateWindowExA(0, "RICHEDIT", text, WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  if (!h) return {};
  PARAFORMAT pf = {};
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_STARTINDENT | PFM_OFFSET;
  pf.dxStartIndent = start_twips;
  pf.dxOffset = offset_twips;
  SendMessageA(h, EM_SETSEL, 0, -1);
  SendMessageA(h, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  const LRESULT at = SendMessageA(h, EM_LINEINDEX, static_cast<WPARAM>(from), 0);
  SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(at), -1);
  std::string out = StreamOutOf(h, from > 0 ? SF_RTF | SFF_SELECTION : SF_RTF);
  DestroyWindow(h);
  return out;
}
}  // namespace

std::string TRichEdit::ParagraphRtf(long start_twips, long offset_twips) {
  return HiddenControlRtf("x", 0, start_twips, offset_twips);
}

std::string TRichEdit::CopiedParagraphRtf(long start_twips, long offset_twips) {
  return HiddenControlRtf("x\ry", 1, start_twips, offset_twips);
}

std::vector<unsigned> TRichEdit::KeepFlagsRead(const std::string& rtf) {
  LoadRichEditLibrary();
  HWND h = CreateWindowExA(0, "RICHEDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  if (!h) return {};
  StreamInto(h, rtf, SF_RTF);
  std::vector<unsigned> flags = GetParagraphKeepFlags(h);
  DestroyWindow(h);
  return flags;
}

std::vector<PARAFORMAT2> TRichEdit::ParagraphFormatsRead(const std::string& rtf) {
  LoadRichEditLibrary();
  HWND h = CreateWindowExA(0, "RICHEDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  if (!h) return {};
  StreamInto(h, rtf, SF_RTF);
  std::vector<PARAFORMAT2> formats;
  for (LONG start : GetParagraphStarts(h)) {
    CHARRANGE at{start, start};
    SendMessageA(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
    PARAFORMAT2 pf = {};
    pf.cbSize = sizeof pf;
    SendMessageA(h, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    formats.push_back(pf);
  }
  DestroyWindow(h);
  return formats;
}

void TRichEdit::ReplaceSelectionRtf(const std::string& rtf) { Stream(rtf, SF_RTF | SFF_SELECTION); }

namespace {
// The first character of each paragraph of the rich edit h; empty when the
// control does not give its text.
std::vector<LONG> ParagraphStarts(HWND h) {
  GETTEXTLENGTHEX length = {};
  length.flags = GTL_NUMCHARS | GTL_PRECISE;
  length.codepage = 1200;
  const LRESULT n = SendMessageA(h, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  if (n < 0) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  GETTEXTEX get = {};
  get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  get.flags = GT_DEFAULT;
  get.codepage = 1200;
  const LRESULT got =
      SendMessageA(h, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(&text[0]));
  if (got < 0 || (got == 0 && n > 0)) return {};
  text.resize(static_cast<std::size_t>(std::min(got, n)));
  // A paragraph ends in CR, or CR LF as the first rich edit counts it.
  std::vector<LONG> starts{0};
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\r') continue;
    if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    starts.push_back(static_cast<LONG>(i + 1));
  }
  return starts;
}

// Runs what with the control's notifications off and its selection kept.
template <typename F>
void Quietly(HWND h, F what) {
  const LRESULT mask = SendMessageA(h, EM_SETEVENTMASK, 0, 0);
  CHARRANGE selection{};
  SendMessageA(h, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  what();
  SendMessageA(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SendMessageA(h, EM_SETEVENTMASK, 0, mask);
}
}  // namespace

namespace {
// The keep flags of the paragraphs that begin at starts (selection and
// notifications handled by the caller).
std::vector<unsigned> KeepFlagsAt(HWND h, const std::vector<LONG>& starts) {
  std::vector<unsigned> flags;
  for (LONG start : starts) {
    CHARRANGE at{start, start};
    SendMessageA(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
    PARAFORMAT2 pf = {};
    pf.cbSize = sizeof pf;
    SendMessageA(h, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    flags.push_back(((pf.wEffects & PFE_KEEP) ? kfKeepWhole : 0u) |
                    ((pf.wEffects & PFE_KEEPNEXT) ? kfKeepWithNext : 0u));
  }
  return flags;
}
}  // namespace

std::vector<LONG> GetParagraphStarts(HWND h) { return ParagraphStarts(h); }

std::vector<unsigned> GetParagraphKeepFlags(HWND h) {
  std::vector<unsigned> flags;
  const std::vector<LONG> starts = ParagraphStarts(h);
  Quietly(h, [&] { flags = KeepFlagsAt(h, starts); });
  return flags;
}

bool SetParagraphKeepFlags(HWND h, const std::vector<unsigned>& flags) {
  const std::vector<LONG> starts = ParagraphStarts(h);
  if (starts.size() != flags.size()) return false;
  Quietly(h, [&] {
    // Only paragraphs whose flags differ, each run of them that takes the
    // same flags at once: the selection from the first one's start to the
    // last one's (which not every control counts in when the selection ends
    // there), then the last one's start.
    const std::vector<unsigned> held = KeepFlagsAt(h, starts);
    for (std::size_t i = 0, j = 0; i < flags.size(); i = j) {
      j = i + 1;
      if (held[i] == flags[i]) continue;
      while (j < flags.size() && held[j] != flags[j] && flags[j] == flags[i]) ++j;
      PARAFORMAT2 pf = {};
      pf.cbSize = sizeof pf;
      pf.dwMask = PFM_KEEP | PFM_KEEPNEXT;
      pf.wEffects = static_cast<WORD>(((flags[i] & kfKeepWhole) ? PFE_KEEP : 0) |
                                      ((flags[i] & kfKeepWithNext) ? PFE_KEEPNEXT : 0));
      for (CHARRANGE range : {CHARRANGE{starts[i], starts[j - 1]}, CHARRANGE{starts[j - 1], starts[j - 1]}}) {
        SendMessageA(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        SendMessageA(h, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
      }
    }
  });
  return true;
}

void TRichEdit::LoadRtf(const std::string& rtf) { Stream(rtf, SF_RTF); }
std::string TRichEdit::SaveRtf() const { return StreamOut(SF_RTF); }
void TRichEdit::LoadText(const std::string& text) { Stream(text, SF_TEXT); }
std::string TRichEdit::PlainText() const { return StreamOut(SF_TEXT); }
void TRichEdit::Clear() { SetWindowTextA(Handle(), ""); }

int TRichEdit::LineCount() const {
  int n = static_cast<int>(SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0));
  // The count leaves out the empty line after a last line break.
  if (n > 0 && Line(n - 1).empty()) --n;
  return n;
}

std::string TRichEdit::Line(int index) const {
  int start = static_cast<int>(SendMessageA(Handle(), EM_LINEINDEX, static_cast<WPARAM>(index), 0));
  if (start < 0) return {};
  int len = static_cast<int>(SendMessageA(Handle(), EM_LINELENGTH, static_cast<WPARAM>(start), 0));
  std::string buf(static_cast<std::size_t>(len) + 2 + sizeof(WORD), '\0');
  *reinterpret_cast<WORD*>(&buf[0]) = static_cast<WORD>(buf.size());
  int got = static_cast<int>(SendMessageA(Handle(), EM_GETLINE, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(&buf[0])));
  buf.resize(static_cast<std::size_t>(std::max(got, 0)));
  while (!buf.empty() && (buf.back() == '\r' || buf.back() == '\n')) buf.pop_back();
  return buf;
}

int TRichEdit::SelStart() const {
  CHARRANGE r;
  SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r.cpMin;
}

int TRichEdit::SelLength() const {
  CHARRANGE r;
  SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r.cpMax - r.cpMin;
}

void TRichEdit::SetSel(int start, int length) {
  CHARRANGE r{start, start + length};
  SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

std::string TRichEdit::SelText() const {
  std::string buf(static_cast<std::size_t>(SelLength()) * 2 + 2, '\0');
  // EM_GETTEXTEX with the buffer's size in bytes: EM_GETSELTEXT sizes its
  // answer in characters on some systems and cuts double-byte text short.
  GETTEXTEX gt = {};
  gt.cb = static_cast<DWORD>(buf.size());
  gt.flags = GT_SELECTION;
  gt.codepage = CP_ACP;
  LRESULT got = SendMessageA(Handle(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt),
                             reinterpret_cast<LPARAM>(&buf[0]));
  if (got <= 0 && SelLength() > 0)
    SendMessageA(Handle(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(&buf[0]));
  // The text ends at its terminating zero.
  buf.resize(std::strlen(buf.c_str()));
  return buf;
}

void TRichEdit::SetSelText(const std::string& text) {
  for (unsigned char c : text)
    if (IsDBCSLeadByte(c)) {
      GiveSelectionDbcsFont();
      break;
    }
  SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TRichEdit::GiveSelectionDbcsFont() {
  // Japanese text put into a run of a Western font would show as boxes and
  // be written out as Unicode escapes, which the help compiler does not
  // read: the text about to replace the selection takes a Japanese font.
  CHARFORMATA cf = {};
  cf.cbSize = sizeof cf;
  SendMessageA(Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  if ((cf.dwMask & CFM_CHARSET) && cf.bCharSet == SHIFTJIS_CHARSET) return;
  CHARFORMATA jp = {};
  jp.cbSize = sizeof jp;
  jp.dwMask = CFM_FACE | CFM_CHARSET;
  jp.bCharSet = SHIFTJIS_CHARSET;
  std::strncpy(jp.szFaceName, DbcsFontName.c_str(), LF_FACESIZE - 1);
  SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&jp));
}

bool TRichEdit::Modified() const { return SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0; }
void MarkFormatChanged(HWND h) {
  // Not every rich edit counts a new format as a change of the text (Wine's
  // does not for a paragraph's), and the topic is saved only when it is
  // modified.
  SendMessageA(h, EM_SETMODIFY, TRUE, 0);
  // Nor does it report a new format (Wine's reports neither kind): whoever
  // shows the modified state learns of it here.
  auto* edit = dynamic_cast<TRichEdit*>(TControl::FromHandle(h));
  if (edit && edit->OnChange) edit->OnChange(edit);
}

void TRichEdit::SetModified(bool v) { SendMessageA(Handle(), EM_SETMODIFY, v, 0); }
bool TRichEdit::ReadOnly() const { return (GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY) != 0; }
void TRichEdit::SetReadOnly(bool v) { SendMessageA(Handle(), EM_SETREADONLY, v, 0); }
void TRichEdit::SetBackgroundColor(COLORREF c) { SendMessageA(Handle(), EM_SETBKGNDCOLOR, 0, c); }

void TRichEdit::ResetAttributes(const std::string& font_name, int points) {
  CHARFORMATA cf = {};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC |
              CFM_UNDERLINE | CFM_STRIKEOUT;
  cf.yHeight = points * 20;
  cf.bCharSet = SHIFTJIS_CHARSET;
  cf.crTextColor = RGB(0, 0, 0);
  std::strncpy(cf.szFaceName, font_name.c_str(), LF_FACESIZE - 1);
  SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  PARAFORMAT pf = {};
  pf.cbSize = sizeof pf;
  pf.dwMask = PFM_NUMBERING | PFM_ALIGNMENT | PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET;
  pf.wAlignment = PFA_LEFT;
  SendMessageA(Handle(), EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

namespace {
constexpr int kTwipsPerPoint = 20;
}  // namespace

TTextAttributes TRichEdit::SelAttributes() const {
  CHARFORMATA cf = {};
  cf.cbSize = sizeof cf;
  SendMessageA(Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  TTextAttributes a;
  a.Color = cf.crTextColor;
  a.Name = cf.szFaceName;
  a.Size = static_cast<int>(cf.yHeight / kTwipsPerPoint);
  if (cf.dwEffects & CFE_BOLD) a.Style |= fsBold;
  if (cf.dwEffects & CFE_ITALIC) a.Style |= fsItalic;
  if (cf.dwEffects & CFE_UNDERLINE) a.Style |= fsUnderline;
  if (cf.dwEffects & CFE_STRIKEOUT) a.Style |= fsStrikeOut;
  return a;
}

namespace {
void SetCharFormat(HWND h, CHARFORMATA& cf) {
  cf.cbSize = sizeof cf;
  if (SendMessageA(h, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf))) MarkFormatChanged(h);
}

DWORD EffectsOf(unsigned style) {
  DWORD e = 0;
  if (style & fsBold) e |= CFE_BOLD;
  if (style & fsItalic) e |= CFE_ITALIC;
  if (style & fsUnderline) e |= CFE_UNDERLINE;
  if (style & fsStrikeOut) e |= CFE_STRIKEOUT;
  return e;
}

void SetParaFormat(HWND h, PARAFORMAT& pf) {
  pf.cbSize = sizeof pf;
  if (SendMessageA(h, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf))) MarkFormatChanged(h);
}
}  // namespace

void TRichEdit::SetSelAttributes(const TTextAttributes& a) {
  CHARFORMATA cf = {};
  cf.dwMask = CFM_COLOR | CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  cf.crTextColor = a.Color;
  std::strncpy(cf.szFaceName, a.Name.c_str(), LF_FACESIZE - 1);
  cf.yHeight = a.Size * kTwipsPerPoint;
  cf.dwEffects = EffectsOf(a.Style);
  SetCharFormat(Handle(), cf);
}

void TRichEdit::SetSelColor(COLORREF c) {
  CHARFORMATA cf = {};
  cf.dwMask = CFM_COLOR;
  cf.crTextColor = c;
  SetCharFormat(Handle(), cf);
}

void TRichEdit::SetSelFontName(const std::string& name) {
  CHARFORMATA cf = {};
  cf.dwMask = CFM_FACE;
  std::strncpy(cf.szFaceName, name.c_str(), LF_FACESIZE - 1);
  SetCharFormat(Handle(), cf);
}

void TRichEdit::SetSelSize(int points) {
  CHARFORMATA cf = {};
  cf.dwMask = CFM_SIZE;
  cf.yHeight = points * kTwipsPerPoint;
  SetCharFormat(Handle(), cf);
}

void TRichEdit::SetSelStyle(unsigned style) {
  CHARFORMATA cf = {};
  cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  cf.dwEffects = EffectsOf(style);
  SetCharFormat(Handle(), cf);
}

TParaAttributes TRichEdit::Paragraph() const {
  PARAFORMAT pf = {};
  pf.cbSize = sizeof pf;
  SendMessageA(Handle(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
  TParaAttributes p;
  p.Alignment = pf.wAlignment == PFA_RIGHT    ? TParaAlignment::Right
                : pf.wAlignment == PFA_CENTER ? TParaAlignment::Center
                                              : TParaAlignment::Left;
  p.Bullet = pf.wNumbering == PFN_BULLET;
  // The control's start indent is the first line's; its offset is the
  // other lines' distance from it.
  p.FirstIndent = static_cast<int>(pf.dxStartIndent / kTwipsPerPoint);
  p.LeftIndent = static_cast<int>(pf.dxOffset / kTwipsPerPoint);
  p.RightIndent = static_cast<int>(pf.dxRightIndent / kTwipsPerPoint);
  return p;
}

void TRichEdit::SetAlignment(TParaAlignment a) {
  PARAFORMAT pf = {};
  pf.dwMask = PFM_ALIGNMENT;
  pf.wAlignment = a == TParaAlignment::Right ? PFA_RIGHT : a == TParaAlignment::Center ? PFA_CENTER : PFA_LEFT;
  SetParaFormat(Handle(), pf);
}

void TRichEdit::SetBullet(bool on) {
  PARAFORMAT pf = {};
  pf.dwMask = PFM_NUMBERING;
  pf.wNumbering = on ? PFN_BULLET : 0;
  SetParaFormat(Handle(), pf);
}

void TRichEdit::SetIndents(int first, int left, int right) {
  PARAFORMAT pf = {};
  pf.dwMask = PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT;
  pf.dxStartIndent = first * kTwipsPerPoint;
  pf.dxOffset = left * kTwipsPerPoint;
  pf.dxRightIndent = right * kTwipsPerPoint;
  SetParaFormat(Handle(), pf);
}

namespace {
// The clipboard message that a key with these shift keys stands for; 0 for
// none. Shift+Delete cuts only a selection: without one it deletes as the
// control has it.
UINT ClipboardMessageOfKey(WPARAM key, TShiftState shift, bool selection) {
  const TShiftState held = shift & (ssShift | ssCtrl | ssAlt);
  if (held == ssCtrl) return key == 'C' || key == VK_INSERT ? WM_COPY : key == 'X' ? WM_CUT : key == 'V' ? WM_PASTE : 0;
  if (held != ssShift) return 0;
  return key == VK_INSERT ? WM_PASTE : key == VK_DELETE && selection ? WM_CUT : 0;
}
}  // namespace

bool TRichEdit::CanUndo() const { return SendMessageA(Handle(), EM_CANUNDO, 0, 0) != 0; }

LRESULT TRichEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CHAR:
    case WM_IME_CHAR: {
      // Both bytes in one message (an input method's character).
      if (wp > 0xFF && wp <= 0xFFFF && IsDBCSLeadByte(static_cast<BYTE>(wp >> 8))) {
        pending_lead_ = 0;
        InsertTypedChar({static_cast<char>(wp >> 8), static_cast<char>(wp & 0xFF)});
        return 0;
      }
      if (wp > 0xFF) break;
      auto byte = static_cast<unsigned char>(wp);
      if (pending_lead_) {
        // The control would take the lead and the trail for two characters
        // of their own (Wine's does): hand it the pair as one.
        char pair[2] = {static_cast<char>(pending_lead_), static_cast<char>(byte)};
        pending_lead_ = 0;
        InsertTypedChar(std::string(pair, 2));
        return 0;
      }
      if (IsDBCSLeadByte(byte)) {
        pending_lead_ = byte;
        return 0;
      }
      break;
    }
    case WM_KILLFOCUS:
      pending_lead_ = 0;
      break;
    case WM_KEYDOWN:
      if (const UINT clip = ClipboardMessageOfKey(wp, CurrentShiftState(), SelLength() > 0)) {
        SendMessageA(Handle(), clip, 0, 0);
        return 0;
      }
      break;
    case WM_COPY:
    case WM_CUT: {
      // Only a copy that reached the clipboard: with nothing selected (or a
      // cut refused) the clipboard keeps what it had, which OnCopy saw then.
      // The first paragraph's format is read before a cut takes it away.
      PARAFORMAT first = {};
      first.cbSize = sizeof first;
      SendMessageA(Handle(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&first));
      const DWORD before = GetClipboardSequenceNumber();
      const LRESULT r = TControl::WndProc(msg, wp, lp);
      if (OnCopy && GetClipboardSequenceNumber() != before) OnCopy(this, first);
      return r;
    }
    case WM_PASTE:
      if (OnPaste && OnPaste(this)) return 0;
      break;
    default:
      break;
  }
  return TControl::WndProc(msg, wp, lp);
}

void TRichEdit::InsertTypedChar(const std::string& ch) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  if (ch.size() == 2) GiveSelectionDbcsFont();
  SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(ch.c_str()));
}

bool TRichEdit::Notify(NMHDR* hdr, LRESULT& result) {
  if (hdr->code == EN_SELCHANGE) {
    if (OnSelectionChange) OnSelectionChange(this);
    return true;
  }
  return false;
}

bool TRichEdit::Command(WORD code) {
  if (code == EN_CHANGE) {
    if (OnChange) OnChange(this);
    return true;
  }
  return false;
}

}  // namespace cl
