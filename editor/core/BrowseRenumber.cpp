#include "editor/core/BrowseRenumber.h"

#include <string>

#include "core/Cp932.h"
#include "core/FileSystem.h"
#include "editor/core/ProjectModel.h"

namespace qm::editor {

namespace {

bool StartsAt(std::string_view s, std::size_t pos, std::string_view what) {
  return pos <= s.size() && s.size() - pos >= what.size() && s.compare(pos, what.size(), what) == 0;
}

bool EndsWith(std::string_view s, std::string_view what) {
  return s.size() >= what.size() && s.compare(s.size() - what.size(), what.size(), what) == 0;
}

// Position of an ASCII word at a character start at or after from.
std::size_t FindWordFrom(std::string_view s, std::string_view word, std::size_t from) {
  for (std::size_t i = from; i < s.size(); i += CharLength(s, i)) {
    if (StartsAt(s, i, word)) return i;
  }
  return std::string_view::npos;
}

// True when out ends with the "\pard " behind which the placement rule puts
// the block of a line with "\viewkind": the first "\pard" after the first
// "\viewkind".
bool EndsWithPlacedPard(std::string_view out) {
  if (!EndsWith(out, "\\pard ")) return false;
  const std::size_t view = FindWordFrom(out, "\\viewkind", 0);
  if (view == std::string_view::npos) return false;
  return FindWordFrom(out, "\\pard", view + 9) == out.size() - 6;
}

}  // namespace

std::string_view BrowseIdMessage(BrowseIdError error) {
  switch (error) {
    case BrowseIdError::Empty: return "カレントの参照IDが設定されていません.";
    case BrowseIdError::Malformed: return "カレントの参照IDが異常です.";
    case BrowseIdError::NotANumber: return "カレントの参照IDの：の後ろが数値のもののみ対応しています.";
    default: return "";
  }
}

BrowseIdError ParseBrowseId(std::string_view text, BrowseId& out) {
  if (text.empty()) return BrowseIdError::Empty;
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon + 1 >= text.size()) return BrowseIdError::Malformed;
  int number;
  if (!TryStrToInt(text.substr(colon + 1), number)) return BrowseIdError::NotANumber;
  out.Group.assign(text.substr(0, colon));
  out.Number = number;
  return BrowseIdError::None;
}

std::string FormatBrowseId(std::string_view group, long long number) {
  // At least four digits after the sign.
  const bool negative = number < 0;
  std::string digits = std::to_string(negative ? -static_cast<unsigned long long>(number)
                                               : static_cast<unsigned long long>(number));
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  std::string out(group);
  out += ':';
  if (negative) out += '-';
  out += digits;
  return out;
}

bool StripTopicFootnotes(Lines& lines, TopicFields& kept) {
  kept = TopicFields{};
  const std::size_t first = FirstBodyLine(lines);
  ApplyJoinRule(lines, first);
  if (first >= lines.size()) return false;
  bool found = false;
  const std::string_view s = lines[first];
  std::string out;
  out.reserve(s.size());
  char prev = 0;
  std::size_t pos = 0;
  while (pos < s.size()) {
    const char c = s[pos];
    if (IsLeadByte(c) && pos + 1 < s.size()) {
      out.append(s.substr(pos, 2));
      pos += 2;
      prev = 0;
      continue;
    }
    if (c == '{') {
      if (StartsAt(s, pos, "{\\footnote ") && IsFootnoteLetter(prev) && IsPlainFootnote(s, pos)) {
        out.pop_back();  // the letter
        if (EndsWithPlacedPard(out)) out.pop_back();
        std::string value;
        ReadFootnoteText(s, pos, value);
        if (std::string* field = FootnoteField(kept, prev)) *field = std::move(value);
        found = true;
        prev = 0;
        continue;
      }
      out += c;
      ++pos;
      prev = c;
      continue;
    }
    if (c == '\\') {
      if (StartsAt(s, pos + 1, "keepn ")) {
        kept.NoScroll = true;
        pos += 7;
        continue;
      }
      // An escaped brace or backslash is text, never the start of a word.
      if (pos + 1 < s.size() && (s[pos + 1] == '\\' || s[pos + 1] == '{' || s[pos + 1] == '}')) {
        out.append(s.substr(pos, 2));
        pos += 2;
        prev = s[pos - 1];
        continue;
      }
    }
    out += c;
    prev = c;
    ++pos;
  }
  lines[first] = std::move(out);
  return found;
}

void InsertTopicFootnotes(Lines& lines, std::string_view id, const TopicFields& fields) {
  const std::size_t first = FirstBodyLine(lines);
  ApplyJoinRule(lines, first);
  if (first >= lines.size()) lines.resize(first + 1);
  PlaceFootnoteBlock(lines, first, id, fields);
}

bool SetTopicBrowseId(Lines& lines, std::string_view id, std::string_view browseId) {
  if (lines.size() <= 2) return false;
  TopicFields kept;
  Lines stripped = lines;
  if (!StripTopicFootnotes(stripped, kept)) return false;
  lines = std::move(stripped);
  kept.BrowseId.assign(browseId);
  InsertTopicFootnotes(lines, id, kept);
  return true;
}

BrowseIdError PlanRenumbering(const ProjectModel& model, const ContentsNode* openNode, std::string_view browseId,
                              RenumberPlan& plan) {
  plan = RenumberPlan{};
  BrowseId parsed;
  const BrowseIdError error = ParseBrowseId(browseId, parsed);
  if (error != BrowseIdError::None) return error;
  plan.OpenBrowseId = FormatBrowseId(parsed.Group, parsed.Number);
  long long number = parsed.Number;
  for (const ContentsNode* n = openNode ? openNode->NextSibling() : nullptr; n; n = n->NextSibling()) {
    ++number;  // every sibling takes a number, whatever it is
    if (n->Kind != kTopicNode && n->Kind != kHiddenTopicNode) continue;
    if (n->Data < 0 || static_cast<std::size_t>(n->Data) >= model.TopicIds.Count()) continue;
    const std::string& id = model.TopicIds[static_cast<std::size_t>(n->Data)];
    if (id.empty()) continue;
    plan.Steps.push_back({id, model.TopicFilePath(id), FormatBrowseId(parsed.Group, number)});
  }
  return BrowseIdError::None;
}

RenumberResult RewriteSiblingBrowseIds(const RenumberPlan& plan) {
  RenumberResult result;
  for (const RenumberStep& step : plan.Steps) {
    if (!FileExists(step.Path)) continue;
    auto fail = [&](std::string_view why) {
      result.FailedTopicId = step.TopicId;
      result.Message = "トピック " + step.TopicId + " の観覧IDを書き換えられませんでした.\r\n";
      result.Message += why;
    };
    std::string bytes;
    if (!ReadFileBytes(step.Path, bytes)) {
      fail("ファイルを読めません: " + step.Path);
      return result;
    }
    Lines lines = SplitLines(bytes);
    if (!SetTopicBrowseId(lines, step.TopicId, step.BrowseId)) {
      result.Skipped.push_back(step.TopicId);
      continue;
    }
    try {
      WriteFileReplacing(step.Path, JoinLines(lines));
    } catch (const FileError& e) {
      fail(e.what());
      return result;
    }
    ++result.Rewritten;
  }
  return result;
}

std::string SkippedTopicsMessage(const RenumberResult& result) {
  if (result.Skipped.empty()) return {};
  std::string s = "次のﾄﾋﾟｯｸは先頭行に脚注がないため, 観覧IDを書き換えませんでした.";
  for (const std::string& id : result.Skipped) s += "\r\n" + id;
  return s;
}

}  // namespace qm::editor
