// The Win32 subset the program is written against: kernel, user and GDI calls.
#pragma once

#include "WinTypes.h"
#include "kernel/WinBase.h"
#include "gdi/WinGdi.h"
#include "user/WinUser.h"
