#include "editor/core/ComponentHelp.h"

#include "editor/core/TopicInfo.h"

namespace qm::editor {

const char kNoComponentMessage[] = "ｺﾝﾎﾟｰﾈﾝﾄ名がありません.";
const char kBadComponentMessage[] = "ｺﾝﾎﾟｰﾈﾝﾄ名に不正な文字が含まれています.";
const char kSeveralMembersMessage[] = "ﾌﾟﾛﾊﾟﾃｨ名,ﾒｿｯﾄﾞ名,ｲﾍﾞﾝﾄ名を同時に指定できません.";
const char kBadPropertyMessage[] = "ﾌﾟﾛﾊﾟﾃｨ名に不正な文字が含まれています.";
const char kBadMethodMessage[] = "ﾒｿｯﾄﾞ名に不正な文字が含まれています.";
const char kBadEventMessage[] = "ｲﾍﾞﾝﾄ名に不正な文字が含まれています.";

namespace {

// s from byte pos on; empty when s is shorter.
std::string_view From(std::string_view s, std::size_t pos) {
  return pos < s.size() ? s.substr(pos) : std::string_view();
}

bool IsName(std::string_view s) {
  for (unsigned char c : s)
    if (!IsIdLetterOrDigit(c) && c != '_') return false;
  return true;
}

// The member rows of the naming table; tail: "_Property" or "_Event" for
// the A keywords, empty for methods (which have none).
ComponentHelpFields MemberRow(const std::string& c, const std::string& member, const char* browse,
                              const char* kind, const char* tail) {
  ComponentHelpFields f;
  f.Id = c + "_" + member;
  f.BrowseId = c + browse + member;
  f.Title = c + "." + member;
  f.Kind = kind + c + member;
  f.KKeywords = member + ",;" + member + "," + c;
  if (*tail) f.AKeywords = c + "_" + member + ";" + member + tail + ";" + member;
  return f;
}

}  // namespace

ComponentHelpFields FillComponentHelp(const ComponentNames& n) {
  const std::string& c = n.Component;
  if (!n.Property.empty()) return MemberRow(c, n.Property, "_prop:", "prop_", "_Property");
  if (!n.Event.empty()) return MemberRow(c, n.Event, "_event:", "event_", "_Event");
  if (!n.Method.empty()) return MemberRow(c, n.Method, "_method:", "method_", "");
  return {c, "class:" + c, c, "class_" + c, c, c + "_Object;" + c};
}

void SplitCommonPrefix(std::string_view j, std::string_view t, std::string& component,
                       std::string& member) {
  if (t.size() == j.size() + 1) {
    for (std::size_t n = 0; n < j.size(); ++n) {
      if (j[n] != t[n]) {
        component = j.substr(0, n);
        member = j.substr(n);
        return;
      }
    }
  }
  component = t;
  member.clear();
}

ComponentNames ComponentNamesFromKind(std::string_view kind, std::string_view topic_id,
                                      std::string_view last_component) {
  ComponentNames n;
  if (kind.empty()) {
    n.Component = last_component;
    return n;
  }
  const std::string_view head = kind.substr(0, 4);
  if (head == "prop") {
    SplitCommonPrefix(From(kind, 5), topic_id, n.Component, n.Property);
  } else if (head == "even") {
    SplitCommonPrefix(From(kind, 6), topic_id, n.Component, n.Event);
  } else if (head == "meth") {
    SplitCommonPrefix(From(kind, 7), topic_id, n.Component, n.Method);
  } else {
    n.Component = From(kind, 6);
  }
  return n;
}

std::string CheckComponentNames(const ComponentNames& n) {
  if (n.Component.empty()) return kNoComponentMessage;
  if (!IsName(n.Component)) return kBadComponentMessage;
  if (!n.Property.empty() + !n.Method.empty() + !n.Event.empty() >= 2) return kSeveralMembersMessage;
  if (!IsName(n.Property)) return kBadPropertyMessage;
  if (!IsName(n.Method)) return kBadMethodMessage;
  if (!IsName(n.Event)) return kBadEventMessage;
  return {};
}

}  // namespace qm::editor
