// The parts of a help project file (.hpj) that the help compiler stand-in
// uses. Read as a help compiler reads a hand-made project: section headers and
// option names in any letter case, blanks around "=", comments after ";",
// sections ended only by the next header, options that may repeat.
#pragma once

#include <string>
#include <vector>

#include "core/Lines.h"

namespace qm::hcrtf {

struct HelpProject {
  std::vector<std::string> roots;    // ROOT= topic folders as written, in order
  std::vector<std::string> bmRoots;  // BMROOT= picture folders as written, in order
  std::string errorLog;              // ERRORLOG=, empty when absent
  std::string helpFile;              // HLP=, empty when absent
  std::string contents;              // CONTENTS=, empty when absent
  std::string lcid;                  // LCID= without its comment, empty when absent
  std::string dbcs;                  // DBCS=, empty when absent
  std::vector<std::string> files;    // [FILES] entries, in order
  std::vector<std::string> aliases;  // ids that [ALIAS] defines (left of "=")
};

HelpProject ParseProject(const Lines& lines);

// Splits a folder list ("rtf, ..\common") at commas; trims each folder and
// drops empty ones.
std::vector<std::string> SplitFolderList(std::string_view value);

}  // namespace qm::hcrtf
