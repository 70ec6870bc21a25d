#include "editor/core/NegativeTabs.h"

#include <algorithm>

#include "editor/core/RtfText.h"

namespace qm::editor {

namespace {

bool IsTabKind(std::string_view n) {
  return n == "tqr" || n == "tqc" || n == "tqdec" || n == "tldot" || n == "tlhyph" || n == "tlul" || n == "tlth" ||
         n == "tleq" || n == "tlmdot";
}

bool IsTabPosition(std::string_view n) { return n == "tx" || n == "tb"; }

// One tab stop of a run: its kind words as written (without the blank), its
// position word's name and number.
struct TabStop {
  std::string kinds;
  std::string_view name;
  long long position = 0;
  bool changed = false;
};

// A run of tab words from s[i]: its stops, the kind words after its last
// stop, where it ends and whether its last word had a blank. Empty when no
// tab word stands at s[i].
struct TabRun {
  std::vector<TabStop> stops;
  std::string rest;
  std::size_t end = 0;
  bool blank = false;
};

TabRun ReadTabRun(std::string_view s, std::size_t i) {
  TabRun run;
  run.end = i;
  TabStop stop;
  while (i < s.size() && s[i] == '\\') {
    const RtfControlWord word = ReadControlWord(s, i);
    const bool kind = IsTabKind(word.name);
    if (!kind && !(IsTabPosition(word.name) && word.digits > 0 && word.digits < 18)) break;
    const std::string_view text = s.substr(i, word.end - i - (word.blank ? 1 : 0));
    if (kind) {
      stop.kinds += text;
    } else {
      stop.name = word.name;
      stop.position = word.value;
      run.stops.push_back(std::move(stop));
      stop = TabStop{};
    }
    i = run.end = word.end;
    run.blank = word.blank;
  }
  run.rest = std::move(stop.kinds);
  return run;
}

// The run written again: first the stops for which first_ holds, then the
// others, each group in its order.
template <typename First>
void AppendRun(const TabRun& run, First first_, std::string& out) {
  for (bool pass : {true, false}) {
    for (const TabStop& t : run.stops) {
      if (first_(t) != pass) continue;
      out += t.kinds;
      out += '\\';
      out += t.name;
      out += std::to_string(t.position);
    }
  }
  out += run.rest;
  if (run.blank) out += ' ';
}

// rtf with each run of tab stops passed to change (which marks the stops it
// changed); runs without a changed stop stay as they were written.
template <typename Change, typename First>
std::string ChangeTabRuns(std::string_view rtf, Change change, First first_) {
  std::string out;
  out.reserve(rtf.size() + 16);
  std::size_t at = 0;  // copied up to here
  std::size_t i = 0;
  while (i < rtf.size()) {
    if (rtf[i] != '\\') {
      i += RtfStepLength(rtf, i);
      continue;
    }
    TabRun run = ReadTabRun(rtf, i);
    if (run.stops.empty()) {
      i = std::max(ReadControlWord(rtf, i).end, i + 1);
      continue;
    }
    bool changed = false;
    for (TabStop& t : run.stops) changed = change(t) || changed;
    if (changed) {
      out.append(rtf.substr(at, i - at));
      AppendRun(run, first_, out);
      at = run.end;
    }
    i = run.end;
  }
  out.append(rtf.substr(at));
  return out;
}

}  // namespace

bool ReaderKeepsNegativeTabs(const std::vector<long>& read) {
  for (long entry : read) {
    const auto bits = static_cast<unsigned long>(entry) & 0xFFFFFFFFul;
    long position = static_cast<long>(bits & 0x00FFFFFFul);
    if (position & 0x00800000l) position -= 0x01000000l;
    const unsigned alignment = (bits >> 24) & 0xF;
    const unsigned leader = (bits >> 28) & 0xF;
    if (position == kNegativeTabProbe) return alignment <= 4 && leader <= 5;
  }
  return false;
}

std::string HideNegativeTabs(std::string_view rtf) {
  return ChangeTabRuns(
      rtf,
      [](TabStop& t) {
        if (t.position >= 0 || -t.position >= 0x00FFFFFF - kNegativeTabBase) return false;
        t.position = kNegativeTabBase - t.position;
        return t.changed = true;
      },
      [](const TabStop& t) { return !t.changed; });
}

std::string RestoreNegativeTabs(std::string_view rtf) {
  return ChangeTabRuns(
      rtf,
      [](TabStop& t) {
        if (t.position < kNegativeTabBase) return false;
        t.position = kNegativeTabBase - t.position;
        return t.changed = true;
      },
      [](const TabStop& t) { return t.changed; });
}

}  // namespace qm::editor
