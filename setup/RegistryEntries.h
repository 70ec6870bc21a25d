// The setup's registry entries: the uninstall entry with its installed-program
// cache record, the removal of everything the suite keeps in the registry,
// and the run-once command that completes an uninstall.
#pragma once

#include <string>

#include "setup/SetupRun.h"

namespace qm::setup {

// Writes the uninstall entry's values in their fixed order, then, when
// Windows keeps an installed-program cache, the suite's cache entry. False
// when anything could not be written.
bool WriteUninstallEntry(const TSetupRun& run);

// Deletes the per-user settings key, the uninstall entry and the cache entry;
// missing keys are no error.
void RemoveRegistryEntries();

// Writes the run-once value that has the delete-after-exit program remove
// the setup and folder. False when it could not be written.
bool WriteRunOnce(const std::string& folder);

}  // namespace qm::setup
