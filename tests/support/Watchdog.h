// Bounds a step that must end by itself, such as following a chain of links in page data: if it
// is still going after the given time, the test program prints what hung and exits with a
// failure, instead of hanging until the test runner's time limit. One watchdog at a time.
#pragma once

#include <string>

namespace zorva::testing {

class Watchdog {
 public:
  Watchdog(unsigned seconds, const std::string& what);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
};

}  // namespace zorva::testing
