#include "setup/core/DiskSpace.h"

#include <cstdio>

#include "setup/core/SetupNames.h"
#include "setup/core/SetupTexts.h"

namespace qm::setup {

std::uint64_t ClustersOf(std::uint64_t size, std::uint64_t clusterSize) {
  if (clusterSize == 0) return 0;
  return size / clusterSize + 1;
}

std::uint64_t FreeClusters(std::uint64_t freeBytes, std::uint64_t clusterSize) {
  return clusterSize == 0 ? 0 : freeBytes / clusterSize;
}

void UpdateDiskFigures(DiskFigures& figures, const DriveReport& drive, const PackageSizes& sizes,
                       bool hasLetter, bool onWindowsDrive) {
  // Only a fixed drive is asked for its clusters (without a letter, the
  // current drive always is); a failed call reports none.
  std::uint32_t reportedFree =
      ((drive.fixed || !hasLetter) && drive.clustersKnown) ? drive.freeClusters : 0;
  std::uint64_t clusterSize =
      static_cast<std::uint64_t>(drive.sectorsPerCluster) * drive.bytesPerSector;
  if (reportedFree != 0 && clusterSize != 0) {
    figures.clusterSize = clusterSize;
    std::uint64_t needed = 0;
    for (std::size_t i = 1; i < sizes.size(); ++i) needed += ClustersOf(sizes[i], clusterSize);
    figures.fiveFiles = needed;
    if (onWindowsDrive) needed += ClustersOf(kLatepurgeSize, clusterSize);
    figures.needed = needed;
  }
  if (!hasLetter) {
    figures.free = reportedFree;
  } else if (drive.fixed && drive.freeBytesKnown) {
    figures.free = FreeClusters(drive.freeBytes, figures.clusterSize);
  } else {
    figures.free = 0;
  }
}

bool WindowsDriveLacksSpace(const DriveReport& windowsDrive) {
  std::uint64_t clusterSize = windowsDrive.clustersKnown
                                  ? static_cast<std::uint64_t>(windowsDrive.sectorsPerCluster) *
                                        windowsDrive.bytesPerSector
                                  : 0;
  if (clusterSize == 0) return true;
  std::uint64_t needed = ClustersOf(kLatepurgeSize, clusterSize);
  std::uint64_t free = (windowsDrive.fixed && windowsDrive.freeBytesKnown)
                           ? FreeClusters(windowsDrive.freeBytes, clusterSize)
                           : 0;
  return free < needed;
}

int ProgressPercent(std::uint64_t done, std::uint64_t total) {
  if (total == 0) return 100;
  if (done >= total) return 100;
  // done * 100 overflows only past 2^57 bytes; a double is close enough there.
  if (done <= UINT64_MAX / 100) return static_cast<int>(done * 100 / total);
  return static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * 100);
}

std::string MegabytesText(std::uint64_t clusters, std::uint64_t clusterSize) {
  char buf[64];
  std::snprintf(buf, sizeof buf, kMegabytesFormat,
                static_cast<double>(clusters) / 1024 / 1024 * static_cast<double>(clusterSize));
  return buf;
}

}  // namespace qm::setup
