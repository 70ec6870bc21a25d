// String grids: a table of text cells with fixed (heading) columns and rows,
// a current cell and an edit placed over it, in which the cell is typed.
// Tab moves to the next cell. The platform has no such control; the cells
// and their geometry are TGridModel's.
#pragma once

#include <functional>
#include <string>

#include "classlib/Control.h"
#include "classlib/StdCtrls.h"
#include "classlib/core/GridModel.h"

namespace cl {

class TStringGrid;

// The edit over the current cell.
class TInplaceEdit : public TEdit {
 public:
  TInplaceEdit(TStringGrid* grid);
  bool Command(WORD code) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  TStringGrid* grid_;
};

class TStringGrid : public TControl {
 public:
  TStringGrid(TComponent* owner, TControl* parent, int cols = 5, int rows = 5);

  int ColCount() const { return model_.ColCount(); }
  int RowCount() const { return model_.RowCount(); }
  // Cells that remain keep their text.
  void SetColCount(int n);
  void SetRowCount(int n);
  int FixedCols() const { return model_.FixedCols(); }
  int FixedRows() const { return model_.FixedRows(); }
  void SetFixedCols(int n);
  void SetFixedRows(int n);

  // Throws std::out_of_range outside the grid.
  std::string Cells(int col, int row) const { return model_.Cell(col, row); }
  void SetCells(int col, int row, const std::string& text);

  int DefaultColWidth() const { return model_.DefaultColWidth(); }
  void SetDefaultColWidth(int w);
  int DefaultRowHeight() const { return model_.DefaultRowHeight(); }
  void SetDefaultRowHeight(int h);
  int ColWidth(int col) const { return model_.ColWidth(col); }
  void SetColWidth(int col, int w);
  int RowHeight(int row) const { return model_.RowHeight(row); }
  void SetRowHeight(int row, int h);
  bool GridLines() const { return model_.GridLineWidth() > 0; }
  void SetGridLines(bool v);

  // The current cell; SetCurrent ignores a fixed or missing cell.
  int Col() const { return model_.Col(); }
  int Row() const { return model_.Row(); }
  void SetCurrent(int col, int row);
  // What Tab (Shift+Tab) does: the next (previous) cell, row after row,
  // from the last cell back to the first.
  void SelectNextCell(bool backwards = false);
  int LeftCol() const { return model_.LeftCol(); }
  int TopRow() const { return model_.TopRow(); }
  void SetTopRow(int row);
  void SetLeftCol(int col);
  // A cell's rectangle in the client area; empty when scrolled away.
  RECT CellRect(int col, int row) const;

  // Cells are typed in the edit over the current cell, shown whenever the
  // grid is enabled; off, the grid only shows its cells.
  bool Editing() const { return editing_; }
  void SetEditing(bool v);
  TInplaceEdit* Editor() const { return editor_; }

  // The current cell changed.
  std::function<void(TStringGrid*, int col, int row)> OnSelectCell;
  // Typing changed the current cell's text.
  std::function<void(TStringGrid*, int col, int row, const std::string& text)> OnSetEditText;
  // OnKeyDown (of TControl) also sees the keys typed in the edit, before
  // the grid acts on them; setting the key to 0 swallows it.

  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  friend class TInplaceEdit;
  // Keys of the grid and of its edit; true when the grid used the key.
  bool GridKey(WORD key, TShiftState shift, bool in_editor);
  void EditorTextChanged();
  void MoveTo(int col, int row);
  void Changed();  // sizes or counts changed: scroll bars, editor, repaint
  void UpdateScrollBars();
  void PlaceEditor();
  void Paint(HDC dc);
  void Scroll(int bar, WORD code);
  int ClientW() const;
  int ClientH() const;
  TGridModel model_;
  TInplaceEdit* editor_ = nullptr;
  bool editing_ = false;
  bool setting_editor_ = false;
};

}  // namespace cl
