// The window title and the application title (the default caption of message boxes).
#include <afxwin.h>

#include "res/resource.h"
#include "user/Resources.h"

STRINGTABLE_RESOURCE(
  STRING(IDR_MAINFRAME, "Zorva"),
  STRING(AFX_IDS_APP_TITLE, "Zorva"));
