// Reading a WinHelp topic file (RTF) the way the help compiler needs it:
// the topic ids of its # footnotes, its jumps and pop-ups with their hidden
// targets, and the pictures named by {bmc}, {bml} and {bmr} references.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::hcrtf {

enum class RefKind { Jump, Popup, Picture };

// One jump, pop-up or picture reference, in the order met in the file.
struct TopicRef {
  RefKind kind = RefKind::Jump;
  // Jump or pop-up: the hidden target as written (trimmed), e.g. "%id>win".
  // Picture: the file name as written (trimmed).
  std::string target;
  // The topic (id of the last # footnote) in which the reference stands;
  // empty before the first one.
  std::string topicId;
};

struct TopicScan {
  std::vector<std::string> topicIds;  // # footnotes, in file order
  std::vector<TopicRef> refs;
};

// Scans RTF text. Text bytes are code page 932: a lead byte and its trail
// byte travel together (also when written as \'hh escapes), so a trail byte
// is never taken for a brace, a backslash or a semicolon.
TopicScan ScanTopicRtf(std::string_view rtf);

// The topic id that a hidden jump or pop-up target names inside this help
// file, or empty when it names none: a macro (!...), a target in another
// help file (id@file), or an empty one. The prefixes % and * and a window
// suffix (>window) are dropped.
std::string LocalTargetId(std::string_view target);

}  // namespace qm::hcrtf
