#include "editor/core/SwappedIndents.h"

#include <vector>

#include "editor/core/RtfText.h"

namespace qm::editor {

namespace {

// One item of a run: a control word (with its number and the blank that
// ends it) or a CR or LF byte, which RTF ignores between words.
struct RunItem {
  std::size_t begin = 0;
  std::size_t end = 0;  // after the blank, when there is one
  enum Kind { kWord, kLineBreak, kLeft, kFirst } kind = kWord;
  long long value = 0;  // of \li and \fi; 0 without a number
  bool blank = false;
};

// Reads the control word at s[i] == '\\' into item; false when a control
// symbol or anything else stands there.
bool ReadRunWord(std::string_view s, std::size_t i, RunItem& item) {
  const RtfControlWord word = ReadControlWord(s, i);
  if (word.name.empty()) return false;
  item.begin = i;
  item.blank = word.blank;
  item.end = word.end;
  item.value = word.value;
  item.kind = word.name == "li" && word.digits < 18 ? RunItem::kLeft
              : word.name == "fi" && word.digits < 18 ? RunItem::kFirst
                                                      : RunItem::kWord;
  return true;
}

// The run of control words and line breaks that starts at s[i].
std::vector<RunItem> ReadRun(std::string_view s, std::size_t i) {
  std::vector<RunItem> run;
  while (i < s.size()) {
    RunItem item;
    if (s[i] == '\r' || s[i] == '\n') {
      item.begin = i;
      item.end = i + 1;
      item.kind = RunItem::kLineBreak;
    } else if (s[i] != '\\' || !ReadRunWord(s, i, item)) {
      break;
    }
    run.push_back(item);
    i = item.end;
  }
  return run;
}

// The \li and \fi of a run as written; false when the run has neither.
bool WrittenIndents(const std::vector<RunItem>& run, long long& left, long long& first) {
  bool found = false;
  left = 0;
  first = 0;
  for (const RunItem& item : run) {
    if (item.kind == RunItem::kLeft) left = item.value;
    if (item.kind == RunItem::kFirst) first = item.value;
    found = found || item.kind == RunItem::kLeft || item.kind == RunItem::kFirst;
  }
  return found;
}

// Appends the run with its \li and \fi mended to out.
void AppendMendedRun(std::string_view s, const std::vector<RunItem>& run, std::string& out) {
  long long left = 0;
  long long first = 0;
  if (!WrittenIndents(run, left, first)) {
    out.append(s.substr(run.front().begin, run.back().end - run.front().begin));
    return;
  }
  bool placed = false;
  for (const RunItem& item : run) {
    if (item.kind != RunItem::kLeft && item.kind != RunItem::kFirst) {
      out.append(s.substr(item.begin, item.end - item.begin));
      continue;
    }
    if (!placed) out += "\\li" + std::to_string(first + left) + "\\fi" + std::to_string(-left);
    placed = true;
    // The blank that ended a word stays after the word before it (a line
    // break ends that word already, and a blank after it would be text).
    const char back = out.back();
    if (item.blank && back != ' ' && back != '\r' && back != '\n') out += ' ';
  }
}

}  // namespace

bool WriterSwapsIndents(std::string_view probe_rtf) {
  std::size_t i = 0;
  while (i < probe_rtf.size()) {
    const std::vector<RunItem> run = probe_rtf[i] == '\\' ? ReadRun(probe_rtf, i) : std::vector<RunItem>{};
    if (run.empty()) {
      i += RtfStepLength(probe_rtf, i);
      continue;
    }
    long long left = 0;
    long long first = 0;
    if (WrittenIndents(run, left, first)) return left == kIndentProbeOffset && first == kIndentProbeStart;
    i = run.back().end;
  }
  return false;
}

std::string MendSwappedIndents(std::string_view rtf) {
  std::string out;
  out.reserve(rtf.size() + 64);
  std::size_t i = 0;
  while (i < rtf.size()) {
    if (rtf[i] == '\\') {
      const std::vector<RunItem> run = ReadRun(rtf, i);
      if (!run.empty()) {
        AppendMendedRun(rtf, run, out);
        i = run.back().end;
        continue;
      }
    }
    const std::size_t step = RtfStepLength(rtf, i);
    out.append(rtf.substr(i, step));
    i += step;
  }
  return out;
}

}  // namespace qm::editor
