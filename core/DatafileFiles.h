// The datafile as the commands and the analysis read and write it: as Open and
// Save do, with every refusal naming the file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/ProblemData.h"

namespace korvanu {

// The problem as the program holds it at start-up, before a file is opened.
void StartUpProblem(ProblemData& problem);

// Reads the datafile into `problem` (which should hold the start-up problem).
// Returns why it cannot be used, starting with the file's name and line.
std::optional<std::string> LoadDatafile(const std::string& datafile, ProblemData& problem);

// Why a bare name cannot name a datafile (the reserved New.krv, too long, a
// comma or a control character), starting with the name; nothing when it can.
std::optional<std::string> DatafileNameRefusal(const std::string& bare);

// Writes `text` to `path` whole, or leaves what was there; false with the
// reason in `why`.
bool WriteWholeFile(const std::filesystem::path& path, const std::string& text, std::string& why);

// Why a file cannot be written at `path` (its folder missing or closed, a
// folder or a read-only file in its place); nothing when it can. Lets a
// command refuse before it makes anything.
std::optional<std::string> OutputFileRefusal(const std::string& path);

// Writes the problem to `datafile` with FileName set to the file's bare name;
// an existing file is replaced only once the new one is complete. Returns why
// it could not, starting with "Datafile not saved" or the refused name.
std::optional<std::string> SaveDatafile(const std::string& datafile, ProblemData& problem);

}  // namespace korvanu
