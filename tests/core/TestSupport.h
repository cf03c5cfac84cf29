// Helpers shared by the core tests: the start-up problem, whole-record
// comparison, fixture paths, scratch folders and read-only paths.
#pragma once

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/ProblemData.h"
#include "core/ProblemDefaults.h"
#include "core/ViewState.h"

namespace korvanu::test {

// The problem right after program start: defaults plus the start values that
// the anchors and axial forces editors set when they are created.
inline ProblemData StartupProblem() {
  ProblemData p;
  ViewState v;
  InitialiseProblem(p, v);
  SetAnchorStartValues(p);
  SetAxialStartValues(p);
  return p;
}

// Every field of two records equal, bit for bit.
inline ::testing::AssertionResult SameProblem(const ProblemData& a, const ProblemData& b) {
  const GeneralData& x = a.General;
  const GeneralData& y = b.General;
  if (x.LicensedUser != y.LicensedUser || x.FileName != y.FileName ||
      x.ProblemName != y.ProblemName || x.Length != y.Length || x.NN != y.NN || x.NL != y.NL ||
      x.NT != y.NT || x.NP != y.NP || x.Version != y.Version) {
    return ::testing::AssertionFailure() << "general data differ";
  }
  if (a.Z != b.Z) return ::testing::AssertionFailure() << "Z differs";
  if (a.H != b.H) return ::testing::AssertionFailure() << "H differs";
  if (a.LayerName != b.LayerName) return ::testing::AssertionFailure() << "layer names differ";
  if (a.LayerTable != b.LayerTable) return ::testing::AssertionFailure() << "layer table differs";
  if (a.StrengthTable != b.StrengthTable)
    return ::testing::AssertionFailure() << "strengths differ";
  if (a.LayerPattern != b.LayerPattern) return ::testing::AssertionFailure() << "patterns differ";
  if (a.Anchors != b.Anchors) return ::testing::AssertionFailure() << "anchors differ";
  if (a.Axial != b.Axial) return ::testing::AssertionFailure() << "axial forces differ";
  if (a.Catalogue != b.Catalogue) return ::testing::AssertionFailure() << "catalogue differs";
  if (a.Design != b.Design) return ::testing::AssertionFailure() << "design settings differ";
  return ::testing::AssertionSuccess();
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::filesystem::path Fixture(const std::string& name) {
  return std::filesystem::path(KORVANU_CORE_TEST_DATA) / name;
}

// A fresh folder of its own for one test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("korvanu-core-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
             std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Makes a file or folder read-only for this process, root included. Root is
// not stopped by permissions, so it gets a read-only bind mount in a mount
// namespace of the process's own; anyone else loses the write permission.
// Both are undone when this goes.
class ReadOnlyPath {
 public:
  explicit ReadOnlyPath(const std::filesystem::path& path)
      : path_(path), perms_(std::filesystem::status(path).permissions()) {
    if (::geteuid() == 0) {
      const char* p = path.c_str();
      bound_ = ::unshare(CLONE_NEWNS) == 0 &&
               ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
               ::mount(p, p, nullptr, MS_BIND, nullptr) == 0;
      ready_ =
          bound_ && ::mount(nullptr, p, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    } else {
      std::error_code ec;
      std::filesystem::permissions(path,
                                   std::filesystem::perms::owner_write |
                                       std::filesystem::perms::group_write |
                                       std::filesystem::perms::others_write,
                                   std::filesystem::perm_options::remove, ec);
      ready_ = !ec;
    }
  }
  ~ReadOnlyPath() {
    std::error_code ignored;
    if (bound_) ::umount2(path_.c_str(), MNT_DETACH);
    if (::geteuid() != 0) std::filesystem::permissions(path_, perms_, ignored);
  }
  ReadOnlyPath(const ReadOnlyPath&) = delete;
  ReadOnlyPath& operator=(const ReadOnlyPath&) = delete;

  bool Ready() const { return ready_; }
  // The reason a write under the path fails with.
  std::string Reason() const {
    return ::geteuid() == 0 ? "Read-only file system" : "Permission denied";
  }

 private:
  std::filesystem::path path_;
  std::filesystem::perms perms_;
  bool bound_ = false;
  bool ready_ = false;
};

}  // namespace korvanu::test
