// What the setup reads from program files and the package folder: version
// resources, file dates and sizes, and the start-up state of a run.
#pragma once

#include <optional>
#include <string>

#include "setup/SetupRun.h"

namespace qm::setup {

// The ProductVersion of a program's version resource, in the language and
// code page of its first translation entry; none without one or when it is
// empty.
std::optional<std::string> ReadProductVersion(const std::string& file);

// The year of a file's last-write date in local time; 0 when it is missing.
int FileYear(const std::string& file);

// The folder of the running program with a trailing backslash.
std::string ProgramFolder();

// Reads the versions of the package's two editors and the notice year.
// False when either is missing (missing then holds its full path) or has no
// well-formed version (missing stays empty).
bool ReadPackageVersions(TSetupRun& run, std::string& missing);

// The full path of the first file that the install copies and the package
// folder lacks: the delete-after-exit program, then the installed files in
// their order. Empty when the package is whole.
std::string MissingPackageFile(const TSetupRun& run);

// The rest of the start-up state: the Windows folder and drive, the sizes of
// the package's files, the Windows family.
void ReadSystemState(TSetupRun& run);

// Whether the install copies source over target: not when source is missing
// or target is at least as new.
enum class CopyNeed { SourceMissing, UpToDate, Copy };
CopyNeed CopyNeedOf(const std::string& source, const std::string& target);

}  // namespace qm::setup
