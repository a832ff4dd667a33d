// CWnd's message maps and handle maps on the headless desktop: handlers called with their own
// signatures, base maps searched after the derived one, Default() reaching the default
// procedure, window DCs given back, and generated window classes reused.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "platform/win32/Surface.h"
#include "tests/support/Desktop.h"
#include "tests/support/MessageLog.h"

using namespace zorva::testing;

namespace {

// Logs what its handlers were given, packed back into a message's parameters.
class CProbeWnd : public CWnd {
 public:
  int create_answer = 0;
  BOOL erase_answer = TRUE;
  HDC paint_dc = nullptr;

  void log(UINT message, WPARAM w = 0, LPARAM l = 0) {
    messageLog().push_back({m_hWnd, message, w, l});
  }
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    log(WM_CREATE, cs->style & WS_CHILD ? 1 : 0, MAKELPARAM(cs->cx, cs->cy));
    return create_answer;
  }
  afx_msg void OnLButtonDown(UINT flags, CPoint p) {
    log(WM_LBUTTONDOWN, flags, MAKELPARAM(p.x, p.y));
    Default();
  }
  afx_msg void OnKeyDown(UINT ch, UINT rep, UINT) { log(WM_KEYDOWN, ch, rep); }
  afx_msg void OnSize(UINT type, int cx, int cy) { log(WM_SIZE, type, MAKELPARAM(cx, cy)); }
  afx_msg void OnSetFocus(CWnd* old) { log(WM_SETFOCUS, old != nullptr); }
  afx_msg BOOL OnEraseBkgnd(CDC* dc) {
    log(WM_ERASEBKGND, dc != nullptr && dc->m_hDC != nullptr);
    // Answering TRUE means erased: the default procedure fills with the class brush.
    return erase_answer ? static_cast<BOOL>(Default()) : FALSE;
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    paint_dc = dc.m_hDC;
    log(WM_PAINT, dc.m_ps.fErase);
  }
  afx_msg LRESULT OnProbe(WPARAM w, LPARAM l) {
    log(WM_USER + 5, w, l);
    return 77;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_MESSAGE(WM_USER + 5, OnProbe)
END_MESSAGE_MAP()

// A derived class with its own entry: the base class's entries still apply.
class CDerivedProbe : public CProbeWnd {
 public:
  afx_msg void OnRButtonDown(UINT, CPoint p) { log(WM_RBUTTONDOWN, 0, MAKELPARAM(p.x, p.y)); }
  afx_msg LRESULT OnOverride(WPARAM, LPARAM) {
    log(WM_USER + 5);
    return 5;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CProbeWnd)
  ON_WM_RBUTTONDOWN()
  ON_MESSAGE(WM_USER + 5, OnOverride)
END_MESSAGE_MAP()

class WndTest : public ::testing::Test {
 protected:
  void SetUp() override { messageLog().clear(); }
  BOOL makeTop(CWnd& w, int cx = 300, int cy = 200) {
    return w.CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_WINDOW + 1)), "Top",
                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, cx, cy, nullptr, nullptr);
  }
  Desktop desk{1024, 738};
};

TEST_F(WndTest, HandlersGetTheirOwnArguments) {
  CProbeWnd top;
  ASSERT_TRUE(makeTop(top, 320, 240));
  CProbeWnd view;
  ASSERT_TRUE(view.Create(nullptr, nullptr, WS_VISIBLE, CRect(10, 20, 110, 70), &top, 5));
  EXPECT_EQ(CWnd::FromHandle(view.m_hWnd), &view);
  EXPECT_EQ(view.GetParent(), &top);
  EXPECT_EQ(top.GetDlgItem(5), &view);
  ASSERT_TRUE(desk.pumpUntilIdle());
  // WM_CREATE reached the object itself, with the creation sizes (Create makes a child), then
  // WM_SIZE; the default class has no brush, so the paint finds nothing erased.
  const ExpectedMessage shown[] = {{WM_CREATE, 1, MAKELPARAM(100, 50)},
                                   {WM_SIZE, {}, MAKELPARAM(100, 50)},
                                   {WM_ERASEBKGND},
                                   {WM_PAINT, TRUE},
                                   {0}};
  EXPECT_TRUE(LogMatches(shown, {.window = view.m_hWnd}));
  EXPECT_FALSE(::GetUpdateRect(view.m_hWnd, nullptr, FALSE)) << "CPaintDC validated";

  messageLog().clear();
  view.SetFocus();
  desk.click(view.m_hWnd, 7, 9);
  desk.key('Q');
  ASSERT_TRUE(desk.pumpUntilIdle());
  EXPECT_EQ(view.SendMessage(WM_USER + 5, 3, 4), 77);
  EXPECT_EQ(view.SendMessage(WM_USER + 6, 0, 0), 0) << "no entry: the default procedure";
  // The key's repeat count comes from the low word.
  const ExpectedMessage handled[] = {{WM_SETFOCUS},
                                     {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 9)},
                                     {WM_KEYDOWN, 'Q', 1},
                                     {WM_USER + 5, 3, 4},
                                     {0}};
  EXPECT_TRUE(LogMatches(handled, {.window = view.m_hWnd}));
}

TEST_F(WndTest, DerivedMapsComeFirstAndBaseEntriesStillApply) {
  CProbeWnd top;
  ASSERT_TRUE(makeTop(top));
  CDerivedProbe view;
  ASSERT_TRUE(view.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
  const ExpectedMessage created[] = {{WM_CREATE}, {0}};  // from the base map
  EXPECT_TRUE(LogMatches(created, {{WM_CREATE}, view.m_hWnd}));
  ASSERT_TRUE(desk.pumpUntilIdle());
  messageLog().clear();
  EXPECT_EQ(view.SendMessage(WM_USER + 5), 5);
  desk.rightClick(view.m_hWnd, 3, 4);
  ASSERT_TRUE(desk.pumpUntilIdle());
  const ExpectedMessage handled[] = {{WM_USER + 5}, {WM_RBUTTONDOWN}, {0}};
  EXPECT_TRUE(LogMatches(handled, {.window = view.m_hWnd}));
}

TEST_F(WndTest, RefusedCreationAndDestructionUnbindTheObject) {
  CProbeWnd top;
  ASSERT_TRUE(makeTop(top));
  CProbeWnd refused;
  refused.create_answer = -1;
  EXPECT_FALSE(refused.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 5, 5), &top, 2));
  EXPECT_EQ(refused.m_hWnd, nullptr);
  EXPECT_EQ(top.GetDlgItem(2), nullptr);

  CProbeWnd child;
  ASSERT_TRUE(child.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 5, 5), &top, 3));
  HWND h = child.m_hWnd;
  EXPECT_TRUE(top.DestroyWindow());
  EXPECT_EQ(child.m_hWnd, nullptr) << "the child went with its parent";
  EXPECT_EQ(top.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
  EXPECT_EQ(CWnd::FromHandle(h), nullptr);
}

TEST_F(WndTest, ForeignWindowsGetTemporaryWrappers) {
  registerWindowClass("ForeignPlain", DefWindowProcA);
  HWND raw = CreateWindowExA(0, "ForeignPlain", "Foreign", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                             nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(raw, nullptr);
  CWnd* wrapper = CWnd::FromHandle(raw);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper->m_hWnd, raw);
  EXPECT_EQ(CWnd::FromHandle(raw), wrapper) << "one wrapper per window";
  EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
  CString text;
  wrapper->GetWindowText(text);
  EXPECT_STREQ(text, "Foreign");
  DestroyWindow(raw);
  EXPECT_EQ(CWnd::FromHandle(raw), nullptr);
}

TEST_F(WndTest, WindowDcsAreGivenBackAndDetached) {
  CProbeWnd top;
  ASSERT_TRUE(makeTop(top));
  ASSERT_TRUE(desk.pumpUntilIdle());
  HDC held = nullptr;
  {
    CClientDC dc(&top);
    held = dc.m_hDC;
    EXPECT_EQ(zorva::platform::windowOfDC(held), top.m_hWnd);
    CBrush green(RGB(0, 255, 0));
    CRect r(0, 0, 4, 4);
    dc.FillRect(&r, &green);
  }
  EXPECT_EQ(zorva::platform::windowOfDC(held), nullptr) << "released with the object";
  EXPECT_EQ(desk.pixel(top.m_hWnd, 3, 3), RGB(0, 255, 0));
  EXPECT_EQ(desk.pixel(top.m_hWnd, 4, 4), RGB(255, 255, 255));

  CDC* dc = top.GetDC();
  ASSERT_NE(dc, nullptr);
  held = dc->m_hDC;
  EXPECT_EQ(top.ReleaseDC(dc), 1);
  EXPECT_EQ(zorva::platform::windowOfDC(held), nullptr);

  // A paint DC is gone after the paint, and the erase answer decides fErase.
  top.erase_answer = FALSE;
  top.Invalidate(TRUE);
  top.UpdateWindow();
  ASSERT_NE(top.paint_dc, nullptr);
  EXPECT_EQ(zorva::platform::windowOfDC(top.paint_dc), nullptr);
  EXPECT_EQ(messageLog().back().message, UINT(WM_PAINT));
  EXPECT_TRUE(messageLog().back().wParam) << "the handler said it did not erase";
}

TEST(WndClass, RegisteredOncePerDistinctSet) {
  Desktop desk;
  HBRUSH brush = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  LPCTSTR a = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW, arrow, brush);
  LPCTSTR again = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW, arrow, brush);
  LPCTSTR other = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW, arrow, nullptr);
  EXPECT_EQ(a, again);
  EXPECT_STRNE(a, other);
  WNDCLASSA info{};
  ASSERT_TRUE(GetClassInfoA(nullptr, a, &info));
  EXPECT_EQ(info.style, UINT(CS_DBLCLKS | CS_HREDRAW));
  EXPECT_EQ(info.hbrBackground, brush);
  EXPECT_EQ(info.hCursor, arrow);
  EXPECT_EQ(info.lpfnWndProc, &CWnd::AfxWndProc);
}

}  // namespace

namespace {

class CDoubleView : public CWnd {
 public:
  afx_msg void OnLButtonDown(UINT, CPoint p) { log(WM_LBUTTONDOWN, p.x); }
  afx_msg void OnLButtonDblClk(UINT, CPoint p) { log(WM_LBUTTONDBLCLK, p.x); }
  afx_msg void OnRButtonDblClk(UINT, CPoint) { log(WM_RBUTTONDBLCLK, 0); }
  void log(UINT message, int x) { messageLog().push_back({m_hWnd, message, 0, x}); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDoubleView, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDBLCLK()
END_MESSAGE_MAP()

TEST(WndDoubleClick, OnlyClassesThatAskGetDoubleClicks) {
  Desktop desk(800, 570);
  messageLog().clear();
  CWnd top;
  ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "Top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                           0, 400, 300, nullptr, nullptr));
  CDoubleView asks, plain;
  ASSERT_TRUE(asks.CreateEx(WS_EX_CLIENTEDGE, AfxRegisterWndClass(CS_DBLCLKS), nullptr,
                            WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
  ASSERT_TRUE(plain.Create(AfxRegisterWndClass(0), nullptr, WS_VISIBLE, CRect(200, 0, 300, 100),
                           &top, 2));
  desk.doubleClick(asks.m_hWnd, 5, 5);
  desk.doubleClick(plain.m_hWnd, 6, 6);
  ASSERT_TRUE(desk.pumpUntilIdle());
  const ExpectedMessage asked[] = {{WM_LBUTTONDOWN, {}, 5}, {WM_LBUTTONDBLCLK, {}, 5}, {0}};
  EXPECT_TRUE(LogMatches(asked, {.window = asks.m_hWnd}));
  const ExpectedMessage twice[] = {{WM_LBUTTONDOWN, {}, 6}, {WM_LBUTTONDOWN, {}, 6}, {0}};
  EXPECT_TRUE(LogMatches(twice, {.window = plain.m_hWnd}));
}

}  // namespace

// Memory running out inside a handler: "Out of memory." is shown, the handler's message ends
// there, and the window goes on handling messages, whichever loop dispatched it.
class CHungryWnd : public CProbeWnd {
 public:
  bool framework_exception = false;
  afx_msg void OnLButtonDown(UINT, CPoint) {
    log(WM_LBUTTONDOWN);
    if (framework_exception) AfxThrowMemoryException();
    throw std::bad_alloc();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHungryWnd, CProbeWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

TEST_F(WndTest, MemoryExceptionsLeavingAHandlerAreReportedAndTheProgramGoesOn) {
  for (bool framework_exception : {false, true}) {
    SCOPED_TRACE(framework_exception ? "CMemoryException" : "std::bad_alloc");
    CHungryWnd top;
    top.framework_exception = framework_exception;
    ASSERT_TRUE(makeTop(top));
    ASSERT_TRUE(desk.pumpUntilIdle());
    const size_t boxes = desk.backend().messageBoxes().size();
    messageLog().clear();
    desk.click(top.m_hWnd, 5, 5);
    ASSERT_TRUE(desk.pumpUntilIdle());
    EXPECT_EQ(top.SendMessage(WM_USER + 5, 1, 2), 77) << "later messages are handled";
    const ExpectedMessage handled[] = {{WM_LBUTTONDOWN}, {WM_USER + 5}, {0}};
    EXPECT_TRUE(LogMatches(handled));
    ASSERT_EQ(desk.backend().messageBoxes().size(), boxes + 1);
    EXPECT_EQ(desk.backend().messageBoxes().back().text, "Out of memory.");
    EXPECT_EQ(desk.backend().messageBoxes().back().flags, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
    top.DestroyWindow();
  }
}
