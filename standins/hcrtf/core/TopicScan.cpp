#include "standins/hcrtf/core/TopicScan.h"

#include <algorithm>
#include <cctype>

#include "core/Cp932.h"

namespace qm::hcrtf {

namespace {

// Destinations whose text is never topic text.
const char* const kSkippedDestinations[] = {
    "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "header", "headerl",
    "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "listtable",
    "listoverridetable", "rsidtbl", "xmlnstbl", "themedata", "colorschememapping",
    "latentstyles", "datastore", "generator", "filetbl", "revtbl", "fldinst", "bkmkstart",
    "bkmkend", "field-instruction"};

bool IsSkippedDestination(std::string_view word) {
  for (const char* d : kSkippedDestinations)
    if (word == d) return true;
  return false;
}

enum class Dest { Text, Skip, Footnote };

struct GroupState {
  bool ul = false;      // single underline: pop-up
  bool uldb = false;    // double underline or strike: jump
  bool hidden = false;  // \v
  Dest dest = Dest::Text;
};

enum class LinkState { None, InText, InTarget };

class Scanner {
 public:
  explicit Scanner(std::string_view rtf) : s_(rtf) {}

  TopicScan Run() {
    std::size_t i = 0;
    bool groupStart = false;  // just after "{": the next word may name a destination
    while (i < s_.size()) {
      unsigned char c = static_cast<unsigned char>(s_[i]);
      if (c == '{') {
        stack_.push_back(cur_);
        groupStart = true;
        ++i;
        continue;
      }
      if (c == '}') {
        CloseGroup();
        groupStart = false;
        ++i;
        continue;
      }
      if (c == '\\') {
        i = ControlAt(i, groupStart);
        groupStart = false;
        continue;
      }
      groupStart = false;
      if (c == '\r' || c == '\n') {
        ++i;
        continue;
      }
      std::size_t len = CharLength(s_, i);
      Text(s_.substr(i, len));
      i += len;
    }
    while (!stack_.empty()) CloseGroup();
    EndLink();
    return std::move(out_);
  }

 private:
  // Handles the control word or symbol at s_[i] (a backslash); returns the
  // position after it.
  std::size_t ControlAt(std::size_t i, bool groupStart) {
    std::size_t j = i + 1;
    if (j >= s_.size()) return j;
    unsigned char c = static_cast<unsigned char>(s_[j]);
    if (!std::isalpha(c)) {
      switch (c) {
        case '\'': {
          int v = j + 2 < s_.size() ? Hex2(s_.substr(j + 1, 2)) : -1;
          if (v < 0) return std::min(j + 3, s_.size());  // a broken escape: dropped
          std::size_t next = j + 3;
          std::string bytes(1, static_cast<char>(v));
          // A lead byte written as \'hh takes the next \'hh as its trail byte.
          if (IsLeadByte(static_cast<char>(v)) && next + 3 < s_.size() &&
              s_[next] == '\\' && s_[next + 1] == '\'') {
            int t = Hex2(s_.substr(next + 2, 2));
            if (t >= 0) {
              bytes += static_cast<char>(t);
              next += 4;
            }
          }
          Text(bytes);
          return next;
        }
        case '{':
        case '}':
        case '\\':
          Text(std::string_view(&s_[j], 1));
          return j + 1;
        case '~':
          Text(" ");
          return j + 1;
        case '-':
        case '_':
          Text("-");
          return j + 1;
        case '*':
          if (groupStart && cur_.dest != Dest::Skip) cur_.dest = Dest::Skip;
          return j + 1;
        case '\r':
        case '\n':
          Break();
          return j + 1;
        default:
          return j + 1;
      }
    }
    std::size_t w = j;
    while (j < s_.size() && std::isalpha(static_cast<unsigned char>(s_[j]))) ++j;
    std::string_view word = s_.substr(w, j - w);
    bool hasParam = false;
    long param = 0;
    bool neg = false;
    if (j < s_.size() && s_[j] == '-' && j + 1 < s_.size() &&
        std::isdigit(static_cast<unsigned char>(s_[j + 1]))) {
      neg = true;
      ++j;
    }
    while (j < s_.size() && std::isdigit(static_cast<unsigned char>(s_[j]))) {
      hasParam = true;
      if (param < 100000000) param = param * 10 + (s_[j] - '0');
      ++j;
    }
    if (neg) param = -param;
    if (j < s_.size() && s_[j] == ' ') ++j;
    bool on = !hasParam || param != 0;

    if (word == "bin") {  // binary data: skip it whole
      std::size_t n = hasParam && param > 0 ? static_cast<std::size_t>(param) : 0;
      return j + n > s_.size() ? s_.size() : j + n;
    }
    if (cur_.dest == Dest::Skip) return j;
    if (IsSkippedDestination(word)) {
      cur_.dest = Dest::Skip;
      return j;
    }
    if (word == "footnote") {
      if (cur_.dest == Dest::Text) {
        cur_.dest = Dest::Footnote;
        footnoteDepth_ = stack_.size();
        footnoteMark_ = lastMark_;
        footnoteText_.clear();
      }
      return j;
    }
    if (word == "ul" || word == "ulw") {
      cur_.ul = on;
    } else if (word == "uldb" || word == "strike" || word == "striked") {
      cur_.uldb = on;
    } else if (word == "ulnone") {
      cur_.ul = cur_.uldb = false;
    } else if (word == "v") {
      cur_.hidden = on;
    } else if (word == "plain") {
      cur_.ul = cur_.uldb = cur_.hidden = false;
    } else if (word == "uc") {
      uc_ = hasParam && param >= 0 ? static_cast<int>(param) : 1;
    } else if (word == "u") {
      Text("?");
      unicodeSkip_ = uc_;
    } else if (word == "page") {
      Break();
      newTopic_ = true;
    } else if (word == "par" || word == "line" || word == "sect" || word == "cell" ||
               word == "row") {
      Break();
    } else if (word == "tab") {
      Text(" ");
    }
    return j;
  }

  static int Hex2(std::string_view h) {
    int v = 0;
    for (char ch : h) {
      int d;
      if (ch >= '0' && ch <= '9') d = ch - '0';
      else if (ch >= 'a' && ch <= 'f') d = ch - 'a' + 10;
      else if (ch >= 'A' && ch <= 'F') d = ch - 'A' + 10;
      else return -1;
      v = v * 16 + d;
    }
    return v;
  }

  void CloseGroup() {
    if (stack_.empty()) return;  // unbalanced "}": ignore it
    if (cur_.dest == Dest::Footnote && footnoteDepth_ == stack_.size()) EndFootnote();
    cur_ = stack_.back();
    stack_.pop_back();
  }

  void EndFootnote() {
    if (footnoteMark_ != '#') return;
    std::string id = Trim(footnoteText_);
    // Word repeats the footnote mark inside the footnote.
    while (!id.empty() && id[0] == '#') id = Trim(std::string_view(id).substr(1));
    if (id.empty()) return;
    out_.topicIds.push_back(id);
    if (newTopic_ || topicId_.empty()) topicId_ = id;
    newTopic_ = false;
  }

  // A paragraph, line or page end: visible, and ends any hotspot and any
  // picture reference.
  void Break() {
    if (cur_.dest == Dest::Footnote) {
      footnoteText_ += ' ';
      return;
    }
    if (cur_.dest != Dest::Text) return;
    EndLink();
    picture_.clear();
    lastMark_ = 0;
  }

  void EndLink() {
    if (link_ == LinkState::InTarget) {
      TopicRef r;
      r.kind = linkKind_;
      r.target = Trim(target_);
      r.topicId = topicId_;
      if (!r.target.empty()) out_.refs.push_back(std::move(r));
    }
    link_ = LinkState::None;
    target_.clear();
  }

  void Text(std::string_view ch) {
    if (unicodeSkip_ > 0) {  // the fallback text of a \u character
      --unicodeSkip_;
      return;
    }
    if (cur_.dest == Dest::Skip) return;
    if (cur_.dest == Dest::Footnote) {
      footnoteText_ += ch;
      return;
    }
    if (cur_.hidden) {
      if (link_ != LinkState::None) {
        link_ = LinkState::InTarget;
        target_ += ch;
      }
      return;
    }
    // Visible text.
    bool hot = cur_.ul || cur_.uldb;
    RefKind kind = cur_.uldb ? RefKind::Jump : RefKind::Popup;
    if (link_ == LinkState::InTarget) EndLink();
    if (hot) {
      if (link_ == LinkState::None || kind != linkKind_) {
        link_ = LinkState::InText;
        linkKind_ = kind;
      }
    } else {
      link_ = LinkState::None;  // a hotspot without a target is no link
    }
    if (ch.size() == 1 && ch[0] != ' ') lastMark_ = ch[0];
    if (ch.size() == 2) lastMark_ = 0;
    Picture(ch);
  }

  // Collects "{bm? ...}" references from the visible text.
  void Picture(std::string_view ch) {
    if (ch == "{") {
      picture_ = "{";
      return;
    }
    if (picture_.empty()) return;
    if (ch == "}") {
      CheckPicture(picture_);
      picture_.clear();
      return;
    }
    picture_ += ch;
    if (picture_.size() > 1024) picture_.clear();
  }

  void CheckPicture(std::string_view ref) {
    // ref is "{" + word + blank + names
    std::string_view body = ref.substr(1);
    std::size_t blank = body.find(' ');
    if (blank == std::string_view::npos) return;
    std::string word = LowerAscii(body.substr(0, blank));
    static const char* const kWords[] = {"bmc", "bml", "bmr", "bmct", "bmlt", "bmrt"};
    bool known = false;
    for (const char* k : kWords)
      if (word == k) known = true;
    if (!known) return;
    // Several pictures (one per display resolution) are separated by ";".
    std::string_view names = body.substr(blank + 1);
    std::size_t start = 0;
    while (start <= names.size()) {
      std::size_t semi = FindChar(names, ';', start);
      std::size_t end = semi == std::string_view::npos ? names.size() : semi;
      std::string name = Trim(names.substr(start, end - start));
      if (!name.empty()) {
        TopicRef r;
        r.kind = RefKind::Picture;
        r.target = name;
        r.topicId = topicId_;
        out_.refs.push_back(std::move(r));
      }
      if (semi == std::string_view::npos) break;
      start = semi + 1;
    }
  }

  std::string_view s_;
  TopicScan out_;
  GroupState cur_;
  std::vector<GroupState> stack_;
  std::size_t footnoteDepth_ = 0;
  char footnoteMark_ = 0;
  char lastMark_ = 0;
  std::string footnoteText_;
  std::string topicId_;
  bool newTopic_ = true;
  LinkState link_ = LinkState::None;
  RefKind linkKind_ = RefKind::Jump;
  std::string target_;
  std::string picture_;
  int uc_ = 1;
  int unicodeSkip_ = 0;
};

}  // namespace

TopicScan ScanTopicRtf(std::string_view rtf) { return Scanner(rtf).Run(); }

std::string LocalTargetId(std::string_view target) {
  std::string t = Trim(target);
  if (t.empty() || t[0] == '!') return {};
  std::size_t start = 0;
  while (start < t.size() && (t[start] == '%' || t[start] == '*')) ++start;
  std::string_view id = std::string_view(t).substr(start);
  if (FindChar(id, '@') != std::string_view::npos) return {};
  std::size_t gt = FindChar(id, '>');
  if (gt != std::string_view::npos) id = id.substr(0, gt);
  return Trim(id);
}

}  // namespace qm::hcrtf
