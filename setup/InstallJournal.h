// What one install run changes on disk, so that a run that stops part-way
// leaves the machine as it found it: the folders it made, the files it
// wrote, and the earlier files it replaced or deleted, which are kept aside
// under temporary names beside them until the run is kept.
#pragma once

#include <string>
#include <vector>

namespace qm::setup {

class TInstallJournal {
 public:
  TInstallJournal() = default;
  TInstallJournal(const TInstallJournal&) = delete;
  TInstallJournal& operator=(const TInstallJournal&) = delete;
  // Undoes whatever was not kept.
  ~TInstallJournal();

  // Creates a folder and the folders above it; true when it exists
  // afterwards. Only a full path (with a drive or a server) is created.
  bool ForceDirectories(const std::string& folder);
  // Copies source over target unless target is at least as new (true then
  // too). False when source is missing, or target could not be put aside or
  // written.
  bool CopyIfNewer(const std::string& source, const std::string& target);
  // Deletes a file; a missing one is fine.
  void Delete(const std::string& file);

  // An earlier file and the temporary name it is kept under.
  struct TAside {
    std::string file, aside;
  };

  // The run succeeded: the earlier files kept aside go.
  void Keep();
  // The run failed: the files written go, the earlier ones come back, and
  // the folders made are removed, newest first. Returns the earlier files
  // that could not be put back; they stay under their temporary names.
  std::vector<TAside> Undo();

 private:
  bool PutAside(const std::string& file);

  std::vector<std::string> folders_;
  std::vector<std::string> written_;
  std::vector<TAside> asides_;
};

}  // namespace qm::setup
