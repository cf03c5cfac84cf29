// korvanu-cli as a process, start-up included: `--version` alone, and compute
// of the large staged problem (20 layers, NN = 1000, 20 loading steps) with
// its 20 step files, as a user or a script runs it. Goal: under 25 ms.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/StagedProblem.h"
#include "core/DatafileFiles.h"

extern char** environ;

namespace korvanu {
namespace {

namespace fs = std::filesystem;

// Runs the tool with its output to /dev/null; its exit code.
int RunTool(std::vector<std::string> words) {
  words.insert(words.begin(), KORVANU_CLI);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  int status = -1;
  if (posix_spawn(&child, KORVANU_CLI, &actions, nullptr, argv.data(), environ) == 0) {
    waitpid(child, &status, 0);
  }
  posix_spawn_file_actions_destroy(&actions);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void CliVersion(benchmark::State& state) {
  for (auto _ : state) {
    if (RunTool({"--version"}) != 0) state.SkipWithError("korvanu-cli --version failed");
  }
}
BENCHMARK(CliVersion)->Unit(benchmark::kMillisecond)->UseRealTime();

void CliComputeLargestProblem(benchmark::State& state) {
  const fs::path folder = fs::temp_directory_path() / "korvanu-bench-cli";
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string datafile = (folder / "Staged.krv").string();
  ProblemData problem = StagedExcavation();
  if (const auto why = SaveDatafile(datafile, problem)) {
    state.SkipWithError(why->c_str());
    return;
  }
  for (auto _ : state) {
    if (RunTool({"compute", "--quiet", datafile}) != 0) {
      state.SkipWithError("korvanu-cli compute did not converge or write its step files");
      break;
    }
  }
  state.counters["step_files"] = fs::exists(folder / "Staged.20") ? 20 : 0;
  fs::remove_all(folder);
}
BENCHMARK(CliComputeLargestProblem)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace korvanu

BENCHMARK_MAIN();
