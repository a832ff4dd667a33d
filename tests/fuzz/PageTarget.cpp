// A whole page load through the lesson book, on the headless desktop. The first input byte
// chooses the file the rest of the input stands for: even, the lesson's first page (with a
// good start-up file); odd, the start-up file DATA4.DAT (with no page). The book is built,
// the lesson opened, the page drawn, every item's frame and role marker drawn, every role
// chain toggled, and the next page followed.
#include <cstddef>
#include <cstdint>

#include "lesson/LessonBook.h"
#include "tests/fuzz/FuzzWorkspace.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorva::fuzz;
  InputScope scope;
  InputReader in({data, size});
  writeStartupOrPage(in);
  ViewSurface view;
  CLessonBook book;
  book.Draw(&view.dc);
  book.OpenLesson(0, &view.dc);
  book.Draw(&view.dc);
  for (short i = 0; i < book.m_nItems; ++i) {
    CPageAudio* item = book.m_items[i];
    if (item == NULL) continue;
    item->Unhighlight(&view.dc);
    item->DrawRoleMarker(&view.dc);
    book.ToggleRole(item->m_nRoleHead, &view.dc);
  }
  book.Navigate(2, &view.dc);
  book.Navigate(0, &view.dc);
  return 0;
}
