// Shortcuts to the installed editor in the special folders of the shell.
#pragma once

#include <string>

namespace qm::setup {

// The file-system path of a special folder (CSIDL); empty when the shell
// has none.
std::string SpecialFolderPath(int csidl);

// Creates folder\exeName's shortcut "<name>.lnk" in the special folder, with
// the folder as working directory and name as description. A special folder
// without a path gets no shortcut. False when nothing was saved.
bool CreateShortcut(const std::string& folder, const std::string& exeName,
                    const std::string& name, int csidl);

// Deletes "<name>.lnk" from the special folder; missing ones are no error.
void DeleteShortcut(const std::string& name, int csidl);

}  // namespace qm::setup
