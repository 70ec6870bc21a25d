#include "classlib/core/GridModel.h"

#include <algorithm>
#include <stdexcept>

namespace cl {

TGridModel::TGridModel(int cols, int rows, int fixed_cols, int fixed_rows)
    : cols_(std::max(cols, 1)),
      rows_(std::max(rows, 1)),
      fixed_cols_(std::clamp(fixed_cols, 0, cols_ - 1)),
      fixed_rows_(std::clamp(fixed_rows, 0, rows_ - 1)),
      cells_(static_cast<std::size_t>(cols_) * static_cast<std::size_t>(rows_)),
      col_widths_(static_cast<std::size_t>(cols_), default_col_width_),
      row_heights_(static_cast<std::size_t>(rows_), default_row_height_),
      col_(fixed_cols_),
      row_(fixed_rows_),
      left_col_(fixed_cols_),
      top_row_(fixed_rows_) {}

int TGridModel::Index(int col, int row) const {
  if (col < 0 || col >= cols_ || row < 0 || row >= rows_)
    throw std::out_of_range("Grid cell " + std::to_string(col) + "," + std::to_string(row) +
                            " outside " + std::to_string(cols_) + "x" + std::to_string(rows_));
  return row * cols_ + col;
}

const std::string& TGridModel::Cell(int col, int row) const {
  return cells_[static_cast<std::size_t>(Index(col, row))];
}

void TGridModel::SetCell(int col, int row, const std::string& text) {
  cells_[static_cast<std::size_t>(Index(col, row))] = text;
}

void TGridModel::SetColCount(int n) {
  n = std::max(n, fixed_cols_ + 1);
  std::vector<std::string> cells(static_cast<std::size_t>(n) * static_cast<std::size_t>(rows_));
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < std::min(n, cols_); ++c)
      cells[static_cast<std::size_t>(r * n + c)] = std::move(cells_[static_cast<std::size_t>(r * cols_ + c)]);
  cells_ = std::move(cells);
  cols_ = n;
  col_widths_.resize(static_cast<std::size_t>(n), default_col_width_);
  ClampCurrent();
}

void TGridModel::SetRowCount(int n) {
  n = std::max(n, fixed_rows_ + 1);
  cells_.resize(static_cast<std::size_t>(n) * static_cast<std::size_t>(cols_));
  rows_ = n;
  row_heights_.resize(static_cast<std::size_t>(n), default_row_height_);
  ClampCurrent();
}

void TGridModel::SetFixedCols(int n) {
  fixed_cols_ = std::clamp(n, 0, cols_ - 1);
  ClampCurrent();
}

void TGridModel::SetFixedRows(int n) {
  fixed_rows_ = std::clamp(n, 0, rows_ - 1);
  ClampCurrent();
}

void TGridModel::ClampCurrent() {
  col_ = std::clamp(col_, fixed_cols_, cols_ - 1);
  row_ = std::clamp(row_, fixed_rows_, rows_ - 1);
  left_col_ = std::clamp(left_col_, fixed_cols_, cols_ - 1);
  top_row_ = std::clamp(top_row_, fixed_rows_, rows_ - 1);
}

void TGridModel::SetDefaultColWidth(int w) {
  default_col_width_ = std::max(w, 0);
  std::fill(col_widths_.begin(), col_widths_.end(), default_col_width_);
}

void TGridModel::SetDefaultRowHeight(int h) {
  default_row_height_ = std::max(h, 0);
  std::fill(row_heights_.begin(), row_heights_.end(), default_row_height_);
}

void TGridModel::SetColWidth(int col, int w) { col_widths_.at(static_cast<std::size_t>(col)) = std::max(w, 0); }
void TGridModel::SetRowHeight(int row, int h) { row_heights_.at(static_cast<std::size_t>(row)) = std::max(h, 0); }

bool TGridModel::SetCurrent(int col, int row) {
  if (col < fixed_cols_ || col >= cols_ || row < fixed_rows_ || row >= rows_) return false;
  col_ = col;
  row_ = row;
  return true;
}

void TGridModel::MoveNext(bool backwards) {
  int c = col_, r = row_;
  if (backwards) {
    if (--c < fixed_cols_) {
      c = cols_ - 1;
      if (--r < fixed_rows_) r = rows_ - 1;
    }
  } else {
    if (++c >= cols_) {
      c = fixed_cols_;
      if (++r >= rows_) r = fixed_rows_;
    }
  }
  col_ = c;
  row_ = r;
}

void TGridModel::MoveBy(int cols, int rows) {
  col_ = std::clamp(col_ + cols, fixed_cols_, cols_ - 1);
  row_ = std::clamp(row_ + rows, fixed_rows_, rows_ - 1);
}

void TGridModel::SetLeftCol(int col) { left_col_ = std::clamp(col, fixed_cols_, cols_ - 1); }
void TGridModel::SetTopRow(int row) { top_row_ = std::clamp(row, fixed_rows_, rows_ - 1); }

int TGridModel::MaxLeftCol(int client_width) const {
  int room = client_width;
  for (int c = 0; c < fixed_cols_; ++c) room -= ColWidth(c) + line_;
  int first = cols_ - 1;
  room -= ColWidth(first) + line_;
  while (first > fixed_cols_ && room - (ColWidth(first - 1) + line_) >= 0) {
    --first;
    room -= ColWidth(first) + line_;
  }
  return first;
}

int TGridModel::MaxTopRow(int client_height) const {
  int room = client_height;
  for (int r = 0; r < fixed_rows_; ++r) room -= RowHeight(r) + line_;
  int first = rows_ - 1;
  room -= RowHeight(first) + line_;
  while (first > fixed_rows_ && room - (RowHeight(first - 1) + line_) >= 0) {
    --first;
    room -= RowHeight(first) + line_;
  }
  return first;
}

void TGridModel::ScrollInView(int client_width, int client_height) {
  if (col_ < left_col_) left_col_ = col_;
  while (left_col_ < col_ && ColLeft(col_) + ColWidth(col_) > client_width) ++left_col_;
  if (row_ < top_row_) top_row_ = row_;
  while (top_row_ < row_ && RowTop(row_) + RowHeight(row_) > client_height) ++top_row_;
}

int TGridModel::ColLeft(int col) const {
  int x = 0;
  if (col < fixed_cols_) {
    for (int c = 0; c < col; ++c) x += ColWidth(c) + line_;
    return x;
  }
  if (col < left_col_) return -1;
  for (int c = 0; c < fixed_cols_; ++c) x += ColWidth(c) + line_;
  for (int c = left_col_; c < col; ++c) x += ColWidth(c) + line_;
  return x;
}

int TGridModel::RowTop(int row) const {
  int y = 0;
  if (row < fixed_rows_) {
    for (int r = 0; r < row; ++r) y += RowHeight(r) + line_;
    return y;
  }
  if (row < top_row_) return -1;
  for (int r = 0; r < fixed_rows_; ++r) y += RowHeight(r) + line_;
  for (int r = top_row_; r < row; ++r) y += RowHeight(r) + line_;
  return y;
}

TGridRect TGridModel::CellRect(int col, int row) const {
  if (col < 0 || col >= cols_ || row < 0 || row >= rows_) return {};
  int x = ColLeft(col), y = RowTop(row);
  if (x < 0 || y < 0) return {};
  return {x, y, x + ColWidth(col), y + RowHeight(row)};
}

bool TGridModel::CellAt(int x, int y, int& col, int& row) const {
  auto find = [this](int pos, int count, int fixed, int first, auto size, int& found) {
    int at = 0;
    for (int i = 0; i < count; ++i) {
      if (i >= fixed && i < first) continue;
      int s = size(i);
      if (pos >= at && pos < at + s) {
        found = i;
        return true;
      }
      at += s + line_;
      if (pos < at) return false;  // on the grid line
    }
    return false;
  };
  if (x < 0 || y < 0) return false;
  return find(x, cols_, fixed_cols_, left_col_, [this](int c) { return ColWidth(c); }, col) &&
         find(y, rows_, fixed_rows_, top_row_, [this](int r) { return RowHeight(r); }, row);
}

int TGridModel::TotalWidth() const {
  int w = 0;
  for (int c = 0; c < cols_; ++c) w += ColWidth(c) + line_;
  return w;
}

int TGridModel::TotalHeight() const {
  int h = 0;
  for (int r = 0; r < rows_; ++r) h += RowHeight(r) + line_;
  return h;
}

}  // namespace cl
