// `zorva-lesson edit LESSON.toml [--no-browser]`: starts the lesson's editor and opens it in the
// user's browser.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zorva::editor {

inline constexpr const char* kEditUsage =
    "       zorva-lesson edit LESSON.toml [--no-browser]   corrects a lesson's areas and cuts in the browser\n";

// Runs until the editor's page is closed or Ctrl+C; returns the exit status.
int runEdit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zorva::editor
