// Backup: the archiver library the editor calls and the one command line it
// gives it, which packs the project's files into "<project file>.lzh".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::editor {

// The archiver library and its entry point:
//   int WINAPI Unlha(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize)
// returning 0 when the archive was written. The library is looked for where
// Windows' own search looks, never in the current folder (after an open
// dialog that is a project folder, where a planted copy would run).
inline constexpr char kArchiverLibrary[] = "unlha32.dll";
inline constexpr char kArchiverEntry[] = "Unlha";

// The folders the library is looked for in, in turn: the program's folder,
// the system folder, the Windows folder, then the entries of the PATH
// variable (";"-separated, quotes taken off). Empty and relative entries
// (".", "bin", "\\tools") are left out: they stand for the current folder or
// depend on it.
std::vector<std::string> ArchiverSearchFolders(std::string_view programDir,
                                               std::string_view systemDir,
                                               std::string_view windowsDir,
                                               std::string_view pathVariable);

// Messages (caption "Quillmark", error icon).
extern const char kBackupFailedMessage[];      // the archiver returned non-zero
extern const char kArchiverMissingMessage[];   // no library or no entry point

// The archive's folder: the backup folder when one is set, else the project
// folder.
std::string BackupFolder(std::string_view backupPath, std::string_view projectDir);

// The archiver's command line, byte for byte:
//   u -x1 -jm3 -a1 "<folder>\<P.hpj>.lzh" "<ProjectDir>\" "<P.hpj>" "<P.cnt>"
//   "<MapFile>" bmp\*.* rtf\*.* *.avi *.wav
// (one line, single blanks). A backup folder given with a closing backslash
// keeps it, so two backslashes come before the archive's name.
std::string BackupCommandLine(std::string_view projectDir, std::string_view projectFile,
                              std::string_view mapFile, std::string_view backupPath);

}  // namespace qm::editor
