// Counts the program's modal boxes, and the commands that may open one, in
// the one counter every window reads: the activation that follows their
// closing is not taken for the user coming back.
#pragma once

namespace korvanu {

class ModalScope {
 public:
  explicit ModalScope(int& depth) : depth_(depth) { ++depth_; }
  ~ModalScope() { --depth_; }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  int& depth_;
};

}  // namespace korvanu
