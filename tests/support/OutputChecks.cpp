// Structural checks of written datafiles and step files, and the scratch
// folder that the fuzz targets write into.
#include "tests/support/OutputChecks.h"

#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/ProblemDefaults.h"
#include "core/ViewState.h"

namespace korvanu::check {
namespace {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::vector<std::string_view> Split(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t comma = line.find(',', start);
    fields.push_back(
        line.substr(start, comma == std::string_view::npos ? line.npos : comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

// A field written by a printf number format: blanks, then a decimal number
// in fixed or exponent form that strtod takes whole, and that is finite. The
// alphabet check keeps out "nan" and "inf", which strtod would take too.
bool IsFiniteNumber(std::string_view field) {
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  if (field.empty()) return false;
  for (char c : field) {
    if (std::string_view("0123456789+-.e").find(c) == std::string_view::npos) return false;
  }
  const std::string number(field);
  char* end = nullptr;
  const double v = std::strtod(number.c_str(), &end);
  return end == number.c_str() + number.size() && std::isfinite(v);
}

std::string Quoted(std::string_view line) {
  std::string out = "\"";
  for (char c : line.substr(0, 160)) {
    if (static_cast<unsigned char>(c) < ' ' || static_cast<unsigned char>(c) > '~') {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
      out += hex;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

void Fail(const std::string& what) {
  std::fprintf(stderr, "check failed: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

ProblemData StartUpProblem() {
  ProblemData problem;
  ViewState view;
  InitialiseProblem(problem, view);
  SetAnchorStartValues(problem);
  SetAxialStartValues(problem);
  return problem;
}

void RequireFiniteDatafile(std::string_view datafile) {
  std::vector<std::string_view> data;
  for (std::string_view line : Lines(datafile)) {
    if (line.empty() || line[0] != '#') data.push_back(line);
  }
  // Licensed user, file name, problem name; at the end the 20 profiles.
  constexpr size_t kTextLines = 3;
  if (data.size() < kTextLines + MaxProfiles + 2) Fail("a written datafile is incomplete");
  const size_t firstProfile = data.size() - MaxProfiles;
  for (size_t k = kTextLines; k < data.size(); ++k) {
    std::vector<std::string_view> fields = Split(data[k]);
    // Lines that end in a comma leave an empty last field; a profile line
    // ends in its name and that comma.
    if (!fields.empty() && fields.back().empty()) fields.pop_back();
    if (k >= firstProfile && !fields.empty()) fields.pop_back();
    for (std::string_view field : fields) {
      if (!IsFiniteNumber(field)) Fail("datafile line " + Quoted(data[k]) + " holds a bad number");
    }
  }
}

void RequireWellFormedStepFile(std::string_view text, int NN) {
  int records = 0;
  for (std::string_view line : Lines(text)) {
    if (!line.empty() && line[0] == '#') {
      if (records > 0) Fail("a step file has a comment line between its records");
      continue;
    }
    std::vector<std::string_view> fields = Split(line);
    if (fields.size() != 9 || !fields.back().empty()) {
      Fail("step file record " + Quoted(line) + " does not hold eight fields");
    }
    if (std::atoi(std::string(fields[0]).c_str()) != records) {
      Fail("step file record " + Quoted(line) + " is out of order");
    }
    for (size_t f = 1; f < 8; ++f) {
      if (!IsFiniteNumber(fields[f]))
        Fail("step file record " + Quoted(line) + " holds a bad number");
    }
    ++records;
  }
  if (records != NN + 1) Fail("a step file does not hold NN + 1 records");
}

std::string ReadWholeFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) Fail("cannot read " + name);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void EnterScratchFolder(const char* purpose) {
  static std::string folder;
  if (!folder.empty()) return;
  std::string pattern =
      (std::filesystem::temp_directory_path() / (std::string("korvanu-") + purpose + "-XXXXXX"))
          .string();
  if (::mkdtemp(pattern.data()) == nullptr) Fail("cannot create a scratch folder");
  folder = pattern;
  std::filesystem::current_path(folder);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ignored);
    std::filesystem::remove_all(folder, ignored);
  });
}

}  // namespace korvanu::check
