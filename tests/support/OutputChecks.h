// Checks on what the program writes, shared by the fuzz targets and the soak
// test: every number in a datafile or a step file is finite and in its place.
// A failed check prints what is wrong and aborts, so that a fuzzer, a test and
// a sanitizer all see it the same way.
#pragma once

#include <string>
#include <string_view>

#include "core/ProblemData.h"

namespace korvanu::check {

// Prints the failure and aborts.
[[noreturn]] void Fail(const std::string& what);

inline void Require(bool condition, const char* what) {
  if (!condition) Fail(what);
}

// The problem as the program holds it at start-up, before a file is opened.
ProblemData StartUpProblem();

// Every number field of a written datafile (all fields but the three text
// lines and the profile names) is a finite decimal number.
void RequireFiniteDatafile(std::string_view datafile);

// A written step file: header lines, then exactly NN + 1 records of an index
// and seven finite decimal numbers, each followed by a comma.
void RequireWellFormedStepFile(std::string_view text, int NN);

// The whole content of a file; aborts when it cannot be read.
std::string ReadWholeFile(const std::string& name);

// Makes a fresh temporary folder the current folder for the rest of the
// process and removes it at exit.
void EnterScratchFolder(const char* purpose);

}  // namespace korvanu::check
