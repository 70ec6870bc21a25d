#include "editor/core/TopicSave.h"

#include "core/Cp932.h"
#include "editor/core/RtfText.h"
#include "editor/core/TopicMarkup.h"

namespace qm::editor {

namespace {

// Position of the escaped closing brace "\}" at or after from; npos if none.
std::size_t FindEscapedClose(std::string_view s, std::size_t from) {
  for (std::size_t i = from; i < s.size(); i += RtfStepLength(s, i))
    if (StartsAt(s, i, "\\}")) return i;
  return std::string_view::npos;
}

// True for the control words of a paragraph's format (alignment, indents,
// spacing, keep flags, tabs, borders).
bool IsParagraphWord(std::string_view name) {
  static constexpr std::string_view kWords[] = {
      "ql",    "qr",  "qc",     "qj",     "li",        "fi",          "ri", "sb", "sa",  "sl",  "slmult", "keep",
      "keepn", "box", "pagebb", "noline", "widctlpar", "nowidctlpar", "tx", "tb", "tqr", "tqc", "tqdec"};
  for (std::string_view w : kWords)
    if (name == w) return true;
  return name.starts_with("brdr") || name.starts_with("tl");
}

// The paragraph format that a control wrote after the \pard that ends at
// s[from]: its words among the control words there (groups right after the
// \pard, such as bullet text, are stepped over).
std::string PropertiesAfterReset(std::string_view s, std::size_t from) {
  std::string props;
  std::size_t i = from;
  while (i < s.size() && s[i] == '{') {
    const std::size_t close = FindGroupEnd(s, i);
    if (close == std::string_view::npos) return props;
    i = close + 1;
  }
  while (i < s.size() && s[i] == '\\') {
    const RtfControlWord word = ReadControlWord(s, i);
    if (word.name.empty()) break;
    if (IsParagraphWord(word.name)) props.append(s.substr(i, word.blank ? word.end - 1 - i : word.end - i));
    i = word.end;
  }
  return props;
}

// Ends the control words at the end of o with a blank, unless the last of
// them is \keepn: loading takes "\keepn " for the topic's non-scrolling
// region, and a paragraph's own \keepn would become it. That word then goes
// before the word in front of it (not before a \pard, which would clear it),
// or ends with an empty group instead.
void EndControlWords(std::string& o) {
  if (!o.ends_with("\\keepn")) {
    o += ' ';
    return;
  }
  o.resize(o.size() - 6);
  std::size_t w = o.size();
  auto word_byte = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
  };
  while (w > 0 && word_byte(o[w - 1])) --w;
  const bool word = w > 0 && w < o.size() && o[w - 1] == '\\' && (w < 2 || o[w - 2] != '\\') &&
                    ((o[w] >= 'a' && o[w] <= 'z') || (o[w] >= 'A' && o[w] <= 'Z'));
  if (word && std::string_view(o).substr(w) != "pard") {
    o.insert(w - 1, "\\keepn");
    o += ' ';
  } else {
    o += "\\keepn{}";
  }
}

class SaveConverter {
 public:
  explicit SaveConverter(const TopicStash& stash) : restorer_(stash) {
    for (const TopicStashItem& item : stash.Items) {
      if (item.Word == "trowd") word_tables_ = true;
    }
  }

  // Notes the paragraph properties in s, which is copied unchanged.
  void NoteProperties(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); i += RtfStepLength(s, i)) {
      if (StartsAt(s, i, "\\pard") && ControlWordEndsAt(s, i + 5)) NoteReset(s, i);
    }
  }

  // Converts line[pos...] and appends the result to o.
  void ConvertRest(std::string_view s, std::size_t pos, std::string& o) {
    reset_seen_ = false;
    cell_state_ = 0;
    dropped_par_ = std::string_view::npos;
    if (reset_due_) {
      // The paragraph after a cell or a row, which the control wrote without
      // a \pard of its own (its format is the one before it): in the file it
      // would stay in the table without one.
      reset_due_ = false;
      if (!StartsAt(s, pos, "\\pard")) {
        o += "\\pard";
        o += properties_;
        EndControlWords(o);
      }
    }
    while (pos < s.size()) {
      const char c = s[pos];
      if (IsLeadByte(c) && pos + 1 < s.size()) {
        o.append(s.substr(pos, 2));
        pos += 2;
      } else if (c == '\\') {
        ConvertBackslash(s, pos, o);
      } else {
        o += c;
        ++pos;
      }
    }
  }

  std::vector<int> Unused() const { return restorer_.Unused(); }
  void AllowFields(std::vector<bool> paired) { restorer_.AllowFields(std::move(paired)); }

 private:
  void ConvertBackslash(std::string_view s, std::size_t& pos, std::string& o) {
    const std::size_t p = pos + 1;
    if (pos == dropped_par_) {
      pos = ReadControlWord(s, pos).end;
      return;
    }
    if (p < s.size() && s[p] == '{') {
      o += '\\';
      pos = p + 1;
      ConvertMarkup(s, pos, o);
    } else if (p < s.size() && (s[p] == '}' || s[p] == '\\')) {
      o.append(s.substr(pos, 2));
      pos += 2;
    } else if (StartsAt(s, p, "par ")) {
      o += "\\par ";
      pos = p + 4;
      // The control's bullet text before a paragraph reset.
      if (StartsAt(s, pos, "{\\pntext")) {
        const std::size_t close = FindChar(s, '}', pos);
        if (close != std::string_view::npos &&
            (StartsAt(s, close + 1, "\\pard ") || StartsAt(s, close + 1, "\\pard\\"))) {
          pos = close + 1;
        }
      }
    } else if (StartsAt(s, p, "keepn ")) {
      // A paragraph's own, as the control wrote it: its blank goes where a
      // word, a group or the line's end follows.
      o += "\\keepn";
      pos = p + 6;
      if (pos < s.size() && s[pos] != '\\' && s[pos] != '{' && s[pos] != '}') EndControlWords(o);
    } else if (StartsAt(s, p, "pard ")) {
      if (!reset_seen_) o += "\\pard ";
      reset_seen_ = true;
      NoteReset(s, pos);
      pos = p + 5;
    } else if (StartsAt(s, p, "trowd") && p + 5 < s.size() &&
               ((s[p + 5] >= 'a' && s[p + 5] <= 'z') || (s[p + 5] >= 'A' && s[p + 5] <= 'Z') ||
                (s[p + 5] >= '0' && s[p + 5] <= '9') || s[p + 5] == '-')) {
      // Wine's control writes a row without cell edges as \trowd directly
      // followed by the cell text; a blank keeps that text out of the word.
      o += "\\trowd ";
      pos = p + 5;
    } else if (StartsAt(s, p, "plain\\")) {
      const std::size_t blank = FindChar(s, ' ', p);
      const std::size_t end = blank == std::string_view::npos ? s.size() : blank + 1;
      o.append(s.substr(pos, end - pos));
      pos = end;
    } else {
      if (StartsAt(s, p, "pard") && ControlWordEndsAt(s, p + 4)) NoteReset(s, pos);
      o += '\\';
      pos = p;
    }
  }

  // s[at] is a \pard: the properties after it are the paragraph's from now.
  void NoteReset(std::string_view s, std::size_t at) {
    properties_ = PropertiesAfterReset(s, ReadControlWord(s, at).end);
  }

  // s[pos] follows an escaped opening brace; o ends with its backslash.
  void ConvertMarkup(std::string_view s, std::size_t& pos, std::string& o) {
    auto at = [&](std::string_view w) { return StartsAt(s, pos, w); };
    if (restorer_.TryRestore(s, pos, o)) return;
    if (at("#")) {
      o += '{';
      ++pos;
      return;
    }
    if (at("jmp ")) {
      std::size_t p = pos + 4;
      if (ConvertHotspotToRtf(s, p, o, "{\\uldb ", restorer_)) {
        pos = p;
        return;
      }
    } else if (at("pop ")) {
      std::size_t p = pos + 4;
      if (ConvertHotspotToRtf(s, p, o, "{\\ul ", restorer_)) {
        pos = p;
        return;
      }
    } else if (at("button ")) {
      std::size_t p = pos + 7;
      if (CopyButtonMarkup(s, p, o, "{button ")) {
        pos = p;
        return;
      }
    } else if (at("keep\\}")) {
      o += "keep ";
      pos += 6;
      return;
    } else if (at("end\\}")) {
      pos += 5;
      if (reset_seen_) {
        table_open_ = false;
        o.pop_back();
        return;
      }
      reset_seen_ = true;
      if (table_open_) {
        if (cell_state_ == 0) o += "cell \\row \\";
        if (cell_state_ == 1) o += "row \\";
        table_open_ = false;
      }
      // The paragraph's own properties, which the control wrote before the
      // markup, stay after the reset: after its blank, so that loading finds
      // "\pard " and shows the {end} where the author put it.
      o += "pard ";
      if (!properties_.empty()) {
        o += properties_;
        EndControlWords(o);
      }
      return;
    } else if (at("tid ")) {
      const std::size_t close = FindEscapedClose(s, pos + 4);
      if (close != std::string_view::npos) {
        o.pop_back();
        o += "#{\\footnote ";
        o.append(s.substr(pos + 4, close - pos - 4));
        o += "} ";
        pos = close + 2;
        return;
      }
    } else if (at("box\\}")) {
      o += "box ";
      pos += 5;
      return;
    } else if (at("line ")) {
      static constexpr std::pair<std::string_view, std::string_view> kLines[] = {
          {"b\\}", "brdrb "}, {"t\\}", "brdrt "}, {"r\\}", "brdrr "}, {"l\\}", "brdrl "}};
      for (const auto& [tail, rtf] : kLines) {
        if (StartsAt(s, pos + 5, tail)) {
          o += rtf;
          pos += 5 + tail.size();
          return;
        }
      }
    } else if (at("style ")) {
      static constexpr std::pair<std::string_view, std::string_view> kStyles[] = {
          {"n\\}", "brdrs "}, {"b\\}", "brdrth "}, {"2\\}", "brdrdb "}, {"s\\}", "brdrsh "}};
      for (const auto& [tail, rtf] : kStyles) {
        if (StartsAt(s, pos + 6, tail)) {
          o += rtf;
          pos += 6 + tail.size();
          return;
        }
      }
    } else if (at("page\\}")) {
      o += "page ";
      pos += 6;
      return;
    } else if (word_tables_ && (at("table\\}") || at("td\\}") || at("tr\\}"))) {
      // A topic with Word's tables: every paragraph of a table has its own
      // \intbl, and the paragraph end that loading gave a cell or a row in
      // the editor is no paragraph of the file.
      const bool table = at("table\\}");
      o += table ? "intbl " : at("td\\}") ? "cell " : "row ";
      pos += table ? 7 : 4;
      if (!table) DropParagraphEnd(s, pos);
      return;
    } else if (at("table\\}")) {
      if (!table_open_) {
        o += "intbl ";
        table_open_ = true;
      } else {
        o.pop_back();
      }
      pos += 7;
      return;
    } else if (at("size ")) {
      if (ConvertSize(s, pos, o)) return;
    } else if (at("td\\}")) {
      if (table_open_) {
        o += "cell ";
        cell_state_ = 1;
      } else {
        o.pop_back();
      }
      pos += 4;
      return;
    } else if (at("tr\\}")) {
      pos += 4;
      if (table_open_) {
        if (cell_state_ == 0) o += "cell \\";
        o += "row ";
        cell_state_ = 2;
        if (!StartsAt(s, pos, "\\{end\\}")) {
          o += "\\intbl ";
          cell_state_ = 0;
        }
      } else {
        o.pop_back();
      }
      return;
    }
    // Unknown, unmatched or unclosed markup stays literal text.
    o += '{';
  }

  // Notes the \par that ends the paragraph after s[pos] when only formatting
  // words and braces stand before it: it is not written.
  void DropParagraphEnd(std::string_view s, std::size_t pos) {
    while (pos < s.size()) {
      if (s[pos] == '{' || s[pos] == '}') {
        ++pos;
        continue;
      }
      if (s[pos] != '\\') return;
      const RtfControlWord word = ReadControlWord(s, pos);
      if (word.name == "par") {
        dropped_par_ = pos;
        reset_due_ = word.end >= s.size();
      }
      if (word.name.empty() || word.name == "par" || word.name == "pard" || word.name == "tab" ||
          word.name == "line" || word.name == "page")
        return;
      pos = word.end;
    }
  }

  // {size a,b,...}: items ended by a comma, a backslash or the line end; the
  // markup must close with "\}" right after its items.
  bool ConvertSize(std::string_view s, std::size_t& pos, std::string& o) {
    std::size_t p = pos + 5;
    std::vector<std::string_view> items;
    for (;;) {
      const std::size_t start = p;
      while (p < s.size() && s[p] != ',' && s[p] != '\\') p += CharLength(s, p);
      items.push_back(s.substr(start, p - start));
      if (p < s.size() && s[p] == ',') {
        ++p;
        continue;
      }
      break;
    }
    if (!StartsAt(s, p, "\\}")) return false;
    o.pop_back();
    for (std::string_view item : items) {
      if (item.empty()) continue;
      o += "\\cellx";
      o += item;
    }
    pos = p + 2;
    return true;
  }

  StashRestorer restorer_;
  std::string properties_;  // of the last \pard read
  bool table_open_ = false;
  bool reset_seen_ = false;
  int cell_state_ = 0;
  bool word_tables_ = false;  // the stash holds rows of Word's tables
  std::size_t dropped_par_ = std::string_view::npos;
  bool reset_due_ = false;  // the next line begins a paragraph of its own
};

}  // namespace

Lines SplitRichEditStreamOut(std::string_view bytes) {
  while (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
  return SplitLines(bytes);
}

Lines SaveTopicLines(const Lines& editor_lines, std::string_view topic_id, const TopicFields& fields,
                     const TopicStash& stash, std::vector<int>* unused) {
  Lines lines = editor_lines;
  const std::size_t first = FirstBodyLine(lines);
  ApplyJoinRule(lines, first);
  SaveConverter converter(stash);
  converter.AllowFields(PairedFieldPlaceholders(lines, stash));
  for (std::size_t k = first; k < lines.size(); ++k) {
    if (lines[k].empty()) continue;
    // The control's bullet text at the start of a paragraph.
    if (StartsAt(lines[k], 0, "{\\pntext\\f1\\'B7\\tab}\\pard") ||
        StartsAt(lines[k], 0, "{\\pntext\\f1\\'b7\\tab}\\pard")) {
      lines[k].erase(0, 20);
    }
    std::size_t start = 0;
    std::size_t block_at = 0;
    if (k == first) start = PlaceFootnoteBlock(lines, k, topic_id, fields, &block_at);
    const std::string& line = lines[k];
    std::string o;
    o.reserve(line.size() + line.size() / 8 + 32);
    o.append(line, 0, start);
    // What stands before the block is the control's (the block's \keepn is
    // no paragraph's own).
    converter.NoteProperties(std::string_view(line).substr(0, block_at));
    converter.ConvertRest(line, start, o);
    lines[k] = std::move(o);
  }
  if (unused) *unused = converter.Unused();
  return lines;
}

}  // namespace qm::editor
