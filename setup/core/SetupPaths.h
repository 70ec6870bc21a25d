// Windows paths and the command texts the setup writes into the registry.
// Paths are code page 932 bytes: a trail byte can be 0x5C, so a folder ends
// with a backslash only when its last character is one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm::setup {

// True when the last character of path (not a trail byte) is a backslash.
bool EndsWithBackslash(std::string_view path);

// path without its trailing backslashes ("D:\" gives "D:").
std::string WithoutTrailingBackslash(std::string_view path);

// folder + "\" + name; no second backslash after a folder that ends with
// one (a drive root such as "D:\").
std::string JoinFolder(std::string_view folder, std::string_view name);

// The uninstall command: the setup in the install folder with "/r",
// unquoted as Windows has always been given it.
std::string UninstallString(std::string_view folder);

// The run-once command that has the delete-after-exit program remove the
// setup and its folder: Latepurge -n "<folder>" quillmarkSetup.exe. The
// folder loses its trailing backslash first: "D:\" inside the quotes would
// escape the closing quote.
std::string RunOnceCommand(std::string_view folder);

// The folder a run-once command of that form would remove: the text between
// its first two double quotes (a quote is never a trail byte). None when the
// command quotes no folder.
std::optional<std::string> RunOnceFolder(std::string_view command);

// The default install folder on the Windows drive.
std::string DefaultInstallFolder(char windowsDrive);

// A drive letter as the setup keeps it: lower-case letters made upper case.
char DriveLetterOf(std::string_view folder);

}  // namespace qm::setup
