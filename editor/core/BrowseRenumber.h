// Browse-id renumbering: the open topic and the topics after it on its level
// of the contents tree get consecutive browse numbers in one group. The
// following siblings' files are rewritten on disk without being opened in
// the editor: their footnote block is taken out of the first body line and
// put back with the new browse id.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Lines.h"
#include "editor/core/ContentsTree.h"
#include "editor/core/TopicFootnotes.h"

namespace qm::editor {

class ProjectModel;

// A browse id: the group before the first colon (possibly empty) and the
// number after it.
struct BrowseId {
  std::string Group;
  long long Number = 0;
};

enum class BrowseIdError {
  None,
  Empty,        // "カレントの参照IDが設定されていません."
  Malformed,    // no colon, or nothing after it: "カレントの参照IDが異常です."
  NotANumber,   // "カレントの参照IDの：の後ろが数値のもののみ対応しています."
};

// The message shown for an error; empty for None.
std::string_view BrowseIdMessage(BrowseIdError error);

// Splits text at its first colon (a plain byte scan); the number must be a
// whole 32-bit decimal number.
BrowseIdError ParseBrowseId(std::string_view text, BrowseId& out);

// group + ":" + the number with at least four digits, zero-padded ("-0005"
// for a negative one).
std::string FormatBrowseId(std::string_view group, long long number);

// Takes every footnote of the letters # $ + B K A ! > and every "\keepn "
// out of the first body line (after the join rule), keeping the values in
// kept (the # value is dropped) and the keepn flag in kept.NoScroll. The
// blank that the block placement puts after "\pard" goes with the block, so
// that putting the block back gives the line it came from. Returns true
// when a footnote was taken out.
bool StripTopicFootnotes(Lines& lines, TopicFields& kept);

// Puts the footnote block of id and fields back into the first body line by
// the placement rule; the rest of the line is kept.
void InsertTopicFootnotes(Lines& lines, std::string_view id, const TopicFields& fields);

// Gives the lines of a topic file the browse id, keeping its other
// footnotes; # is set to id. Files of two lines or fewer are left alone
// (false), and so are files whose first body line holds no footnote: a file
// written by another tool keeps its footnotes further down, and a block put
// into its first line would land in its font table.
bool SetTopicBrowseId(Lines& lines, std::string_view id, std::string_view browseId);

// One sibling file to rewrite.
struct RenumberStep {
  std::string TopicId;
  std::string Path;
  std::string BrowseId;
};

struct RenumberPlan {
  std::string OpenBrowseId;          // the open topic's new browse id
  std::vector<RenumberStep> Steps;   // in tree order
};

// The plan for the open topic's browse id and the siblings after openNode:
// every sibling takes the next number, but only topics and hidden topics with
// a row in the topic table are rewritten. On an error the plan is empty.
BrowseIdError PlanRenumbering(const ProjectModel& model, const ContentsNode* openNode,
                              std::string_view browseId, RenumberPlan& plan);

struct RenumberResult {
  int Rewritten = 0;                 // files written
  std::vector<std::string> Skipped;  // ids of existing files left alone
  std::string FailedTopicId;         // empty when every step went through
  std::string Message;               // names the topic and the file that failed
  bool Ok() const { return FailedTopicId.empty(); }
};

// Rewrites the plan's files in order. A missing file, or one that
// SetTopicBrowseId leaves alone, is skipped (and named in Skipped). Each
// file is written beside and then replaces the old one, so none is ever left
// half-written; the first that cannot be read or written stops the run, the
// files after it are not touched.
RenumberResult RewriteSiblingBrowseIds(const RenumberPlan& plan);

// The message that names the topics a run left alone, one a line; empty
// when it left none.
std::string SkippedTopicsMessage(const RenumberResult& result);

}  // namespace qm::editor
