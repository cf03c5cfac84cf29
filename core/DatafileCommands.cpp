// The Save and Open commands behind the file dialogs: the reserved name,
// the messages, a Save that never leaves a half-written file, and an Open
// that changes the problem only when the whole file could be read.
#include "core/DatafileCommands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "core/Datafile.h"
#include "core/DatafileText.h"
#include "core/Limits.h"
#include "core/TextFormat.h"

namespace korvanu {
namespace {

constexpr const char* kNotSaved = "Datafile not saved";
constexpr const char* kNotLoaded = "Unable to load datafile";
constexpr const char* kReservedName = "New.krv";
// A datafile is a few hundred kilobytes at most; anything far larger is not one.
constexpr off_t kLargestDatafile = 64 * 1024 * 1024;

// ReplaceFile's own failure besides the errno values.
constexpr int kNotARegularFile = -1;

std::string Reason(int error) {
  if (error == kNotARegularFile) return "not a regular file";
  return std::strerror(error);
}

// Writes all of `data` to `fd`, retrying short writes; false with errno set.
bool WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// The file mode a newly created file gets, or the mode of the file replaced.
mode_t ModeFor(const std::string& target) {
  struct stat st;
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Writes `data` to a temporary file beside `target`, flushes it to the disk
// and renames it over `target`, so the old file stays whole until the new
// one is complete. Returns 0, the errno of the step that failed, or
// kNotARegularFile.
int ReplaceFile(std::string target, const std::string& data) {
  // Replace the file a symbolic link names, not the link.
  struct stat st;
  if (::lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* resolved = ::realpath(target.c_str(), nullptr)) {
      target = resolved;
      std::free(resolved);
    }
  }
  // A device, a pipe or a socket is never replaced by a datafile (as root,
  // renaming over /dev/null would succeed).
  if (::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
    return kNotARegularFile;
  }
  // A file the user made read-only, or one on a read-only mount, is not
  // replaced behind its back (root passes the permission check, not the mount).
  if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0 &&
      (errno == EACCES || errno == EROFS)) {
    return errno;
  }
  const size_t slash = target.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string(".")
                             : slash == 0               ? std::string("/")
                                                        : target.substr(0, slash);
  std::string temp = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) +
                     ".korvanu-save-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return errno;
  int error = 0;
  if (::fchmod(fd, ModeFor(target)) != 0 || !WriteAll(fd, data) || ::fsync(fd) != 0) {
    error = errno;
  }
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    return error;
  }
  // Make the rename itself durable; a failure here loses nothing already written.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return 0;
}

}  // namespace

bool ReadDatafileFile(const std::string& path, std::string& text, std::string& reason) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    reason = Reason(errno);
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    reason = Reason(EISDIR);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    reason = "not a regular file";
    return false;
  }
  if (st.st_size > kLargestDatafile) {
    reason = "the file is too large to be a datafile";
    return false;
  }
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) {
    reason = Reason(errno);
    return false;
  }
  text.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      reason = Reason(errno);
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    text.append(buffer, static_cast<size_t>(n));
    if (text.size() > static_cast<size_t>(kLargestDatafile)) {
      reason = "the file is too large to be a datafile";
      ::close(fd);
      return false;
    }
  }
  ::close(fd);
  return true;
}

DatafileNameFault CheckDatafileName(std::string_view bare) {
  if (bare.empty() || bare == "." || bare == "..") return DatafileNameFault::NoName;
  if (bare == kReservedName) return DatafileNameFault::Reserved;
  if (bare.size() > static_cast<size_t>(MaxText)) return DatafileNameFault::TooLong;
  if (bare.find(',') != std::string_view::npos) return DatafileNameFault::Comma;
  for (const char c : bare) {
    if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') {
      return DatafileNameFault::ControlCharacter;
    }
  }
  return DatafileNameFault::None;
}

namespace {

// Why the datafile cannot hold one of the problem's texts, with `file` as
// its file name; empty when it holds them all.
std::string TextsTheDatafileCannotHold(const ProblemData& problem, const std::string& file) {
  const GeneralData& g = problem.General;
  std::string why = DatafileTextRefusal(g.LicensedUser, "Licensed User");
  if (why.empty()) why = DatafileTextRefusal(file, "The file name");
  if (why.empty()) why = DatafileTextRefusal(g.ProblemName, "Problem Name");
  for (int n = 0; why.empty() && n < MaxProfiles; ++n) {
    why = DatafileTextRefusal(problem.Catalogue[n].Name, Format("Profile name %d", n + 1));
  }
  return why;
}

}  // namespace

bool ReplaceFileSafely(const std::string& target, const std::string& data, std::string& why) {
  const int error = ReplaceFile(target, data);
  if (error != 0) why = Reason(error);
  return error == 0;
}

std::pair<std::string, std::string> SplitPath(const std::string& path) {
  const size_t last = path.find_last_of("/\\");
  if (last == std::string::npos) return {std::string(), path};
  return {path.substr(0, last), path.substr(last + 1)};
}

SaveOutcome SaveProblem(ProblemData& problem, const std::optional<std::string>& chosenPath,
                        std::uint64_t seed) {
  SaveOutcome outcome;
  if (!chosenPath) {
    outcome.Messages.push_back(kNotSaved);
    return outcome;
  }
  const auto [folder, file] = SplitPath(*chosenPath);
  const DatafileNameFault fault = CheckDatafileName(file);
  switch (fault) {
    case DatafileNameFault::None:
    case DatafileNameFault::Reserved:
      break;
    case DatafileNameFault::NoName:
      outcome.Messages.push_back(
          Format("No file name was given in '%s'.\n\n%s", chosenPath->c_str(), kNotSaved));
      return outcome;
    // FileName must name the file on disk, and it holds at most MaxText
    // characters: a longer name is refused rather than cut.
    case DatafileNameFault::TooLong:
      outcome.Messages.push_back(Format(
          "The file name '%s' is longer than %d characters.\n\nPlease use a shorter name.\n\n%s",
          file.c_str(), MaxText, kNotSaved));
      return outcome;
    // The datafile ends a text at its first comma, and a line at a line
    // break: such a name would come back otherwise on Open and no longer name
    // the file on disk.
    case DatafileNameFault::Comma:
      outcome.Messages.push_back(
          Format("The file name '%s' contains a comma, which a datafile cannot hold in a "
                 "name.\n\nPlease use a different name.\n\n%s",
                 file.c_str(), kNotSaved));
      return outcome;
    case DatafileNameFault::ControlCharacter:
      outcome.Messages.push_back(
          Format("The file name '%s' contains a control character (such as a tab or a line "
                 "break), which a datafile cannot hold in a name.\n\nPlease use a different "
                 "name.\n\n%s",
                 file.c_str(), kNotSaved));
      return outcome;
  }

  // A text that came from a UTF-8 datafile may hold a character that this
  // datafile cannot; refused here, it is not lost or replaced unseen.
  if (std::string why = TextsTheDatafileCannotHold(problem, file); !why.empty()) {
    outcome.Messages.push_back(why + "\n\n" + kNotSaved);
    return outcome;
  }

  const std::string previousName = problem.General.FileName;
  problem.General.FileName = file;
  if (fault == DatafileNameFault::Reserved) {
    outcome.Messages.push_back(
        std::string("Filename 'New.krv' reserved for initialization of new problems.\n\n") +
        "Please use a different name.\n\n");
    std::mt19937_64 generator(seed);
    std::uint64_t n = generator() % 9999;
    if (n < 1000) n += 1234;
    problem.General.FileName = "File" + std::to_string(n);
    return outcome;
  }

  outcome.Folder = folder;
  // The bare FileName in the chosen folder (the root folder keeps its "/").
  const size_t last = chosenPath->find_last_of("/\\");
  const std::string target =
      (last == std::string::npos ? std::string() : chosenPath->substr(0, last + 1)) + file;
  if (const int error = ReplaceFile(target, WriteDatafile(problem)); error != 0) {
    problem.General.FileName = previousName;
    outcome.Messages.push_back(Format("Datafile '%s' could not be written: %s.\n\n%s",
                                      target.c_str(), Reason(error).c_str(), kNotSaved));
    return outcome;
  }
  outcome.Written = true;
  return outcome;
}

OpenOutcome OpenProblem(ProblemData& problem, ViewState& view,
                        const std::optional<std::string>& chosenPath) {
  OpenOutcome outcome;
  if (!chosenPath) {
    outcome.Messages.push_back(kNotLoaded);
  } else {
    std::string text;
    std::string reason;
    if (!ReadDatafileFile(*chosenPath, text, reason)) {
      outcome.Messages.push_back(
          Format("%s '%s': %s.", kNotLoaded, chosenPath->c_str(), reason.c_str()));
    } else if (const auto error = ReadDatafile(text, problem)) {
      const std::string name = SplitPath(*chosenPath).second;
      if (error->Line > 0) {
        outcome.Messages.push_back(
            Format("Datafile '%s', line %d: %s\n\nThe datafile was not loaded.", name.c_str(),
                   error->Line, error->What.c_str()));
      } else {
        outcome.Messages.push_back(Format("Datafile '%s': %s\n\nThe datafile was not loaded.",
                                          name.c_str(), error->What.c_str()));
      }
    } else {
      outcome.Loaded = true;
    }
  }

  // Whatever happened above, the tool windows (not the manual) are hidden
  // and the results are no longer those of the problem shown.
  view.PrintOptionsShown = false;
  view.SoilsShown = false;
  view.ProfilesShown = false;
  view.SectionsShown = false;
  view.AnchorsShown = false;
  view.AxisShown = false;
  view.TablesShown = false;
  view.GraphsShown = false;
  view.ResultsValid = false;
  view.PageOffset = 0;
  return outcome;
}

}  // namespace korvanu
