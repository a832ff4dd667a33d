// Window classes made on demand: one per distinct (style, cursor, brush, icon), all with the
// framework's window procedure.
#include <cstdio>
#include <map>
#include <string>
#include <tuple>

#include "AfxWindow.h"

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground,
                                   HICON hIcon) {
  using Key = std::tuple<UINT, HCURSOR, HBRUSH, HICON>;
  static std::map<Key, std::string> names;  // the names stay valid for the program's life
  const Key key{nClassStyle, hCursor, hbrBackground, hIcon};
  if (auto it = names.find(key); it != names.end()) return it->second.c_str();
  char name[96];
  std::snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor),
                static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
  WNDCLASSA wc{};
  wc.style = nClassStyle;
  wc.lpfnWndProc = &CWnd::AfxWndProc;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hIcon = hIcon;
  wc.hCursor = hCursor;
  wc.hbrBackground = hbrBackground;
  wc.lpszClassName = name;
  WNDCLASSA existing{};
  if (!::RegisterClassA(&wc) && !::GetClassInfoA(wc.hInstance, name, &existing))
    AfxThrowResourceException();
  return names.emplace(key, name).first->second.c_str();
}
