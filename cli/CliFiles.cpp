// Datafiles for the commands: read whole, parsed as Open parses them, and
// written beside the target and renamed into place.
#include "cli/CliFiles.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Datafile.h"
#include "core/DatafileCommands.h"
#include "core/Limits.h"
#include "core/ProblemDefaults.h"
#include "core/ViewState.h"

namespace korvanu {

namespace fs = std::filesystem;

namespace {

// A datafile is a few kilobytes; this only keeps a wrong argument (a device,
// a huge file) from being read without end.
constexpr std::uintmax_t LargestDatafile = 16u * 1024u * 1024u;

bool ReadWholeFile(const fs::path& path, std::string& text, std::string& why) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec || !fs::exists(status)) {
    why = "no such file";
    return false;
  }
  if (!fs::is_regular_file(status)) {
    why = "not a regular file";
    return false;
  }
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size > LargestDatafile) {
    why = ec ? ec.message() : "too large for a datafile";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    why = std::strerror(errno);
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) {
    why = "read error";
    return false;
  }
  text = buffer.str();
  return true;
}

}  // namespace

// The program's own save: a failed write (a full disk) never leaves a
// truncated file where a good one was.
bool WriteWholeFile(const fs::path& path, const std::string& text, std::string& why) {
  return ReplaceFileSafely(path.string(), text, why);
}

std::optional<std::string> OutputFileRefusal(const std::string& path) {
  std::error_code ec;
  if (fs::is_directory(fs::path(path), ec)) return std::strerror(EISDIR);
  const fs::path folder = fs::path(path).parent_path();
  if (::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) != 0) {
    return std::strerror(errno);
  }
  if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
    return std::strerror(errno);
  }
  return std::nullopt;
}

void StartUpProblem(ProblemData& problem) {
  ViewState view;
  InitialiseProblem(problem, view);
  SetAnchorStartValues(problem);
  SetAxialStartValues(problem);
}

std::optional<std::string> LoadDatafile(const std::string& datafile, ProblemData& problem) {
  std::string text;
  std::string why;
  if (!ReadWholeFile(fs::path(datafile), text, why)) {
    return "Unable to load datafile " + datafile + ": " + why;
  }
  if (const auto error = ReadDatafile(text, problem)) {
    std::string where = datafile;
    if (error->Line > 0) where += ", line " + std::to_string(error->Line);
    return where + ": " + error->What;
  }
  return std::nullopt;
}

std::optional<std::string> DatafileNameRefusal(const std::string& bare) {
  if (bare.empty() || bare == "." || bare == "..") return "'" + bare + "' names no file";
  if (bare == "New.krv") {
    return "Filename 'New.krv' reserved for initialization of new problems.\n\n"
           "Please use a different name.";
  }
  if (bare.size() > static_cast<size_t>(MaxText)) {
    return "the file name " + bare + " is longer than " + std::to_string(MaxText) + " characters";
  }
  for (const char c : bare) {
    // The name is stored on a datafile line of comma-separated fields.
    if (c == ',' || static_cast<unsigned char>(c) < ' ') {
      return "the file name " + bare + " must not hold a comma or a control character";
    }
  }
  return std::nullopt;
}

std::optional<std::string> SaveDatafile(const std::string& datafile, ProblemData& problem) {
  const fs::path path(datafile);
  const std::string bare = path.filename().string();
  if (auto refusal = DatafileNameRefusal(bare)) return refusal;
  problem.General.FileName = bare;
  std::string why;
  if (!WriteWholeFile(path, WriteDatafile(problem), why)) {
    return "Datafile not saved: " + datafile + ": " + why;
  }
  return std::nullopt;
}

}  // namespace korvanu
