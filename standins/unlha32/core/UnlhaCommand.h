// The command line the archiver library takes, for example
//   u -x1 -jm3 -a1 "C:\help\demo.hpj.lzh" "C:\help\" "demo.hpj" bmp\*.* *.wav
// Items are separated by blanks; double quotes group text with blanks and are
// dropped (a backslash before a quote is an ordinary character, so a quoted
// folder may end in "\"). The first item is the command, then the archive;
// items beginning with "-" anywhere are switches. An item right after the
// archive that ends in "\" (or "/") is the base folder: the names and
// patterns after it are taken relative to it, and members are named by their
// path below it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::lzh {

struct UnlhaCommand {
  char command = 0;                   // 'u' (update) or 'a' (add)
  std::vector<std::string> switches;  // as given: "-x1", "-jm3" ...
  bool storeFolders = false;          // -x1: members keep their folders
  bool allAttributes = false;         // -a1: hidden and system files too
  std::string archive;
  std::string baseFolder;             // without its closing separator; may be empty
  std::vector<std::string> items;     // names and patterns
};

// Splits a command line into items (quotes removed).
std::vector<std::string> SplitCommandLine(std::string_view line);

// Parses a command line. False, with a reason in error, when the command is
// missing or unknown or there is no archive name. Switches other than -x and
// -a are accepted and have no effect.
bool ParseUnlhaCommand(std::string_view line, UnlhaCommand& out, std::string& error);

// True when name matches the pattern: "*" stands for any characters, "?" for
// one (a double-byte character counts as one), ASCII letters match in either
// case, and a pattern ending in ".*" also takes names without that dot, so
// "*.*" takes every name.
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace qm::lzh
