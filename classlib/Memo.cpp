#include "classlib/Memo.h"

#include <vector>

namespace cl {

namespace {
DWORD MemoStyle(const TMemoOptions& o) {
  DWORD s = ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
  if (o.ScrollBars & ssVertical) s |= WS_VSCROLL;
  if (o.ScrollBars & ssHorizontal) s |= WS_HSCROLL;
  if (!o.WordWrap || (o.ScrollBars & ssHorizontal)) s |= ES_AUTOHSCROLL;
  if (o.WantReturns) s |= ES_WANTRETURN;
  return s;
}
}  // namespace

// A multi-line edit without ES_AUTOHSCROLL wraps its lines.
TMemo::TMemo(TComponent* owner, TControl* parent, const TMemoOptions& options)
    : TEdit(owner, parent, MemoStyle(options), TExactStyle{}), options_(options) {
  AutoSelect = false;
}

int TMemo::LineCount() const { return static_cast<int>(SendMessageA(Handle(), EM_GETLINECOUNT, 0, 0)); }

std::string TMemo::Line(int i) const {
  LRESULT start = SendMessageA(Handle(), EM_LINEINDEX, static_cast<WPARAM>(i), 0);
  if (start < 0) return {};
  LRESULT len = SendMessageA(Handle(), EM_LINELENGTH, static_cast<WPARAM>(start), 0);
  std::vector<char> buf(static_cast<std::size_t>(len) + sizeof(WORD) + 1, '\0');
  *reinterpret_cast<WORD*>(buf.data()) = static_cast<WORD>(len + 1);
  LRESULT got = SendMessageA(Handle(), EM_GETLINE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf.data()));
  return std::string(buf.data(), static_cast<std::size_t>(got < 0 ? 0 : got));
}

void TMemo::AddLine(const std::string& line) {
  std::string text = Text();
  if (!text.empty() && (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0)) text += "\r\n";
  SetText(text + line);
}

int TMemo::SelStart() const {
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TMemo::SelLength() const {
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TMemo::SetSel(int start, int length) {
  SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
}

void TMemo::SetSelText(const std::string& text) {
  SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT TMemo::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETDLGCODE) {
    // A multi-line edit asks for every key; leave Escape to the cancel
    // button, Enter to the default button and Tab to the focus unless the
    // memo wants them.
    LRESULT code = TEdit::WndProc(msg, wp, lp);
    auto* m = reinterpret_cast<const MSG*>(lp);
    if (m && (m->message == WM_KEYDOWN || m->message == WM_CHAR)) {
      WPARAM key = m->wParam;
      bool keep = (key == VK_RETURN && options_.WantReturns) || (key == VK_TAB && options_.WantTabs);
      bool dialog_key = key == VK_RETURN || key == VK_TAB || key == VK_ESCAPE;
      if (dialog_key && !keep) code &= ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
    } else if (!options_.WantTabs) {
      code &= ~DLGC_WANTTAB;
    }
    return code;
  }
  return TEdit::WndProc(msg, wp, lp);
}

}  // namespace cl
