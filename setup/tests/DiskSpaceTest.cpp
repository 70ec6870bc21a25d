#include <gtest/gtest.h>

#include "setup/core/DiskSpace.h"

using namespace qm::setup;

namespace {

DriveReport Fixed(std::uint32_t spc, std::uint32_t bps, std::uint32_t freeClusters,
                  std::uint64_t freeBytes) {
  DriveReport d;
  d.fixed = true;
  d.clustersKnown = true;
  d.sectorsPerCluster = spc;
  d.bytesPerSector = bps;
  d.freeClusters = freeClusters;
  d.freeBytesKnown = true;
  d.freeBytes = freeBytes;
  return d;
}

}  // namespace

TEST(DiskSpace, ClustersOfAFileAreTheWholeOnesPlusOne) {
  EXPECT_EQ(ClustersOf(8192, 4096), 3u);
  EXPECT_EQ(ClustersOf(100, 4096), 1u);
  EXPECT_EQ(ClustersOf(0, 4096), 1u);
  EXPECT_EQ(ClustersOf(39424, 4096), 10u);
}

TEST(DiskSpace, NeededAndFreeOnTheWindowsDriveAndElsewhere) {
  PackageSizes sizes = {39424, 8192, 100, 0, 4096, 5000};
  DiskFigures f;
  UpdateDiskFigures(f, Fixed(8, 512, 1000, 1000ull * 4096 + 17), sizes, true, false);
  EXPECT_EQ(f.clusterSize, 4096u);
  EXPECT_EQ(f.fiveFiles, 3u + 1 + 1 + 2 + 2);
  EXPECT_EQ(f.needed, f.fiveFiles);
  EXPECT_EQ(f.free, 1000u);
  // On the Windows drive the delete-after-exit program counts too.
  UpdateDiskFigures(f, Fixed(8, 512, 1000, 1000ull * 4096), sizes, true, true);
  EXPECT_EQ(f.needed, 9u + 10);
  EXPECT_EQ(f.fiveFiles, 9u);
}

TEST(DiskSpace, LargeDrivesCountInSixtyFourBits) {
  PackageSizes sizes = {39424, 5'000'000'000ull, 0, 0, 0, 0};
  DiskFigures f;
  // 16 TiB free in 512-byte clusters: 2^35 clusters.
  UpdateDiskFigures(f, Fixed(1, 512, 0xFFFFFFFFu, 1ull << 44), sizes, true, false);
  EXPECT_EQ(f.free, 1ull << 35);
  EXPECT_EQ(f.needed, 5'000'000'000ull / 512 + 1 + 4);
  EXPECT_GT(f.free, f.needed);
  EXPECT_EQ(ProgressPercent(5'000'000'000ull, 5'000'000'000ull), 100);
  EXPECT_EQ(ProgressPercent(2'500'000'000ull, 5'000'000'000ull), 50);
  EXPECT_EQ(ProgressPercent(UINT64_MAX / 4, UINT64_MAX), 25);
}

TEST(DiskSpace, NoClusterSizeMeansNoFreeSpace) {
  PackageSizes sizes = {39424, 100, 100, 100, 100, 100};
  DiskFigures f;
  // The drive reports no free clusters before any cluster size is known.
  UpdateDiskFigures(f, Fixed(8, 512, 0, 0), sizes, true, true);
  EXPECT_EQ(f.clusterSize, 0u);
  EXPECT_EQ(f.free, 0u);
  // A failed cluster call, then a drive that is not fixed.
  DriveReport failed;
  failed.fixed = true;
  failed.freeBytesKnown = true;
  failed.freeBytes = 1 << 30;
  UpdateDiskFigures(f, failed, sizes, true, false);
  EXPECT_EQ(f.free, 0u);
  // Once a size is known a full drive keeps it; a removable drive has no room.
  UpdateDiskFigures(f, Fixed(8, 512, 10, 40960), sizes, true, false);
  UpdateDiskFigures(f, Fixed(8, 512, 0, 0), sizes, true, false);
  EXPECT_EQ(f.clusterSize, 4096u);
  EXPECT_EQ(f.needed, 5u);
  EXPECT_EQ(f.free, 0u);
  DriveReport removable = Fixed(8, 512, 10, 40960);
  removable.fixed = false;
  UpdateDiskFigures(f, removable, sizes, true, false);
  EXPECT_EQ(f.free, 0u);
  EXPECT_EQ(ProgressPercent(39424, 0), 100);
}

TEST(DiskSpace, WindowsDriveRoomForTheDeleteAfterExitProgram) {
  EXPECT_FALSE(WindowsDriveLacksSpace(Fixed(8, 512, 10, 10 * 4096)));  // needs 10
  EXPECT_TRUE(WindowsDriveLacksSpace(Fixed(8, 512, 9, 9 * 4096)));
  EXPECT_TRUE(WindowsDriveLacksSpace(Fixed(0, 512, 9, 1 << 30)));
  DriveReport failed;
  failed.fixed = true;
  EXPECT_TRUE(WindowsDriveLacksSpace(failed));
}

TEST(DiskSpace, MegabyteLabels) {
  EXPECT_EQ(MegabytesText(256, 4096), "    1.00 Mバイト");
  EXPECT_EQ(MegabytesText(0, 0), "    0.00 Mバイト");
  EXPECT_EQ(MegabytesText(3, 512), "    0.00 Mバイト");
}
