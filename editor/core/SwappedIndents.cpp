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
  // kEnd: a word that ends a paragraph's properties (\par, \pard and the
  // other paragraph ends).
  enum Kind { kWord, kLineBreak, kLeft, kFirst, kEnd } kind = kWord;
  long long value = 0;  // of \li and \fi; 0 without a number
  bool blank = false;
  // Of \li and \fi, once mended: the pair that takes the word's place, or
  // nothing (the word is dropped).
  std::string mended;
};
using Run = std::vector<RunItem>;

// Reads the control word at s[i] == '\\' into item; false when a control
// symbol or anything else stands there.
bool ReadRunWord(std::string_view s, std::size_t i, RunItem& item) {
  const RtfControlWord word = ReadControlWord(s, i);
  if (word.name.empty()) return false;
  item.begin = i;
  item.blank = word.blank;
  item.end = word.end;
  item.value = word.value;
  const std::string_view n = word.name;
  if (n == "par" || n == "pard" || n == "sect" || n == "cell" || n == "row") {
    item.kind = RunItem::kEnd;
  } else if (word.digits < 18 && (n == "li" || n == "fi")) {
    item.kind = n == "li" ? RunItem::kLeft : RunItem::kFirst;
  } else {
    item.kind = RunItem::kWord;
  }
  return true;
}

// The run of control words and line breaks that starts at s[i].
Run ReadRun(std::string_view s, std::size_t i) {
  Run run;
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

// Every run of the text, in order.
std::vector<Run> ReadRuns(std::string_view s) {
  std::vector<Run> runs;
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == '\\') {
      Run run = ReadRun(s, i);
      if (!run.empty()) {
        i = run.back().end;
        runs.push_back(std::move(run));
        continue;
      }
    }
    i += RtfStepLength(s, i);
  }
  return runs;
}

// The \li and \fi of a run as written; false when the run has neither.
bool WrittenIndents(const Run& run, long long& left, long long& first) {
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

// One paragraph's \li and \fi as such a control wrote them (a missing one
// is 0): the first of them becomes \li(F+L)\fi(-L), the others go.
void MendParagraph(const std::vector<RunItem*>& words) {
  if (words.empty()) return;
  long long left = 0;
  long long first = 0;
  for (const RunItem* w : words) (w->kind == RunItem::kLeft ? left : first) = w->value;
  words.front()->mended = "\\li" + std::to_string(first + left) + "\\fi" + std::to_string(-left);
}

// Decides every \li and \fi of the runs: each paragraph's properties run
// from one paragraph end to the next, whatever text, groups or runs stand
// between them.
void MendParagraphs(std::vector<Run>& runs) {
  std::vector<RunItem*> words;
  for (Run& run : runs) {
    for (RunItem& item : run) {
      if (item.kind == RunItem::kLeft || item.kind == RunItem::kFirst) words.push_back(&item);
      if (item.kind == RunItem::kEnd) {
        MendParagraph(words);
        words.clear();
      }
    }
  }
  MendParagraph(words);
}

// Appends the run with its \li and \fi mended to out.
void AppendMendedRun(std::string_view s, const Run& run, std::string& out) {
  bool after_word = false;  // a control word was the last item put out
  for (const RunItem& item : run) {
    if (item.kind != RunItem::kLeft && item.kind != RunItem::kFirst) {
      out.append(s.substr(item.begin, item.end - item.begin));
      after_word = item.kind != RunItem::kLineBreak;
      continue;
    }
    out += item.mended;
    after_word = after_word || !item.mended.empty();
    // The blank that ended a word stays after the word before it (a line
    // break ends that word already, and a blank after text would be text).
    const char back = out.empty() ? '\0' : out.back();
    if (item.blank && after_word && back != ' ' && back != '\r' && back != '\n') out += ' ';
  }
}

}  // namespace

bool WriterSwapsIndents(std::string_view probe_rtf) {
  for (const Run& run : ReadRuns(probe_rtf)) {
    long long left = 0;
    long long first = 0;
    if (WrittenIndents(run, left, first)) return left == kIndentProbeOffset && first == kIndentProbeStart;
  }
  return false;
}

std::string MendSwappedIndents(std::string_view rtf) {
  std::vector<Run> runs = ReadRuns(rtf);
  MendParagraphs(runs);
  std::string out;
  out.reserve(rtf.size() + 64);
  std::size_t at = 0;
  for (const Run& run : runs) {
    out.append(rtf.substr(at, run.front().begin - at));
    AppendMendedRun(rtf, run, out);
    at = run.back().end;
  }
  out.append(rtf.substr(at));
  return out;
}

}  // namespace qm::editor
