// Writes the validation datafiles of examples/ into the folder given:
//   korvanu_write_examples examples
#include <cstdio>
#include <fstream>
#include <iostream>

#include "core/Datafile.h"
#include "tests/cli/ExampleProblems.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: korvanu_write_examples FOLDER\n";
    return 2;
  }
  for (const korvanu::ExampleProblem& example : korvanu::ExampleProblems()) {
    const std::string path = std::string(argv[1]) + "/" + example.FileName;
    std::ofstream out(path, std::ios::binary);
    out << korvanu::WriteDatafile(example.Problem);
    out.close();
    if (!out) {
      std::cerr << "cannot write " << path << "\n";
      return 1;
    }
    std::cout << path << "\n";
  }
  return 0;
}
