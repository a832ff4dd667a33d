// Turns a lesson description into what the data files hold: paletted pictures, item
// rectangles in view coordinates, role chains and clip samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/zorva-lesson/LessonDescription.h"
#include "tools/zorva-lesson/Picture.h"

namespace zorva::builder {

// Where Zorva places pictures in its view.
constexpr int kPictureLeft = 110;
constexpr int kPageTop = -20;
constexpr int kTitleTop = 0;

struct BuiltItem {
  ViewRect audio;
  ViewRect role;        // empty (top == bottom) when the item has no role rectangle
  int role_head = -1;
  int next_in_role = -1;
  std::string name;
  std::vector<int16_t> samples;  // empty: no clip
};

struct BuiltPage {
  std::string file_name;  // 14101.pge ...
  std::string prev_name;
  std::string next_name;
  std::string info;
  PalettedImage picture;
  std::vector<BuiltItem> items;
};

struct BuiltBook {
  PalettedImage title;
  std::vector<BuiltPage> pages;  // all lessons, in order
};

// The page file name for page `page` (1-based) of lesson `lesson`.
std::string pageFileName(int lesson, int page);

// Chains the items of each named role in page order and sets every member's role head.
void chainRoles(std::vector<BuiltItem>& items, const std::vector<std::string>& roles);

BuiltBook assemble(const BookSpec& book);

}  // namespace zorva::builder
