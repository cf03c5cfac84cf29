// The Save and Open commands without their dialogs: the window runs the file
// dialog, makes the chosen folder current, and passes the chosen path here
// (nothing when the dialog was cancelled). Every message the user must see
// comes back in the outcome, in the order it is to be shown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ProblemData.h"
#include "core/ViewState.h"

namespace korvanu {

struct SaveOutcome {
  bool Written = false;
  std::vector<std::string> Messages;
  std::string Folder;  // folder part of the chosen path: the save dialog's next initial folder
};

// Save: the reserved name "New.krv" turns FileName into "File" + n, drawing n
// from a generator seeded with `seed` (the current time in the program).
SaveOutcome SaveProblem(ProblemData& problem, const std::optional<std::string>& chosenPath,
                        std::uint64_t seed);

struct OpenOutcome {
  bool Loaded = false;
  std::vector<std::string> Messages;
};

// Open: reads the chosen file into the problem (all or nothing), then, whether
// the dialog was cancelled or not, clears the shown flags of the print options
// panel and the tool windows except the manual, ResultsValid and PageOffset.
// The window hides what the cleared flags name.
OpenOutcome OpenProblem(ProblemData& problem, ViewState& view,
                        const std::optional<std::string>& chosenPath);

// Reads a whole datafile: a regular file of at most 64 MiB. False with the
// reason (the system's text, or what the file is) when it cannot.
bool ReadDatafileFile(const std::string& path, std::string& text, std::string& why);

// What keeps a bare file name from naming a datafile. The name is stored in
// the datafile on a line of comma-separated fields, so it must be short
// enough, hold no comma and no control character (a tab or a line break).
// New.krv is reserved for the default problem.
enum class DatafileNameFault { None, NoName, Reserved, TooLong, Comma, ControlCharacter };
DatafileNameFault CheckDatafileName(std::string_view bare);

// Splits a chosen path at its last "/" (or "\"): {folder, file}.
std::pair<std::string, std::string> SplitPath(const std::string& path);

// Writes `data` to `target` as Save does: beside it first, flushed to the
// disk, then renamed over it, so the old file stays whole until the new one
// is complete; a device or pipe is never replaced, nor a read-only file.
// False with the reason when it could not.
bool ReplaceFileSafely(const std::string& target, const std::string& data, std::string& why);

}  // namespace korvanu
