// Turns a lesson description into what the data files hold: paletted pictures, item
// rectangles in view coordinates, role chains and clip samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/lessonkit/Folder.h"
#include "tools/zorva-lesson/LessonDescription.h"
#include "tools/zorva-lesson/Picture.h"

namespace zorva::builder {

// Where Zorva places pictures in its view.
constexpr int kPictureLeft = 110;
constexpr int kPageTop = -20;

using BuiltBook = lessonkit::Book;

// Where an area measured on a page picture lies in Zorva's view.
ViewRect pageToView(const PictureRect& r);

// The page file name for page `page` (1-based) of lesson `lesson`.
std::string pageFileName(int lesson, int page);

// Chains the items of each named role in page order and sets every member's role head.
void chainRoles(std::vector<lessonkit::Item>& items, const std::vector<std::string>& roles);

// Faults that do not stop the build (a damaged sound file) are added to `warnings` when given.
BuiltBook assemble(const BookPlan& book, std::vector<std::string>* warnings = nullptr);

}  // namespace zorva::builder
