// The help compiler stand-in: checks a help project as Hcrtf.exe of Help
// Workshop would and writes its error log; it builds no help file.
//
// Where it looks: the [FILES] topic files named by a relative path in the
// ROOT= folders (a comma-separated list; the lines add up), without ROOT=
// in the project folder; pictures ({bmc}, {bml}, {bmr} and their
// transparent forms) in the BMROOT= folders, else the ROOT= folders, else
// the project folder. Folders are relative to the project folder or
// absolute. Every topic file, and every picture of a topic file, that it
// cannot find is one line of the log.
//
// Log lines (code page 932, CR LF):
//   HC5011: Error: Cannot open the file "<project>": File not found.
//   HC5011: Error: <project>.hpj : Cannot open the file "<topic file>": File not found.
//   HC5011: Error: <topic file> : Cannot open the file "<picture>": File not found.
//   HC3025: Warning: <topic file> : Jump to undefined Topic ID: <id>[ in topic <id>] .
//   HC3025: Warning: <topic file> : Pop-up to undefined Topic ID: <id>[ in topic <id>] .
//   HC3041: Warning: <project>.hpj : Contents topic is an undefined Topic ID: <id> .
//   Language: LCID <LCID= value or "not given">, DBCS <DBCS= value or "not given">
//   No help file was built: this stand-in does not write <help file>.
//   <n> errors, <m> warnings
// Every topic id stands between blanks and never last on its line, so a
// double click selects it as one word (with the blank after it).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Lines.h"

namespace qm::hcrtf {

struct CompileResult {
  Lines log;
  int errors = 0;
  int warnings = 0;
  std::string logPath;  // where the log belongs
};

// Checks the project file named by project (".hpj" is added when it has no
// extension and the name as given does not exist). A relative name is taken
// relative to the current folder.
CompileResult CompileProject(const std::string& project);

struct CommandLine {
  std::vector<std::string> options;  // "-x", "-nga", "/a" ...
  std::string project;               // the rest, as given (unquoted)
};

// Parses the arguments after the program name. Options come first, each
// beginning with "-" or "/"; everything after them is the project file name,
// which may hold blanks and may be quoted.
CommandLine ParseCommandLine(std::string_view args);

// The part of a whole command line after the program name (quoted or not).
std::string_view SkipProgramName(std::string_view commandLine);

// What the program does: checks the project named by args and writes the log
// (replacing any old one). Returns the exit code: 0, or 1 without a project.
int RunHcrtf(std::string_view args);

}  // namespace qm::hcrtf
