// Datafiles for the commands and the analysis: read and named as Open and
// Save read and name them, written beside the target and renamed into place.
#include "core/DatafileFiles.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/Datafile.h"
#include "core/DatafileCommands.h"
#include "core/Limits.h"
#include "core/ProblemDefaults.h"
#include "core/ViewState.h"

namespace korvanu {

namespace fs = std::filesystem;

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
  if (!ReadDatafileFile(datafile, text, why)) {
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
  switch (CheckDatafileName(bare)) {
    case DatafileNameFault::None:
      return std::nullopt;
    case DatafileNameFault::NoName:
      return "'" + bare + "' names no file";
    case DatafileNameFault::Reserved:
      return "Filename 'New.krv' reserved for initialization of new problems.\n\n"
             "Please use a different name.";
    case DatafileNameFault::TooLong:
      return "the file name " + bare + " is longer than " + std::to_string(MaxText) + " characters";
    case DatafileNameFault::Comma:
    case DatafileNameFault::ControlCharacter:
      return "the file name " + bare + " must not hold a comma or a control character";
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
