// The disk figures of the install: clusters needed and free on the install
// drive and on the Windows drive, and the copy progress. All counts are 64
// bits wide: large drives have more free clusters than 32 bits hold.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qm::setup {

// What the platform reported about one drive.
struct DriveReport {
  bool fixed = false;          // a fixed drive (only those are asked for free bytes)
  bool clustersKnown = false;  // the cluster call succeeded
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t bytesPerSector = 0;
  std::uint32_t freeClusters = 0;  // as the cluster call counts them
  bool freeBytesKnown = false;     // the free-bytes call succeeded
  std::uint64_t freeBytes = 0;
};

struct DiskFigures {
  std::uint64_t clusterSize = 0;   // 0 until a drive with free clusters was seen
  std::uint64_t needed = 0;        // clusters the install needs on the install drive
  std::uint64_t fiveFiles = 0;     // clusters of the five installed files
  std::uint64_t free = 0;          // free clusters of the install drive
};

// Sizes of the package's files: entry 0 is the delete-after-exit program,
// entries 1-5 the installed files (0 for a missing file).
using PackageSizes = std::array<std::uint64_t, 6>;

// Clusters a file takes by the setup's count: the whole clusters plus one,
// even for an exact multiple or an empty file.
std::uint64_t ClustersOf(std::uint64_t size, std::uint64_t clusterSize);

// Free clusters from a drive's free bytes; a cluster size of 0 (no drive
// seen yet, or a failed call) means no free space.
std::uint64_t FreeClusters(std::uint64_t freeBytes, std::uint64_t clusterSize);

// Recomputes the figures for the install drive. The cluster size and the
// counts change only when the drive reports free clusters; otherwise the
// previous ones stay. onWindowsDrive adds the delete-after-exit program,
// which goes to the Windows folder. hasLetter: the install folder names a
// drive; without one, the free clusters are those of the cluster call.
void UpdateDiskFigures(DiskFigures& figures, const DriveReport& drive, const PackageSizes& sizes,
                       bool hasLetter, bool onWindowsDrive);

// True when the Windows drive cannot take the delete-after-exit program (used
// when installing to another drive). A drive whose cluster size is unknown
// has no room.
bool WindowsDriveLacksSpace(const DriveReport& windowsDrive);

// The copy progress in percent, at most 100 (done may run past total: it
// counts the delete-after-exit program, total does not). An empty total is
// complete.
int ProgressPercent(std::uint64_t done, std::uint64_t total);

// "%8.2f Mバイト" of clusters × cluster size.
std::string MegabytesText(std::uint64_t clusters, std::uint64_t clusterSize);

}  // namespace qm::setup
