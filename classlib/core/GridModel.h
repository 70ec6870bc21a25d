// The model behind the string grid: cells, column widths and row heights,
// the fixed columns and rows, the current cell, the first scrolled column
// and row, and the geometry that follows from them. Portable; the window is
// TStringGrid.
#pragma once

#include <string>
#include <vector>

namespace cl {

struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Empty() const { return Right <= Left || Bottom <= Top; }
};

class TGridModel {
 public:
  TGridModel(int cols = 5, int rows = 5, int fixed_cols = 1, int fixed_rows = 1);

  int ColCount() const { return cols_; }
  int RowCount() const { return rows_; }
  // Keep the text of the cells that remain; new cells are empty and new
  // columns and rows take the default size. A count never drops to or below
  // the fixed count (the grid keeps one cell to edit).
  void SetColCount(int n);
  void SetRowCount(int n);
  int FixedCols() const { return fixed_cols_; }
  int FixedRows() const { return fixed_rows_; }
  void SetFixedCols(int n);
  void SetFixedRows(int n);

  // Throws std::out_of_range outside the grid.
  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, const std::string& text);

  int DefaultColWidth() const { return default_col_width_; }
  int DefaultRowHeight() const { return default_row_height_; }
  // Setting a default size sets every column's (row's) size.
  void SetDefaultColWidth(int w);
  void SetDefaultRowHeight(int h);
  int ColWidth(int col) const { return col_widths_.at(static_cast<std::size_t>(col)); }
  int RowHeight(int row) const { return row_heights_.at(static_cast<std::size_t>(row)); }
  void SetColWidth(int col, int w);
  void SetRowHeight(int row, int h);
  int GridLineWidth() const { return line_; }
  void SetGridLineWidth(int w) { line_ = w < 0 ? 0 : w; }

  // The current cell (never a fixed one).
  int Col() const { return col_; }
  int Row() const { return row_; }
  // False (and nothing changes) for a fixed or missing cell.
  bool SetCurrent(int col, int row);
  // Tab: the next cell to the right, then the first cell of the next row,
  // after the last cell the first one; backwards the other way round.
  void MoveNext(bool backwards);
  // Arrow keys and page keys: moves by the given columns and rows, clamped.
  void MoveBy(int cols, int rows);

  // The first column and row shown after the fixed ones.
  int LeftCol() const { return left_col_; }
  int TopRow() const { return top_row_; }
  void SetLeftCol(int col);
  void SetTopRow(int row);
  // The greatest first column (row) that still fills a client area of this size.
  int MaxLeftCol(int client_width) const;
  int MaxTopRow(int client_height) const;
  // Scrolls so that the current cell is whole in a client area of this size.
  void ScrollInView(int client_width, int client_height);

  // A cell's rectangle in the client area (fixed cells stay in place,
  // the others scroll); empty when the cell is scrolled out of sight.
  TGridRect CellRect(int col, int row) const;
  // The cell at a client point; false on a grid line or outside the cells.
  bool CellAt(int x, int y, int& col, int& row) const;
  // Width and height of all columns (rows), grid lines included.
  int TotalWidth() const;
  int TotalHeight() const;

 private:
  int Index(int col, int row) const;
  void ClampCurrent();
  int ColLeft(int col) const;  // client x of a visible column, -1 if scrolled away
  int RowTop(int row) const;
  int cols_, rows_, fixed_cols_, fixed_rows_;
  std::vector<std::string> cells_;  // row by row
  std::vector<int> col_widths_, row_heights_;
  int default_col_width_ = 64, default_row_height_ = 24;
  int line_ = 1;
  int col_, row_;
  int left_col_, top_row_;
};

}  // namespace cl
