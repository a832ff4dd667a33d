// The about box: what Zorva is, for whom, and which build this is.
#include <afxwin.h>

#include "res/resource.h"
#include "user/Resources.h"
#include "zorva/Version.h"

DIALOG_RESOURCE(IDD_ABOUTBOX, 0, 0, 251, 102,
                DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT,
                "About Zorva", "MS Sans Serif", 8,
  ICON(IDR_MAINFRAME, IDC_STATIC, 11, 17, 20, 20),
  LTEXT("Zorva", IDC_STATIC, 40, 10, 133, 8),
  LTEXT("Speaking practice with your book", IDC_STATIC, 40, 25, 119, 8),
  DEFPUSHBUTTON("OK", IDOK, 194, 7, 50, 14),
  LTEXT("Dec 2026", IDC_STATIC, 208, 49, 36, 8),
  LTEXT("Build " ZORVA_VERSION, IDC_STATIC, 11, 46, 42, 8),
  LTEXT("For learners of a foreign language who work through a printed course book. "
        "Thanks to the teachers and learners who tried the first lessons.",
        IDC_STATIC, 11, 64, 231, 27));
