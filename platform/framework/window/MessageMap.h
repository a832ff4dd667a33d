// Message maps: tables that bind window messages and command ids to member functions, searched
// from the most derived class to its bases, as the framework's message maps are.
#pragma once

#include <windows.h>

class CCmdTarget;
class CWnd;
class CDC;
class CCmdUI;
class CMenu;

#ifndef afx_msg
#define afx_msg
#endif
#define PASCAL

typedef void (CCmdTarget::*AFX_PMSG)(void);
typedef void (CWnd::*AFX_PMSGW)(void);

// How an entry's function is called: its parameters and what it returns.
enum AfxSig : UINT_PTR {
  AfxSig_end = 0,
  AfxSig_vv,        // void ()                       WM_PAINT, WM_DESTROY, WM_CLOSE, ON_COMMAND
  AfxSig_is,        // int (LPCREATESTRUCT)          WM_CREATE
  AfxSig_vW,        // void (CWnd*)                  WM_SETFOCUS, WM_KILLFOCUS
  AfxSig_vwp,       // void (UINT, CPoint)           mouse messages
  AfxSig_vwww,      // void (UINT, UINT, UINT)       key messages
  AfxSig_vwii,      // void (UINT, int, int)         WM_SIZE
  AfxSig_bD,        // BOOL (CDC*)                   WM_ERASEBKGND
  AfxSig_vt,        // void (UINT_PTR)               WM_TIMER
  AfxSig_vMwb,      // void (CMenu*, UINT, BOOL)     WM_INITMENUPOPUP
  AfxSig_lwl,       // LRESULT (WPARAM, LPARAM)      ON_MESSAGE
  AfxSig_vw,        // void (UINT)                   ON_COMMAND_RANGE
  AfxSig_cmdui,     // void (CCmdUI*)                ON_UPDATE_COMMAND_UI
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;   // window message, or WM_COMMAND for command entries
  UINT nCode;      // notification code (0 for menu/accelerator commands; CN_UPDATE_COMMAND_UI)
  UINT nID;        // first command id (0 for window messages)
  UINT nLastID;    // last command id of a range
  UINT_PTR nSig;   // AfxSig
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// Command notification codes used by OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

#define DECLARE_MESSAGE_MAP()                          \
 protected:                                            \
  static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;    \
                                                       \
 public:

// Entries keep each handler as the common AFX_PMSG and are called back through their own
// signature (nSig), so the casts between member-pointer types are intended.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
  _Pragma("GCC diagnostic push")                                                \
  _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")                    \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                      \
    using ThisClass [[maybe_unused]] = theClass;                                \
    typedef baseClass TheBaseClass;                                             \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                       \
  { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 }                                      \
  };                                                                            \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,      \
                                        &_messageEntries[0]};                   \
  return &messageMap;                                                           \
  }                                                                             \
  _Pragma("GCC diagnostic pop")

#define ZORVA_MSG_ENTRY(msg, sig, type, fn) \
  {msg, 0, 0, 0, sig, reinterpret_cast<AFX_PMSG>(static_cast<type>(&ThisClass::fn))},

#define ON_WM_CREATE() ZORVA_MSG_ENTRY(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() ZORVA_MSG_ENTRY(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_CLOSE() ZORVA_MSG_ENTRY(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), OnClose)
#define ON_WM_PAINT() ZORVA_MSG_ENTRY(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_SETFOCUS() ZORVA_MSG_ENTRY(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() \
  ZORVA_MSG_ENTRY(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_LBUTTONDOWN() \
  ZORVA_MSG_ENTRY(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() \
  ZORVA_MSG_ENTRY(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() \
  ZORVA_MSG_ENTRY(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() \
  ZORVA_MSG_ENTRY(WM_RBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() \
  ZORVA_MSG_ENTRY(WM_RBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() \
  ZORVA_MSG_ENTRY(WM_RBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MOUSEMOVE() \
  ZORVA_MSG_ENTRY(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_KEYDOWN() \
  ZORVA_MSG_ENTRY(WM_KEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() \
  ZORVA_MSG_ENTRY(WM_KEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() ZORVA_MSG_ENTRY(WM_CHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SIZE() ZORVA_MSG_ENTRY(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_ERASEBKGND() \
  ZORVA_MSG_ENTRY(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_TIMER() ZORVA_MSG_ENTRY(WM_TIMER, AfxSig_vt, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_INITMENUPOPUP()                                                          \
  ZORVA_MSG_ENTRY(WM_INITMENUPOPUP, AfxSig_vMwb, void (CWnd::*)(CMenu*, UINT, BOOL), \
                  OnInitMenuPopup)

#define ON_MESSAGE(message, memberFxn)                      \
  {message, 0, 0, 0, AfxSig_lwl,                            \
   reinterpret_cast<AFX_PMSG>(                              \
       static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(&ThisClass::memberFxn))},
#define ON_COMMAND(id, memberFxn)                          \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_vv, \
   static_cast<AFX_PMSG>(&ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                 \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_vw, \
   reinterpret_cast<AFX_PMSG>(static_cast<void (CCmdTarget::*)(UINT)>(&ThisClass::memberFxn))},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                               \
  {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), AfxSig_cmdui, \
   reinterpret_cast<AFX_PMSG>(static_cast<void (CCmdTarget::*)(CCmdUI*)>(&ThisClass::memberFxn))},

// Searches one class chain for an entry; null when none matches.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT nMsg, UINT nCode, UINT nID);
