// The demo frame's menu (File > Exit only) and its title.
#include <afxwin.h>

#include "tests/demo_window/DemoIds.h"
#include "user/Resources.h"

MENU_RESOURCE(IDR_DEMOFRAME,
  POPUP("&File",
    MENUITEM("E&xit", ID_APP_EXIT)));

STRINGTABLE_RESOURCE(
  STRING(IDR_DEMOFRAME, "Zorva framework demo"),
  STRING(AFX_IDS_APP_TITLE, "Zorva framework demo"));
