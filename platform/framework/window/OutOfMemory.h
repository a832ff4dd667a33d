// Memory running out, recognised and told in one place: a CMemoryException or std::bad_alloc
// leaving the work becomes the box "Out of memory." with the application's title.
#pragma once

#include <new>

#include "AfxWindow.h"
#include "core/CException.h"

// Runs `work`; true when memory ran out in it, after the box (owned by `owner`) was shown.
template <typename Work>
bool AfxRunTellingOutOfMemory(HWND owner, Work&& work) {
  try {
    work();
    return false;
  } catch (CMemoryException* e) {
    e->Delete();
  } catch (const std::bad_alloc&) {
  }
  ::MessageBoxA(owner, "Out of memory.", AfxGetAppTitle(), MB_OK | MB_ICONEXCLAMATION);
  return true;
}
