// A check of the program's own logic that stays in every build, unlike
// assert: a failure is a programming error, reported with its file and line
// before the program stops, never passed over into undefined behaviour.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace korvanu {

[[noreturn]] inline void CheckFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: internal error, check failed: %s\n", file, line, condition);
  std::fflush(stderr);
  std::abort();
}

}  // namespace korvanu

#define KORVANU_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::korvanu::CheckFailed(#condition, __FILE__, __LINE__))
