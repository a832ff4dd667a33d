// The resource registry: descriptions written like a resource script are found by id, and
// damaged input (bad names, short or long icon rows) stays inside its buffers.
#include <gtest/gtest.h>

#include "platform/win32/user/Resources.h"

using namespace zorva::platform;

namespace {

constexpr UINT kMenuId = 9128;
constexpr UINT kCmdOpen = 100;

MENU_RESOURCE(kMenuId,
              POPUP("&File", MENUITEM("&Open...\tCtrl+O", kCmdOpen), MENUITEM_SEPARATOR,
                    MENUITEM("E&xit", 0xE141)),
              POPUP("&Help", MENUITEM("&About...", 0xE140)));
ACCELERATORS_RESOURCE(kMenuId, ACCELKEY('O', kCmdOpen, FVIRTKEY | FCONTROL),
                      ACCELKEY(VK_F6, 0xE150, FVIRTKEY));
STRINGTABLE_RESOURCE(STRING(kMenuId, "Zorva"), STRING(9129, "Second"));
DIALOG_RESOURCE(9200, 0, 0, 217, 55, DS_MODALFRAME | WS_POPUP | WS_CAPTION, "About", "MS Sans Serif",
                8, ICON(kMenuId, IDC_STATIC, 11, 17, 20, 20),
                LTEXT("Version 1.0", IDC_STATIC, 40, 10, 119, 8),
                DEFPUSHBUTTON("OK", IDOK, 178, 7, 32, 14));

TEST(Resources, MenuTreeKeepsPopupsItemsAndSeparators) {
  const MenuTemplate* menu = findMenu(MAKEINTRESOURCE(kMenuId));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->items.size(), 2u);
  const MenuItemTemplate& file = menu->items[0];
  EXPECT_EQ(file.text, "&File");
  EXPECT_EQ(file.flags, (UINT)MF_POPUP);
  ASSERT_EQ(file.items.size(), 3u);
  EXPECT_EQ(file.items[0].text, "&Open...\tCtrl+O");
  EXPECT_EQ(file.items[0].id, kCmdOpen);
  EXPECT_EQ(file.items[1].flags, (UINT)MF_SEPARATOR);
  EXPECT_EQ(file.items[2].id, 0xE141u);
  EXPECT_EQ(menu->items[1].items.at(0).id, 0xE140u);
}

TEST(Resources, AcceleratorsStringsAndDialogsByIdAndByHashName) {
  const std::vector<ACCEL>* accel = findAccelerators("#9128");
  ASSERT_NE(accel, nullptr);
  ASSERT_EQ(accel->size(), 2u);
  EXPECT_EQ((*accel)[0].fVirt, FVIRTKEY | FCONTROL);
  EXPECT_EQ((*accel)[0].key, 'O');
  EXPECT_EQ((*accel)[0].cmd, kCmdOpen);
  EXPECT_EQ((*accel)[1].key, VK_F6);

  ASSERT_NE(findString(9129), nullptr);
  EXPECT_EQ(*findString(9129), "Second");
  EXPECT_EQ(findString(9130), nullptr);

  const DialogTemplate* dialog = findDialog(MAKEINTRESOURCE(9200));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->caption, "About");
  EXPECT_EQ(dialog->fontName, "MS Sans Serif");
  EXPECT_EQ(dialog->pointSize, 8);
  EXPECT_EQ(dialog->cx, 217);
  ASSERT_EQ(dialog->items.size(), 3u);
  EXPECT_EQ(dialog->items[0].kind, DialogItemKind::Icon);
  EXPECT_EQ(dialog->items[0].iconId, kMenuId);
  EXPECT_EQ(dialog->items[1].text, "Version 1.0");
  EXPECT_EQ(dialog->items[2].kind, DialogItemKind::DefPushButton);
  EXPECT_EQ(dialog->items[2].id, IDOK);
  EXPECT_EQ(dialog->items[2].x, 178);
}

TEST(Resources, BadNamesFindNothing) {
  UINT id = 0;
  EXPECT_FALSE(resourceIdFromName(nullptr, id));
  EXPECT_FALSE(resourceIdFromName("", id));
  EXPECT_FALSE(resourceIdFromName("#", id));
  EXPECT_FALSE(resourceIdFromName("#12a", id));
  EXPECT_FALSE(resourceIdFromName("#999999", id));
  EXPECT_FALSE(resourceIdFromName("#70000", id));
  EXPECT_FALSE(resourceIdFromName("MAINFRAME", id));
  ASSERT_TRUE(resourceIdFromName("#65535", id));
  EXPECT_EQ(id, 65535u);
  EXPECT_EQ(findMenu("#9999"), nullptr);
}

TEST(Resources, IconRowsAreClippedAndUnknownSymbolsTransparent) {
  std::string longRow(40, '#');
  registerIcon(9300, ICON_COLORS(ICON_COLOR('#', RGB(1, 2, 3)), ICON_COLOR('.', RGB(9, 8, 7))),
               {longRow.c_str(), ".x", nullptr});
  const IconTemplate* icon = findIcon(MAKEINTRESOURCE(9300));
  ASSERT_NE(icon, nullptr);
  ASSERT_EQ(icon->pixels.size(), size_t(kIconSizePx * kIconSizePx));
  for (int x = 0; x < kIconSizePx; ++x) EXPECT_EQ(icon->pixels[x], RGB(1, 2, 3)) << x;
  EXPECT_EQ(icon->pixels[kIconSizePx + 0], RGB(9, 8, 7));
  EXPECT_EQ(icon->pixels[kIconSizePx + 1], kIconTransparent);  // 'x' is not in the palette
  for (size_t i = kIconSizePx + 2; i < icon->pixels.size(); ++i)
    ASSERT_EQ(icon->pixels[i], kIconTransparent) << i;
}

TEST(Resources, RegisteringAgainReplaces) {
  registerStrings({STRING(9400, "old")});
  registerStrings({STRING(9400, "new")});
  ASSERT_NE(findString(9400), nullptr);
  EXPECT_EQ(*findString(9400), "new");
}

}  // namespace
