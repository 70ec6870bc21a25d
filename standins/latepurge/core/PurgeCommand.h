// The command line of the delete-after-exit program:
//
//   Latepurge -n "<folder>" <file>
//
// deletes <file> in <folder> once it can be deleted, then the folder when it
// is empty. The quoted folder is read raw, up to the next double quote: a
// folder that ends in a backslash ("D:\") must not escape its closing quote
// as the runtime's argument rules would have it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm::latepurge {

struct PurgeCommand {
  std::string folder;  // as given, without the quotes
  std::string file;    // a name in the folder, or a full path
};

// Parses the arguments after the program name. Options ("-n" and any other
// beginning with "-" or "/") come first; then the folder, quoted or a single
// word; then the file, the rest of the line (quotes around it dropped).
// None when the folder or the file is missing.
std::optional<PurgeCommand> ParsePurgeCommand(std::string_view args);

// The part of a whole command line after the program name (quoted or not).
std::string_view SkipProgramName(std::string_view commandLine);

// The file's full path: the file itself when it is a full path, else joined
// to the folder (no second backslash after one that ends the folder; a bare
// drive "D:" is its root).
std::string PurgedFilePath(const PurgeCommand& command);

// The folder to remove afterwards, or empty for a drive root (never removed).
std::string FolderToRemove(std::string_view folder);

}  // namespace qm::latepurge
