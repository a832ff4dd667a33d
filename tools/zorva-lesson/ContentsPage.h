// The contents page: the page file of lesson number 0, which Zorva loads when "Previous Page" is
// clicked on a lesson's first page or "Next Page" on its last.
#pragma once

#include "tools/zorva-lesson/LessonDescription.h"

namespace zorva::builder {

// A text page with the course's heading, every lesson's pages by their information line and
// how to use the buttons, in the words the description gives.
PagePlan contentsPage(const BookPlan& book);

}  // namespace zorva::builder
