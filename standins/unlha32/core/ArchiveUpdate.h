// What the archiver library does with one command line: "u" updates an
// archive (creating it when there is none), "a" adds to it.
//
// The members of an existing archive are all unpacked and checked first; a
// broken archive is refused and left as it is. Files named by the command
// replace the members of the same path (letter case aside); with "u" a member
// whose time and size equal the file's is kept as it is. Members not named
// again stay, in their order; new ones follow. Names and patterns that match
// no file are noted in the report and are not an error. The new archive is
// written beside the old one and then takes its place.
#pragma once

#include <string>
#include <string_view>

namespace qm::lzh {

enum UnlhaResult : int {
  kUnlhaOk = 0,
  kUnlhaBadCommand = 1,     // the command line cannot be understood
  kUnlhaBrokenArchive = 2,  // the existing archive is damaged or unreadable
  kUnlhaCannotRead = 3,     // a file to add cannot be read
  kUnlhaCannotWrite = 4,    // the archive cannot be written
  kUnlhaNothingToDo = 5,    // no archive and no file to put in one
};

// Runs the command line; report gets one line (CR LF) per member written,
// kept or refused, and the reason of a failure.
int RunUnlha(std::string_view commandLine, std::string& report);

}  // namespace qm::lzh
