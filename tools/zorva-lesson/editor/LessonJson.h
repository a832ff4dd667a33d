// The lesson as the editor's page reads it, and the page's corrections as the editor reads them.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/zorva-lesson/editor/EditableLesson.h"
#include "tools/zorva-lesson/editor/LessonChecks.h"
#include "tools/zorva-lesson/editor/LessonEdits.h"
#include "tools/zorva-lesson/editor/LessonMedia.h"

namespace zorva::editor {

nlohmann::json lessonToJson(const EditableLesson& lesson, const LessonMedia& media);
nlohmann::json checksToJson(const std::vector<LessonCheck>& checks);

// {changes: [{page, item, key, values}], new_items: [{page, rect, audio?, from?, to?}],
// deleted: [{page, item}]}; throws EditRefused when a field is missing or of the wrong kind.
Corrections correctionsFromJson(const nlohmann::json& request);

}  // namespace zorva::editor
