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

// Reads the versions of the package's two editors (false: either is missing
// or has no well-formed version) and the notice year.
bool ReadPackageVersions(TSetupRun& run);

// The rest of the start-up state: the Windows folder and drive, the sizes of
// the package's files, the Windows family.
void ReadSystemState(TSetupRun& run);

// True when source was copied over target, or target is at least as new.
// False when source is missing or the copy failed.
bool CopyIfNewer(const std::string& source, const std::string& target);

}  // namespace qm::setup
