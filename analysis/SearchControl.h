// How a caller follows and stops a long search: the window runs searches in
// a worker thread, shows their progress and may cancel them.
#pragma once

#include <atomic>
#include <functional>

namespace korvanu {

struct SearchControl {
  // Called from the searching thread after every run with the fraction of
  // the work done, 0..1 (an estimate: a search does not know its length).
  std::function<void(double fraction)> Progress;
  // Set by another thread to stop: the search ends after the loading step it
  // is computing and reports itself cancelled.
  const std::atomic<bool>* Cancel = nullptr;

  bool Cancelled() const { return Cancel && Cancel->load(std::memory_order_relaxed); }
  void Report(double fraction) const {
    if (Progress) Progress(fraction);
  }
};

}  // namespace korvanu
