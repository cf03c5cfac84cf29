// korvanu-cli check on Test 3: its exit codes and the settings of the file
// against those of the command line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CheckCommand.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

int Check(const Arguments& arguments, std::string& out) {
  std::ostringstream o, e;
  const int code = CheckCommand(arguments, o, e);
  out = o.str() + e.str();
  return code;
}

TEST(CheckCommandTest, ExitCodeFourWhenACheckFallsShort) {
  const fs::path folder = fs::temp_directory_path() / "korvanu-check-test";
  fs::create_directories(folder);
  const std::string test3 = std::string(KORVANU_EXAMPLES) + "/Test3.krv";
  std::string out;

  EXPECT_EQ(Check({test3, "--grade", "S240GP", "--gamma-m0", "1.1"}, out), ExitDone) << out;
  EXPECT_NE(out.find("Steel utilisation  0.485 (σ 105.8 N/mm², S240GP, γM0 1.100)"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("Every check holds."), std::string::npos);

  const std::string csv = (folder / "t3.csv").string();
  EXPECT_EQ(Check({test3, "--max-w", "0.02", "--csv", csv}, out), ExitFallsShort);
  EXPECT_NE(out.find("falls short"), std::string::npos);
  std::ifstream table(csv);
  std::string caption, step, all;
  std::getline(table, caption);
  std::getline(table, step);
  std::getline(table, all);
  EXPECT_EQ(step.substr(0, 9), "1,0.0279,");
  EXPECT_EQ(all.substr(0, 4), "all,");

  // The file's own requirement, and the command line's over it.
  std::ifstream in(test3, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf() << "#design min_fp=1.2\r\n";
  const std::string demanding = (folder / "Test3.krv").string();
  std::ofstream(demanding, std::ios::binary) << text.str();
  EXPECT_EQ(Check({demanding}, out), ExitFallsShort);
  EXPECT_NE(out.find("at least 1.200  falls short"), std::string::npos) << out;
  EXPECT_EQ(Check({demanding, "--require-fp", "1.0"}, out), ExitDone);

  EXPECT_EQ(Check({test3, "--grade", "S999"}, out), ExitRefused);
  EXPECT_EQ(Check({test3, "--fy", "355", "--grade", "S355GP"}, out), ExitRefused);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace korvanu
