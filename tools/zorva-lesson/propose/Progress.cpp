#include "tools/zorva-lesson/propose/Progress.h"

#include <cstdio>

namespace zorva::propose {

bool Progress::late() const {
  return out_ != nullptr && std::chrono::steady_clock::now() - start_ >= std::chrono::seconds(1);
}

void Progress::step(const std::string& what) {
  if (!late() || what == last_step_) return;
  last_step_ = what;
  *out_ << (shown_ ? "\n" : "") << "propose: " << what << std::flush;
  shown_ = true;
  last_percent_ = -1;
}

void Progress::percent(const std::string& what, int done) {
  if (!terminal_) return step(what);
  if (!late() || done / 10 == last_percent_ / 10) return;
  *out_ << (shown_ ? "\r" : "") << "propose: " << what << " " << done << " %" << std::flush;
  shown_ = true;
  last_percent_ = done;
}

void Progress::endLine() {
  if (!shown_) return;
  *out_ << "\n" << std::flush;
  shown_ = false;
}

void Progress::finish() {
  if (!shown_) return;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  char text[64];
  std::snprintf(text, sizeof text, "\npropose: done in %.1f s\n", seconds);
  *out_ << text << std::flush;
}

}  // namespace zorva::propose
