// The indent dialog's values: the paragraph's indents in the author's terms
// and back.
//
// The rich-edit control gives three indents in whole points (it keeps twips:
// points times 20 on writing, divided by 20 on reading): FirstIndent, where
// the first line starts from the left margin; LeftIndent, where the other
// lines start, relative to the first line; RightIndent, from the right
// margin. The dialog shows 左インデント = FirstIndent + LeftIndent (where the
// body starts), １行目 = -LeftIndent (the first line relative to the body) and
// 右インデント = RightIndent.
#pragma once

#include <string>
#include <string_view>

namespace qm::editor {

// The paragraph attributes of the editor's selection, in points.
class ParagraphIndentAccess {
 public:
  virtual ~ParagraphIndentAccess() = default;
  virtual int FirstIndent() const = 0;
  virtual int LeftIndent() const = 0;
  virtual int RightIndent() const = 0;
  virtual void SetFirstIndent(int points) = 0;
  virtual void SetLeftIndent(int points) = 0;
  virtual void SetRightIndent(int points) = 0;
};

struct IndentTexts {
  std::string Left;   // 左インデント
  std::string First;  // １行目
  std::string Right;  // 右インデント
};

IndentTexts ReadIndentTexts(const ParagraphIndentAccess& paragraph);

// A typed indent in points: a whole decimal number whose twips (times 20)
// fit 32 bits; anything else counts as 0.
int IndentPoints(std::string_view text);

// Writes the dialog's texts: LeftIndent := -１行目, then FirstIndent :=
// 左インデント - LeftIndent as the control now reports it, then RightIndent. A
// text that is no such number counts as 0, as does a FirstIndent whose twips
// would not fit 32 bits.
void ApplyIndentTexts(ParagraphIndentAccess& paragraph, const IndentTexts& texts);

// インデント削除: all three to 0.
void ClearIndents(ParagraphIndentAccess& paragraph);

}  // namespace qm::editor
