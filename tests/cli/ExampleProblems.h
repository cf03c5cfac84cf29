// The problems shipped in examples/, built in code so that the committed
// datafiles can be regenerated and checked byte for byte.
#pragma once

#include <string>
#include <vector>

#include "core/ProblemData.h"

namespace korvanu {

struct ExampleProblem {
  std::string FileName;  // "Test1.krv" ... "Ex4.krv"
  ProblemData Problem;
};

// The problem as the program holds it at start-up.
ProblemData StartUpProblem();

// Test 1 to Test 4, then Ex 1 to Ex 4.
std::vector<ExampleProblem> ExampleProblems();

}  // namespace korvanu
