// Colour-space splitting: the channel chosen, the rounding of the means, the
// progress steps, the numbering of the split tree and walks through it.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "bitmap/core/QvDibSplit.h"

namespace qm {
namespace {

struct Split {
  QvRGBQuad palette[256] = {};
  int32_t count = 0;
  int steps = 0;
  QvProgressCallback progress = [this] { ++steps; };
};

std::vector<QvPixelEntry> Pixels(std::initializer_list<std::array<uint8_t, 3>> rgb) {
  std::vector<QvPixelEntry> v;
  for (const auto& c : rgb) v.push_back(QvPixelEntry{c[2], c[1], c[0]});
  return v;
}

TEST(ColorSplit, OneColourGivesOneEntryAndStillEveryStep) {
  for (int leafDepth : {4, 8}) {
    Split s;
    std::vector<QvPixelEntry> px(50, QvPixelEntry{50, 100, 200});
    QvSplitTree tree(leafDepth);
    SplitPixelList(0, 50, 0, s.progress, 0, tree, s.count, s.palette, px.data(), leafDepth);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.steps, 1 << leafDepth);
    EXPECT_EQ(s.palette[0].rgbRed, 200);
    EXPECT_EQ(s.palette[0].rgbBlue, 50);
    EXPECT_EQ(QvSplitWalker(tree).Index(200, 100, 50), 0);

    Split c;
    QvColorCell cell{200, 100, 50, 7, 1234};
    SplitColorCells(0, 1, 0, c.progress, c.count, c.palette, &cell, leafDepth);
    EXPECT_EQ(c.count, 1);
    EXPECT_EQ(c.steps, 1 << leafDepth);
    EXPECT_EQ(cell.weight, 0);  // its palette index
    EXPECT_EQ(cell.number, 1234);
  }
}

TEST(ColorSplit, AnUncuttableBoxNumbersEmptyNodesThatStayLeaves) {
  // The box cannot be cut: each level numbers an empty high part (1, then 3)
  // before the low part (2, then 4).
  Split s;
  std::vector<QvPixelEntry> px(3, QvPixelEntry{9, 9, 9});
  QvSplitTree tree(2);
  SplitPixelList(0, 3, 0, s.progress, 0, tree, s.count, s.palette, px.data(), 2);
  EXPECT_EQ(tree.count, 5);
  EXPECT_EQ(tree.nodes[0].highChild, 1);
  EXPECT_EQ(tree.nodes[0].lowChild, 2);
  EXPECT_EQ(tree.nodes[2].highChild, 3);
  EXPECT_EQ(tree.nodes[2].lowChild, 4);
  for (int n : {1, 3, 4}) EXPECT_EQ(tree.nodes[n].divide, kSplitLeaf) << n;
  // A colour that the tree never saw may walk into an empty part: it ends
  // at a leaf, never back at the root.
  const QvSplitWalker walk(tree);
  EXPECT_EQ(walk.Index(9, 9, 9), 0);
  EXPECT_EQ(walk.Index(255, 255, 255), 0);
}

TEST(ColorSplit, CutsTheChannelOfLargestWeightedVariance) {
  // Two colours that differ only in green: the cut is on green.
  {
    Split s;
    auto px = Pixels({{10, 0, 10}, {10, 200, 10}});
    QvSplitTree tree(1);
    SplitPixelList(0, 2, 0, s.progress, 0, tree, s.count, s.palette, px.data(), 1);
    EXPECT_EQ(tree.nodes[0].divide, kSplitGreen);
    EXPECT_EQ(tree.nodes[0].threshold, 100.0L);
    EXPECT_EQ(s.count, 2);
    // High part first: the green colour is entry 0.
    EXPECT_EQ(s.palette[0].rgbGreen, 200);
    const QvSplitWalker walk(tree);
    EXPECT_EQ(walk.Index(10, 200, 10), 0);
    EXPECT_EQ(walk.Index(10, 100, 10), 1);  // at the threshold: low
    EXPECT_EQ(walk.Index(10, 101, 10), 0);
  }
  // Variances red 3, green 9/4: 3 x 3 = 4 x 9/4, a tie that goes to red.
  {
    Split s;
    auto px = Pixels({{0, 0, 0}, {0, 0, 0}, {0, 3, 0}, {4, 3, 0}});
    QvSplitTree tree(1);
    SplitPixelList(0, 4, 0, s.progress, 0, tree, s.count, s.palette, px.data(), 1);
    EXPECT_EQ(tree.nodes[0].divide, kSplitRed);
    EXPECT_EQ(tree.nodes[0].threshold, 1.0L);
    EXPECT_EQ(s.palette[0].rgbRed, 4);   // the high part alone
    EXPECT_EQ(s.palette[1].rgbGreen, 1);  // 0, 0, 3: mean 1
  }
}

TEST(ColorSplit, MeansRoundHalvesToEven) {
  for (auto [a, b, want] : {std::array{2, 3, 2}, std::array{3, 4, 4}, std::array{0, 1, 0}}) {
    Split s;
    auto px = Pixels({{uint8_t(a), 0, 0}, {uint8_t(b), 0, 0}});
    QvSplitTree tree(0);
    SplitPixelList(0, 2, 0, s.progress, 0, tree, s.count, s.palette, px.data(), 0);
    EXPECT_EQ(s.palette[0].rgbRed, want) << a << " " << b;
  }
  // Cells are weighted: 3 x 1 and 1 x 4 give 7 / 4, rounded to 2.
  Split c;
  QvColorCell cells[] = {{1, 0, 0, 3, 0}, {4, 0, 0, 1, 1}};
  SplitColorCells(0, 2, 0, c.progress, c.count, c.palette, cells, 0);
  EXPECT_EQ(c.palette[0].rgbRed, 2);
}

TEST(ColorSplit, EveryEntryLandsInTheLeafOfItsColour) {
  // Random pixels: walking the tree with a pixel's colour ends at the entry
  // whose box holds it, and each entry is the rounded mean of its box.
  std::mt19937 rng(3);
  std::vector<QvPixelEntry> px(2000);
  for (auto& p : px) p = QvPixelEntry{uint8_t(rng()), uint8_t(rng() & 0xF0), uint8_t(rng() % 60)};
  const std::vector<QvPixelEntry> original = px;
  Split s;
  QvSplitTree tree(4);
  SplitPixelList(0, 2000, 0, s.progress, 0, tree, s.count, s.palette, px.data(), 4);
  EXPECT_EQ(s.steps, 16);
  EXPECT_LE(s.count, 16);
  const QvSplitWalker walk(tree);
  std::vector<std::array<int64_t, 4>> sums(16);
  for (const QvPixelEntry& p : original) {
    const int i = walk.Index(p.red, p.green, p.blue);
    ASSERT_LT(i, s.count);
    sums[i][0] += p.red;
    sums[i][1] += p.green;
    sums[i][2] += p.blue;
    sums[i][3] += 1;
  }
  for (int i = 0; i < s.count; ++i) {
    ASSERT_GT(sums[i][3], 0);
    const long double n = sums[i][3];
    EXPECT_NEAR(s.palette[i].rgbRed, sums[i][0] / n, 0.5L);
    EXPECT_NEAR(s.palette[i].rgbGreen, sums[i][1] / n, 0.5L);
    EXPECT_NEAR(s.palette[i].rgbBlue, sums[i][2] / n, 0.5L);
  }
}

}  // namespace
}  // namespace qm
