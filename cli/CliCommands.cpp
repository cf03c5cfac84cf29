// compute and new: the datafile is read and written exactly as the program's
// Open and Save do; the step files land where the program would put them.
#include "cli/CliCommands.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/StepTableObserver.h"
#include "core/Datafile.h"
#include "core/ProblemDefaults.h"
#include "core/TextFormat.h"
#include "core/ViewState.h"
#include "engine/BeamEquations.h"
#include "engine/RunComputation.h"

namespace korvanu {

namespace fs = std::filesystem;

namespace {

// A datafile is a few kilobytes; this only keeps a wrong argument (a device,
// a huge file) from being read without end.
constexpr std::uintmax_t LargestDatafile = 16u * 1024u * 1024u;

// The problem as the program holds it at start-up, before a file is opened.
void StartUpProblem(ProblemData& problem) {
  ViewState view;
  InitialiseProblem(problem, view);
  SetAnchorStartValues(problem);
  SetAxialStartValues(problem);
}

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

// Writes beside the target and renames, so that a failed write (a full disk)
// never leaves a truncated datafile where a good one was.
bool WriteWholeFile(const fs::path& path, const std::string& text, std::string& why) {
  const fs::path temporary = path.string() + ".tmp" + std::to_string(::getpid());
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) {
    why = std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    why = std::strerror(written ? errno : writeErrno);
    std::remove(temporary.c_str());
    return false;
  }
  std::error_code ec;
  fs::rename(temporary, path, ec);
  if (ec) {
    why = ec.message();
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool LoadDatafile(const std::string& datafile, ProblemData& problem, std::ostream& err) {
  const fs::path path(datafile);
  std::string text;
  std::string why;
  if (!ReadWholeFile(path, text, why)) {
    err << "korvanu-cli: Unable to load datafile " << datafile << ": " << why << "\n";
    return false;
  }
  StartUpProblem(problem);
  if (const auto error = ReadDatafile(text, problem)) {
    err << "korvanu-cli: " << datafile;
    if (error->Line > 0) err << ", line " << error->Line;
    err << ": " << error->What << "\n";
    return false;
  }
  return true;
}

bool EnterDatafileFolder(const std::string& datafile, std::ostream& err) {
  // The program computes in the folder of the datafile it opened; so do we.
  const fs::path folder = fs::path(datafile).parent_path();
  if (folder.empty()) return true;
  std::error_code ec;
  fs::current_path(folder, ec);
  if (ec) {
    err << "korvanu-cli: cannot change to the folder " << folder.string() << ": " << ec.message()
        << "\n";
    return false;
  }
  return true;
}

int ComputeCommand(const std::string& datafile, std::ostream& out, std::ostream& err) {
  ProblemData problem;
  if (!LoadDatafile(datafile, problem, err)) return ExitRefused;
  if (!EnterDatafileFolder(datafile, err)) return ExitRefused;
  static EngineState engine;  // large; one computation per process
  return ComputeProblem(problem, datafile, engine, out, err);
}

int ComputeProblem(ProblemData& problem, const std::string& datafile, EngineState& engine,
                   std::ostream& out, std::ostream& err) {
  const GeneralData& g = problem.General;
  out << "Problem  " << g.ProblemName << "\n";
  out << "File     " << datafile << " (step files named from " << g.FileName << ")\n";
  out << Format("Data     NN %d, NL %d, NT %d, profile %d (EI %.1f kNm2/m)", g.NN, g.NL, g.NT, g.NP,
                WallStiffness(problem))
      << "\n\n";

  StepTableObserver table(problem, out);
  table.PrintHeader();
  const ComputationFault fault = RunComputation(problem, engine, table);
  if (fault != ComputationFault::None) table.PrintFault(FaultText(fault));
  table.PrintSummary();
  out.flush();

  if (fault != ComputationFault::None) {
    err << FaultText(fault) << "\n";
    return ExitFloatingFault;
  }
  return table.AllConverged() && !table.WriteFailed() ? ExitDone : ExitIncomplete;
}

int NewCommand(const std::string& datafile, std::ostream& out, std::ostream& err) {
  const fs::path path(datafile);
  const std::string bare = path.filename().string();
  if (bare.empty() || bare == "." || bare == "..") {
    err << "korvanu-cli: " << datafile << " names no file\n";
    return ExitRefused;
  }
  if (bare == "New.krv") {
    err << "Filename 'New.krv' reserved for initialization of new problems.\n\n"
           "Please use a different name.\n";
    return ExitRefused;
  }
  if (bare.size() > static_cast<size_t>(MaxText)) {
    err << "korvanu-cli: the file name " << bare << " is longer than " << MaxText
        << " characters\n";
    return ExitRefused;
  }
  for (const char c : bare) {
    // The name is stored on a datafile line of comma-separated fields.
    if (c == ',' || static_cast<unsigned char>(c) < ' ') {
      err << "korvanu-cli: the file name must not hold a comma or a control character\n";
      return ExitRefused;
    }
  }

  ProblemData problem;
  StartUpProblem(problem);
  problem.General.FileName = bare;
  std::string why;
  if (!WriteWholeFile(path, WriteDatafile(problem), why)) {
    err << "korvanu-cli: Datafile not saved: " << datafile << ": " << why << "\n";
    return ExitRefused;
  }
  out << "Wrote the default problem to " << datafile << "\n";
  return ExitDone;
}

}  // namespace korvanu
