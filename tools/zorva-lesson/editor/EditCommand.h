// `zorva-lesson edit LESSON.toml [--no-browser]`: the command-table row that starts the lesson's
// editor and opens it in the user's browser.
#pragma once

#include "tools/zorva-lesson/CommandLine.h"

namespace zorva::editor {

// Runs until the editor's page is closed or Ctrl+C; exits with 0 then, 1 when the lesson can't
// be read or no port is free, 2 for wrong arguments.
builder::Command editCommand();

}  // namespace zorva::editor
