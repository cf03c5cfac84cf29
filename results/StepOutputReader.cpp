// Reads a step file back into the node arrays. Lines are read whole, however
// long: very large numbers widen their fields and such a record must still be
// one record.
#include "results/StepOutputReader.h"

#include <sys/types.h>

#include <cstdio>
#include <cstdlib>

#include "core/Limits.h"
#include "core/TextFormat.h"

namespace korvanu {

namespace {

constexpr const char* UnreadableMessage = "Unable to read datafile.\n";

bool IsSeparator(char c) {
  return c == ' ' || c == ',' || c == ';';
}

// Closes the file on every way out of the reader.
struct FileCloser {
  std::FILE* File;
  ~FileCloser() {
    if (File != nullptr) std::fclose(File);
  }
};

// Reads the next line, however long, without its line feed. False at the
// end of the file or on a read error (the caller tells them apart with
// ferror).
class LineReader {
 public:
  explicit LineReader(std::FILE* file) : file_(file) {}
  ~LineReader() { std::free(buffer_); }
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool Next(std::string_view& line) {
    const ssize_t n = ::getline(&buffer_, &capacity_, file_);
    if (n < 0) return false;
    size_t length = static_cast<size_t>(n);
    if (length > 0 && buffer_[length - 1] == '\n') --length;
    line = std::string_view(buffer_, length);
    return true;
  }

 private:
  std::FILE* file_;
  char* buffer_ = nullptr;
  size_t capacity_ = 0;
};

}  // namespace

StepRecord ParseStepRecord(std::string_view line) {
  StepRecord record;
  size_t pos = 0;
  for (int field = 0; field < 6; ++field) {
    while (pos < line.size() && IsSeparator(line[pos])) ++pos;
    if (pos >= line.size()) break;
    size_t end = pos;
    while (end < line.size() && !IsSeparator(line[end])) ++end;
    const std::string_view text = line.substr(pos, end - pos);
    if (field == 0) {
      record.Index = ReadInteger(text);
    } else {
      record.Values[field - 1] = ReadReal(text);
    }
    pos = end;
  }
  return record;
}

StepReadOutcome ReadStepOutput(const std::string& fileName, int NN, NodeResults& results) {
  StepReadOutcome outcome;
  FileCloser closer{std::fopen(fileName.c_str(), "r")};
  if (closer.File == nullptr) {
    outcome.Message = UnreadableMessage;
    return outcome;
  }
  // Parse into a copy first: a read error half-way must leave the arrays as they were.
  NodeResults read = results;
  const int wanted = NN + 1;
  LineReader lines(closer.File);
  std::string_view line;
  while (outcome.Records < wanted) {
    if (!lines.Next(line)) break;
    if (!line.empty() && line[0] == '#') continue;
    ++outcome.Records;
    const StepRecord record = ParseStepRecord(line);
    if (record.Index < 0 || record.Index > MaxElements) {
      ++outcome.Skipped;
      continue;
    }
    const int i = record.Index;
    read.z[i] = record.Values[0];
    read.w[i] = record.Values[1];
    read.M[i] = record.Values[2];
    read.Qminus[i] = record.Values[3];
    read.Qplus[i] = record.Values[4];
  }
  if (std::ferror(closer.File)) {
    outcome.Message = UnreadableMessage;
    return outcome;
  }
  outcome.EndedEarly = outcome.Records < wanted;
  outcome.Ok = true;
  results = read;
  return outcome;
}

}  // namespace korvanu
