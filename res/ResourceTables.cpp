#include "res/ResourceTables.h"

namespace zorva_res {

namespace {

const uint16_t kExit = 0xE141, kAbout = 0xE140, kUndo = 0xE12B, kCut = 0xE123, kCopy = 0xE122,
               kPaste = 0xE125, kNextPane = 0xE150, kPrevPane = 0xE151;

const MenuEntry kMenu[] = {
    {"&File", "E&xit", kExit},
    {"&Edit", "&Undo\tCtrl+Z", kUndo},
    {"&Edit", nullptr, 0},
    {"&Edit", "Cu&t\tCtrl+X", kCut},
    {"&Edit", "&Copy\tCtrl+C", kCopy},
    {"&Edit", "&Paste\tCtrl+V", kPaste},
    {"&Help", "&About Zorva...", kAbout},
};

const uint8_t kVirt = 0x01, kShift = 0x04, kCtrl = 0x08, kAlt = 0x10;
const uint16_t kBack = 0x08, kDelete = 0x2E, kInsert = 0x2D, kF6 = 0x75;

const AccelEntry kAccel[] = {
    {kVirt | kCtrl, 'C', kCopy},         {kVirt | kCtrl, 'V', kPaste},
    {kVirt | kAlt, kBack, kUndo},        {kVirt | kShift, kDelete, kCut},
    {kVirt, kF6, kNextPane},             {kVirt | kShift, kF6, kPrevPane},
    {kVirt | kCtrl, kInsert, kCopy},     {kVirt | kShift, kInsert, kPaste},
    {kVirt | kCtrl, 'X', kCut},          {kVirt | kCtrl, 'Z', kUndo},
};

const StringEntry kStrings[] = {
    {IDR_MAINFRAME, "Zorva"},
    {IDS_APP_TITLE, "Zorva"},
};

const DialogItem kAboutItems[] = {
    {DialogItem::Icon, -1, "128", 11, 17, 20, 20},
    {DialogItem::Static, -1, "Zorva", 40, 10, 133, 8},
    {DialogItem::Static, -1, "Speaking practice with your book", 40, 25, 119, 8},
    {DialogItem::DefPushButton, 1, "OK", 194, 7, 50, 14},
    {DialogItem::Static, -1, "Dec 2026", 208, 49, 36, 8},
    {DialogItem::Static, -1, "Build 0.1.1", 11, 46, 42, 8},
    {DialogItem::MultiLineStatic, -1,
     "For learners of a foreign language who work through a printed course book: listen, "
     "repeat, compare and take a part in the dialogues. Thanks to the whole Zorva team.",
     11, 64, 231, 27},
};

// DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT
const uint32_t kAboutStyle = 0x80 | 0x80000000u | 0x00C00000u | 0x00080000u | 0x40;

const DialogTemplate kAboutBox = {IDD_ABOUTBOX, "About Zorva", 251, 102, "MS Sans Serif", 8,
                               kAboutStyle, kAboutItems,
                               int(sizeof(kAboutItems) / sizeof(kAboutItems[0]))};

}  // namespace

const MenuEntry* mainMenu(int* count) {
  *count = int(sizeof(kMenu) / sizeof(kMenu[0]));
  return kMenu;
}

const AccelEntry* mainAccelerators(int* count) {
  *count = int(sizeof(kAccel) / sizeof(kAccel[0]));
  return kAccel;
}

const StringEntry* stringTable(int* count) {
  *count = int(sizeof(kStrings) / sizeof(kStrings[0]));
  return kStrings;
}

const DialogTemplate& aboutDialog() { return kAboutBox; }

}  // namespace zorva_res
