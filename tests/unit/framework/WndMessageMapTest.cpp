// CWnd's message maps and handle maps on the headless desktop: handlers called with their own
// signatures, base maps searched after the derived one, Default() reaching the default
// procedure, window DCs given back, and generated window classes reused.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>
#include <vector>

#include "platform/win32/Surface.h"
#include "tests/support/Desktop.h"

using zorva::testing::Desktop;

namespace {

struct Call {
  std::string what;
  int a = 0;
  int b = 0;
  int c = 0;
};

class CProbeWnd : public CWnd {
 public:
  std::vector<Call> calls;
  int create_answer = 0;
  BOOL erase_answer = TRUE;
  HDC paint_dc = nullptr;

  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    calls.push_back({"create", cs->cx, cs->cy, cs->style & WS_CHILD ? 1 : 0});
    return create_answer;
  }
  afx_msg void OnLButtonDown(UINT flags, CPoint p) {
    calls.push_back({"ldown", static_cast<int>(flags), p.x, p.y});
    Default();
  }
  afx_msg void OnKeyDown(UINT ch, UINT rep, UINT flags) {
    calls.push_back({"key", static_cast<int>(ch), static_cast<int>(rep), static_cast<int>(flags)});
  }
  afx_msg void OnSize(UINT type, int cx, int cy) {
    calls.push_back({"size", static_cast<int>(type), cx, cy});
  }
  afx_msg void OnSetFocus(CWnd* old) { calls.push_back({"focus", old == nullptr ? 0 : 1}); }
  afx_msg BOOL OnEraseBkgnd(CDC* dc) {
    calls.push_back({"erase", dc != nullptr && dc->m_hDC != nullptr ? 1 : 0});
    // Answering TRUE means erased: the default procedure fills with the class brush.
    return erase_answer ? static_cast<BOOL>(Default()) : FALSE;
  }
  afx_msg void OnPaint() {
    CPaintDC dc(this);
    paint_dc = dc.m_hDC;
    calls.push_back({"paint", dc.m_ps.fErase});
  }
  afx_msg LRESULT OnProbe(WPARAM w, LPARAM l) {
    calls.push_back({"probe", static_cast<int>(w), static_cast<int>(l)});
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
  afx_msg void OnRButtonDown(UINT, CPoint p) { calls.push_back({"rdown", p.x, p.y}); }
  afx_msg LRESULT OnOverride(WPARAM, LPARAM) {
    calls.push_back({"override"});
    return 5;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbe, CProbeWnd)
  ON_WM_RBUTTONDOWN()
  ON_MESSAGE(WM_USER + 5, OnOverride)
END_MESSAGE_MAP()

std::vector<std::string> names(const std::vector<Call>& calls) {
  std::vector<std::string> out;
  for (const Call& c : calls) out.push_back(c.what);
  return out;
}

class WndTest : public ::testing::Test {
 protected:
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
  // WM_CREATE reached the object itself, with the creation sizes; WM_SIZE came after it.
  ASSERT_GE(view.calls.size(), 2u);
  EXPECT_EQ(view.calls[0].what, "create");
  EXPECT_EQ(view.calls[0].a, 100);
  EXPECT_EQ(view.calls[0].b, 50);
  EXPECT_EQ(view.calls[0].c, 1) << "Create makes a child";
  EXPECT_EQ(view.calls[1].what, "size");
  EXPECT_EQ(view.calls[1].b, 100);
  EXPECT_EQ(view.calls[1].c, 50);
  EXPECT_EQ(CWnd::FromHandle(view.m_hWnd), &view);
  EXPECT_EQ(view.GetParent(), &top);
  EXPECT_EQ(top.GetDlgItem(5), &view);

  ASSERT_TRUE(desk.pumpUntilIdle());
  EXPECT_EQ(names(view.calls),
            (std::vector<std::string>{"create", "size", "erase", "paint"}));
  EXPECT_TRUE(view.calls[3].a) << "the default class has no brush: nothing was erased";
  EXPECT_FALSE(::GetUpdateRect(view.m_hWnd, nullptr, FALSE)) << "CPaintDC validated";

  view.calls.clear();
  view.SetFocus();
  desk.click(view.m_hWnd, 7, 9);
  desk.key('Q');
  ASSERT_TRUE(desk.pumpUntilIdle());
  ASSERT_EQ(names(view.calls), (std::vector<std::string>{"focus", "ldown", "key"}));
  EXPECT_EQ(view.calls[1].a, MK_LBUTTON);
  EXPECT_EQ(view.calls[1].b, 7);
  EXPECT_EQ(view.calls[1].c, 9);
  EXPECT_EQ(view.calls[2].a, 'Q');
  EXPECT_EQ(view.calls[2].b, 1) << "repeat count from the low word";
  EXPECT_EQ(view.SendMessage(WM_USER + 5, 3, 4), 77);
  EXPECT_EQ(view.calls.back().a, 3);
  EXPECT_EQ(view.calls.back().b, 4);
  EXPECT_EQ(view.SendMessage(WM_USER + 6, 0, 0), 0) << "no entry: the default procedure";
}

TEST_F(WndTest, DerivedMapsComeFirstAndBaseEntriesStillApply) {
  CProbeWnd top;
  ASSERT_TRUE(makeTop(top));
  CDerivedProbe view;
  ASSERT_TRUE(view.Create(nullptr, nullptr, WS_VISIBLE, CRect(0, 0, 50, 50), &top, 1));
  EXPECT_EQ(view.calls.front().what, "create") << "from the base map";
  ASSERT_TRUE(desk.pumpUntilIdle());
  view.calls.clear();
  EXPECT_EQ(view.SendMessage(WM_USER + 5), 5);
  desk.rightClick(view.m_hWnd, 3, 4);
  ASSERT_TRUE(desk.pumpUntilIdle());
  EXPECT_EQ(names(view.calls), (std::vector<std::string>{"override", "rdown"}));
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
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "ForeignPlain";
  RegisterClassA(&wc);
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
  EXPECT_TRUE(top.calls.back().a) << "the handler said it did not erase";
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
  std::vector<std::string> seen;
  afx_msg void OnLButtonDown(UINT, CPoint p) { seen.push_back("down" + std::to_string(p.x)); }
  afx_msg void OnLButtonDblClk(UINT, CPoint p) { seen.push_back("dbl" + std::to_string(p.x)); }
  afx_msg void OnRButtonDblClk(UINT, CPoint) { seen.push_back("rdbl"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDoubleView, CWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDBLCLK()
END_MESSAGE_MAP()

TEST(WndDoubleClick, OnlyClassesThatAskGetDoubleClicks) {
  Desktop desk(800, 570);
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
  EXPECT_EQ(asks.seen, (std::vector<std::string>{"down5", "dbl5"}));
  EXPECT_EQ(plain.seen, (std::vector<std::string>{"down6", "down6"}));
}

}  // namespace

// Memory running out inside a handler: "Out of memory." is shown, the handler's message ends
// there, and the window goes on handling messages, whichever loop dispatched it.
class CHungryWnd : public CProbeWnd {
 public:
  bool framework_exception = false;
  afx_msg void OnLButtonDown(UINT, CPoint) {
    calls.push_back({"hungry"});
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
    top.calls.clear();
    desk.click(top.m_hWnd, 5, 5);
    ASSERT_TRUE(desk.pumpUntilIdle());
    EXPECT_EQ(top.SendMessage(WM_USER + 5, 1, 2), 77) << "later messages are handled";
    EXPECT_EQ(names(top.calls), (std::vector<std::string>{"hungry", "probe"}));
    ASSERT_EQ(desk.backend().messageBoxes().size(), boxes + 1);
    EXPECT_EQ(desk.backend().messageBoxes().back().text, "Out of memory.");
    EXPECT_EQ(desk.backend().messageBoxes().back().flags, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
    top.DestroyWindow();
  }
}
