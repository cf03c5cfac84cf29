// Save when the disk is full or the folder cannot be written: the old file
// stays whole and nothing is left beside it. The disk is a small tmpfs of the
// test's own, mounted in a mount namespace of its own so that nothing outlives
// the test; where that is not allowed (not root) the tests are skipped.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/Datafile.h"
#include "core/DatafileCommands.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

class SmallDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      GTEST_SKIP() << "cannot mount a file system here (needs root)";
    }
    if (::mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, "size=64k") != 0) {
      GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    }
    mounted_ = true;
    test::WriteBytes(folder_.path() / "wall.krv", "old contents");
  }
  void TearDown() override {
    if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
  }

  // Writes a filler file until the disk has no room left.
  void FillTheDisk() {
    std::FILE* filler = std::fopen((folder_ / "filler").c_str(), "wb");
    ASSERT_NE(filler, nullptr);
    static const char block[4096] = {};
    while (std::fwrite(block, 1, sizeof block, filler) == sizeof block) {
    }
    std::fclose(filler);
    std::FILE* probe = std::fopen((folder_ / "probe").c_str(), "wb");
    ASSERT_NE(probe, nullptr);
    EXPECT_TRUE(std::fputc('x', probe) == EOF || std::fflush(probe) != 0);
    std::fclose(probe);
    fs::remove(folder_.path() / "probe");
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder_.path())) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  test::ScratchFolder folder_;
  bool mounted_ = false;
};

TEST_F(SmallDisk, FullDiskKeepsTheOldFileAndLeavesNothingBehind) {
  FillTheDisk();
  ProblemData p = test::StartupProblem();
  p.General.FileName = "before.krv";
  const SaveOutcome full = SaveProblem(p, folder_ / "wall.krv", 1);
  EXPECT_FALSE(full.Written);
  ASSERT_EQ(full.Messages.size(), 1u);
  EXPECT_NE(full.Messages[0].find("wall.krv' could not be written: No space left on device"),
            std::string::npos)
      << full.Messages[0];
  EXPECT_EQ(test::ReadBytes(folder_.path() / "wall.krv"), "old contents");
  EXPECT_EQ(p.General.FileName, "before.krv");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"filler", "wall.krv"}));

  // With room again the same Save goes through.
  fs::remove(folder_.path() / "filler");
  ASSERT_TRUE(SaveProblem(p, folder_ / "wall.krv", 1).Written);
  EXPECT_EQ(test::ReadBytes(folder_.path() / "wall.krv"), WriteDatafile(p));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"wall.krv"}));
}

// Root is not stopped by permissions, but by a read-only file system.
TEST_F(SmallDisk, ReadOnlyFolderKeepsTheOldFile) {
  ASSERT_EQ(::mount(nullptr, folder_.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  ProblemData p = test::StartupProblem();
  const SaveOutcome out = SaveProblem(p, folder_ / "wall.krv", 1);
  EXPECT_FALSE(out.Written);
  ASSERT_EQ(out.Messages.size(), 1u);
  EXPECT_NE(out.Messages[0].find("Read-only file system"), std::string::npos) << out.Messages[0];
  EXPECT_EQ(test::ReadBytes(folder_.path() / "wall.krv"), "old contents");
}

// Choosing a pipe or a device in the dialog must not replace it by a file.
TEST(SaveCommand, PipeOrDeviceIsNotReplaced) {
  test::ScratchFolder dir;
  ASSERT_EQ(::mkfifo((dir / "pipe.krv").c_str(), 0644), 0);
  ProblemData p = test::StartupProblem();
  const SaveOutcome out = SaveProblem(p, dir / "pipe.krv", 1);
  EXPECT_FALSE(out.Written);
  ASSERT_EQ(out.Messages.size(), 1u);
  EXPECT_NE(out.Messages[0].find("not a regular file"), std::string::npos) << out.Messages[0];
  struct stat st;
  ASSERT_EQ(::stat((dir / "pipe.krv").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

}  // namespace
}  // namespace korvanu
