// Loading a page (a 750 x 700 picture and 8 clips) with the book's LoadPage on the headless
// desktop, beside opening, reading and closing the same file; then one full repaint of the
// page: the time WM_PAINT takes with the book's Draw, and how many presents each paint makes.
// With --desktop it runs on the SDL2 desktop (DISPLAY) and times the repaint there, from the
// invalidation to the pixels handed to the X server.
#include <afxwin.h>
#include <fcntl.h>
#include <unistd.h>

#include <vector>

#include "app/LessonView.h"
#include "bench/BenchBook.h"
#include "bench/BenchTiming.h"
#include "lesson/LessonBook.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/backend/BackendFactory.h"

using namespace zorva::bench;
using zorva::platform::HeadlessBackend;

namespace {

size_t readWhole(const char* path, std::vector<char>& buffer) {
  const int fd = ::open(path, O_RDONLY);
  if (fd < 0) return 0;
  size_t total = 0;
  for (ssize_t n; (n = ::read(fd, buffer.data() + total, buffer.size() - total)) > 0;) total += static_cast<size_t>(n);
  ::close(fd);
  return total;
}

// Dispatches what waits in the queue; returns how many WM_PAINT messages were among it.
int pumpCountingPaints() {
  int paints = 0;
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_PAINT) ++paints;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return paints;
}

}  // namespace

int main(int argc, char** argv) {
  const bool desktop = argc > 1 && std::string(argv[1]) == "--desktop";
  HeadlessBackend* headless = nullptr;
  if (desktop) {
    zorva::platform::installDesktopBackend(zorva::platform::makeSdlDesktop());
    zorva::platform::installAudioBackend(zorva::platform::makeSdlAudioDevice());
  } else {
    headless = &HeadlessBackend::install();
  }
  const auto presentCount = [&] { return headless != nullptr ? headless->presentCount() : 0; };
  BenchFolder folder;
  if (!AfxGetApp()->InitInstance()) return 1;
  CWnd* frame = AfxGetMainWnd();
  HWND view = frame->GetDlgItem(AFX_IDW_PANE_FIRST)->m_hWnd;
  auto* lesson_view = static_cast<CLessonView*>(CWnd::FromHandlePermanent(view));
  pumpCountingPaints();
  CLessonBook* book = lesson_view->m_pBook;
  {
    CClientDC dc(lesson_view);
    book->OpenLesson(0, &dc);
  }
  pumpCountingPaints();

  if (desktop) {
    const std::vector<double> paint = medianMicros(101, {[&] {
      ::InvalidateRect(view, nullptr, TRUE);
      pumpCountingPaints();
    }});
    printLimit("repaint on Xvfb", paint[0], "us", 1500);
    frame->DestroyWindow();
    return 0;
  }
  const std::string page = folder.pageFile().string();
  std::vector<char> buffer(16u << 20);
  size_t bytes = 0;
  const std::vector<double> load = medianMicros(
      101, {[&] {
              CClientDC dc(lesson_view);
              book->LoadPage(CString("14101.pge"), 0, &dc);
            },
            [&] { bytes = readWhole(page.c_str(), buffer); }});
  std::printf("# page load: %zu bytes, %d items\n", bytes, static_cast<int>(book->m_nItems));
  printFigure("page load", load[0], "us", "open+read+close", load[1], 8);

  int paints = 0;
  int presents = 0;
  const std::vector<double> paint = medianMicros(101, {[&] {
    const int before = presentCount();
    ::InvalidateRect(view, nullptr, TRUE);
    paints += pumpCountingPaints();
    presents += presentCount() - before;
  }});
  printLimit("repaint raster", paint[0], "us", 500);
  printLimit("presents per paint", paints > 0 ? static_cast<double>(presents) / paints : 1e9, "", 2);
  frame->DestroyWindow();
  return 0;
}
