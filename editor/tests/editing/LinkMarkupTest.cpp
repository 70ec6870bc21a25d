#include <gtest/gtest.h>

#include "editor/core/ContentsTree.h"
#include "editor/core/LinkMarkup.h"

using namespace qm::editor;

namespace {

std::string Jump(int type, const std::string& text, int attr, int window) {
  return JumpLinkMarkup({type, text, "T2", attr, window, "sub"});
}

}  // namespace

TEST(JumpLinkTest, EachTypeBuildsItsMarkup) {
  EXPECT_EQ(Jump(kJumpText, "次へ", 1, 1), "{jmp 次へ,*T2>main}");
  EXPECT_EQ(Jump(kJumpButton, "次へ", 1, 1), "{button 次へ,JI(>main,T2)}");
  EXPECT_EQ(Jump(kJumpButton, "次へ", 0, 0), "{button 次へ,JI(T2)}");
  EXPECT_EQ(Jump(kJumpSideButton, "", 0, 2), "{button ,JI(>sub,T2)}\x81\x40");
  EXPECT_EQ(Jump(kJumpSideButton, "次", 0, 0), "{button ,JI(T2)}\x81\x40次");
  // Pop-ups carry no window, whatever the window choice holds.
  EXPECT_EQ(Jump(kPopupText, "", 2, 2), "{pop ,%T2}");
  EXPECT_EQ(Jump(kPopupButton, "注", 1, 2), "{button 注,PI(T2)}");
  EXPECT_EQ(Jump(kPopupSideButton, "注", 0, 1), "{button ,PI(T2)}\x81\x40注");
  EXPECT_EQ(Jump(kJumpText, "a,b}", 0, 2), "{jmp a,b},T2>sub}");  // typed text is not escaped
}

TEST(JumpLinkTest, CompleteAndChoices) {
  EXPECT_FALSE(JumpLinkComplete(kJumpText, "", "T2"));
  EXPECT_FALSE(JumpLinkComplete(kJumpButton, "", "T2"));
  EXPECT_TRUE(JumpLinkComplete(kJumpSideButton, "", "T2"));
  EXPECT_TRUE(JumpLinkComplete(kPopupText, "", "T2"));
  EXPECT_FALSE(JumpLinkComplete(kPopupText, "x", ""));
  EXPECT_TRUE(JumpTypeUsesWindow(kJumpSideButton));
  EXPECT_FALSE(JumpTypeUsesWindow(kPopupText));
  EXPECT_TRUE(JumpTypeUsesAttr(kPopupText));
  EXPECT_FALSE(JumpTypeUsesAttr(kJumpButton));
}

TEST(KeywordLinkTest, ALinkAndKLink) {
  KeywordLink l{true, "表示", "印刷", 0, 0, "sub"};
  EXPECT_EQ(ALinkMarkup(l), "{button 表示,AL(\"印刷\")}");
  EXPECT_EQ(KLinkMarkup(l), "{button 表示,KL(\"印刷\")}");
  l.Button = false;
  l.AttrIndex = 1;
  l.WindowIndex = 2;
  EXPECT_EQ(ALinkMarkup(l), "{jmp 表示,*!AL(\"印刷\",,,sub)}");
  EXPECT_EQ(KLinkMarkup(l), "{jmp 表示,*!KL(\"印刷\")}");
  l.WindowIndex = 1;
  l.AttrIndex = 2;
  l.Keywords = "a;b";
  EXPECT_EQ(ALinkMarkup(l), "{jmp 表示,%!AL(\"a;b\",,,main)}");
  EXPECT_TRUE(KeywordLinkComplete(true, "", "k"));
  EXPECT_FALSE(KeywordLinkComplete(false, "", "k"));
  EXPECT_FALSE(KeywordLinkComplete(true, "x", ""));
}

TEST(EditorDropTest, TopicsOnly) {
  EXPECT_TRUE(CanDropNodeOnEditor(kTopicNode));
  EXPECT_TRUE(CanDropNodeOnEditor(kHiddenTopicNode));
  EXPECT_FALSE(CanDropNodeOnEditor(kExternalNode));
  EXPECT_FALSE(CanDropNodeOnEditor(kBookClosed));
  EXPECT_FALSE(CanDropNodeOnEditor(kBookOpen));
}
