// Save and Open behind their dialogs: cancel messages, the reserved name,
// where the file goes, atomic replacement, unreadable files, and the views
// that Open resets.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <regex>

#include "core/Datafile.h"
#include "core/DatafileCommands.h"
#include "core/DatafileFiles.h"
#include "tests/core/TestSupport.h"

namespace korvanu {
namespace {

ViewState AllShown() {
  ViewState v;
  v.ResultsValid = true;
  v.PageOffset = 5;
  v.PrintOptionsShown = v.SoilsShown = v.ProfilesShown = v.SectionsShown = true;
  v.ManualShown = v.AnchorsShown = v.AxisShown = v.TablesShown = v.GraphsShown = true;
  return v;
}

void ExpectWindowsReset(const ViewState& v) {
  EXPECT_FALSE(v.PrintOptionsShown);
  EXPECT_FALSE(v.SoilsShown);
  EXPECT_FALSE(v.ProfilesShown);
  EXPECT_FALSE(v.SectionsShown);
  EXPECT_FALSE(v.AnchorsShown);
  EXPECT_FALSE(v.AxisShown);
  EXPECT_FALSE(v.TablesShown);
  EXPECT_FALSE(v.GraphsShown);
  EXPECT_TRUE(v.ManualShown);  // the manual is left alone
  EXPECT_FALSE(v.ResultsValid);
  EXPECT_EQ(v.PageOffset, 0);
}

bool RunningAsRoot() {
  return ::geteuid() == 0;
}

TEST(SplitPath, AtTheLastSlashOrBackslash) {
  EXPECT_EQ(SplitPath("/home/u/wall.krv"),
            (std::pair<std::string, std::string>{"/home/u", "wall.krv"}));
  EXPECT_EQ(SplitPath("C:\\data\\wall.krv"),
            (std::pair<std::string, std::string>{"C:\\data", "wall.krv"}));
  EXPECT_EQ(SplitPath("wall.krv"), (std::pair<std::string, std::string>{"", "wall.krv"}));
  EXPECT_EQ(SplitPath("/wall.krv"), (std::pair<std::string, std::string>{"", "wall.krv"}));
}

TEST(SaveCommand, CancelledWritesNothing) {
  ProblemData p = test::StartupProblem();
  const ProblemData before = p;
  SaveOutcome out = SaveProblem(p, std::nullopt, 1);
  EXPECT_FALSE(out.Written);
  EXPECT_EQ(out.Messages, std::vector<std::string>{"Datafile not saved"});
  EXPECT_TRUE(test::SameProblem(p, before));
}

TEST(SaveCommand, ReservedNameTurnsIntoAFileNameAndWritesNothing) {
  test::ScratchFolder dir;
  for (std::uint64_t seed : {0ull, 1ull, 42ull, 1765000000ull, ~0ull}) {
    ProblemData p = test::StartupProblem();
    SaveOutcome out = SaveProblem(p, dir / "New.krv", seed);
    EXPECT_FALSE(out.Written);
    ASSERT_EQ(out.Messages.size(), 1u);
    EXPECT_EQ(out.Messages[0],
              "Filename 'New.krv' reserved for initialization of new problems.\n\n"
              "Please use a different name.\n\n");
    EXPECT_TRUE(std::regex_match(p.General.FileName, std::regex("File[1-9][0-9]{3}")))
        << p.General.FileName;
    EXPECT_FALSE(std::filesystem::exists(dir / "New.krv"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  }
  // The same seed gives the same name.
  ProblemData a = test::StartupProblem();
  ProblemData b = test::StartupProblem();
  SaveProblem(a, dir / "New.krv", 7);
  SaveProblem(b, dir / "New.krv", 7);
  EXPECT_EQ(a.General.FileName, b.General.FileName);
}

TEST(SaveCommand, OtherCaseOfTheReservedNameIsWritten) {
  test::ScratchFolder dir;
  ProblemData p = test::StartupProblem();
  SaveOutcome out = SaveProblem(p, dir / "new.krv", 1);
  EXPECT_TRUE(out.Written);
  EXPECT_TRUE(out.Messages.empty());
  EXPECT_EQ(p.General.FileName, "new.krv");
  EXPECT_EQ(out.Folder, dir.path().string());
  EXPECT_EQ(test::ReadBytes(dir.path() / "new.krv"), WriteDatafile(p));
}

TEST(SaveCommand, ReplacesTheOldFileAndLeavesNoTemporaryFile) {
  test::ScratchFolder dir;
  test::WriteBytes(dir.path() / "wall.krv", "old contents");
  ::chmod((dir / "wall.krv").c_str(), 0640);
  ProblemData p = test::StartupProblem();
  ASSERT_TRUE(SaveProblem(p, dir / "wall.krv", 1).Written);
  EXPECT_EQ(test::ReadBytes(dir.path() / "wall.krv"), WriteDatafile(p));
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);
  struct stat st;
  ASSERT_EQ(::stat((dir / "wall.krv").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replaced file's permissions stay
}

TEST(SaveCommand, UnwritableTargetNamesTheFileAndKeepsTheOldOne) {
  test::ScratchFolder dir;
  ProblemData p = test::StartupProblem();
  p.General.FileName = "before.krv";

  SaveOutcome missing = SaveProblem(p, dir / "no-such-folder/wall.krv", 1);
  EXPECT_FALSE(missing.Written);
  ASSERT_EQ(missing.Messages.size(), 1u);
  EXPECT_NE(missing.Messages[0].find("no-such-folder/wall.krv"), std::string::npos);
  EXPECT_NE(missing.Messages[0].find("No such file or directory"), std::string::npos);
  EXPECT_EQ(p.General.FileName, "before.krv");

  std::filesystem::create_directory(dir.path() / "folder.krv");
  SaveOutcome folder = SaveProblem(p, dir / "folder.krv", 1);
  EXPECT_FALSE(folder.Written);
  ASSERT_EQ(folder.Messages.size(), 1u);
  EXPECT_NE(folder.Messages[0].find("folder.krv"), std::string::npos);
}

TEST(SaveCommand, ReadOnlyFolderKeepsTheOldFile) {
  test::ScratchFolder dir;
  ProblemData p = test::StartupProblem();
  test::WriteBytes(dir.path() / "wall.krv", "old contents");
  SaveOutcome readOnly;
  std::string reason;
  {
    const test::ReadOnlyPath locked(dir.path());
    ASSERT_TRUE(locked.Ready());
    readOnly = SaveProblem(p, dir / "wall.krv", 1);
    reason = locked.Reason();
  }
  EXPECT_FALSE(readOnly.Written);
  ASSERT_EQ(readOnly.Messages.size(), 1u);
  EXPECT_NE(readOnly.Messages[0].find(reason), std::string::npos) << readOnly.Messages[0];
  EXPECT_EQ(test::ReadBytes(dir.path() / "wall.krv"), "old contents");
}

// A write that fails halfway (here: a file size limit, as a full disk would)
// leaves the old file whole and no temporary file behind.
TEST(SaveCommand, FailedWriteKeepsTheOldFile) {
  test::ScratchFolder dir;
  test::WriteBytes(dir.path() / "wall.krv", "old contents");
  ProblemData p = test::StartupProblem();
  p.General.FileName = "before.krv";
  struct rlimit before;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limited = before;
  limited.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  SaveOutcome out = SaveProblem(p, dir / "wall.krv", 1);
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(out.Written);
  ASSERT_EQ(out.Messages.size(), 1u);
  EXPECT_NE(out.Messages[0].find("wall.krv' could not be written: File too large"),
            std::string::npos)
      << out.Messages[0];
  EXPECT_EQ(test::ReadBytes(dir.path() / "wall.krv"), "old contents");
  EXPECT_EQ(p.General.FileName, "before.krv");
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST(SaveCommand, ReadOnlyFileIsNotReplaced) {
  test::ScratchFolder dir;
  test::WriteBytes(dir.path() / "kept.krv", "old contents");
  const test::ReadOnlyPath locked(dir.path() / "kept.krv");
  ASSERT_TRUE(locked.Ready());
  ProblemData p = test::StartupProblem();
  SaveOutcome out = SaveProblem(p, dir / "kept.krv", 1);
  EXPECT_FALSE(out.Written);
  ASSERT_EQ(out.Messages.size(), 1u);
  EXPECT_NE(out.Messages[0].find(locked.Reason()), std::string::npos) << out.Messages[0];
  EXPECT_EQ(test::ReadBytes(dir.path() / "kept.krv"), "old contents");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(SaveCommand, FileNameLongerThanFortyOrWithACommaIsRefused) {
  test::ScratchFolder dir;
  ProblemData p = test::StartupProblem();
  const std::string name = std::string(37, 'w') + ".krv";  // 41 characters
  SaveOutcome out = SaveProblem(p, dir / name, 1);
  EXPECT_FALSE(out.Written);
  ASSERT_EQ(out.Messages.size(), 1u);
  EXPECT_NE(out.Messages[0].find("longer than 40"), std::string::npos);
  EXPECT_EQ(p.General.FileName, "New.krv");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  EXPECT_FALSE(SaveProblem(p, dir / "wall,v2.krv", 1).Written);
  EXPECT_EQ(p.General.FileName, "New.krv");
  // A tab or a line break would break the line the name is stored on; the
  // command line refuses the same names.
  for (const char* bad : {"a\tb.krv", "a\nb.krv"}) {
    out = SaveProblem(p, dir / bad, 1);
    EXPECT_FALSE(out.Written) << bad;
    ASSERT_EQ(out.Messages.size(), 1u);
    EXPECT_NE(out.Messages[0].find("control character"), std::string::npos);
    EXPECT_TRUE(DatafileNameRefusal(bad).has_value()) << bad;
  }
  EXPECT_EQ(p.General.FileName, "New.krv");
  // Exactly forty is fine.
  EXPECT_TRUE(SaveProblem(p, dir / (std::string(36, 'w') + ".krv"), 1).Written);
}

TEST(SaveCommand, TextTheDatafileCannotHoldIsRefused) {
  test::ScratchFolder dir;
  ProblemData p = test::StartupProblem();
  p.Catalogue[6].Name =
      "\xC5\x81\xC3\xB3"
      "d\xC5\xBA";  // opened from a UTF-8 file
  SaveOutcome out = SaveProblem(p, dir / "wall.krv", 1);
  EXPECT_FALSE(out.Written);
  ASSERT_EQ(out.Messages.size(), 1u);
  EXPECT_NE(out.Messages[0].find("Profile name 7 cannot hold the character"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  EXPECT_EQ(p.General.FileName, "New.krv");
}

TEST(OpenCommand, CancelledStillResetsTheWindows) {
  ProblemData p = test::StartupProblem();
  const ProblemData before = p;
  ViewState v = AllShown();
  OpenOutcome out = OpenProblem(p, v, std::nullopt);
  EXPECT_FALSE(out.Loaded);
  EXPECT_EQ(out.Messages, std::vector<std::string>{"Unable to load datafile"});
  EXPECT_TRUE(test::SameProblem(p, before));
  ExpectWindowsReset(v);
}

TEST(OpenCommand, SaveThenOpenRestoresTheProblem) {
  test::ScratchFolder dir;
  ProblemData p = test::StartupProblem();
  p.General.ProblemName = "Quay wall";
  p.Anchors[1][2] = {1.5, 100.0, 0.03};
  ASSERT_TRUE(SaveProblem(p, dir / "quay.krv", 1).Written);
  ProblemData q = test::StartupProblem();
  ViewState v = AllShown();
  OpenOutcome out = OpenProblem(q, v, dir / "quay.krv");
  EXPECT_TRUE(out.Loaded);
  EXPECT_TRUE(out.Messages.empty());
  EXPECT_EQ(q.General.FileName, "quay.krv");
  EXPECT_EQ(q.General.ProblemName, "Quay wall");
  EXPECT_EQ(q.Anchors[1][2], (AnchorRecord{1.5, 100.0, 0.03}));
  ExpectWindowsReset(v);
}

// A file typed by hand in an editor: LF line ends, semicolons and blanks,
// lines out of order, a long comment, coefficients out of order.
TEST(OpenCommand, HandMadeFile) {
  ProblemData p = test::StartupProblem();
  const ProblemData before = p;
  ViewState v;
  ASSERT_TRUE(OpenProblem(p, v, test::Fixture("handmade.krv").string()).Loaded);
  const GeneralData& g = p.General;
  EXPECT_EQ(g.LicensedUser, "Students of Geotechnics");
  EXPECT_EQ(g.FileName, "quay.krv");
  EXPECT_EQ(g.ProblemName, "Quay wall");
  EXPECT_EQ(g.Length, 6.5);
  EXPECT_EQ(g.NN, 40);
  EXPECT_EQ(g.NL, 2);
  EXPECT_EQ(g.NT, 0);
  EXPECT_EQ(g.NP, 12);
  EXPECT_EQ(g.Version, 2006);
  EXPECT_EQ(p.Z[1], 2.5);
  EXPECT_EQ(p.Z[2], 6.5);
  EXPECT_EQ(p.H[1], 4.0);
  EXPECT_EQ(p.Layer(1, 0, Side::Left), (LayerProperties{18, 21, 3, 0.5, 0, 5, 0.3, 4, 1, 0.01}));
  EXPECT_EQ(p.Layer(0, 0, Side::Left),
            (LayerProperties{17, 20, 3, 0.5, 10, 0, 0.4, 0.4, 0.4, 0.02}));
  EXPECT_EQ(p.Layer(0, 0, Side::Right).Kn, 3.0);
  EXPECT_EQ(p.Layer(0, 1, Side::Left), before.Layer(0, 1, Side::Left));
  EXPECT_EQ(p.Anchors[0][1], (AnchorRecord{-5, 80, -0.03}));
  EXPECT_EQ(p.Anchors[1], before.Anchors[1]);
  EXPECT_EQ(p.Axial[0], (AxialRecord{-10, -20, 4.5}));
  EXPECT_EQ(p.Catalogue[11].Name, " Hoesch 215 heavy");
  EXPECT_EQ(p.Catalogue[11].EI, 112778.4);
  EXPECT_EQ(p.Catalogue[19].Name, "Larssen 20");
}

TEST(OpenCommand, UnreadableFilesAreNamedWithTheReason) {
  test::ScratchFolder dir;
  ProblemData p = test::StartupProblem();
  const ProblemData before = p;
  ViewState v = AllShown();

  OpenOutcome missing = OpenProblem(p, v, dir / "missing.krv");
  EXPECT_FALSE(missing.Loaded);
  ASSERT_EQ(missing.Messages.size(), 1u);
  EXPECT_NE(missing.Messages[0].find("missing.krv"), std::string::npos);
  EXPECT_NE(missing.Messages[0].find("No such file or directory"), std::string::npos);
  ExpectWindowsReset(v);

  OpenOutcome folder = OpenProblem(p, v, dir.path().string());
  EXPECT_FALSE(folder.Loaded);
  ASSERT_EQ(folder.Messages.size(), 1u);
  EXPECT_NE(folder.Messages[0].find("Is a directory"), std::string::npos);

  if (!RunningAsRoot()) {
    test::WriteBytes(dir.path() / "locked.krv", WriteDatafile(p));
    ::chmod((dir / "locked.krv").c_str(), 0);
    OpenOutcome locked = OpenProblem(p, v, dir / "locked.krv");
    EXPECT_FALSE(locked.Loaded);
    ASSERT_EQ(locked.Messages.size(), 1u);
    EXPECT_NE(locked.Messages[0].find("Permission denied"), std::string::npos);
  }
  EXPECT_TRUE(test::SameProblem(p, before));
}

TEST(OpenCommand, RefusedFileGivesOneMessageWithFileAndLine) {
  test::ScratchFolder dir;
  std::string text = test::ReadBytes(test::Fixture("default.krv"));
  const std::string general = "       4.000,     100,       4,       1,       1,    2006,";
  text.replace(text.find(general), general.size(),
               "       4.000,     100,      25,       1,       1,    2006,");
  test::WriteBytes(dir.path() / "wall.krv", text);
  ProblemData p = test::StartupProblem();
  p.General.ProblemName = "Mine";
  const ProblemData before = p;
  ViewState v = AllShown();
  OpenOutcome out = OpenProblem(p, v, dir / "wall.krv");
  EXPECT_FALSE(out.Loaded);
  ASSERT_EQ(out.Messages.size(), 1u);
  EXPECT_EQ(out.Messages[0].rfind("Datafile 'wall.krv', line 13: the number of layers 25 is "
                                  "outside 1..20.",
                                  0),
            0u)
      << out.Messages[0];
  EXPECT_TRUE(test::SameProblem(p, before));
  ExpectWindowsReset(v);
}

}  // namespace
}  // namespace korvanu
