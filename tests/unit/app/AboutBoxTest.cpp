// Help > About opens the modal about box over the frame, with its texts and OK button; Enter
// closes it and the frame takes input again.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "tests/support/DataFolder.h"
#include "tests/support/Desktop.h"

namespace {

using zorva::platform::InputEvent;
using zorva::platform::InputKind;

TEST(AboutBox, ShowsItsTextsAndClosesWithEnter) {
  zorva::testing::Desktop desktop;
  zorva::testing::DataFolder folder;  // no ZORVADAT: the box about it is answered with OK
  ASSERT_TRUE(AfxGetApp()->InitInstance());
  CWnd* frame = AfxGetMainWnd();
  ASSERT_NE(frame, nullptr);
  desktop.pumpUntilIdle();

  int dark_pixels = -1;  // text pixels inside the box while it is open
  desktop.backend().onIdle = [&] {
    if (dark_pixels >= 0) return;
    const auto& pixels = desktop.backend().contentPixels();
    const int width = desktop.backend().contentWidth();
    dark_pixels = 0;
    // The box is centred over the frame; count near-black pixels in the frame's middle.
    for (int y = 250; y < 450; ++y)
      for (int x = 330; x < 700; ++x)
        if ((pixels[size_t(y) * width + x] & 0xFFFFFF) == 0) ++dark_pixels;
    InputEvent enter;
    enter.kind = InputKind::KeyDown;
    enter.virtual_key = VK_RETURN;
    desktop.backend().inject(enter);
  };
  frame->PostMessage(WM_COMMAND, ID_APP_ABOUT, 0);
  desktop.pumpUntilIdle();
  EXPECT_GT(dark_pixels, 200) << "the box's texts and OK button are drawn in black";
  EXPECT_TRUE(::IsWindowEnabled(frame->m_hWnd)) << "the frame takes input again";
  frame->DestroyWindow();
}

}  // namespace
