#include "TopicTestUtil.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "core/Cp932.h"
#include "core/FileSystem.h"
#include "editor/core/RtfText.h"

namespace qm::editor::test {

namespace {

struct State {
  bool skip = false;
  bool hidden = false;
  int footnote = -1;  // index into Footnotes while inside one
  RtfParagraph format;
  std::string tab_kind;  // of the tab stop whose position comes next
};

long Number(const std::string& param) { return std::strtol(param.c_str(), nullptr, 10); }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

RtfContent ReadRtfContent(std::string_view s) {
  RtfContent r;
  std::vector<State> stack{State{}};
  std::string hidden_run;
  bool last_hidden = false;
  auto flush_hidden = [&] {
    if (!hidden_run.empty()) r.Hidden.push_back(Trim(hidden_run));
    hidden_run.clear();
  };
  std::string paragraph_text;
  bool paragraph_open = false;
  auto end_paragraph = [&] {
    RtfParagraph p = stack.back().format;
    p.Text = std::move(paragraph_text);
    r.Paragraphs.push_back(std::move(p));
    paragraph_text.clear();
    paragraph_open = false;
  };
  auto put = [&](char c) {
    State& st = stack.back();
    if (st.skip) return;
    if (st.footnote >= 0) {
      r.Footnotes[static_cast<std::size_t>(st.footnote)] += c;
      return;
    }
    paragraph_open = true;
    if (c != ' ' && c != '\t') paragraph_text += c;
    if (st.hidden) {
      hidden_run += c;
      last_hidden = true;
      return;
    }
    if (last_hidden) flush_hidden();
    last_hidden = false;
    const bool blank = c == ' ' || c == '\r' || c == '\n' || c == '\t';
    if (blank) {
      if (!r.Visible.empty() && r.Visible.back() != ' ') r.Visible += ' ';
    } else {
      r.Visible += c;
    }
  };
  bool group_start = false;
  std::size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (c == '{') {
      stack.push_back(stack.back());
      group_start = true;
      ++i;
      continue;
    }
    if (c == '}') {
      if (stack.size() <= 1) {
        r.Balanced = false;
      } else {
        if (stack.size() == 2) {
          // The document closes: its last paragraph as it stands.
          r.Last = stack.back().format;
          r.Last.Text = paragraph_text;
          if (paragraph_open) end_paragraph();
        }
        stack.pop_back();
      }
      group_start = false;
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n' || c == '\0') {
      ++i;
      continue;
    }
    if (c == '\\' && i + 1 < s.size()) {
      const char n = s[i + 1];
      if (n == '{' || n == '}' || n == '\\') {
        put(n);
        i += 2;
        group_start = false;
        continue;
      }
      if (n == '\'' && i + 3 < s.size()) {
        const int hi = HexValue(s[i + 2]), lo = HexValue(s[i + 3]);
        if (hi >= 0 && lo >= 0) put(static_cast<char>(hi * 16 + lo));
        i += 4;
        group_start = false;
        continue;
      }
      if (n == '*') {
        stack.back().skip = true;
        i += 2;
        continue;
      }
      if (!std::isalpha(static_cast<unsigned char>(n))) {
        if (n == '~') put('\xA0');
        if (n == '_') put('-');
        i += 2;
        group_start = false;
        continue;
      }
      std::size_t j = i + 1;
      while (j < s.size() && std::isalpha(static_cast<unsigned char>(s[j]))) ++j;
      std::string word(s.substr(i + 1, j - i - 1));
      std::size_t k = j;
      if (k < s.size() && (s[k] == '-' || std::isdigit(static_cast<unsigned char>(s[k])))) ++k;
      while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
      std::string param(s.substr(j, k - j));
      if (k < s.size() && s[k] == ' ') ++k;
      i = k;
      State& st = stack.back();
      static const char* kDestinations[] = {"fonttbl", "colortbl", "stylesheet", "info", "listtable",
                                            "listoverridetable", "pntext", "pntxta", "pntxtb", "object",
                                            "header", "footer", "rsidtbl", "generator", "xmlnstbl"};
      if (group_start) {
        for (const char* d : kDestinations) {
          if (word == d) st.skip = true;
        }
        if (word == "pict") {
          ++r.Pictures;
          st.skip = true;
        }
        if (word == "footnote" && !st.skip) {
          // Its mark (#, $, K and so on) is no text of the paragraph.
          if (!paragraph_text.empty()) paragraph_text.pop_back();
          r.Footnotes.emplace_back();
          st.footnote = static_cast<int>(r.Footnotes.size()) - 1;
        }
      }
      if (word == "pict" && !group_start) ++r.Pictures;
      group_start = false;
      const bool in_text = !st.skip && st.footnote < 0;
      RtfParagraph& format = st.format;
      if (word == "pard") {
        format = RtfParagraph{};
        st.tab_kind.clear();
      } else if (word == "li") format.Left = Number(param);
      else if (word == "fi") format.First = Number(param);
      else if (word == "ri") format.Right = Number(param);
      else if (word == "sb") format.Before = Number(param);
      else if (word == "sa") format.After = Number(param);
      else if (word == "ql" || word == "qc" || word == "qr" || word == "qj") format.Align = word[1];
      else if (word == "tqr" || word == "tqc") st.tab_kind = word.substr(2);
      else if (word == "tqdec") st.tab_kind = "d";
      else if (word == "tx" || word == "tb") {
        format.Tabs.push_back((word == "tb" ? std::string("b") : st.tab_kind) + param);
        st.tab_kind.clear();
      } else if (word == "keep") format.Keep = true;
      else if (word == "keepn") format.KeepNext = true;
      else if (word == "intbl") format.InTable = true;
      else if (word == "ls") format.InList = true;
      if (word == "v") st.hidden = param != "0";
      else if (word == "plain") st.hidden = false;
      else if (word == "par" || word == "line" || word == "tab" || word == "cell" || word == "row") put(' ');
      // Special characters as their code page 1252 bytes, the form a control
      // may write them in.
      else if (word == "lquote") put('\x91');
      else if (word == "rquote") put('\x92');
      else if (word == "ldblquote") put('\x93');
      else if (word == "rdblquote") put('\x94');
      else if (word == "bullet") put('\x95');
      else if (word == "endash") put('\x96');
      else if (word == "emdash") put('\x97');
      if (in_text) {
        if (word == "page") ++r.Pages;
        else if (word == "cell") ++r.Cells;
        else if (word == "row") ++r.Rows;
        else if (word == "cellx") ++r.CellEdges;
      }
      if ((word == "par" || word == "row" || word == "sect" || word == "page") && in_text) end_paragraph();
      continue;
    }
    group_start = false;
    if (IsLeadByte(c) && i + 1 < s.size()) {
      put(c);
      put(s[i + 1]);
      i += 2;
      continue;
    }
    put(c);
    ++i;
  }
  flush_hidden();
  if (paragraph_open) end_paragraph();
  if (stack.size() != 1) r.Balanced = false;
  for (auto& f : r.Footnotes) f = Trim(f);
  if (!r.Visible.empty() && r.Visible.back() == ' ') r.Visible.pop_back();
  return r;
}

std::string FormatText(const RtfParagraph& p) {
  std::string s = "\\li" + std::to_string(p.Left) + "\\fi" + std::to_string(p.First) + "\\ri" +
                  std::to_string(p.Right) + "\\sb" + std::to_string(p.Before) + "\\sa" + std::to_string(p.After) +
                  "\\q" + p.Align;
  for (const std::string& t : p.Tabs) {
    const char kind = t.empty() ? '\0' : t[0];
    if (kind == 'b') s += "\\tb" + t.substr(1);
    else if (kind == 'r' || kind == 'c') s += std::string("\\tq") + kind + "\\tx" + t.substr(1);
    else if (kind == 'd') s += "\\tqdec\\tx" + t.substr(1);
    else s += "\\tx" + t;
  }
  if (p.Keep) s += "\\keep";
  if (p.KeepNext) s += "\\keepn";
  if (p.InTable) s += "\\intbl";
  return s;
}

std::string ParagraphChanges(const std::vector<RtfParagraph>& before, const std::vector<RtfParagraph>& after,
                             std::string (*format)(const RtfParagraph&), bool (*considered)(const RtfParagraph&),
                             int shown) {
  std::string changes;
  int count = 0;
  std::size_t from = 0;
  for (const RtfParagraph& p : before) {
    if (p.Text.empty() || (considered && !considered(p))) continue;
    std::size_t k = from;
    while (k < after.size() && after[k].Text != p.Text) ++k;
    if (k == after.size()) {
      if (++count <= shown) changes += "\n lost: \"" + p.Text.substr(0, 40) + "\"";
      continue;
    }
    from = k + 1;
    const std::string was = format(p), now = format(after[k]);
    if (was != now && ++count <= shown)
      changes += "\n \"" + p.Text.substr(0, 40) + "\": " + was + " became " + now;
  }
  if (count > shown) changes += "\n and " + std::to_string(count - shown) + " more";
  return count == 0 ? std::string() : std::to_string(count) + " paragraphs changed:" + changes;
}

int CountControlWord(std::string_view rtf, std::string_view name) {
  int n = 0;
  for (std::size_t i = 0; i < rtf.size(); i += RtfStepLength(rtf, i)) {
    if (rtf[i] == '\\' && ReadControlWord(rtf, i).name == name) ++n;
  }
  return n;
}

Lines ReadTopicFile(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return {};
  return SplitLines(bytes);
}

}  // namespace qm::editor::test
