// Starts korvanu-print and waits for it, as if its work were done here.
#include "cli/PrintTool.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace korvanu {

int RunPrintTool(const char* command, const Arguments& arguments, std::ostream& out,
                 std::ostream& err) {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::string tool = (self.parent_path() / "korvanu-print").string();
  if (ec) {
    err << "korvanu-cli " << command << ": cannot find korvanu-print: " << ec.message() << "\n";
    return ExitRefused;
  }
  std::vector<std::string> words{tool, command};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  // What was written before must come before the tool's own lines.
  out.flush();
  err.flush();
  pid_t child = 0;
  if (const int error = ::posix_spawn(&child, tool.c_str(), nullptr, nullptr, argv.data(), environ);
      error != 0) {
    err << "korvanu-cli " << command << ": cannot run " << tool << ": " << std::strerror(error)
        << "\n";
    return ExitRefused;
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      err << "korvanu-cli " << command << ": lost " << tool << ": " << std::strerror(errno) << "\n";
      return ExitRefused;
    }
  }
  // A signal ends the tool as the shell reports it: 128 and its number.
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

}  // namespace korvanu
