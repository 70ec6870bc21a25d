#include "editor/core/TopicMarkup.h"

#include "core/Cp932.h"
#include "editor/core/RtfText.h"

namespace qm::editor {

namespace {

// Copies a part of a hotspot group (its text or its target, line[from, to))
// into the markup; literal braces get the escape, pictures and footnotes are
// set aside.
void CopyHotspotPart(std::string_view line, std::size_t from, std::size_t to, std::string& out,
                     TopicStash& stash) {
  std::size_t i = from;
  while (i < to) {
    const char c = line[i];
    if (IsLeadByte(c) && i + 1 < line.size()) {
      out.append(line.substr(i, 2));
      i += 2;
    } else if (c == '\\') {
      if (i + 1 < to && line[i + 1] == '{') {
        out += "\\{";
        if (NeedsBraceEscape(line, i + 2)) out += '#';
        i += 2;
      } else {
        const std::size_t n = RtfStepLength(line, i);
        out.append(line.substr(i, n));
        i += n;
      }
    } else if (c == '{') {
      std::string_view word = PictureGroupWord(line, i);
      if (word.empty() && StartsAt(line, i, "{\\footnote")) word = "footnote";
      const std::size_t end = word.empty() ? std::string_view::npos : FindGroupEnd(line, i);
      if (end != std::string_view::npos && end < to) {
        out += StashPlaceholder(word, stash.Add(word, std::string(line.substr(i, end - i + 1))));
        i = end + 1;
      } else {
        out += c;
        ++i;
      }
    } else {
      out += c;
      ++i;
    }
  }
}

// True when a part of a hotspot group reads back whole from its markup:
// its escaped braces pair up, and the link text holds no comma (the first
// comma of the markup ends the text, whatever groups the control writes).
bool PartSurvivesMarkup(std::string_view line, std::size_t from, std::size_t to, bool is_text) {
  int escaped = 0;
  std::size_t i = from;
  while (i < to) {
    const char c = line[i];
    if (IsLeadByte(c) && i + 1 < line.size()) {
      i += 2;
      continue;
    }
    if (c == '\\' && i + 1 < to) {
      if (line[i + 1] == '{') ++escaped;
      if (line[i + 1] == '}' && --escaped < 0) return false;
      i += RtfStepLength(line, i);
      continue;
    }
    if (c == ',' && is_text) return false;
    ++i;
  }
  return escaped == 0;
}

}  // namespace

bool NeedsBraceEscape(std::string_view line, std::size_t pos) {
  static constexpr std::string_view kWords[] = {
      "end\\}",  "jmp ",  "pop ", "line ", "style ", "keep\\}", "box\\}", "size ", "table\\}",
      "td\\}",   "tr\\}", "tid ", "pict ", "footnote ", "trowd ", "page\\}"};
  if (pos < line.size() && line[pos] == '#') return true;
  for (std::string_view w : kWords) {
    if (StartsAt(line, pos, w)) return true;
  }
  return false;
}

bool ConvertHotspotToMarkup(std::string_view line, std::size_t& pos, std::string& out,
                            std::string_view kind, TopicStash& stash) {
  const std::size_t open_length = kind == "jmp" ? 7 : 5;  // "{\uldb " or "{\ul "
  const std::size_t text_end = FindGroupEnd(line, pos);
  if (text_end == std::string_view::npos || !StartsAt(line, text_end + 1, "{\\v ")) return false;
  const std::size_t target_end = FindGroupEnd(line, text_end + 1);
  if (target_end == std::string_view::npos) return false;
  if (!PartSurvivesMarkup(line, pos + open_length, text_end, true) ||
      !PartSurvivesMarkup(line, text_end + 5, target_end, false)) {
    return false;
  }
  std::string markup = "\\{";
  markup += kind;
  markup += ' ';
  CopyHotspotPart(line, pos + open_length, text_end, markup, stash);
  markup += ',';
  CopyHotspotPart(line, text_end + 5, target_end, markup, stash);
  markup += "\\}";
  out += markup;
  pos = target_end + 1;
  return true;
}

bool StashRestorer::TryRestore(std::string_view line, std::size_t& pos, std::string& out) {
  const TopicStashItem* item = nullptr;
  int number = 0;
  std::size_t length = 0;
  if (!MatchPlaceholder(line, pos, stash_, item, number, length)) return false;
  const auto index = static_cast<std::size_t>(number - stash_.FirstNumber);
  if (item->Word.starts_with("field") && (used_[index] || index >= paired_fields_.size() || !paired_fields_[index]))
    return false;
  if (!out.empty() && out.back() == '\\') out.pop_back();
  out += item->Rtf;
  used_[index] = true;
  pos += length;
  return true;
}

std::vector<int> StashRestorer::Unused() const {
  std::vector<int> numbers;
  for (std::size_t i = 0; i < used_.size(); ++i) {
    if (!used_[i]) numbers.push_back(stash_.FirstNumber + static_cast<int>(i));
  }
  return numbers;
}

bool ConvertHotspotToRtf(std::string_view line, std::size_t& pos, std::string& out,
                         std::string_view prefix, StashRestorer& restorer) {
  const std::vector<bool> marks = restorer.Marks();
  std::string rtf(prefix);
  int counter = 1;
  bool in_target = false;
  std::size_t i = pos;
  while (i < line.size()) {
    const char c = line[i];
    if (IsLeadByte(c) && i + 1 < line.size()) {
      rtf.append(line.substr(i, 2));
      i += 2;
      continue;
    }
    if (c == '\\' && i + 1 < line.size() && line[i + 1] == '{') {
      rtf += '\\';
      std::size_t p = i + 2;
      if (restorer.TryRestore(line, p, rtf)) {
        i = p;
        continue;
      }
      rtf += '{';
      ++counter;
      i += (p < line.size() && line[p] == '#') ? 3 : 2;  // "{#" is a literal brace
      continue;
    }
    if (c == '\\' && i + 1 < line.size() && line[i + 1] == '}') {
      if (--counter == 0) {
        if (!in_target) return restorer.Forget(marks);  // no comma: not a hotspot
        rtf += '}';
        i += 2;
        out.pop_back();  // the backslash of the escaped opening brace
        out += rtf;
        pos = i;
        return true;
      }
      rtf += "\\}";
      i += 2;
      continue;
    }
    if (c == '\\') {
      const std::size_t n = RtfStepLength(line, i);
      rtf.append(line.substr(i, n));
      i += n;
      continue;
    }
    if (c == '{') {
      ++counter;
    } else if (c == '}') {
      if (--counter == 0) return restorer.Forget(marks);  // a group of the RTF closes inside the markup
    } else if (c == ',' && counter == 1 && !in_target) {
      rtf += "}{\\v ";
      in_target = true;
      ++i;
      continue;
    }
    rtf += c;
    ++i;
  }
  return restorer.Forget(marks);
}

bool CopyButtonMarkup(std::string_view line, std::size_t& pos, std::string& out, std::string_view prefix) {
  std::string copy(prefix);
  int counter = 1;
  bool label_ended = false;
  std::size_t i = pos;
  while (i < line.size()) {
    const char c = line[i];
    if (IsLeadByte(c) && i + 1 < line.size()) {
      copy.append(line.substr(i, 2));
      i += 2;
      continue;
    }
    if (c == '\\' && i + 1 < line.size() && line[i + 1] == '\\') {
      copy += "\\\\";
      i += 2;
      continue;
    }
    copy += c;
    ++i;
    if (c == '{') {
      ++counter;
    } else if (c == ',' && counter == 1) {
      label_ended = true;
    } else if (c == '}') {
      if (--counter == 0 && label_ended) {
        out += copy;
        pos = i;
        return true;
      }
    }
  }
  return false;
}

}  // namespace qm::editor
