#include "editor/core/TopicLoad.h"

#include "core/Cp932.h"
#include "editor/core/TopicMarkup.h"

namespace qm {

namespace {

bool StartsAt(std::string_view s, std::size_t pos, std::string_view what) {
  return pos <= s.size() && s.size() - pos >= what.size() && s.compare(pos, what.size(), what) == 0;
}

bool IsFootnoteGroup(std::string_view s, std::size_t pos) {
  if (!StartsAt(s, pos, "{\\footnote")) return false;
  if (pos + 10 >= s.size()) return true;
  const char c = s[pos + 10];
  return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
}

// One topic file on its way to the editor.
class LoadConverter {
 public:
  LoadConverter(Lines& lines, TopicFields& fields, TopicStash& stash)
      : lines_(lines), fields_(fields), stash_(stash) {}

  Lines Run() {
    const std::size_t first = FirstBodyLine(lines_);
    ApplyJoinRule(lines_, first);
    Lines out;
    out.reserve(lines_.size());
    for (std::size_t k = 0; k < first && k < lines_.size(); ++k) out.push_back(std::move(lines_[k]));
    for (std::size_t k = first; k < lines_.size(); ++k) {
      if (lines_[k].empty()) {
        out.emplace_back();
        continue;
      }
      out.push_back(ConvertLine(k, k == first));
    }
    return out;
  }

 private:
  // Converts line k; a set-aside group that runs over the line end takes the
  // lines it covers, and k moves to the last of them.
  std::string ConvertLine(std::size_t& k, bool firstLine) {
    cur_ = std::move(lines_[k]);
    std::string o;
    o.reserve(cur_.size() + cur_.size() / 8 + 16);
    std::size_t pos = 0;
    char prev = 0;
    while (pos < cur_.size()) {
      const char c = cur_[pos];
      if (IsLeadByte(c) && pos + 1 < cur_.size()) {
        o.append(cur_, pos, 2);
        pos += 2;
        prev = 0;
        continue;
      }
      if (c == '{') {
        if (ConvertOpeningBrace(k, pos, o, prev, firstLine)) prev = 0;
        continue;
      }
      if (c == '\\') {
        ConvertBackslash(pos, o, prev);
        continue;
      }
      o += c;
      prev = c;
      ++pos;
    }
    return o;
  }

  // Returns true when a rule consumed a construct that ends the run of the
  // previous character.
  bool ConvertOpeningBrace(std::size_t& k, std::size_t& pos, std::string& o, char prev, bool firstLine) {
    std::string_view s = cur_;
    if (StartsAt(s, pos, "{\\ul ") && ConvertHotspotToMarkup(s, pos, o, "pop", stash_)) return true;
    if (StartsAt(s, pos, "{\\uldb ") && ConvertHotspotToMarkup(s, pos, o, "jmp", stash_)) return true;
    std::string_view word = PictureGroupWord(s, pos);
    if (IsFootnoteGroup(s, pos)) {
      if (IsFootnoteLetter(prev) && (firstLine || prev == '#') && IsPlainFootnote(s, pos)) {
        o.pop_back();  // the footnote letter
        std::string value;
        ReadFootnoteText(s, pos, value);
        if (prev != '#') {
          *FootnoteField(fields_, prev) = std::move(value);
        } else if (firstLine && !idSeen_) {
          idSeen_ = true;  // the block's own id: the file's name says it
        } else {
          o += "\\{tid ";
          o += value;
          o += "\\}";
        }
        return true;
      }
      word = "footnote";
    }
    if (!word.empty() && SetAside(k, pos, o, word)) return true;
    // A group that begins with '#' stays a group with its text; the control
    // keeps no group braces, so doubling the '#' would add one to the file.
    o += '{';
    ++pos;
    return false;
  }

  // Puts the group at cur_[pos] into the stash and writes its placeholder.
  // False when the group never closes (it is then copied as it is).
  bool SetAside(std::size_t& k, std::size_t& pos, std::string& o, std::string_view word) {
    int depth = 0;
    std::size_t line = k;
    std::string_view s = cur_;
    std::size_t i = pos;
    for (;;) {
      if (i >= s.size()) {
        if (++line >= lines_.size()) return false;
        s = lines_[line];
        i = 0;
        continue;
      }
      const char c = s[i];
      if (IsLeadByte(c) && i + 1 < s.size()) {
        i += 2;
      } else if (c == '\\') {
        i += (i + 1 < s.size() && !IsLeadByte(s[i + 1])) ? 2 : 1;
      } else if (c == '{') {
        ++depth;
        ++i;
      } else if (c == '}') {
        if (--depth == 0) break;
        ++i;
      } else {
        ++i;
      }
    }
    std::string rtf;
    if (line == k) {
      rtf.assign(cur_, pos, i + 1 - pos);
      pos = i + 1;
    } else {
      rtf.assign(cur_, pos, std::string::npos);
      for (std::size_t l = k + 1; l < line; ++l) {
        rtf += "\r\n";
        rtf += lines_[l];
      }
      rtf += "\r\n";
      rtf.append(lines_[line], 0, i + 1);
      cur_ = lines_[line].substr(i + 1);
      pos = 0;
      k = line;
    }
    o += StashPlaceholder(word, stash_.Add(word, std::move(rtf)));
    return true;
  }

  void ConvertBackslash(std::size_t& pos, std::string& o, char& prev) {
    std::string_view s = cur_;
    std::size_t p = pos + 1;
    auto at = [&](std::string_view w) { return StartsAt(s, p, w); };
    if (at("keepn ")) {
      fields_.NoScroll = true;
      blockOpen_ = true;
      pos = p + 6;
    } else if (at("keep ")) {
      o += "\\{keep\\}";
      blockOpen_ = true;
      pos = p + 5;
    } else if (at("viewkind4\\uc1\\pard")) {
      o += "\\viewkind4\\uc1\\pard";
      pos = p + 18;
    } else if (at("pard ")) {
      tableOpen_ = false;
      o += blockOpen_ ? "\\pard \\{end\\}" : "\\pard ";
      blockOpen_ = false;
      pos = p + 5;
    } else if (at("{")) {
      o += "\\{";
      if (NeedsBraceEscape(s, p + 1)) o += '#';
      pos = p + 1;
    } else if (at("box ")) {
      o += "\\{box\\}";
      blockOpen_ = true;
      pos = p + 4;
    } else if (at("brdr")) {
      blockOpen_ = true;
      p += 4;
      static constexpr std::pair<std::string_view, std::string_view> kBorders[] = {
          {"b ", "\\{line b\\}"},   {"t ", "\\{line t\\}"},   {"r ", "\\{line r\\}"},
          {"l ", "\\{line l\\}"},   {"s ", "\\{style n\\}"},  {"th ", "\\{style b\\}"},
          {"db ", "\\{style 2\\}"}, {"sh ", "\\{style s\\}"}};
      for (const auto& [tail, markup] : kBorders) {
        if (at(tail)) {
          o += markup;
          pos = p + tail.size();
          return;
        }
      }
      o += "\\brdr";
      pos = p;
    } else if (at("intbl ")) {
      if (!tableOpen_) {
        o += "\\{table\\}";
        tableOpen_ = true;
        blockOpen_ = true;
      }
      pos = p + 6;
    } else if (at("cell ") && tableOpen_) {
      // Cells of a table that {table} does not stand for (its \intbl had no
      // blank) stay RTF: saving writes {td} only inside {table}.
      o += "\\{td\\}";
      pos = p + 5;
    } else if (at("row ") && tableOpen_) {
      o += "\\{tr\\}";
      pos = p + 4;
    } else if (at("cellx")) {
      o += "\\{size ";
      p += 5;
      for (;;) {
        while (p < s.size() && s[p] != '\\' && s[p] != '{' && s[p] != '}') {
          const std::size_t n = CharLength(s, p);
          o.append(s.substr(p, n));
          p += n;
        }
        if (!at("\\cellx")) break;
        o += ',';
        p += 6;
      }
      o += "\\}";
      pos = p;
    } else if (p < s.size() && (s[p] == '\\' || s[p] == '}')) {
      // An escaped backslash or closing brace is text.
      o.append(s.substr(pos, 2));
      pos += 2;
      prev = 0;
    } else {
      o += '\\';
      prev = '\\';
      pos = p;
    }
  }

  Lines& lines_;
  TopicFields& fields_;
  TopicStash& stash_;
  std::string cur_;
  bool tableOpen_ = false;
  bool blockOpen_ = false;
  bool idSeen_ = false;
};

}  // namespace

Lines LoadTopicLines(const Lines& fileLines, TopicFields& fields, TopicStash& stash) {
  fields = TopicFields{};
  stash.Items.clear();
  Lines lines = fileLines;
  return LoadConverter(lines, fields, stash).Run();
}

std::string RichEditStreamIn(const Lines& editorLines) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::size_t total = 0;
  for (const auto& l : editorLines) total += l.size() + 2;
  std::string out;
  out.reserve(total + total / 16);
  auto hex = [&out](char ch) {
    const auto b = static_cast<unsigned char>(ch);
    out += "\\'";
    out += kHex[b >> 4];
    out += kHex[b & 15];
  };
  for (const auto& line : editorLines) {
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char ch = line[i];
      if (IsLeadByte(ch) && i + 1 < line.size()) {
        hex(ch);
        hex(line[++i]);  // the trail byte too: it may be '\\', '{' or '}'
      } else if (static_cast<unsigned char>(ch) >= 0x80) {
        hex(ch);
      } else {
        out += ch;
      }
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace qm
