#include "standins/hcrtf/core/Compiler.h"

#include <set>

#include "core/Cp932.h"
#include "core/FileSystem.h"
#include "standins/hcrtf/core/FileLookup.h"
#include "standins/hcrtf/core/HelpProject.h"
#include "standins/hcrtf/core/TopicScan.h"

namespace qm::hcrtf {

namespace {

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

std::string NotFound(std::string_view where, std::string_view file) {
  std::string line = "HC5011: Error: ";
  if (!where.empty()) line += std::string(where) + " : ";
  return line + "Cannot open the file " + Quoted(file) + ": File not found.";
}

class Checker {
 public:
  CompileResult Run(const std::string& project) {
    std::string path = FindFile("", project);
    if (path.empty() && ExtractFileExt(project).empty()) path = FindFile("", project + ".hpj");
    if (path.empty()) path = ExtractFileExt(project).empty() ? project + ".hpj" : project;
    hpjName_ = ExtractFileName(path);
    dir_ = ExtractFileDir(path);
    result_.logPath = PathJoin(dir_, ChangeFileExt(hpjName_, ".err"));

    result_.log.push_back("Help compiler stand-in of the Quillmark suite: checks the project only.");
    result_.log.push_back("Compiling " + hpjName_);
    std::string text;
    if (!ReadFileBytes(path, text)) {
      Error(NotFound("", hpjName_));
      Finish(ChangeFileExt(hpjName_, ".hlp"));
      return std::move(result_);
    }
    HelpProject p = ParseProject(SplitLines(text));
    if (!p.errorLog.empty())
      result_.logPath = IsAbsolutePath(p.errorLog) ? p.errorLog : PathJoin(dir_, p.errorLog);

    std::vector<std::string> roots;
    for (const std::string& r : p.roots) roots.push_back(ResolveFolder(dir_, r));
    if (roots.empty()) roots.push_back(dir_);
    // Pictures: in the BMROOT= folders, else in the ROOT= folders, else in
    // the project folder.
    std::vector<std::string> pictureRoots;
    for (const std::string& r : p.bmRoots) pictureRoots.push_back(ResolveFolder(dir_, r));
    if (pictureRoots.empty()) pictureRoots = roots;

    // First pass: every topic id of every file, then the checks.
    struct Topic {
      std::string name;
      TopicScan scan;
    };
    std::vector<Topic> topics;
    std::set<std::string> ids;
    for (const std::string& a : p.aliases) ids.insert(UpperAscii(a));
    for (const std::string& name : p.files) {
      std::string found;
      for (const std::string& r : roots) {
        found = FindFile(r, name);
        if (!found.empty()) break;
      }
      std::string rtf;
      if (found.empty() || !ReadFileBytes(found, rtf)) {
        Error(NotFound(hpjName_, name));
        continue;
      }
      Topic t{ExtractFileName(name), ScanTopicRtf(rtf)};
      for (const std::string& id : t.scan.topicIds) ids.insert(UpperAscii(id));
      topics.push_back(std::move(t));
    }

    if (!p.contents.empty() && !ids.count(UpperAscii(p.contents)))
      Warning("HC3041: Warning: " + hpjName_ +
              " : Contents topic is an undefined Topic ID: " + p.contents + " .");

    for (const Topic& t : topics) {
      std::set<std::string> missingPictures;
      for (const TopicRef& ref : t.scan.refs) {
        if (ref.kind == RefKind::Picture) {
          if (!missingPictures.count(UpperAscii(ref.target)) &&
              !PictureExists(pictureRoots, ref.target)) {
            missingPictures.insert(UpperAscii(ref.target));
            Error(NotFound(t.name, ref.target));
          }
          continue;
        }
        std::string id = LocalTargetId(ref.target);
        if (id.empty() || ids.count(UpperAscii(id))) continue;
        std::string line = "HC3025: Warning: " + t.name + " : ";
        line += ref.kind == RefKind::Jump ? "Jump" : "Pop-up";
        line += " to undefined Topic ID: " + id;
        if (!ref.topicId.empty()) line += " in topic " + ref.topicId;
        line += " .";
        Warning(line);
      }
    }
    result_.log.push_back("Language: LCID " + (p.lcid.empty() ? std::string("not given") : p.lcid) +
                          ", DBCS " + (p.dbcs.empty() ? std::string("not given") : p.dbcs));
    Finish(p.helpFile.empty() ? ChangeFileExt(hpjName_, ".hlp") : p.helpFile);
    return std::move(result_);
  }

 private:
  static bool PictureExists(const std::vector<std::string>& roots, const std::string& name) {
    for (const std::string& r : roots)
      if (!FindFile(r, name).empty()) return true;
    return false;
  }

  void Error(std::string line) {
    result_.log.push_back(std::move(line));
    ++result_.errors;
  }
  void Warning(std::string line) {
    result_.log.push_back(std::move(line));
    ++result_.warnings;
  }

  void Finish(const std::string& helpFile) {
    result_.log.push_back("No help file was built: this stand-in does not write " + helpFile + ".");
    result_.log.push_back(IntToStr(result_.errors) + " errors, " + IntToStr(result_.warnings) +
                          " warnings");
  }

  CompileResult result_;
  std::string hpjName_;
  std::string dir_;
};

}  // namespace

CompileResult CompileProject(const std::string& project) { return Checker().Run(project); }

std::string_view SkipProgramName(std::string_view cmd) {
  std::size_t i = 0;
  while (i < cmd.size() && (cmd[i] == ' ' || cmd[i] == '\t')) ++i;
  if (i < cmd.size() && cmd[i] == '"') {
    std::size_t close = FindChar(cmd, '"', i + 1);
    i = close == std::string_view::npos ? cmd.size() : close + 1;
  } else {
    while (i < cmd.size() && cmd[i] != ' ' && cmd[i] != '\t') i += CharLength(cmd, i);
  }
  return cmd.substr(i);
}

CommandLine ParseCommandLine(std::string_view args) {
  CommandLine cl;
  std::size_t i = 0;
  for (;;) {
    while (i < args.size() && (args[i] == ' ' || args[i] == '\t')) ++i;
    if (i >= args.size() || (args[i] != '-' && args[i] != '/')) break;
    std::size_t start = i;
    while (i < args.size() && args[i] != ' ' && args[i] != '\t') i += CharLength(args, i);
    cl.options.emplace_back(args.substr(start, i - start));
  }
  std::string rest = Trim(args.substr(i));
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
    rest = rest.substr(1, rest.size() - 2);
  cl.project = rest;
  return cl;
}

int RunHcrtf(std::string_view args) {
  CommandLine cl = ParseCommandLine(args);
  if (cl.project.empty()) return 1;
  CompileResult r = CompileProject(cl.project);
  try {
    WriteFileReplacing(r.logPath, JoinLines(r.log));
  } catch (const FileError&) {
    // Nowhere to report it: the editor shows the missing log as empty.
  }
  return 0;
}

}  // namespace qm::hcrtf
