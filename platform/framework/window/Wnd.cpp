// CWnd: the handle maps, creation hooked so the object sees WM_CREATE, and message dispatch
// through the message map.
#include "Wnd.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "AfxWindow.h"
#include "OutOfMemory.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

struct WndMaps {
  std::unordered_map<HWND, CWnd*> permanent;
  std::unordered_map<HWND, CWnd*> temporary;  // wrappers FromHandle made; owned here
  std::unordered_set<const CWnd*> live;        // every CWnd object not yet destroyed
  CWnd* creating = nullptr;                    // the object whose window is being made
  // Window procedures running now. A window destroyed inside another window's handler (a
  // close dispatched during a long click) ends its object only when the outermost handler has
  // returned, so no handler still on the stack runs on a deleted object.
  int dispatch_depth = 0;
  std::vector<CWnd*> ending;
};

WndMaps& maps() {
  static WndMaps m;
  return m;
}

// Temporary wrappers of windows that are gone are dropped.
void sweepTemporaries() {
  auto& temps = maps().temporary;
  for (auto it = temps.begin(); it != temps.end();) {
    if (::IsWindow(it->first)) {
      ++it;
      continue;
    }
    CWnd* wrapper = it->second;
    it = temps.erase(it);
    wrapper->m_hWnd = nullptr;
    delete wrapper;
  }
}

}  // namespace

// Keeps the message a CWnd is handling, for Default(), across nested messages.
struct WndMessageScope {
  WndMessageScope(CWnd* wnd, const MSG* msg) : wnd_(wnd), saved_(wnd->m_pCurrentMsg) {
    wnd->m_pCurrentMsg = msg;
  }
  ~WndMessageScope() {
    if (maps().live.count(wnd_)) wnd_->m_pCurrentMsg = saved_;
  }
  WndMessageScope(const WndMessageScope&) = delete;
  WndMessageScope& operator=(const WndMessageScope&) = delete;

 private:
  CWnd* wnd_;
  const MSG* saved_;
};

CWnd::CWnd() { maps().live.insert(this); }

CWnd::~CWnd() {
  maps().live.erase(this);
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
    // The object goes first: its window must not call into it afterwards.
    HWND h = m_hWnd;
    maps().permanent.erase(h);
    m_hWnd = nullptr;
    ::DestroyWindow(h);
  }
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
  auto it = maps().permanent.find(hWnd);
  return it == maps().permanent.end() ? nullptr : it->second;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  if (CWnd* p = FromHandlePermanent(hWnd)) return p;
  sweepTemporaries();
  if (!::IsWindow(hWnd)) return nullptr;
  auto& temps = maps().temporary;
  auto it = temps.find(hWnd);
  if (it != temps.end()) return it->second;
  CWnd* wrapper = new CWnd;
  wrapper->m_hWnd = hWnd;
  temps[hWnd] = wrapper;
  return wrapper;
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr)
    return FALSE;
  auto& temps = maps().temporary;
  if (auto it = temps.find(hWndNew); it != temps.end()) {
    it->second->m_hWnd = nullptr;
    delete it->second;
    temps.erase(it);
  }
  m_hWnd = hWndNew;
  maps().permanent[hWndNew] = this;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h != nullptr && FromHandlePermanent(h) == this) maps().permanent.erase(h);
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu, LPVOID lpParam) {
  if (m_hWnd != nullptr) return FALSE;  // already has a window
  CREATESTRUCT cs{};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = static_cast<LONG>(dwStyle);
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  CWnd* outer = maps().creating;
  maps().creating = this;
  HWND h = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName,
                             static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                             cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  // A class whose procedure is not ours never met the hook: bind it now.
  if (maps().creating == this && h != nullptr) Attach(h);
  maps().creating = outer;
  return h != nullptr && m_hWnd == h;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                    DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                    LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top,
                  pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, void*) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

// After memory ran out in a handler: a window that could not be created is not created; a paint
// that failed is not asked again.
static LRESULT resultAfterOutOfMemory(HWND hWnd, UINT message) {
  if (message == WM_CREATE) return -1;
  if (message == WM_PAINT) ::ValidateRect(hWnd, nullptr);
  return 0;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = FromHandlePermanent(hWnd);
  if (wnd == nullptr && maps().creating != nullptr && maps().creating->m_hWnd == nullptr) {
    // The first message of a window CreateEx is making: bind it to its object.
    wnd = maps().creating;
    maps().creating = nullptr;
    wnd->Attach(hWnd);
  }
  if (wnd == nullptr) return ::DefWindowProcA(hWnd, message, wParam, lParam);
  const MSG msg{hWnd, message, wParam, lParam, ::GetMessageTime(), {0, 0}};
  LRESULT result = 0;
  WndMaps& m = maps();
  ++m.dispatch_depth;
  {
    WndMessageScope scope(wnd, &msg);
    // Memory running out inside a handler is reported and the program goes on, as the
    // framework's own message loop does; every message loop, nested ones too, dispatches here.
    CWnd* main = AfxGetMainWnd();
    if (AfxRunTellingOutOfMemory(main != nullptr ? main->GetSafeHwnd() : nullptr,
                                 [&] { result = wnd->WindowProc(message, wParam, lParam); }))
      result = resultAfterOutOfMemory(hWnd, message);
  }
  if (message == WM_NCDESTROY && m.live.count(wnd) && wnd->m_hWnd == hWnd) {
    // The window is gone: unbind the object; the main window's end ends the program.
    wnd->Detach();
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == wnd) {
      app->m_pMainWnd = nullptr;
      ::PostQuitMessage(0);
    }
    m.ending.push_back(wnd);
  }
  if (--m.dispatch_depth == 0) {
    std::vector<CWnd*> ending;
    ending.swap(m.ending);
    for (CWnd* gone : ending)
      if (m.live.count(gone)) gone->PostNcDestroy();
  }
  return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  if (m_pCurrentMsg == nullptr) return 0;  // not handling a message
  return DefWindowProc(m_pCurrentMsg->message, m_pCurrentMsg->wParam, m_pCurrentMsg->lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  // Menus (code 0) and accelerators (code 1) both run the command.
  return OnCmdMsg(LOWORD(wParam), CN_COMMAND, nullptr, nullptr);
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    if (pResult) *pResult = 1;
    return TRUE;
  }
  const AFX_MSGMAP_ENTRY* e = AfxFindMessageEntry(GetMessageMap(), message, 0, 0);
  if (e == nullptr) return FALSE;
  const AFX_PMSG f = e->pfn;
  const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  switch (e->nSig) {
    case AfxSig_vv: (this->*reinterpret_cast<void (CWnd::*)()>(f))(); break;
    case AfxSig_is:
      result = (this->*reinterpret_cast<int (CWnd::*)(LPCREATESTRUCT)>(f))(
          reinterpret_cast<LPCREATESTRUCT>(lParam));
      break;
    case AfxSig_vW:
      (this->*reinterpret_cast<void (CWnd::*)(CWnd*)>(f))(
          FromHandle(reinterpret_cast<HWND>(wParam)));
      break;
    case AfxSig_vwp:
      (this->*reinterpret_cast<void (CWnd::*)(UINT, CPoint)>(f))(static_cast<UINT>(wParam), point);
      break;
    case AfxSig_vwww:
      (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, UINT)>(f))(
          static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_vwii:
      (this->*reinterpret_cast<void (CWnd::*)(UINT, int, int)>(f))(
          static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_bD:
      result = (this->*reinterpret_cast<BOOL (CWnd::*)(CDC*)>(f))(
          CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
      break;
    case AfxSig_vt:
      (this->*reinterpret_cast<void (CWnd::*)(UINT_PTR)>(f))(static_cast<UINT_PTR>(wParam));
      break;
    case AfxSig_vMwb:
      (this->*reinterpret_cast<void (CWnd::*)(CMenu*, UINT, BOOL)>(f))(
          CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_lwl:
      result = (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(f))(wParam, lParam);
      break;
    default:
      return FALSE;
  }
  if (pResult) *pResult = result;
  return TRUE;
}
#pragma GCC diagnostic pop

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }
