#include "bitmap/core/QvDibSplit.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

namespace {

template <int Channel>
inline unsigned ChannelOf(const QvPixelEntry& p) {
  return Channel == kSplitRed ? p.red : Channel == kSplitGreen ? p.green : p.blue;
}

// Pixels are summed in pieces of at most kPiece, whose sums fit 32 bits
// (2048 x 255 x 255 < 2^31).
constexpr int64_t kPiece = 2048;

// Adds the n pixels from p on (n at most kPiece) to sums, all but the count.
void AddPiece(const QvPixelEntry* p, int64_t n, BoxSums& sums) {
  int32_t s[3] = {0, 0, 0}, q[3] = {0, 0, 0};
  for (int64_t i = 0; i < n; ++i) {
    const int32_t v[3] = {p[i].red, p[i].green, p[i].blue};
    for (int c = 0; c < 3; ++c) {
      s[c] += v[c];
      q[c] += v[c] * v[c];
    }
  }
  for (int c = 0; c < 3; ++c) {
    sums.s[c] += s[c];
    sums.q[c] += q[c];
  }
}

// The sums of pixels start .. end - 1.
BoxSums SumPixels(const QvPixelEntry* pixels, int64_t start, int64_t end) {
  BoxSums sums;
  sums.n = end - start;
  for (int64_t at = start; at < end; at += kPiece) AddPiece(pixels + at, std::min(kPiece, end - at), sums);
  return sums;
}

// Moves the pixels whose value of Channel is at most limit to the front and
// returns where the others start; low gets the sums of the front part.
// Pieces of the box are sorted apart into two small buffers without branches
// on the values; then the piece's low pixels join the low part, and the high
// pixels that they push aside go to the free places in the piece.
template <int Channel>
int64_t PartitionPixels(QvPixelEntry* e, int64_t start, int64_t end, unsigned limit, BoxSums& low) {
  QvPixelEntry lows[kPiece], highs[kPiece];
  low = BoxSums{};
  int64_t lowEnd = start;  // [start, lowEnd) low, [lowEnd, at) high
  for (int64_t at = start; at < end; at += kPiece) {
    const int64_t m = std::min(kPiece, end - at);
    int64_t nl = 0, nh = 0;
    for (int64_t i = 0; i < m; ++i) {
      const QvPixelEntry p = e[at + i];
      const int64_t isLow = ChannelOf<Channel>(p) <= limit;
      lows[nl] = p;
      highs[nh] = p;
      nl += isLow;
      nh += 1 - isLow;
    }
    AddPiece(lows, nl, low);
    // The high pixels where the low ones go move behind them, into the piece.
    const int64_t pushed = std::min(nl, at - lowEnd);
    const int64_t freeFrom = std::max(at, lowEnd + nl);
    if (pushed) std::memcpy(e + freeFrom, e + lowEnd, static_cast<size_t>(pushed) * sizeof *e);
    if (nl) std::memcpy(e + lowEnd, lows, static_cast<size_t>(nl) * sizeof *e);
    if (nh) std::memcpy(e + freeFrom + pushed, highs, static_cast<size_t>(nh) * sizeof *e);
    lowEnd += nl;
  }
  low.n = lowEnd - start;
  return lowEnd;
}

int64_t PartitionPixels(int channel, QvPixelEntry* e, int64_t start, int64_t end, unsigned limit,
                        BoxSums& low) {
  switch (channel) {
    case kSplitRed: return PartitionPixels<kSplitRed>(e, start, end, limit, low);
    case kSplitGreen: return PartitionPixels<kSplitGreen>(e, start, end, limit, low);
    default: return PartitionPixels<kSplitBlue>(e, start, end, limit, low);
  }
}

// Splits the box of pixels start .. end - 1 whose sums are known.
void SplitPixelBox(int64_t start, int64_t end, const BoxSums& sums, int depth,
                   const QvProgressCallback& progress, int32_t node, QvSplitTree& tree, int32_t& count,
                   QvRGBQuad* palette, QvPixelEntry* pixels, int leafDepth) {
  if (start == end) {
    if (depth == leafDepth) {
      Step(progress);
      return;
    }
    SplitPixelBox(start, end, sums, depth + 1, progress, 0, tree, count, palette, pixels, leafDepth);
    SplitPixelBox(start, end, sums, depth + 1, progress, 0, tree, count, palette, pixels, leafDepth);
    return;
  }
  QvAssert(node >= 0 && static_cast<size_t>(node) < tree.nodes.size(),
           "SplitPixelList: Split Tree Overflow");
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
  // A mean lies within the values it is the mean of, 0 .. 255.
  BoxSums low, high;
  const int64_t f = PartitionPixels(channel, pixels, start, end,
                                    static_cast<unsigned>(std::clamp<int64_t>(Floor(mean), 0, 255)), low);
  high.n = sums.n - low.n;
  for (int c = 0; c < 3; ++c) {
    high.s[c] = sums.s[c] - low.s[c];
    high.q[c] = sums.q[c] - low.q[c];
  }
  n.divide = static_cast<uint8_t>(channel);
  n.threshold = mean;
  n.paletteIndex = 0;
  // Node numbers go depth-first, the high part before the low part.
  const int32_t highNode = tree.count++;
  tree.nodes[static_cast<size_t>(node)].highChild = highNode;
  SplitPixelBox(f, end, high, depth + 1, progress, highNode, tree, count, palette, pixels, leafDepth);
  const int32_t lowNode = tree.count++;
  tree.nodes[static_cast<size_t>(node)].lowChild = lowNode;
  SplitPixelBox(start, f, low, depth + 1, progress, lowNode, tree, count, palette, pixels, leafDepth);
}

}  // namespace

void SplitPixelList(int64_t start, int64_t end, int depth, const QvProgressCallback& progress,
                    int32_t node, QvSplitTree& tree, int32_t& count, QvRGBQuad* palette,
                    QvPixelEntry* pixels, int leafDepth) {
  SplitPixelBox(start, end, SumPixels(pixels, start, end), depth, progress, node, tree, count, palette,
                pixels, leafDepth);
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
  QvAssert(nodes_.size() <= 65536, "QvSplitWalker: Too Many Nodes");
  constexpr unsigned kSide = 256 >> kCellBits;
  firstNode_.resize(size_t{kSide} * kSide * kSide);
  for (unsigned r = 0; r < kSide; ++r)
    for (unsigned g = 0; g < kSide; ++g)
      for (unsigned b = 0; b < kSide; ++b) {
        const int low[3] = {static_cast<int>(r << kCellBits), static_cast<int>(g << kCellBits),
                            static_cast<int>(b << kCellBits)};
        const int high = (1 << kCellBits) - 1;
        size_t at = 0;
        // A tree that loops is left to the walk of each colour to report.
        for (size_t steps = 0; steps < nodes_.size(); ++steps) {
          const Node& n = nodes_[at];
          if (n.divide == kSplitLeaf) break;
          const int from = low[n.divide];
          if (from + high <= n.limit) at = static_cast<size_t>(n.lowChild);
          else if (from > n.limit) at = static_cast<size_t>(n.highChild);
          else break;
        }
        firstNode_[Cell(r << kCellBits, g << kCellBits, b << kCellBits)] = static_cast<uint16_t>(at);
      }
}

void QvSplitWalker::Loops() { QvAssertFail("QvSplitWalker: Split Tree Loops"); }

}  // namespace qm
