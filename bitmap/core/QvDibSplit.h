// Colour-space splitting: chooses the palette of a colour reduction by
// cutting a set of colours in two at the mean of one channel, again and
// again down to a leaf depth; every box at that depth becomes one palette
// entry, its mean colour.
//
// SplitColorCells works on weighted colour cells (the "Low" reductions and
// 8 -> 4 bits), SplitPixelList on one entry per pixel and records every cut
// in a split tree that maps pixels to palette entries afterwards (the "High"
// reductions). Both call progress once per box at the leaf depth, empty or
// not, so 2^leafDepth times from depth 0, and add one palette entry per
// non-empty leaf box.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "bitmap/core/QvDibTypes.h"
#include "bitmap/core/QvInternalDib.h"

namespace qm {

// Sums, means and variances are extended-precision reals: the 64-bit
// mantissa of the x87 format holds every sum of channel values and their
// squares that a picture within the library's size limit can make, exactly,
// and the means and variances round as that format rounds them. A long
// double of another width (a double, or a 113-bit quad) would put some cuts
// elsewhere and give other palettes, so such a compiler is refused.
static_assert(std::numeric_limits<long double>::digits == 64,
              "colour splitting needs long double to be the x87 extended format (64-bit mantissa), "
              "as on both MinGW targets; with another long double the palettes would differ");

// One weighted colour (five 32-bit fields in this order). The routine reads
// the colour and weight, moves whole cells, and at the end leaves in weight
// the palette index of the cell's box; number travels along untouched.
struct QvColorCell {
  int32_t red;
  int32_t green;
  int32_t blue;
  int32_t weight;
  int32_t number;
};

// One pixel, in the byte order of a 24-bit DIB.
struct QvPixelEntry {
  uint8_t blue;
  uint8_t green;
  uint8_t red;
};
static_assert(sizeof(QvPixelEntry) == 3, "pixel entries are packed triples");

enum : uint8_t { kSplitRed = 0, kSplitGreen = 1, kSplitBlue = 2, kSplitLeaf = 3 };

struct QvSplitNode {
  uint8_t divide = kSplitLeaf;  // channel cut at this node, or leaf
  long double threshold = 0;    // values <= threshold go to lowChild
  uint8_t paletteIndex = 0;     // a leaf's palette entry
  int32_t lowChild = 0;
  int32_t highChild = 0;
};

// The nodes of one split: node 0 is the root and count starts at 1. Every
// node starts as a leaf of palette entry 0, so a node that a cut numbers but
// never describes (the empty high part of a box that cannot be cut) ends a
// walk instead of sending it back to the root.
struct QvSplitTree {
  explicit QvSplitTree(int leafDepth)
      : nodes(static_cast<size_t>(2) << leafDepth) {}
  int32_t count = 1;
  std::vector<QvSplitNode> nodes;  // room for every node a split can number
};

// Splits cells start .. end - 1 (all of weight above 0) at depth; palette
// has room for 2^leafDepth entries after count.
void SplitColorCells(int32_t start, int32_t end, int depth, const QvProgressCallback& progress,
                     int32_t& count, QvRGBQuad* palette, QvColorCell* cells, int leafDepth);

// Splits pixels start .. end - 1 at depth and describes the box in node
// number node of tree.
void SplitPixelList(int64_t start, int64_t end, int depth, const QvProgressCallback& progress,
                    int32_t node, QvSplitTree& tree, int32_t& count, QvRGBQuad* palette,
                    QvPixelEntry* pixels, int leafDepth);

// Maps colours to palette entries through a finished split tree: the walk
// from the root goes to the low child where the node's threshold is at least
// the colour's value of the node's channel, else to the high child, until a
// leaf. A node with another divide id fails an assertion.
class QvSplitWalker {
 public:
  explicit QvSplitWalker(const QvSplitTree& tree);
  uint8_t Index(uint8_t red, uint8_t green, uint8_t blue) const {
    const uint8_t v[3] = {red, green, blue};
    const Node* n = &nodes_[firstNode_[Cell(red, green, blue)]];
    for (size_t steps = 0; steps < nodes_.size(); ++steps) {
      if (n->divide == kSplitLeaf) return n->paletteIndex;
      n = &nodes_[static_cast<size_t>(v[n->divide] <= n->limit ? n->lowChild : n->highChild)];
    }
    Loops();
  }

 private:
  // A node with its threshold as the largest whole value that goes low
  // (colour values are whole numbers, so this is the same test).
  struct Node {
    uint8_t divide;
    uint8_t paletteIndex;
    int32_t limit;
    int32_t lowChild;
    int32_t highChild;
  };
  // The colours fall into cells of 8 x 8 x 8 values; a walk from the root
  // takes the same way for every colour of a cell as far as no node's limit
  // cuts through the cell, and firstNode_ holds where that way ends: the
  // leaf of all the cell's colours, or the node that tells them apart.
  static constexpr int kCellBits = 3;
  static size_t Cell(unsigned red, unsigned green, unsigned blue) {
    return (red >> kCellBits) << (16 - 2 * kCellBits) | (green >> kCellBits) << (8 - kCellBits) |
           blue >> kCellBits;
  }
  [[noreturn]] static void Loops();
  std::vector<Node> nodes_;
  std::vector<uint16_t> firstNode_;
};

}  // namespace qm
