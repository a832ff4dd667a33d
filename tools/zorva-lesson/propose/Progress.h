// Progress of a slow page on standard error: quiet for the first second, so a quick page prints
// nothing but its proposal.
#pragma once

#include <chrono>
#include <ostream>
#include <string>

namespace zorva::propose {

class Progress {
 public:
  // Percentages overwrite each other on a terminal only; a log gets the steps.
  explicit Progress(std::ostream* out, bool terminal = false) : out_(out), terminal_(terminal) {}
  void step(const std::string& what);
  void percent(const std::string& what, int done);
  void finish();
  // Ends a progress line that is still open, before a message is printed.
  void endLine();

 private:
  bool late() const;
  std::ostream* out_;  // null: silent
  bool terminal_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  bool shown_ = false;
  int last_percent_ = -1;
  std::string last_step_;
};

}  // namespace zorva::propose
