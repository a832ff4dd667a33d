// The main frame's size on different desktops, the Edit menu and the about command.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "app/LabApp.h"
#include "app/MainFrame.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "tests/support/DataFolder.h"

namespace {

using zorva::platform::HeadlessBackend;
using zorva::platform::ScreenRect;

class ShellTest : public ::testing::Test {
protected:
  void SetUp() override { desktop_ = &HeadlessBackend::install(); }
  void TearDown() override {
    if (frame_ != nullptr && ::IsWindow(frame_->m_hWnd)) frame_->DestroyWindow();
  }
  ScreenRect openFrame(int right, int bottom) {
    desktop_->setWorkArea(ScreenRect{0, 0, right, bottom});
    frame_ = new CMainFrame;
    AfxGetApp()->m_pMainWnd = frame_;
    EXPECT_TRUE(frame_->LoadFrame(128, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, NULL));
    return desktop_->outerRect();
  }

  zorva::testing::DataFolder folder_;  // no ZORVADAT here: the book starts without title
  HeadlessBackend* desktop_ = nullptr;
  CMainFrame* frame_ = nullptr;  // deleted by the framework when its window is destroyed
};

void expectOuter(const ScreenRect& r, int width, int height) {
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.width(), width);
  EXPECT_EQ(r.height(), height);
}

TEST_F(ShellTest, FrameIsClampedToTheWorkAreaAtTheOrigin) {
  expectOuter(openFrame(1280, 994), 1024, 716);
}

TEST_F(ShellTest, WorkAreaNotAboveTheLimitsIsUsedAsIs) {
  expectOuter(openFrame(1024, 738), 1024, 738);
}

TEST_F(ShellTest, SmallDesktopGetsItsWholeWorkArea) {
  expectOuter(openFrame(800, 570), 800, 570);
}

TEST_F(ShellTest, ViewFillsTheClientAreaAsThePaneChild) {
  openFrame(1280, 994);
  CWnd* pView = frame_->GetDlgItem(AFX_IDW_PANE_FIRST);
  ASSERT_EQ(pView, &frame_->m_lessonView);
  CRect client, view;
  frame_->GetClientRect(&client);
  pView->GetWindowRect(&view);
  frame_->ScreenToClient(&view);
  EXPECT_EQ(view, client);
  EXPECT_EQ(frame_->m_lessonView.GetExStyle() & WS_EX_CLIENTEDGE, (DWORD)WS_EX_CLIENTEDGE);
  EXPECT_EQ(frame_->m_lessonView.GetStyle() & WS_BORDER, 0u);
}

void pumpQueue() {
  MSG msg;
  for (int i = 0; i < 1000 && ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE); i++) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

TEST_F(ShellTest, EditItemsAreGreyedAndAboutIsEnabled) {
  openFrame(1280, 994);
  frame_->ShowWindow(SW_SHOW);
  frame_->UpdateWindow();
  HMENU menu = ::GetMenu(frame_->m_hWnd);
  ASSERT_NE(menu, (HMENU)NULL);
  // Opening a popup asks the command route about each of its items.
  auto openPopup = [&](unsigned letter) {
    zorva::platform::InputEvent key;
    key.kind = zorva::platform::InputKind::KeyDown;
    key.virtual_key = letter;
    key.modifiers = zorva::platform::ModAlt;
    desktop_->inject(key);
    pumpQueue();
    key.virtual_key = VK_ESCAPE;
    key.modifiers = 0;
    desktop_->inject(key);
    pumpQueue();
  };
  openPopup('E');
  for (UINT id : {0xE12Bu, 0xE123u, 0xE122u, 0xE125u})
    EXPECT_TRUE(::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) << id;
  openPopup('H');
  EXPECT_FALSE(::GetMenuState(menu, 0xE140, MF_BYCOMMAND) & MF_GRAYED);
}

}  // namespace
