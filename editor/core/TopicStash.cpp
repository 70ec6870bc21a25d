#include "editor/core/TopicStash.h"

#include "editor/core/RtfText.h"

namespace qm::editor {

int TopicStash::Add(std::string_view word, std::string rtf) {
  Items.push_back({std::string(word), std::move(rtf)});
  return FirstNumber + static_cast<int>(Items.size()) - 1;
}

const TopicStashItem* TopicStash::Find(int number) const {
  if (number < FirstNumber) return nullptr;
  const auto index = static_cast<std::size_t>(number - FirstNumber);
  return index < Items.size() ? &Items[index] : nullptr;
}

std::string StashPlaceholder(std::string_view word, int number) {
  std::string s = "\\{";
  s += word;
  s += ' ';
  s += std::to_string(number);
  s += "\\}";
  return s;
}

std::string_view PictureGroupWord(std::string_view line, std::size_t pos) {
  static constexpr std::string_view kWords[] = {"{\\pict", "{\\object", "{\\*\\shppict", "{\\nonshppict",
                                                "{\\*\\do"};
  for (std::string_view w : kWords) {
    if (StartsAt(line, pos, w) && ControlWordEndsAt(line, pos + w.size())) return "pict";
  }
  return {};
}

bool MatchPlaceholder(std::string_view line, std::size_t pos, const TopicStash& stash,
                      const TopicStashItem*& item, int& number, std::size_t& length) {
  if (stash.Items.empty()) return false;
  std::string_view word;
  if (StartsAt(line, pos, "pict ")) {
    word = "pict";
  } else if (StartsAt(line, pos, "footnote ")) {
    word = "footnote";
  } else if (StartsAt(line, pos, "trowd ")) {
    word = "trowd";
  } else if (StartsAt(line, pos, "field ")) {
    word = "field";
  } else if (StartsAt(line, pos, "fieldend ")) {
    word = "fieldend";
  } else {
    return false;
  }
  std::size_t i = pos + word.size() + 1;
  const std::size_t digits = i;
  long long n = 0;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9' && i - digits < 9) {
    n = n * 10 + (line[i] - '0');
    ++i;
  }
  if (i == digits || !StartsAt(line, i, "\\}")) return false;
  const TopicStashItem* found = stash.Find(static_cast<int>(n));
  if (!found || found->Word != word) return false;
  item = found;
  number = static_cast<int>(n);
  length = i + 2 - pos;
  return true;
}

std::vector<bool> PairedFieldPlaceholders(const std::vector<std::string>& lines, const TopicStash& stash) {
  std::vector<bool> paired(stash.Items.size(), false);
  std::vector<bool> met(stash.Items.size(), false);
  std::vector<int> open;  // openings met, not yet ended
  for (const std::string& line : lines) {
    for (std::size_t i = 0; i < line.size(); i += RtfStepLength(line, i)) {
      if (!StartsAt(line, i, "\\{")) continue;
      const TopicStashItem* item = nullptr;
      int number = 0;
      std::size_t length = 0;
      if (!MatchPlaceholder(line, i + 2, stash, item, number, length)) continue;
      const auto index = static_cast<std::size_t>(number - stash.FirstNumber);
      const bool first = !met[index];
      met[index] = true;
      if (item->Word == "field" && item->Pair == 0) {
        if (first) paired[index] = true;  // a field without result text: one whole group
      } else if (item->Word == "field" && first) {
        open.push_back(number);
      } else if (item->Word == "fieldend" && first && !open.empty() &&
                 stash.Find(open.back())->Pair == number) {
        paired[index] = true;
        paired[static_cast<std::size_t>(open.back() - stash.FirstNumber)] = true;
        open.pop_back();
      }
    }
  }
  return paired;
}

}  // namespace qm::editor
