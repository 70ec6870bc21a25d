#include <gtest/gtest.h>

#include "core/Cp932.h"
#include "editor/core/FindReplace.h"

using namespace qm::editor;

namespace {

// A control over a string that counts characters, as the rich edit does: a
// double-byte character is one position.
class FakeEditor : public FindTarget {
 public:
  explicit FakeEditor(std::string text) : text_(std::move(text)) {}

  long SelStart() const override { return selStart_; }
  long SelLength() const override { return selLength_; }
  std::string SelText() const override {
    const std::size_t a = Byte(selStart_);
    return text_.substr(a, Byte(selStart_ + selLength_) - a);
  }
  long TextLength() const override { return Chars(text_.size()); }
  bool Find(const std::string& text, long start, long length, const FindOptions& o, long& ms,
            long& ml) override {
    ++finds;
    const std::size_t from = Byte(start), to = Byte(start + length);
    for (std::size_t i = from; i + text.size() <= to; i += qm::CharLength(text_, i)) {
      const std::string here = text_.substr(i, text.size());
      if (o.matchCase ? here == text : qm::EqualsNoCase(here, text)) {
        ms = Chars(i);
        ml = Chars(i + text.size()) - ms;
        return true;
      }
    }
    return false;
  }
  void Select(long start, long length) override {
    selStart_ = start;
    selLength_ = length;
  }
  void ReplaceSelection(const std::string& t) override {
    const std::size_t a = Byte(selStart_), b = Byte(selStart_ + selLength_);
    text_ = text_.substr(0, a) + t + text_.substr(b);
    selStart_ = Chars(a + t.size());
    selLength_ = 0;
  }

  const std::string& text() const { return text_; }
  int finds = 0;

 private:
  std::size_t Byte(long chars) const {
    std::size_t i = 0;
    for (long c = 0; c < chars && i < text_.size(); ++c) i += qm::CharLength(text_, i);
    return i;
  }
  long Chars(std::size_t bytes) const {
    long c = 0;
    for (std::size_t i = 0; i < bytes; i += qm::CharLength(text_, i)) ++c;
    return c;
  }
  std::string text_;
  long selStart_ = 0, selLength_ = 0;
};

}  // namespace

TEST(FindReplace, FindSelectsTheJapaneseMatchExactly) {
  FakeEditor e("前の文章 ヘルプ 後の文章");
  ASSERT_TRUE(FindNext(e, "ヘルプ", {}));
  EXPECT_EQ(e.SelText(), "ヘルプ");  // three characters, not six
  EXPECT_FALSE(FindNext(e, "ヘルプ", {}));  // only forward from the selection
  EXPECT_EQ(NotFoundMessage("ヘルプ"), "\"ヘルプ\"が見つかりません.");
}

TEST(FindReplace, ReplaceHonoursMatchCaseInTheSelection) {
  FakeEditor e("Help help HELP");
  e.Select(0, 4);  // "Help"
  FindOptions matchCase{false, true};
  EXPECT_TRUE(ReplaceAndFindNext(e, "help", "aid", matchCase));
  EXPECT_EQ(e.text(), "Help help HELP");  // not replaced: differs in case
  EXPECT_EQ(e.SelText(), "help");
  EXPECT_FALSE(ReplaceAndFindNext(e, "help", "aid", matchCase));
  EXPECT_EQ(e.text(), "Help aid HELP");
  // Without match case the selection's case does not matter.
  e.Select(0, 4);
  ReplaceAndFindNext(e, "help", "aid", {});
  EXPECT_EQ(e.text(), "aid aid HELP");
  EXPECT_EQ(e.SelText(), "HELP");
}

TEST(FindReplace, ReplaceAllFromTheSelectionOn) {
  // The first match is selected: it goes first, then every later one; the
  // one before the selection stays.
  FakeEditor e("ヘルプ 表 ヘルプ ヘルプ");
  e.Select(6, 3);
  ASSERT_EQ(e.SelText(), "ヘルプ");
  EXPECT_EQ(ReplaceAll(e, "ヘルプ", "手引き", {}), 2);
  EXPECT_EQ(e.text(), "ヘルプ 表 手引き 手引き");
}

TEST(FindReplace, ReplaceAllWithTheNeedleInTheReplacementEnds) {
  FakeEditor e("ab ab ab");
  EXPECT_EQ(ReplaceAll(e, "ab", "xaby", {}), 3);
  EXPECT_EQ(e.text(), "xaby xaby xaby");
  EXPECT_LT(e.finds, 10);
}

TEST(FindReplace, NothingToFindOrAnEmptyFindText) {
  FakeEditor e("some text");
  EXPECT_EQ(ReplaceAll(e, "none", "x", {}), 0);
  EXPECT_EQ(e.text(), "some text");
  // An empty find text is refused before any search.
  EXPECT_EQ(ReplaceAll(e, "", "x", {}), 0);
  EXPECT_FALSE(FindNext(e, "", {}));
  e.Select(0, 0);
  EXPECT_FALSE(SelectionMatches(e, "", {}));
  EXPECT_EQ(e.finds, 1);
  EXPECT_STREQ(kReplaceDoneMessage, "置換が終了しました.");
}
