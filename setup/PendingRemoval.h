// The removal an uninstall leaves for the next log-on: the run-once entry of
// the suite's name, which deletes the setup from its folder and then the
// folder. An install into that folder before the log-on must cancel it, or
// the new installation loses its setup.
#pragma once

#include <string>

namespace qm::setup {

// True when the pending removal would take folder's setup away. The folder
// is compared by its identity on its volume, so that case, a trailing
// backslash, a short name or another drive onto the same place do not
// matter (without one, by the full paths regardless of case).
bool RemovalPendingFor(const std::string& folder);

// Cancels the pending removal when it is folder's; false when it stands and
// could not be cancelled.
bool CancelRemovalOf(const std::string& folder);

}  // namespace qm::setup
