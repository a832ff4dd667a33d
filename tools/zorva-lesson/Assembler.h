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

using BuiltBook = lessonkit::Book;
using Warnings = std::vector<std::string>;

// Where an area measured on a page picture lies in Zorva's view.
ViewRect pageToView(const PictureRect& r);

// The page file name for page `page` (1-based) of lesson `lesson`.
std::string pageFileName(int lesson, int page);

// Chains the items of each named role in page order and sets every member's role head.
void chainRoles(std::vector<lessonkit::Item>& items, const std::vector<std::string>& roles);

// Draws every picture, makes every clip and lays out the data files' records; what it changes
// on the author's behalf is added to `warnings`.
BuiltBook assemble(const BookPlan& book, Warnings* warnings = nullptr);

}  // namespace zorva::builder
