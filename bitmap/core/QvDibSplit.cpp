#include "bitmap/core/QvDibSplit.h"

#include <cmath>
#include <utility>

namespace qm {

namespace {

// Sums of a box in exact integers; a box within the size limit keeps every
// sum below 2^53, so their conversion to long double loses nothing and the
// means and variances come out as extended-precision sums would give them.
struct BoxSums {
  int64_t n = 0;
  int64_t s[3] = {0, 0, 0};  // red, green, blue
  int64_t q[3] = {0, 0, 0};  // their squares
};

struct BoxStats {
  long double mean[3];
  long double variance[3];
};

BoxStats Stats(const BoxSums& b) {
  BoxStats st;
  const long double n = static_cast<long double>(b.n);
  for (int c = 0; c < 3; ++c) {
    st.mean[c] = static_cast<long double>(b.s[c]) / n;
    st.variance[c] = static_cast<long double>(b.q[c]) / n - st.mean[c] * st.mean[c];
  }
  return st;
}

// A mean as a colour byte: to the nearest integer, halves to the even one
// (the default rounding mode), never outside 0 .. 255.
uint8_t RoundMean(long double m) {
  const long double r = std::nearbyint(m);
  return static_cast<uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
}

QvRGBQuad MeanColor(const BoxStats& st) {
  return QvRGBQuad{RoundMean(st.mean[2]), RoundMean(st.mean[1]), RoundMean(st.mean[0]), 0};
}

// The channel to cut: the largest of the weighted variances 3 red, 4 green,
// 2 blue; ties go to red, then green.
int CutChannel(const BoxStats& st) {
  const long double r = 3 * st.variance[0], g = 4 * st.variance[1], b = 2 * st.variance[2];
  if (r >= g && r >= b) return kSplitRed;
  if (g >= b) return kSplitGreen;
  return kSplitBlue;
}

// Values are whole numbers, so value <= m holds exactly when value <= floor(m):
// the partition and the walk compare integers and still cut at the real mean.
int64_t Floor(long double m) { return static_cast<int64_t>(std::floor(m)); }

// Moves the entries whose channel value is at most limit to the front and
// returns where the others start.
template <class T, class Value>
int64_t Partition(T* e, int64_t start, int64_t end, int64_t limit, Value value) {
  int64_t i = start, j = end;
  while (i < j) {
    while (i < j && value(e[i]) <= limit) ++i;
    while (i < j && value(e[j - 1]) > limit) --j;
    if (i < j) {
      std::swap(e[i], e[j - 1]);
    }
  }
  return i;
}

int32_t CellValue(const QvColorCell& c, int channel) {
  return channel == kSplitRed ? c.red : channel == kSplitGreen ? c.green : c.blue;
}

uint8_t PixelValue(const QvPixelEntry& p, int channel) {
  return channel == kSplitRed ? p.red : channel == kSplitGreen ? p.green : p.blue;
}

void Step(const QvProgressCallback& progress) {
  if (progress) progress();
}

}  // namespace

void SplitColorCells(int32_t start, int32_t end, int depth, const QvProgressCallback& progress,
                     int32_t& count, QvRGBQuad* palette, QvColorCell* cells, int leafDepth) {
  if (start == end) {
    if (depth == leafDepth) {
      Step(progress);
      return;
    }
    SplitColorCells(start, end, depth + 1, progress, count, palette, cells, leafDepth);
    SplitColorCells(start, end, depth + 1, progress, count, palette, cells, leafDepth);
    return;
  }
  BoxSums sums;
  for (int32_t i = start; i < end; ++i) {
    const QvColorCell& c = cells[i];
    const int64_t w = c.weight;
    const int64_t v[3] = {c.red, c.green, c.blue};
    sums.n += w;
    for (int k = 0; k < 3; ++k) {
      sums.s[k] += w * v[k];
      sums.q[k] += w * v[k] * v[k];
    }
  }
  const BoxStats st = Stats(sums);
  if (depth == leafDepth) {
    palette[count] = MeanColor(st);
    for (int32_t i = start; i < end; ++i) cells[i].weight = count;
    ++count;
    Step(progress);
    return;
  }
  const int channel = CutChannel(st);
  const int64_t f = Partition(cells, start, end, Floor(st.mean[channel]),
                              [channel](const QvColorCell& c) { return CellValue(c, channel); });
  const int32_t cut = static_cast<int32_t>(f);
  SplitColorCells(cut, end, depth + 1, progress, count, palette, cells, leafDepth);
  SplitColorCells(start, cut, depth + 1, progress, count, palette, cells, leafDepth);
}

void SplitPixelList(int64_t start, int64_t end, int depth, const QvProgressCallback& progress,
                    int32_t node, QvSplitTree& tree, int32_t& count, QvRGBQuad* palette,
                    QvPixelEntry* pixels, int leafDepth) {
  if (start == end) {
    if (depth == leafDepth) {
      Step(progress);
      return;
    }
    SplitPixelList(start, end, depth + 1, progress, 0, tree, count, palette, pixels, leafDepth);
    SplitPixelList(start, end, depth + 1, progress, 0, tree, count, palette, pixels, leafDepth);
    return;
  }
  QvAssert(node >= 0 && static_cast<size_t>(node) < tree.nodes.size(),
           "SplitPixelList: Split Tree Overflow");
  BoxSums sums;
  sums.n = end - start;
  for (int64_t i = start; i < end; ++i) {
    const QvPixelEntry& p = pixels[i];
    const int64_t v[3] = {p.red, p.green, p.blue};
    for (int k = 0; k < 3; ++k) {
      sums.s[k] += v[k];
      sums.q[k] += v[k] * v[k];
    }
  }
  const BoxStats st = Stats(sums);
  QvSplitNode& n = tree.nodes[static_cast<size_t>(node)];
  if (depth == leafDepth) {
    palette[count] = MeanColor(st);
    n = QvSplitNode{kSplitLeaf, 0, static_cast<uint8_t>(count), 0, 0};
    ++count;
    Step(progress);
    return;
  }
  const int channel = CutChannel(st);
  const long double mean = st.mean[channel];
  const int64_t f = Partition(pixels, start, end, Floor(mean),
                              [channel](const QvPixelEntry& p) { return PixelValue(p, channel); });
  n.divide = static_cast<uint8_t>(channel);
  n.threshold = mean;
  n.paletteIndex = 0;
  // Node numbers go depth-first, the high part before the low part.
  const int32_t high = tree.count++;
  tree.nodes[static_cast<size_t>(node)].highChild = high;
  SplitPixelList(f, end, depth + 1, progress, high, tree, count, palette, pixels, leafDepth);
  const int32_t low = tree.count++;
  tree.nodes[static_cast<size_t>(node)].lowChild = low;
  SplitPixelList(start, f, depth + 1, progress, low, tree, count, palette, pixels, leafDepth);
}

QvSplitWalker::QvSplitWalker(const QvSplitTree& tree) : nodes_(tree.nodes.size()) {
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const QvSplitNode& t = tree.nodes[i];
    QvAssert(t.divide <= kSplitLeaf, "QvSplitWalker: Invalid Divide Id");
    const bool inner = t.divide != kSplitLeaf;
    QvAssert(!inner || (t.lowChild >= 0 && static_cast<size_t>(t.lowChild) < nodes_.size() &&
                        t.highChild >= 0 && static_cast<size_t>(t.highChild) < nodes_.size()),
             "QvSplitWalker: Invalid Child Node");
    const int64_t limit = inner ? Floor(t.threshold) : 0;
    nodes_[i] = Node{t.divide, t.paletteIndex,
                     static_cast<int32_t>(limit < -1 ? -1 : limit > 255 ? 255 : limit), t.lowChild,
                     t.highChild};
  }
}

void QvSplitWalker::Loops() { QvAssertFail("QvSplitWalker: Split Tree Loops"); }

}  // namespace qm
