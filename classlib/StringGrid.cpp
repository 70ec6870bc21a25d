#include "classlib/StringGrid.h"

#include <windowsx.h>

#include <algorithm>

namespace cl {

// ---- the edit over the current cell --------------------------------------------

TInplaceEdit::TInplaceEdit(TStringGrid* grid)
    : TEdit(grid, grid, ES_AUTOHSCROLL, TExactStyle{}), grid_(grid) {
  // No frame of its own and no tab stop: it sits in the cell, and Tab
  // reaches the grid, which hands the focus on.
  SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~WS_TABSTOP);
  SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  AutoSelect = false;
}

bool TInplaceEdit::Command(WORD code) {
  if (code == EN_CHANGE) {
    grid_->EditorTextChanged();
    return true;
  }
  return false;
}

LRESULT TInplaceEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_GETDLGCODE: {
      // Tab, Enter and the arrows belong to the grid; Escape still
      // reaches the dialog's cancel button.
      LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_HASSETSEL;
      auto* m = reinterpret_cast<const MSG*>(lp);
      if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
      return code & ~DLGC_HASSETSEL;
    }
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(wp);
      TShiftState shift = CurrentShiftState();
      if (grid_->OnKeyDown) {
        grid_->OnKeyDown(grid_, key, shift);
        if (key == 0) return 0;
      }
      if (grid_->GridKey(key, shift, true)) return 0;
      return DefaultProc(msg, key, lp);
    }
    case WM_CHAR:
      if (wp == '\t' || wp == '\r' || wp == '\n') return 0;  // no beep
      break;
  }
  return TEdit::WndProc(msg, wp, lp);
}

// ---- the grid -----------------------------------------------------------------------

TStringGrid::TStringGrid(TComponent* owner, TControl* parent, int cols, int rows)
    : TControl(owner, parent), model_(cols, rows) {
  CreateHandle(RegisterOwnClass("TStringGrid", CS_DBLCLKS, GetSysColorBrush(COLOR_WINDOW)), "",
               WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE);
  editor_ = new TInplaceEdit(this);
  Changed();
}

int TStringGrid::ClientW() const { return ClientWidth(); }
int TStringGrid::ClientH() const { return ClientHeight(); }

void TStringGrid::SetColCount(int n) {
  model_.SetColCount(n);
  Changed();
}

void TStringGrid::SetRowCount(int n) {
  model_.SetRowCount(n);
  Changed();
}

void TStringGrid::SetFixedCols(int n) {
  model_.SetFixedCols(n);
  Changed();
}

void TStringGrid::SetFixedRows(int n) {
  model_.SetFixedRows(n);
  Changed();
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
  model_.SetCell(col, row, text);
  if (col == Col() && row == Row()) PlaceEditor();
  RECT r = CellRect(col, row);
  InvalidateRect(Handle(), &r, FALSE);
}

void TStringGrid::SetDefaultColWidth(int w) {
  model_.SetDefaultColWidth(w);
  Changed();
}

void TStringGrid::SetDefaultRowHeight(int h) {
  model_.SetDefaultRowHeight(h);
  Changed();
}

void TStringGrid::SetColWidth(int col, int w) {
  model_.SetColWidth(col, w);
  Changed();
}

void TStringGrid::SetRowHeight(int row, int h) {
  model_.SetRowHeight(row, h);
  Changed();
}

void TStringGrid::SetGridLines(bool v) {
  model_.SetGridLineWidth(v ? 1 : 0);
  Changed();
}

void TStringGrid::SetEditing(bool v) {
  editing_ = v;
  PlaceEditor();
  Invalidate();
}

RECT TStringGrid::CellRect(int col, int row) const {
  TGridRect g = model_.CellRect(col, row);
  return RECT{g.Left, g.Top, g.Right, g.Bottom};
}

void TStringGrid::SetCurrent(int col, int row) { MoveTo(col, row); }

void TStringGrid::SelectNextCell(bool backwards) {
  TGridModel m = model_;
  m.MoveNext(backwards);
  MoveTo(m.Col(), m.Row());
}

void TStringGrid::SetTopRow(int row) {
  model_.SetTopRow(std::min(row, model_.MaxTopRow(ClientH())));
  Changed();
}

void TStringGrid::SetLeftCol(int col) {
  model_.SetLeftCol(std::min(col, model_.MaxLeftCol(ClientW())));
  Changed();
}

void TStringGrid::MoveTo(int col, int row) {
  int old_col = Col(), old_row = Row();
  if (!model_.SetCurrent(col, row)) return;
  model_.ScrollInView(ClientW(), ClientH());
  Changed();
  if (editor_->Focused() || GetFocus() == Handle()) {
    editor_->SelectAll();
  }
  if ((old_col != Col() || old_row != Row()) && OnSelectCell) OnSelectCell(this, Col(), Row());
}

void TStringGrid::Changed() {
  UpdateScrollBars();
  PlaceEditor();
  Invalidate();
}

void TStringGrid::UpdateScrollBars() {
  if (!Handle()) return;
  // Showing a bar narrows the client area, which may call for the other.
  for (int pass = 0; pass < 3; ++pass) {
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nPage = 1;
    int max_left = model_.MaxLeftCol(ClientW());
    model_.SetLeftCol(std::min(model_.LeftCol(), max_left));
    si.nMax = max_left - model_.FixedCols();
    si.nPos = model_.LeftCol() - model_.FixedCols();
    SetScrollInfo(Handle(), SB_HORZ, &si, TRUE);
    int max_top = model_.MaxTopRow(ClientH());
    model_.SetTopRow(std::min(model_.TopRow(), max_top));
    si.nMax = max_top - model_.FixedRows();
    si.nPos = model_.TopRow() - model_.FixedRows();
    SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
  }
}

void TStringGrid::PlaceEditor() {
  if (!editor_ || !editor_->Handle()) return;
  RECT r = CellRect(Col(), Row());
  bool show = editing_ && IsWindowEnabled(Handle()) && !IsRectEmpty(&r);
  if (show) {
    MoveWindow(editor_->Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    std::string text = model_.Cell(Col(), Row());
    if (editor_->Text() != text) {
      setting_editor_ = true;
      editor_->SetText(text);
      setting_editor_ = false;
    }
  } else if (editor_->Focused()) {
    ::SetFocus(Handle());
  }
  ShowWindow(editor_->Handle(), show ? SW_SHOWNA : SW_HIDE);
}

void TStringGrid::EditorTextChanged() {
  if (setting_editor_) return;
  std::string text = editor_->Text();
  model_.SetCell(Col(), Row(), text);
  if (OnSetEditText) OnSetEditText(this, Col(), Row(), text);
}

bool TStringGrid::GridKey(WORD key, TShiftState shift, bool in_editor) {
  switch (key) {
    case VK_TAB:
      if (shift & (ssCtrl | ssAlt)) return false;
      SelectNextCell((shift & ssShift) != 0);
      return true;
    case VK_UP:
      MoveTo(Col(), std::max(Row() - 1, FixedRows()));
      return true;
    case VK_DOWN:
      MoveTo(Col(), std::min(Row() + 1, RowCount() - 1));
      return true;
    case VK_PRIOR:
    case VK_NEXT: {
      TGridModel m = model_;
      int rows = std::max(1, (ClientH() / std::max(DefaultRowHeight() + 1, 1)) - FixedRows() - 1);
      m.MoveBy(0, key == VK_PRIOR ? -rows : rows);
      MoveTo(m.Col(), m.Row());
      return true;
    }
    case VK_LEFT:
    case VK_RIGHT: {
      if (in_editor) {
        // Inside the text the caret moves; at its edge the next cell is chosen.
        DWORD start = 0, end = 0;
        SendMessageA(editor_->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        int len = GetWindowTextLengthA(editor_->Handle());
        if (key == VK_LEFT && (start != 0 || end != 0)) return false;
        if (key == VK_RIGHT && (static_cast<int>(start) != len || static_cast<int>(end) != len)) return false;
      }
      int col = Col() + (key == VK_LEFT ? -1 : 1);
      MoveTo(std::clamp(col, FixedCols(), ColCount() - 1), Row());
      return true;
    }
    case VK_RETURN:
      return true;  // the cell's text stays as typed
  }
  return false;
}

void TStringGrid::Scroll(int bar, WORD code) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &si);
  int pos = si.nPos;
  switch (code) {
    case SB_LINEUP: --pos; break;
    case SB_LINEDOWN: ++pos; break;
    case SB_PAGEUP: pos -= 4; break;
    case SB_PAGEDOWN: pos += 4; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  pos = std::clamp(pos, si.nMin, si.nMax);
  if (bar == SB_HORZ) SetLeftCol(pos + FixedCols());
  else SetTopRow(pos + FixedRows());
}

void TStringGrid::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  HGDIOBJ old_font = SelectObject(dc, Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const int line = model_.GridLineWidth();
  for (int r = 0; r < RowCount(); ++r) {
    for (int c = 0; c < ColCount(); ++c) {
      TGridRect g = model_.CellRect(c, r);
      if (g.Empty() || g.Left >= client.right || g.Top >= client.bottom) continue;
      RECT cell = {g.Left, g.Top, g.Right, g.Bottom};
      bool fixed = c < FixedCols() || r < FixedRows();
      bool current = c == Col() && r == Row();
      if (fixed) {
        FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
        RECT edge = {cell.left, cell.top, cell.right + line, cell.bottom + line};
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
      } else {
        if (current && !editing_) FillRect(dc, &cell, GetSysColorBrush(COLOR_HIGHLIGHT));
        if (line > 0) {
          RECT right = {cell.right, cell.top, cell.right + line, cell.bottom + line};
          RECT bottom = {cell.left, cell.bottom, cell.right + line, cell.bottom + line};
          FillRect(dc, &right, GetSysColorBrush(COLOR_BTNFACE));
          FillRect(dc, &bottom, GetSysColorBrush(COLOR_BTNFACE));
        }
      }
      const std::string& text = model_.Cell(c, r);
      if (text.empty()) continue;
      SetTextColor(dc, GetSysColor(current && !editing_ && !fixed ? COLOR_HIGHLIGHTTEXT
                                   : fixed ? COLOR_BTNTEXT : COLOR_WINDOWTEXT));
      RECT t = {cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom};
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &t,
                DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
  }
  SelectObject(dc, old_font);
}

LRESULT TStringGrid::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT painted = 0;
  if (PaintsItself(msg, wp, painted, [this](HDC dc) { Paint(dc); })) return painted;
  switch (msg) {
    case WM_SIZE: {
      LRESULT r = TControl::WndProc(msg, wp, lp);
      Changed();
      return r;
    }
    case WM_SETFOCUS:
      // The typing goes to the edit over the current cell.
      if (editor_ && IsWindowVisible(editor_->Handle())) {
        editor_->SetFocus();
        editor_->SelectAll();
      }
      return 0;
    case WM_ENABLE:
      PlaceEditor();
      Invalidate();
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(wp);
      if (OnKeyDown) {
        OnKeyDown(this, key, CurrentShiftState());
        if (key == 0) return 0;
      }
      if (GridKey(key, CurrentShiftState(), false)) return 0;
      return DefaultProc(msg, key, lp);
    }
    case WM_LBUTTONDOWN: {
      SetFocus();
      int col = 0, row = 0;
      if (model_.CellAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), col, row)) MoveTo(col, row);
      break;
    }
    case WM_HSCROLL:
      Scroll(SB_HORZ, LOWORD(wp));
      return 0;
    case WM_VSCROLL:
      Scroll(SB_VERT, LOWORD(wp));
      return 0;
    case WM_MOUSEWHEEL:
      SetTopRow(TopRow() - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3);
      return 0;
  }
  return TControl::WndProc(msg, wp, lp);
}

}  // namespace cl
