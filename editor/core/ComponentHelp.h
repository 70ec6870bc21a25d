// The component-help filler of the topic information dialog: the fields of
// a help topic about a component of the Delphi IDE, or about one of its
// properties, methods or events, made by fixed naming rules; and the names
// read back from a topic's component-help kind (its B keywords).
#pragma once

#include <string>
#include <string_view>

namespace qm::editor {

// The names typed into the filler; at most one member name is given.
struct ComponentNames {
  std::string Component;
  std::string Property;
  std::string Method;
  std::string Event;
};

// The topic fields the naming rules give.
struct ComponentHelpFields {
  std::string Id;
  std::string BrowseId;
  std::string Title;
  std::string Kind;  // the component-help kind, stored as the B keywords
  std::string KKeywords;
  std::string AKeywords;
};

// The row of the naming table: property, else event, else method, else the
// component itself.
ComponentHelpFields FillComponentHelp(const ComponentNames& names);

// The filler's start from a topic's component-help kind and topic id:
// empty kind -> last_component; "prop_" + C + P, "event_" + C + E,
// "method_" + C + M split against the topic id (C_P); any other kind ->
// the component after "class_". A kind shorter than its prefix gives empty
// names instead of reading past its end.
ComponentNames ComponentNamesFromKind(std::string_view kind, std::string_view topic_id,
                                      std::string_view last_component);

// Splits j (component and member run together) by the topic id t (the two
// joined by one character): when t is one byte longer than j and they
// differ inside j, j splits at the first difference; otherwise the
// component is t whole and the member empty.
void SplitCommonPrefix(std::string_view j, std::string_view t, std::string& component,
                       std::string& member);

// The message of the first check the names fail, or empty.
std::string CheckComponentNames(const ComponentNames& names);

extern const char kNoComponentMessage[];
extern const char kBadComponentMessage[];
extern const char kSeveralMembersMessage[];
extern const char kBadPropertyMessage[];
extern const char kBadMethodMessage[];
extern const char kBadEventMessage[];

}  // namespace qm::editor
