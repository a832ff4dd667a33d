// The application, its frame and the command route on the headless desktop: pane, frame and
// application each get their commands in that order, LoadFrame takes menu, accelerators and
// title from one resource id, the loop translates accelerators and ends with code 0 when the
// main window closes, and the frame deletes itself.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "platform/win32/user/Resources.h"
#include "tests/support/Desktop.h"

using zorva::testing::Desktop;

namespace {

constexpr UINT kFrameId = 930;
constexpr UINT kViewOnly = 40001;
constexpr UINT kBoth = 40002;
constexpr UINT kAppOnly = 40003;
constexpr UINT kNobody = 40004;
constexpr UINT kGreyed = 40005;
constexpr UINT kRange = 40010;

std::vector<std::string> g_route;

class CRouteView : public CWnd {
 public:
  afx_msg void OnViewOnly() { g_route.push_back("view:only"); }
  afx_msg void OnBoth() { g_route.push_back("view:both"); }
  afx_msg void OnRange(UINT id) { g_route.push_back("view:range" + std::to_string(id - kRange)); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteView, CWnd)
  ON_COMMAND(kViewOnly, OnViewOnly)
  ON_COMMAND(kBoth, OnBoth)
  ON_COMMAND_RANGE(kRange, kRange + 3, OnRange)
END_MESSAGE_MAP()

bool* g_frame_deleted = nullptr;

class CRouteFrame : public CFrameWnd {
 public:
  CRouteView m_view;
  ~CRouteFrame() override {
    if (g_frame_deleted) *g_frame_deleted = true;
  }
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    return m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                         AFX_IDW_PANE_FIRST)
               ? 0
               : -1;
  }
  afx_msg void OnBoth() { g_route.push_back("frame:both"); }
  afx_msg void OnGreyed() { g_route.push_back("frame:greyed"); }
  afx_msg void OnUpdateGreyed(CCmdUI* ui) { ui->Enable(FALSE); }
  BOOL PreCreateWindow(CREATESTRUCT& cs) override {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.x = 0;
    cs.y = 0;
    cs.cx = 500;
    cs.cy = 400;
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(kBoth, OnBoth)
  ON_COMMAND(kGreyed, OnGreyed)
  ON_UPDATE_COMMAND_UI(kGreyed, OnUpdateGreyed)
END_MESSAGE_MAP()

class CRouteApp : public CWinApp {
 public:
  CRouteApp() : CWinApp(nullptr) {}
  bool init_ok = true;
  bool frame_failure_ignored = false;  // as a program whose start-up always returns TRUE
  std::function<void()> after_show;      // what start-up does once its window shows
  afx_msg void OnAppOnly() { g_route.push_back("app:only"); }
  BOOL InitInstance() override {
    if (!init_ok) return FALSE;
    auto* frame = new CRouteFrame;
    m_pMainWnd = frame;
    if (!frame->LoadFrame(kFrameId)) return frame_failure_ignored;
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    if (after_show) after_show();
    return TRUE;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteApp, CWinApp)
  ON_COMMAND(kAppOnly, OnAppOnly)
END_MESSAGE_MAP()

const bool registered = [] {
  using namespace zorva::platform;
  registerMenu(kFrameId, {MenuItemTemplate{"&File", 0, MF_POPUP,
                                           {MenuItemTemplate{"E&xit", ID_APP_EXIT, 0, {}}}}});
  registerAccelerators(kFrameId, {ACCEL{FVIRTKEY | FCONTROL, 'K', kAppOnly}});
  registerStrings({{kFrameId, "Route Test\nDocument"}, {AFX_IDS_APP_TITLE, "Route App"}});
  return true;
}();

class AppFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(registered);
    g_route.clear();
    g_frame_deleted = &deleted;
  }
  void TearDown() override { g_frame_deleted = nullptr; }
  CRouteFrame* start() {
    if (!app.InitInstance()) return nullptr;
    return static_cast<CRouteFrame*>(app.m_pMainWnd);
  }
  // Runs the loop; the desktop says it has nothing more to give by closing the window.
  int runUntilClosed() {
    desk.backend().onIdle = [this] {
      desk.backend().onIdle = nullptr;
      desk.requestClose();
    };
    return app.Run();
  }
  Desktop desk{1024, 738};
  CRouteApp app;
  bool deleted = false;
};

TEST_F(AppFrameTest, CommandsGoToThePaneThenTheFrameThenTheApplication) {
  CRouteFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  for (UINT id : {kViewOnly, kBoth, kAppOnly, kNobody, kRange + 2})
    frame->SendMessage(WM_COMMAND, id, 0);
  EXPECT_EQ(g_route, (std::vector<std::string>{"view:only", "view:both", "app:only",
                                               "view:range2"}));
  EXPECT_TRUE(AfxIsCommandHandled(frame, kAppOnly));
  EXPECT_TRUE(AfxIsCommandHandled(frame, kBoth));
  EXPECT_FALSE(AfxIsCommandHandled(frame, kNobody));
  EXPECT_EQ(g_route.size(), 4u) << "asking runs nothing";
  // Enabling: handled means enabled unless an update handler says otherwise.
  EXPECT_TRUE(AfxIsCommandEnabled(frame, kViewOnly));
  EXPECT_TRUE(AfxIsCommandEnabled(frame, ID_APP_EXIT)) << "the application's own command";
  EXPECT_FALSE(AfxIsCommandEnabled(frame, kNobody));
  EXPECT_FALSE(AfxIsCommandEnabled(frame, kGreyed));
  AFX_CMDHANDLERINFO info;
  EXPECT_TRUE(frame->OnCmdMsg(kBoth, CN_COMMAND, nullptr, &info));
  EXPECT_EQ(info.pTarget, &frame->m_view);
  frame->DestroyWindow();
}

TEST_F(AppFrameTest, LoadFrameTakesMenuAcceleratorsTitleAndKeepsThePaneOverTheClient) {
  CRouteFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(desk.backend().title(), "Route Test") << "the title string's first part";
  EXPECT_NE(frame->GetMenu(), nullptr);
  EXPECT_NE(frame->m_hAccelTable, nullptr);
  EXPECT_EQ(frame->GetPaneWindow(), &frame->m_view);
  EXPECT_EQ(CWnd::GetFocus(), &frame->m_view) << "the shown frame passes the focus on";
  CRect client, pane;
  frame->GetClientRect(&client);
  frame->m_view.GetClientRect(&pane);
  EXPECT_EQ(pane, client);
  EXPECT_LT(client.Height(), desk.backend().contentRect().height()) << "the menu bar's rows";
  desk.resize(420, 300);
  ASSERT_TRUE(desk.pumpUntilIdle());
  frame->GetClientRect(&client);
  frame->m_view.GetClientRect(&pane);
  EXPECT_EQ(client.Width(), 420);
  EXPECT_EQ(pane, client);
  frame->DestroyWindow();
  EXPECT_TRUE(deleted) << "the frame deletes itself";
}

TEST_F(AppFrameTest, LoopTranslatesAcceleratorsAndEndsWithZeroWhenTheFrameCloses) {
  ASSERT_NE(start(), nullptr);
  desk.key('K', zorva::platform::ModCtrl);
  desk.key('K');  // without Ctrl: an ordinary key
  EXPECT_EQ(runUntilClosed(), 0);
  EXPECT_EQ(g_route, (std::vector<std::string>{"app:only"}));
  EXPECT_TRUE(deleted);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST_F(AppFrameTest, AppExitClosesTheMainWindow) {
  CRouteFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  frame->PostMessage(WM_COMMAND, ID_APP_EXIT, 0);
  desk.backend().onIdle = nullptr;
  EXPECT_EQ(app.Run(), 0);
  EXPECT_TRUE(deleted);
}

TEST_F(AppFrameTest, MessageBoxesCarryTheApplicationTitle) {
  CRouteFrame* frame = start();
  ASSERT_NE(frame, nullptr);
  frame->MessageBox("Hello");
  AfxMessageBox("Again", MB_OKCANCEL);
  frame->MessageBox("Own", "Caption");
  const auto& boxes = desk.backend().messageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].caption, "Route App");
  EXPECT_TRUE(boxes[0].has_owner);
  EXPECT_EQ(boxes[1].caption, "Route App");
  EXPECT_EQ(boxes[1].flags, unsigned(MB_OKCANCEL));
  EXPECT_EQ(boxes[2].caption, "Caption");
  frame->DestroyWindow();
}

TEST_F(AppFrameTest, FailedInitLeavesNoWindow) {
  app.init_ok = false;
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(app.ExitInstance(), 0);
  EXPECT_FALSE(desk.backend().windowCreated());
}

TEST_F(AppFrameTest, NoWindowFromTheDesktopEndsTheProgramWithAFailureInsteadOfWaiting) {
  desk.backend().refuseWindows(true);
  app.frame_failure_ignored = true;
  // Without a window the loop would wait for input that never comes (the headless desktop
  // throws then); the entry ends at once with a failure status.
  EXPECT_EQ(AfxWinMain(), 1);
  EXPECT_FALSE(desk.backend().windowCreated());
  EXPECT_TRUE(deleted) << "the frame that got no window is not left behind";
}

TEST_F(AppFrameTest, EntryRunsTheLoopUntilTheMainWindowCloses) {
  desk.backend().onIdle = [this] {
    desk.backend().onIdle = nullptr;
    desk.requestClose();
  };
  EXPECT_EQ(AfxWinMain(), 0);
  EXPECT_TRUE(deleted);
}

// Memory running out while the program starts, outside any message handler, is told to the
// learner and ends the program with a failure instead of aborting it; the window goes.
TEST_F(AppFrameTest, MemoryRunningOutAtStartEndsWithAMessage) {
  const std::vector<std::pair<const char*, std::function<void()>>> rows = {
      {"std::bad_alloc", [] { throw std::bad_alloc(); }},
      {"CMemoryException", [] { AfxThrowMemoryException(); }},
  };
  for (const auto& [label, fail] : rows) {
    deleted = false;
    const size_t boxes = desk.backend().messageBoxes().size();
    app.after_show = fail;
    EXPECT_EQ(AfxWinMain(), 1) << label;
    ASSERT_EQ(desk.backend().messageBoxes().size(), boxes + 1) << label;
    EXPECT_EQ(desk.backend().messageBoxes().back().text, "Out of memory.") << label;
    EXPECT_EQ(desk.backend().messageBoxes().back().caption, "Route App") << label;
    EXPECT_TRUE(deleted) << label << ": the window and its frame are gone";
    EXPECT_EQ(app.m_pMainWnd, nullptr) << label;
  }
}

}  // namespace
