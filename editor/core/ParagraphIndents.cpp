#include "editor/core/ParagraphIndents.h"

#include <cstdint>

#include "core/Cp932.h"

namespace qm::editor {

namespace {

// The largest point value whose twips fit a signed 32-bit number.
constexpr std::int64_t kMostPoints = INT32_MAX / 20;

int FitPoints(std::int64_t points) { return points >= -kMostPoints && points <= kMostPoints ? static_cast<int>(points) : 0; }

}  // namespace

IndentTexts ReadIndentTexts(const ParagraphIndentAccess& p) {
  IndentTexts t;
  t.Left = IntToStr(static_cast<long long>(p.FirstIndent()) + p.LeftIndent());
  t.First = IntToStr(-static_cast<long long>(p.LeftIndent()));
  t.Right = IntToStr(p.RightIndent());
  return t;
}

int IndentPoints(std::string_view text) {
  int v;
  return TryStrToInt(text, v) ? FitPoints(v) : 0;
}

void ApplyIndentTexts(ParagraphIndentAccess& p, const IndentTexts& t) {
  p.SetLeftIndent(FitPoints(-static_cast<std::int64_t>(IndentPoints(t.First))));
  int left;
  const bool leftTyped = TryStrToInt(t.Left, left) && FitPoints(left) == left;
  p.SetFirstIndent(leftTyped ? FitPoints(static_cast<std::int64_t>(left) - p.LeftIndent()) : 0);
  p.SetRightIndent(IndentPoints(t.Right));
}

void ClearIndents(ParagraphIndentAccess& p) {
  p.SetFirstIndent(0);
  p.SetLeftIndent(0);
  p.SetRightIndent(0);
}

}  // namespace qm::editor
