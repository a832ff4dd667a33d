// The lesson checker (zorva-lesson check) over a data folder. The first input byte chooses the
// file the rest of the input stands for: even, lesson 1's first page (with a good start-up
// file); odd, the start-up file DATA4.DAT (with no page). The checker follows the page's names
// wherever they lead and must end with a report and a status of 0, 1 or 2.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "tests/fuzz/FuzzWorkspace.h"
#include "tools/zorva-lesson/Checker.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorva::fuzz;
  InputScope scope;
  InputReader in({data, size});
  writeStartupOrPage(in);
  std::ostringstream report;
  const zorva::builder::CheckResult result = zorva::builder::checkLessonFolder(".", report);
  // The folder is there, so it is always readable: the status is 0 or 1 by what was found.
  if (!result.readable || zorva::builder::checkExitStatus(result) != (result.problems.empty() ? 0 : 1)) std::abort();
  return 0;
}
