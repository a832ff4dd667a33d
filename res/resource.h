// Resource ids of the program: the main frame's menu, accelerators, title string and icon share
// one id; the about box has its own.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_ABOUTBOX 100
