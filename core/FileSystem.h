// Files and folders, with paths as code page 932 bytes.
//
// Declared here for the portable code; defined once for POSIX
// (FileSystemPosix.cpp) and once over the Win32 ANSI file functions
// (classlib/FileSystemWin32.cpp), so that a path keeps its bytes on Windows.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

#ifdef _WIN32
constexpr char kPathDelim = '\\';
#else
constexpr char kPathDelim = '/';
#endif

// A file that could not be read or written; what() names the file.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a whole file. Returns false when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& out);

// Writes a whole file: the bytes go to a file beside the target, which then
// replaces the target. Either the old or the new file is left, never neither
// and never a cut-short one. Throws FileError on failure.
void WriteFileReplacing(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);       // a file, not a folder
bool DirectoryExists(const std::string& path);
// Creates one folder; true when it exists afterwards.
bool CreateDir(const std::string& path);
// Moves (renames) a file; false when it failed. An existing target is kept
// (the move fails) unless replace is set.
bool MoveFileTo(const std::string& from, const std::string& to, bool replace = false);
bool DeleteFileAt(const std::string& path);
// Names (no folder) of the plain files in dir whose extension equals ext
// (".bmp"; ASCII case-insensitive), sorted by name.
std::vector<std::string> ListFiles(const std::string& dir, std::string_view ext);

// Path helpers; both '\' and '/' count as separators, double-byte aware.
std::string ExtractFileName(std::string_view path);
std::string ExtractFileDir(std::string_view path);   // without a trailing separator
std::string ExtractFileExt(std::string_view path);   // with the dot; empty if none
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string PathJoin(std::string_view dir, std::string_view name);
// A path from a drive or the root ("C:\\x", "C:x", "\\x", "/x"), not from a folder.
bool IsAbsolutePath(std::string_view path);

}  // namespace qm
