// Where a message box drawn by the desktop puts its parts, with text measured at 7 pixels a
// character and 13 pixels a line at 1x (both times the factor when scaled).
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/backend/sdl/MessageBoxLayout.h"

namespace zorva::platform {
namespace {

MessageBoxMetrics metricsAt(int factor) {
  return MessageBoxMetrics{static_cast<double>(factor), 13 * factor,
                           [factor](const std::string& line) { return 7 * factor * static_cast<int>(line.size()); }};
}

TEST(MessageBoxLayout, PartsFollowTheDialogMetrics) {
  const std::string long_text(80, 'x');  // 560 pixels: one word, longer than a line
  struct Row {
    const char* what;
    std::string text;
    bool icon;
    size_t buttons;
    int width, height;
    ScreenRect first_line;
  };
  const Row rows[] = {
      // frame 3 + margin 12 + the OK button (wider than the 63-pixel text) + margin 12 + frame 3;
      // a caption of 13 + 5; two lines of text
      {"short text, OK", "Saved it.\nDone", false, 1, 3 + 12 + 75 + 12 + 3, 3 + 18 + 12 + 26 + 12 + 23 + 12 + 3,
       ScreenRect{15, 33, 15 + 63, 46}},
      {"three buttons set the width", "Delete?", false, 3, 3 + 12 + 3 * 75 + 2 * 6 + 12 + 3,
       3 + 18 + 12 + 13 + 12 + 23 + 12 + 3, ScreenRect{15, 33, 15 + 49, 46}},
      {"an icon: text beside it, in the middle of its height", "Stop.", true, 1, 3 + 12 + 32 + 12 + 35 + 12 + 3,
       3 + 18 + 12 + 32 + 12 + 23 + 12 + 3, ScreenRect{15 + 32 + 12, 33 + 9, 15 + 32 + 12 + 35, 33 + 9 + 13}},
      {"a word longer than a line stands alone", "a " + long_text + " b", false, 1, 3 + 12 + 560 + 12 + 3,
       3 + 18 + 12 + 39 + 12 + 23 + 12 + 3, ScreenRect{15, 33, 22, 46}},
  };
  for (const Row& row : rows) {
    const MessageBoxLayout at1 = layoutMessageBox(row.text, "Zorva", row.icon, row.buttons, metricsAt(1));
    EXPECT_EQ(at1.width, row.width) << row.what;
    EXPECT_EQ(at1.height, row.height) << row.what;
    ASSERT_FALSE(at1.line_boxes.empty()) << row.what;
    const ScreenRect& line = at1.line_boxes.front();
    EXPECT_EQ((std::array{line.left, line.top, line.right, line.bottom}),
              (std::array{row.first_line.left, row.first_line.top, row.first_line.right, row.first_line.bottom}))
        << row.what;
    const ScreenRect& last_button = at1.buttons.back();
    EXPECT_EQ(at1.height - last_button.bottom, 12 + 3) << row.what;
    EXPECT_NEAR(at1.buttons.front().left, at1.width - last_button.right, 1) << row.what << ": buttons centred";
    // At 2x, with text twice as large, every part is twice as large and as far (centring may
    // round the other way).
    const MessageBoxLayout at2 = layoutMessageBox(row.text, "Zorva", row.icon, row.buttons, metricsAt(2));
    EXPECT_EQ(at2.width, 2 * at1.width) << row.what;
    EXPECT_EQ(at2.height, 2 * at1.height) << row.what;
    EXPECT_EQ(at2.frame, 2 * at1.frame) << row.what;
    EXPECT_NEAR(at2.buttons.back().right, 2 * last_button.right, 1) << row.what;
    EXPECT_NEAR(at2.line_boxes.front().top, 2 * line.top, 1) << row.what;
  }
}

}  // namespace
}  // namespace zorva::platform
