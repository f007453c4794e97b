#include "setup/write_probe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;

int filesIn(const fs::path& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
    ++count;
  }
  return count;
}

TEST(ProbeWriteAccess, WritableFolderLeavesNothingBehind) {
  const TempDir dir;
  writeFile(dir.file("setup.exe"), "MZ");
  EXPECT_FALSE(probeWriteAccess(dir.file("setup.exe")));
  EXPECT_EQ(filesIn(dir.path()), 1);
}

TEST(ProbeWriteAccess, FolderThatDoesNotExistIsProtected) {
  const TempDir dir;
  EXPECT_TRUE(probeWriteAccess(dir.file("missing/setup.exe")));
  // A file in place of the folder cannot hold files either.
  writeFile(dir.file("plain"), "x");
  EXPECT_TRUE(probeWriteAccess(dir.file("plain/setup.exe")));
  EXPECT_EQ(filesIn(dir.path()), 1);
}

TEST(ProbeWriteAccess, NeverTouchesAFileItDidNotCreate) {
  const TempDir dir;
  const std::string setup = dir.file("setup.exe");
  const std::string taken = "old contents\r\nsecond line\x1A";
  writeFile(setup + "test", taken);
  writeFile(setup + "test1", "");
  EXPECT_FALSE(probeWriteAccess(setup));
  EXPECT_EQ(readFile(setup + "test"), taken);
  EXPECT_EQ(readFile(setup + "test1"), "");
  EXPECT_FALSE(fs::exists(setup + "test2"));
  EXPECT_EQ(filesIn(dir.path()), 2);
}

TEST(ProbeWriteAccess, FolderFullOfProbeNamesIsProtected) {
  const TempDir dir;
  const std::string setup = dir.file("setup.exe");
  writeFile(setup + "test", "");
  for (int i = 1; i < 1000; ++i) {
    writeFile(setup + "test" + std::to_string(i), "");
  }
  EXPECT_TRUE(probeWriteAccess(setup));
  EXPECT_EQ(filesIn(dir.path()), 1000);
}

TEST(ProbeWriteAccess, RelativePathProbesTheWorkingFolder) {
  const TempDir dir;
  const fs::path before = fs::current_path();
  fs::current_path(dir.path());
  const bool isProtected = probeWriteAccess("setup.exe");
  const int left = filesIn(dir.path());
  fs::current_path(before);
  EXPECT_FALSE(isProtected);
  EXPECT_EQ(left, 0);
}

}  // namespace
