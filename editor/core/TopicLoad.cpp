#include "editor/core/TopicLoad.h"

#include "core/Cp932.h"
#include "editor/core/RtfText.h"
#include "editor/core/TopicMarkup.h"

namespace qm::editor {

namespace {

bool IsFootnoteGroup(std::string_view s, std::size_t pos) {
  return StartsAt(s, pos, "{\\footnote") && ControlWordEndsAt(s, pos + 10);
}

// Marks, in the converted lines of a file with Word's tables, the start of a
// paragraph that follows a paragraph of a table: it is in the table too
// unless a \pard comes before its text. No byte of a topic file is 0x01.
constexpr char kTableMark = '\x01';

// The words of a table row's definition: the row's own (\trowd, \trgaph,
// \trleft, its borders and paddings), the cells' (\clvertalt, \clbrdrt,
// widths) and their border words, and each cell's right edge \cellx.
bool IsRowDefinitionWord(std::string_view name) {
  return name.starts_with("tr") || name.starts_with("cl") || name.starts_with("brdr") || name == "cellx" ||
         name.starts_with("tbl") || name.starts_with("irow") || name == "ltrrow" || name == "rtlrow" ||
         name == "lastrow";
}

// Control words that stand for text or end a paragraph, unlike the
// formatting words around them.
bool IsTextWord(std::string_view name) {
  static constexpr std::string_view kTextWords[] = {"par",   "tab",    "line",   "cell",  "row",
                                                    "page",  "sect",   "bullet", "emdash", "endash",
                                                    "lquote", "rquote", "ldblquote", "rdblquote", "u"};
  for (std::string_view w : kTextWords) {
    if (name == w) return true;
  }
  return false;
}

// Where the converted text after lines[l][i] reaches the text of a
// paragraph before any \pard (formatting words, group braces, line ends and
// row definitions are stepped over): true with its place in l and i.
bool FindParagraphText(const Lines& lines, std::size_t& l, std::size_t& i) {
  for (; l < lines.size(); ++l, i = 0) {
    const std::string_view s = lines[l];
    while (i < s.size()) {
      const char c = s[i];
      if (c == '{' || c == '}' || c == '\r' || c == '\n' || c == kTableMark) {
        ++i;
        continue;
      }
      if (c != '\\' || i + 1 >= s.size()) return true;
      if (StartsAt(s, i + 1, "{trowd ")) {
        const std::size_t close = s.find("\\}", i + 2);
        if (close == std::string_view::npos) return true;
        i = close + 2;
        continue;
      }
      if (s[i + 1] == '*') {
        i += 2;
        continue;
      }
      const RtfControlWord word = ReadControlWord(s, i);
      if (word.name.empty()) return true;
      if (word.name == "pard") return false;
      if (IsTextWord(word.name)) return true;
      i = word.end;
    }
  }
  return false;
}

// Each mark goes; where its paragraph is in a table, {table} goes before the
// paragraph's text.
void ResolveTableMarks(Lines& lines) {
  for (std::size_t l = 0; l < lines.size(); ++l) {
    for (std::size_t i = lines[l].find(kTableMark); i != std::string::npos; i = lines[l].find(kTableMark, i)) {
      lines[l].erase(i, 1);
      std::size_t text_line = l;
      std::size_t text = i;
      if (FindParagraphText(lines, text_line, text)) lines[text_line].insert(text, "\\{table\\}");
    }
  }
}

bool HasWordTables(const Lines& lines) {
  bool row = false;
  for (const auto& line : lines) {
    if (line.find(kTableMark) != std::string::npos) return false;
    if (line.find("\\trowd") != std::string::npos) row = true;
  }
  return row;
}

// The head of a topic file: "{\rtf1", its control words and its tables
// (fonts, colours, styles, information, ignorable destinations). The lines
// before the first body line hold the head; the body may begin on one of
// them all the same (a topic written on one line, text right after the
// colour table), and must then be converted like any body line, or the
// footnotes and pictures there would reach the editor pane, which drops
// them.
class HeadScanner {
 public:
  // Where the body begins in the next line of the head; npos when the whole
  // line is head. A table may go on over several lines.
  std::size_t BodyStart(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
      const char c = s[i];
      if (table_depth_ > 0) {
        // Inside a table, up to the brace that closes it.
        if (c == '{') ++depth_;
        if (c == '}' && --depth_ < table_depth_) table_depth_ = 0;
        i += RtfStepLength(s, i);
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        ++i;
      } else if (c == '{' && depth_ == 0) {
        ++depth_;  // the document's group
        ++i;
      } else if (c == '{' && IsTable(s, i)) {
        table_depth_ = ++depth_;
        ++i;
      } else if (c == '}' && depth_ > 0) {
        --depth_;
        ++i;
      } else if (c == '\\' && depth_ > 0) {
        const std::size_t end = HeadControlWordEnd(s, i);
        if (end == i) return i;
        i = end;
      } else {
        return i;  // text, or a group of the body
      }
    }
    return std::string_view::npos;
  }

 private:
  static bool IsTable(std::string_view s, std::size_t pos) {
    static constexpr std::string_view kTables[] = {
        "{\\fonttbl", "{\\colortbl", "{\\stylesheet", "{\\info", "{\\filetbl", "{\\listtable",
        "{\\listoverridetable", "{\\revtbl", "{\\rsidtbl", "{\\pgdsctbl", "{\\*\\"};
    if (!PictureGroupWord(s, pos).empty()) return false;
    for (std::string_view t : kTables) {
      if (StartsAt(s, pos, t)) return true;
    }
    return false;
  }

  // The end of the control word at s[pos] (its number and the blank that
  // ends it included) when it belongs to the head; pos when it begins the
  // body: a word of a paragraph, table or border, or a control symbol (an
  // escaped character, a hex byte) that is text.
  static std::size_t HeadControlWordEnd(std::string_view s, std::size_t pos) {
    auto letter = [](char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); };
    std::size_t i = pos + 1;
    if (i < s.size() && s[i] == '*') return i + 1;
    while (i < s.size() && letter(s[i])) ++i;
    const std::string_view word = s.substr(pos + 1, i - pos - 1);
    if (word.empty()) return pos;
    static constexpr std::string_view kBody[] = {"pard", "plain", "par", "sectd", "viewkind", "keep",
                                                 "keepn", "box", "intbl", "trowd", "cell", "cellx",
                                                 "row", "line", "tab", "page"};
    for (std::string_view b : kBody) {
      if (word == b) return pos;
    }
    if (word.substr(0, 4) == "brdr") return pos;
    if (i < s.size() && s[i] == '-') ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    if (i < s.size() && s[i] == ' ') ++i;
    return i;
  }

  int depth_ = 0;
  int table_depth_ = 0;  // the depth of the open table's group; 0: none
};

// One topic file on its way to the editor.
class LoadConverter {
 public:
  LoadConverter(Lines& lines, TopicFields& fields, TopicStash& stash)
      : lines_(lines), fields_(fields), stash_(stash) {}

  Lines Run() {
    const std::size_t first = FirstBodyLine(lines_);
    ApplyJoinRule(lines_, first);
    word_tables_ = HasWordTables(lines_);
    Lines out;
    out.reserve(lines_.size());
    // The head lines go to the editor as they are, up to where the body
    // begins: normally the first body line, but it may begin on a head line,
    // and a Word topic's tables run on over many lines after it (their words,
    // a style's \keepn among them, belong to no paragraph). Lines of head
    // words alone after the first body line would come out of the
    // conversion as they are.
    HeadScanner head;
    std::size_t body_line = first;
    std::size_t body_start = std::string_view::npos;
    for (std::size_t k = 0; k < lines_.size(); ++k) {
      body_start = head.BodyStart(lines_[k]);
      if (body_start != std::string_view::npos) {
        body_line = k;
        break;
      }
      out.push_back(std::move(lines_[k]));
      body_line = k + 1;
    }
    if (body_start == std::string_view::npos) body_start = 0;
    for (std::size_t k = body_line; k < lines_.size(); ++k) {
      if (lines_[k].empty()) {
        out.emplace_back();
        continue;
      }
      const bool first_line = k == body_line;
      out.push_back(ConvertLine(k, first_line, first_line ? body_start : 0));
    }
    if (word_tables_) ResolveTableMarks(out);
    return out;
  }

 private:
  // Converts line k from start on (the bytes before it are the head's, copied
  // as they are); a set-aside group that runs over the line end takes the
  // lines it covers, and k moves to the last of them.
  std::string ConvertLine(std::size_t& k, bool first_line, std::size_t start) {
    cur_ = std::move(lines_[k]);
    std::string o;
    o.reserve(cur_.size() + cur_.size() / 8 + 16);
    o.append(cur_, 0, start);
    std::size_t pos = start;
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
        if (ConvertOpeningBrace(k, pos, o, prev, first_line)) prev = 0;
        continue;
      }
      if (c == '\\') {
        if (word_tables_ && ConvertWordTable(k, pos, o)) {
          prev = 0;
          continue;
        }
        ConvertBackslash(pos, o, prev);
        continue;
      }
      if (c == '}' && !fields_open_.empty() && fields_open_.back().depth-- == 0) {
        CloseField(k, pos, o);
        prev = 0;
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
  bool ConvertOpeningBrace(std::size_t& k, std::size_t& pos, std::string& o, char prev, bool first_line) {
    std::string_view s = cur_;
    if (StartsAt(s, pos, "{\\ul ") && ConvertHotspotToMarkup(s, pos, o, "pop", stash_)) return true;
    if (StartsAt(s, pos, "{\\uldb ") && ConvertHotspotToMarkup(s, pos, o, "jmp", stash_)) return true;
    std::string_view word = PictureGroupWord(s, pos);
    if (IsFootnoteGroup(s, pos)) {
      if (IsFootnoteLetter(prev) && (first_line || prev == '#') && IsPlainFootnote(s, pos)) {
        o.pop_back();  // the footnote letter
        std::string value;
        ReadFootnoteText(s, pos, value);
        if (prev != '#') {
          *FootnoteField(fields_, prev) = std::move(value);
        } else if (first_line && !id_seen_) {
          id_seen_ = true;  // the block's own id: the file's name says it
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
    if (StartsAt(s, pos, "{\\field") && ControlWordEndsAt(s, pos + 7) && OpenField(k, pos, o)) return true;
    // A group that begins with '#' stays a group with its text; the control
    // keeps no group braces, so doubling the '#' would add one to the file.
    if (!fields_open_.empty()) ++fields_open_.back().depth;
    o += '{';
    ++pos;
    return false;
  }

  // The file's text from cur_[pos] (line k) up to lines_[end_line][end],
  // over line ends; conversion goes on after it (k, cur_ and pos move on).
  std::string TakeSpan(std::size_t& k, std::size_t& pos, std::size_t end_line, std::size_t end) {
    std::string rtf;
    if (end_line == k) {
      rtf.assign(cur_, pos, end - pos);
      pos = end;
      return rtf;
    }
    rtf.assign(cur_, pos, std::string::npos);
    for (std::size_t l = k + 1; l < end_line; ++l) {
      rtf += "\r\n";
      rtf += lines_[l];
    }
    rtf += "\r\n";
    rtf.append(lines_[end_line], 0, end);
    cur_ = lines_[end_line].substr(end);
    pos = 0;
    k = end_line;
    return rtf;
  }

  // A place in the file's text from cur_ on, over line ends: the line (k
  // while in cur_), its text and the place in that text.
  struct Place {
    std::size_t line;
    std::string_view s;
    std::size_t i;
  };

  // Moves p over line ends to the file's next character; false when the
  // file ends first.
  bool SkipLineEnds(Place& p) const {
    while (p.i >= p.s.size()) {
      if (p.line + 1 >= lines_.size()) return false;
      p.s = lines_[++p.line];
      p.i = 0;
    }
    return true;
  }

  // Puts the group at cur_[pos] into the stash and writes its placeholder.
  // False when the group never closes (it is then copied as it is).
  bool SetAside(std::size_t& k, std::size_t& pos, std::string& o, std::string_view word, int depth = 0) {
    for (Place p{k, cur_, pos}; SkipLineEnds(p); p.i += RtfStepLength(p.s, p.i)) {
      if (p.s[p.i] == '{') {
        ++depth;
      } else if (p.s[p.i] == '}' && --depth == 0) {
        o += StashPlaceholder(word, stash_.Add(word, TakeSpan(k, pos, p.line, p.i + 1)));
        return true;
      }
    }
    return false;
  }

  // A field of Word's at cur_[pos]: its opening, up to the formatting words
  // at the start of its result, goes into the stash and shows as {field N};
  // the result's text and groups follow in the pane as any text, and the
  // brace that closes the result is met in ConvertLine (CloseField). A
  // field whose result holds nothing (or that has none) goes aside whole.
  // False when the field never closes (it is then copied as it is).
  bool OpenField(std::size_t& k, std::size_t& pos, std::string& o) {
    int depth = 0;
    Place p{k, cur_, pos};
    for (;; p.i += RtfStepLength(p.s, p.i)) {
      if (!SkipLineEnds(p)) return false;
      if (p.s[p.i] == '{' && depth == 1 && StartsAt(p.s, p.i, "{\\fldrslt") && ControlWordEndsAt(p.s, p.i + 9)) break;
      if (p.s[p.i] == '{') {
        ++depth;
      } else if (p.s[p.i] == '}' && --depth == 0) {
        return SetAside(k, pos, o, "field");  // no result
      }
    }
    // The result's own formatting words stay with the opening.
    const std::string_view s = p.s;
    std::size_t i = ReadControlWord(s, p.i + 1).end;
    while (i < s.size() && s[i] == '\\') {
      const RtfControlWord word = ReadControlWord(s, i);
      if (word.name.empty() || IsTextWord(word.name)) break;
      i = word.end;
    }
    if (i < s.size() && s[i] == '}') return SetAside(k, pos, o, "field");  // an empty result
    const int number = stash_.Add("field", TakeSpan(k, pos, p.line, i));
    o += StashPlaceholder("field", number);
    fields_open_.push_back({number, 0});
    return true;
  }

  // cur_[pos] closes the result of the innermost open field: the braces from
  // there to the field's own closing one go into the stash and show as
  // {fieldend N}.
  void CloseField(std::size_t& k, std::size_t& pos, std::string& o) {
    const int opening = fields_open_.back().number;
    fields_open_.pop_back();
    const int number = stash_.NextNumber();
    if (SetAside(k, pos, o, "fieldend", 2)) {
      stash_.Items[static_cast<std::size_t>(opening - stash_.FirstNumber)].Pair = number;
      return;
    }
    // The field never closes (nor did the file's braces balance): the
    // result's brace stays as it was.
    o += '}';
    ++pos;
  }

  // The words of Word's tables, cur_[pos] being a backslash: a row's
  // definition goes into the stash (the control would make a table of its
  // own of it, which it cannot write back) and shows as {trowd N}; \intbl
  // becomes {table} at the start of each paragraph of a table, \cell {td}
  // and \row {tr}, each ending a paragraph in the editor. False for any other
  // word (a \pard is noted and left to the common rules).
  bool ConvertWordTable(std::size_t& k, std::size_t& pos, std::string& o) {
    const std::string_view s = cur_;
    auto word = [&](std::string_view w) { return StartsAt(s, pos + 1, w) && ControlWordEndsAt(s, pos + 1 + w.size()); };
    auto paragraph_end = [&](std::string_view markup) {
      o += markup;
      o += "\\par ";
      if (in_table_) o += kTableMark;
      marked_ = in_table_;
      pos = ReadControlWord(s, pos).end;
    };
    if (word("trowd")) {
      SetAsideRowDefinition(k, pos, o);
      return true;
    }
    if (word("intbl")) {
      in_table_ = true;
      if (!marked_) o += "\\{table\\}";
      marked_ = true;
      pos = ReadControlWord(s, pos).end;
      return true;
    }
    if (word("cell")) {
      paragraph_end("\\{td\\}");
      return true;
    }
    if (word("row")) {
      paragraph_end("\\{tr\\}");
      return true;
    }
    if (word("par")) {
      paragraph_end("");
      return true;
    }
    if (word("pard")) {
      in_table_ = false;
      marked_ = false;
    }
    return false;
  }

  // Puts the row definition that begins at cur_[pos] (it may go on over
  // line ends) into the stash, up to its last word, and writes its
  // placeholder.
  void SetAsideRowDefinition(std::size_t& k, std::size_t& pos, std::string& o) {
    std::size_t end_line = k;
    std::size_t end = pos;
    for (Place p{k, cur_, pos}; SkipLineEnds(p) && p.s[p.i] == '\\';) {
      const RtfControlWord w = ReadControlWord(p.s, p.i);
      if (w.name.empty() || !IsRowDefinitionWord(w.name)) break;
      p.i = w.end;
      end_line = p.line;
      end = p.i;
    }
    o += StashPlaceholder("trowd", stash_.Add("trowd", TakeSpan(k, pos, end_line, end)));
  }

  void ConvertBackslash(std::size_t& pos, std::string& o, char& prev) {
    std::string_view s = cur_;
    std::size_t p = pos + 1;
    auto at = [&](std::string_view w) { return StartsAt(s, p, w); };
    if (at("page") && ControlWordEndsAt(s, p + 4)) {
      // A page break ends a topic of a file of several.
      o += "\\{page\\}";
      pos = ReadControlWord(s, pos).end;
    } else if (at("keepn ")) {
      fields_.NoScroll = true;
      block_open_ = true;
      pos = p + 6;
    } else if (at("keep ")) {
      o += "\\{keep\\}";
      block_open_ = true;
      pos = p + 5;
    } else if (at("viewkind4\\uc1\\pard")) {
      o += "\\viewkind4\\uc1\\pard";
      pos = p + 18;
    } else if (at("pard ")) {
      table_open_ = false;
      o += block_open_ ? "\\pard \\{end\\}" : "\\pard ";
      block_open_ = false;
      pos = p + 5;
    } else if (at("{")) {
      o += "\\{";
      if (NeedsBraceEscape(s, p + 1)) o += '#';
      pos = p + 1;
    } else if (at("box ")) {
      o += "\\{box\\}";
      block_open_ = true;
      pos = p + 4;
    } else if (at("brdr")) {
      block_open_ = true;
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
      if (!table_open_) {
        o += "\\{table\\}";
        table_open_ = true;
        block_open_ = true;
      }
      pos = p + 6;
    } else if (at("cell ") && table_open_) {
      // Cells of a table that {table} does not stand for (its \intbl had no
      // blank) stay RTF: saving writes {td} only inside {table}.
      o += "\\{td\\}";
      pos = p + 5;
    } else if (at("row ") && table_open_) {
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
  bool table_open_ = false;
  bool block_open_ = false;
  bool id_seen_ = false;
  bool word_tables_ = false;  // the file holds Word's table rows (\trowd)
  bool in_table_ = false;     // Word's \intbl holds for the paragraph read
  bool marked_ = false;       // the paragraph has its {table} or a mark
  struct OpenFieldResult {
    int number;  // of the field's opening in the stash
    int depth;   // groups opened in its result and not yet closed
  };
  std::vector<OpenFieldResult> fields_open_;  // the innermost last
};

}  // namespace

Lines LoadTopicLines(const Lines& file_lines, TopicFields& fields, TopicStash& stash) {
  fields = TopicFields{};
  stash.Items.clear();
  Lines lines = file_lines;
  return LoadConverter(lines, fields, stash).Run();
}

std::string RichEditStreamIn(const Lines& editor_lines) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::size_t total = 0;
  for (const auto& l : editor_lines) total += l.size() + 2;
  std::string out;
  out.reserve(total + total / 16);
  auto hex = [&out](char ch) {
    const auto b = static_cast<unsigned char>(ch);
    out += "\\'";
    out += kHex[b >> 4];
    out += kHex[b & 15];
  };
  for (const auto& line : editor_lines) {
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

}  // namespace qm::editor
