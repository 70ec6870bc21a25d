#include <gtest/gtest.h>

#include "standins/hcrtf/core/TopicScan.h"

using namespace qm::hcrtf;

namespace {

std::vector<std::string> Targets(const TopicScan& s, RefKind kind) {
  std::vector<std::string> out;
  for (const TopicRef& r : s.refs)
    if (r.kind == kind) out.push_back(r.target);
  return out;
}

using V = std::vector<std::string>;

}  // namespace

TEST(TopicScan, EditorTopicFile) {
  // The layout the editor writes: header, colour table, first body line with
  // the footnote block, escaped markup for pictures.
  const char* rtf =
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 MS UI Gothic;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
      "\\viewkind4\\uc1\\pard #{\\footnote Intro} ${\\footnote Title #x} K{\\footnote a;b} \\f0\\fs24 "
      "See {\\uldb the rest}{\\v Rest} and {\\ul a word}{\\v Gloss}.\\par\r\n"
      "\\{bmc pic.bmp\\} \\{bmrt left.bmp;right.bmp\\} \\{mci x.avi\\} \\{button B,Macro()\\}\\par\r\n"
      "}\r\n";
  TopicScan s = ScanTopicRtf(rtf);
  EXPECT_EQ(s.topicIds, V{"Intro"});
  EXPECT_EQ(Targets(s, RefKind::Jump), V{"Rest"});
  EXPECT_EQ(Targets(s, RefKind::Popup), V{"Gloss"});
  EXPECT_EQ(Targets(s, RefKind::Picture), (V{"pic.bmp", "left.bmp", "right.bmp"}));
  for (const TopicRef& r : s.refs) EXPECT_EQ(r.topicId, "Intro");
}

TEST(TopicScan, WordStyleFootnotesAndHotspots) {
  const char* rtf =
      "{\\rtf1{\\stylesheet{\\*\\cs16 \\additive \\super footnote reference;}}"
      "{\\info{\\title # not a footnote}}"
      "{\\cs16\\super #{\\footnote \\pard\\plain \\s15 {\\cs16\\super #} HID_ONE}}"
      "{\\cs16\\super K{\\footnote {\\cs16\\super K} keyword}}"
      "{\\f1\\fs20\\uldb Delete }{\\v\\f1\\fs20 HID_EDIT_DELETE }{\\f1 , }"
      "\\uldb inline\\uldb0 {\\v Inline_Target}\\par "
      "{\\strike struck}{\\v %Struck>win}\\page "
      "#{\\footnote HID_TWO}{\\ul one}{\\v Two_Pop}"
      "}";
  TopicScan s = ScanTopicRtf(rtf);
  EXPECT_EQ(s.topicIds, (V{"HID_ONE", "HID_TWO"}));
  EXPECT_EQ(Targets(s, RefKind::Jump), (V{"HID_EDIT_DELETE", "Inline_Target", "%Struck>win"}));
  EXPECT_EQ(Targets(s, RefKind::Popup), V{"Two_Pop"});
  ASSERT_EQ(s.refs.size(), 4u);
  EXPECT_EQ(s.refs[2].topicId, "HID_ONE");
  EXPECT_EQ(s.refs[3].topicId, "HID_TWO");
}

TEST(TopicScan, OnlyHotspotsFollowedByHiddenTextAreLinks) {
  TopicScan s = ScanTopicRtf(
      "{\\rtf1 {\\uldb no target} plain {\\v hidden alone} {\\ul pop}\\par {\\v late}"
      "{\\uldb a}{\\ul b}{\\v t1}{\\uldb c}{\\v t2}{\\v \\'41}}");
  // {\uldb a}{\ul b}{\v t1}: the underline kind changes, so the pop-up "b"
  // owns the target; two hidden runs in a row make one target.
  EXPECT_EQ(Targets(s, RefKind::Popup), V{"t1"});
  EXPECT_EQ(Targets(s, RefKind::Jump), V{"t2A"});
}

TEST(TopicScan, DoubleByteCharactersAreNeverSplit) {
  // 0x83 0x7D is one character whose trail byte is "}"; 0x95 0x5C has a "\"
  // trail byte. Raw and as \'hh escapes.
  std::string rtf = "{\\rtf1 #{\\footnote ID\x83\x7d}{\\uldb \x95\x5c text}{\\v T\x83\x7d}"
                    " {\\uldb x}{\\v \\'83\\'7dY} \\{bmc \x95\x5c.bmp\\}}";
  TopicScan s = ScanTopicRtf(rtf);
  EXPECT_EQ(s.topicIds, V{"ID\x83\x7d"});
  EXPECT_EQ(Targets(s, RefKind::Jump), (V{"T\x83\x7d", "\x83\x7dY"}));
  EXPECT_EQ(Targets(s, RefKind::Picture), V{"\x95\x5c.bmp"});
}

TEST(TopicScan, SurvivesBrokenInput) {
  // Unbalanced groups, a cut-off escape and a cut-off hotspot.
  TopicScan s = ScanTopicRtf("}}{\\rtf1 {\\uldb x}{\\v T\\'8");
  EXPECT_EQ(Targets(s, RefKind::Jump), V{"T"});
  s = ScanTopicRtf("{\\bin5 {\\v}}#{\\footnote A} \\u12354?{\\uldb \\{bmc");
  EXPECT_EQ(s.topicIds, V{"A"});
  EXPECT_TRUE(s.refs.empty());
}

TEST(TopicScan, LocalTargetId) {
  EXPECT_EQ(LocalTargetId(" Plain "), "Plain");
  EXPECT_EQ(LocalTargetId("%NoColour"), "NoColour");
  EXPECT_EQ(LocalTargetId("*NoLine>second"), "NoLine");
  EXPECT_EQ(LocalTargetId("Other@other.hlp"), "");
  EXPECT_EQ(LocalTargetId("Other@other.hlp>win"), "");
  EXPECT_EQ(LocalTargetId("!JumpId(`x.hlp',`y')"), "");
  EXPECT_EQ(LocalTargetId(""), "");
}
