// Reads a ZORVADAT folder the way Zorva does and reports what it finds and what is wrong.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zorva::builder {

struct Problem {
  std::string file;
  long offset = 0;  // byte offset in the file where the fault lies
  std::string what;
};

struct CheckResult {
  bool readable = true;  // false: the folder itself could not be read
  std::vector<Problem> problems;
  int pages = 0;
};

// Writes the page-by-page report and a summary line to `out` (or one line saying why the folder
// can't be read) and returns what was found. `folder` is the ZORVADAT folder itself or the
// folder holding it.
CheckResult checkLessonFolder(const std::string& folder, std::ostream& out);

// The exit status of `zorva-lesson check`: 0 sound, 1 problems found, 2 not readable.
int checkExitStatus(const CheckResult& result);

}  // namespace zorva::builder
