#include "standins/unlha32/core/ArchiveUpdate.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

#include "core/Cp932.h"
#include "core/FileSystem.h"
#include "standins/unlha32/core/FolderListing.h"
#include "standins/unlha32/core/LhDecoder.h"
#include "standins/unlha32/core/LzhArchive.h"
#include "standins/unlha32/core/UnlhaCommand.h"

namespace qm::lzh {

namespace {

struct SourceFile {
  std::string member;  // path in the archive
  std::string path;    // path on disk
  std::int64_t time = 0;
  std::uint64_t size = 0;
  std::uint8_t attribute = 0x20;
};

// Separators of the command line ('\' or '/') as this system's.
std::string OsPath(std::string_view p) {
  std::string out;
  for (std::size_t i = 0; i < p.size();) {
    const std::size_t n = CharLength(p, i);
    if (n == 1 && (p[i] == '\\' || p[i] == '/')) out += kPathDelim;
    else out.append(p.substr(i, n));
    i += n;
  }
  return out;
}

bool IsAbsolute(std::string_view p) {
  return (!p.empty() && (p[0] == '\\' || p[0] == '/')) || (p.size() >= 2 && p[1] == ':');
}

// Position of the last single-byte separator, or npos.
std::size_t LastSeparator(std::string_view p) {
  const std::size_t a = FindLastChar(p, '\\'), b = FindLastChar(p, '/');
  if (a == std::string_view::npos) return b;
  if (b == std::string_view::npos) return a;
  return std::max(a, b);
}

class Update {
 public:
  Update(const UnlhaCommand& cmd, std::string& report) : cmd_(cmd), report_(report) {}

  int Run() {
    archivePath_ = OsPath(cmd_.archive);
    base_ = OsPath(cmd_.baseFolder);
    if (int rc = ReadExisting(); rc != kUnlhaOk) return rc;
    for (const std::string& item : cmd_.items) AddMatches(item);
    return Write();
  }

 private:
  int ReadExisting() {
    if (!FileExists(archivePath_)) return kUnlhaOk;
    if (!ReadFileBytes(archivePath_, oldBytes_)) {
      Note("cannot read the archive " + cmd_.archive);
      return kUnlhaBrokenArchive;
    }
    std::string error;
    if (!ListMembers(oldBytes_, members_, error)) {
      Note("broken archive " + cmd_.archive + ": " + error);
      return kUnlhaBrokenArchive;
    }
    for (const Member& m : members_) {
      if (m.header.method != "-lhd-" && !IsKnownMethod(m.header.method)) {
        Note(m.header.path + ": kept unchecked (method " + m.header.method + ")");
        continue;
      }
      if (!CheckMember(m, error)) {
        Note("broken archive " + cmd_.archive + ": " + error);
        return kUnlhaBrokenArchive;
      }
    }
    hadArchive_ = true;
    replacements_.resize(members_.size());
    return kUnlhaOk;
  }

  void AddMatches(const std::string& item) {
    const std::size_t cut = LastSeparator(item);
    const std::string folderPart = cut == std::string::npos ? "" : item.substr(0, cut + 1);
    const std::string pattern = cut == std::string::npos ? item : item.substr(cut + 1);
    std::string dir, memberFolder;
    if (IsAbsolute(item)) {
      dir = OsPath(folderPart);
      const std::string b = PathJoin(base_, "");
      if (!base_.empty() && dir.size() >= b.size() && EqualsNoCase(dir.substr(0, b.size()), b))
        memberFolder = folderPart.substr(b.size());
    } else {
      dir = PathJoin(base_, OsPath(folderPart));
      memberFolder = folderPart;
    }
    std::vector<FolderEntry> entries;
    if (!ListFolder(dir.empty() ? "." : dir, entries)) entries.clear();
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    bool any = false;
    for (const FolderEntry& e : entries) {
      if (e.folder || (e.hiddenOrSystem && !cmd_.allAttributes) || !MatchesPattern(e.name, pattern))
        continue;
      SourceFile f;
      f.path = PathJoin(dir, e.name);
      if (EqualsNoCase(f.path, archivePath_) || EqualsNoCase(f.path, archivePath_ + ".~new")) continue;
      any = true;
      f.member = cmd_.storeFolders ? JoinMemberPath(memberFolder, e.name) : e.name;
      f.time = e.time;
      f.size = e.size;
      f.attribute = e.attribute;
      bool seen = false;
      for (const SourceFile& s : files_) seen = seen || EqualsNoCase(s.member, f.member);
      if (!seen) files_.push_back(std::move(f));
    }
    if (!any) Note(item + ": no such file");
  }

  int Write() {
    std::vector<std::string> added;
    bool changed = false;
    for (const SourceFile& f : files_) {
      std::optional<std::size_t> old;
      for (std::size_t i = 0; i < members_.size() && !old; ++i)
        if (EqualsNoCase(members_[i].header.path, f.member)) old = i;
      if (old && cmd_.command == 'u' && members_[*old].header.time == f.time &&
          members_[*old].header.originalSize == f.size) {
        Note(f.member + ": kept");
        continue;
      }
      std::string data;
      if (!ReadFileBytes(f.path, data)) {
        Note("cannot read " + f.path);
        return kUnlhaCannotRead;
      }
      std::string member;
      try {
        member = MakeMember(f.member, data, f.time, f.attribute);
      } catch (const std::exception& e) {
        Note(e.what());
        return kUnlhaCannotRead;
      }
      Note(f.member + ": " + std::to_string(data.size()) + " -> " +
           std::to_string(member.size()) + (old ? " (replaced)" : ""));
      changed = true;
      if (old) replacements_[*old] = std::move(member);
      else added.push_back(std::move(member));
    }
    if (!changed) {
      if (hadArchive_) return kUnlhaOk;  // the archive stays as it is
      Note("nothing to archive");
      return kUnlhaNothingToDo;
    }
    if (IsReadOnlyFile(archivePath_)) {
      Note("the archive is read-only: " + cmd_.archive);
      return kUnlhaCannotWrite;
    }
    std::string bytes;
    for (std::size_t i = 0; i < members_.size(); ++i)
      bytes += replacements_[i] ? *replacements_[i] : std::string(members_[i].bytes);
    for (const std::string& m : added) bytes += m;
    bytes += '\0';
    try {
      WriteFileReplacing(archivePath_, bytes);
    } catch (const std::exception& e) {
      Note(std::string("cannot write the archive: ") + e.what());
      return kUnlhaCannotWrite;
    }
    return kUnlhaOk;
  }

  void Note(const std::string& line) { report_ += line + "\r\n"; }

  const UnlhaCommand& cmd_;
  std::string& report_;
  std::string archivePath_, base_;
  std::string oldBytes_;
  std::vector<Member> members_;
  std::vector<std::optional<std::string>> replacements_;
  std::vector<SourceFile> files_;
  bool hadArchive_ = false;
};

}  // namespace

int RunUnlha(std::string_view commandLine, std::string& report) {
  report.clear();
  UnlhaCommand cmd;
  std::string error;
  if (!ParseUnlhaCommand(commandLine, cmd, error)) {
    report = error + "\r\n";
    return kUnlhaBadCommand;
  }
  try {
    return Update(cmd, report).Run();
  } catch (const std::exception& e) {  // out of memory, for one
    report += std::string(e.what()) + "\r\n";
    return kUnlhaCannotWrite;
  }
}

}  // namespace qm::lzh
