// The builder's and checker's messages about a lesson, each placed beside the page and item it
// concerns, so the author sees them next to the work.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/zorva-lesson/Checker.h"
#include "tools/zorva-lesson/editor/EditableLesson.h"
#include "tools/zorva-lesson/editor/LessonMedia.h"

namespace zorva::editor {

struct LessonCheck {
  std::optional<size_t> page;  // none: the lesson as a whole
  std::optional<size_t> item;
  std::string text;
};

struct LessonReview {
  std::vector<LessonCheck> checks;
  // Each page's information line as Zorva will show it: the author's, or the one the builder
  // names a page without one by; empty when the builder can't read the description.
  std::vector<std::string> info_lines;
};

// What the builder would say about the description as it stands, what the pictures and sounds
// allow (areas off the picture, cuts past the recording's end, clips too long, unreadable files)
// and the notes propose left on cuts to listen to.
LessonReview checkLesson(const EditableLesson& lesson, const LessonMedia& media);

// A "FILE:LINE: ..." message of the builder, placed by its line.
LessonCheck placeBuilderMessage(const EditableLesson& lesson, const std::string& message);

// The checker's problems in a built course, placed by page file and item number.
std::vector<LessonCheck> placeCheckerProblems(const EditableLesson& lesson, const std::vector<builder::Problem>& problems);

}  // namespace zorva::editor
