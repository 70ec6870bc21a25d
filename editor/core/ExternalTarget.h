// The target of an external contents entry: the topic id, one blank, then
// optionally "@" and a help file, then optionally ">" and a window.
#pragma once

#include <string>
#include <string_view>

namespace qm::editor {

class ProjectModel;

struct ExternalTarget {
  std::string TopicId;
  std::string HelpFile;
  std::string Window;
};

// The id runs to the first "@" or ">" (or the end), one trailing blank
// dropped. After an "@" the help file runs to the next ">" (blanks kept).
// After the ">" that ends either, the window: the rest, at most 255 bytes
// (a double-byte character is not cut in two). A ">" before any "@" makes
// everything after it the window.
ExternalTarget SplitExternalTarget(std::string_view target);

// id + " ", then "@" + help file when there is one, then ">" + window when
// there is one.
std::string JoinExternalTarget(const ExternalTarget& target);

// True for the bytes a topic id or a window name may hold: ASCII letters and
// digits and "_". (Context strings of help files are ASCII.)
bool IsNameByte(char c);
bool IsValidName(std::string_view name);

// The message that refuses a typed topic id, or empty when it is accepted:
// "ﾄﾋﾟｯｸIDがありません." or "ﾄﾋﾟｯｸIDに不正な文字が含まれています.".
std::string_view ExternalTopicIdError(std::string_view id);

// The stored target after the dialog's OK: the joined target, and whether it
// differs from the stored one (only then is it stored and the project
// marked modified).
bool ExternalTargetChanged(std::string_view stored, const ExternalTarget& edited, std::string& joined);

// Stores the edited target in row of CntTargets when it differs from what is
// stored there, and then marks the project modified; false when nothing
// changed or the row does not exist.
bool StoreExternalTarget(ProjectModel& model, int row, const ExternalTarget& edited);

}  // namespace qm::editor
