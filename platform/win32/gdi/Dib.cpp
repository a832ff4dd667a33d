// SetDIBitsToDevice: device-independent rows onto a DC, through its origin and clip.
#include <algorithm>
#include <array>
#include <cstring>

#include "DeviceContext.h"
#include "Raster.h"
#include "WinGdi.h"

using namespace zorva::platform;

namespace {

struct DibLayout {
  int width = 0;
  int height = 0;
  bool top_down = false;
  int bits = 0;
  size_t stride = 0;
  const RGBQUAD* colours = nullptr;
  unsigned colour_count = 0;
};

// False for every description the platform would refuse.
bool readLayout(const BITMAPINFO* info, const void* bits, UINT colour_use, DibLayout& out) {
  if (info == nullptr || bits == nullptr || colour_use != DIB_RGB_COLORS) return false;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biPlanes != 1 || h.biCompression != BI_RGB)
    return false;
  const int b = h.biBitCount;
  if (b != 1 && b != 4 && b != 8 && b != 24 && b != 32) return false;
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return false;
  out.width = h.biWidth;
  out.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  out.top_down = h.biHeight < 0;
  out.bits = b;
  out.stride = ((static_cast<size_t>(out.width) * b + 31) / 32) * 4;
  // The call is not told how many bytes the rows hold; a description that gives their size
  // must give enough for every row it declares.
  if (h.biSizeImage != 0 && h.biSizeImage / out.stride < static_cast<size_t>(out.height)) return false;
  if (b <= 8) {
    const unsigned full = 1u << b;
    out.colour_count = h.biClrUsed == 0 || h.biClrUsed > full ? full : h.biClrUsed;
    out.colours = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(info) + h.biSize);
  }
  return true;
}

// The colour of every index a pixel of up to 8 bits can hold; indices outside the given
// table are black.
using ColourTable = std::array<uint32_t, 256>;

ColourTable colourTable(const DibLayout& d) {
  ColourTable table{};
  for (unsigned i = 0; i < d.colour_count && i < table.size(); ++i) {
    const RGBQUAD& q = d.colours[i];
    table[i] = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
  return table;
}

// Rows converted between two tellings of what changed: about 200 KB of a page-wide picture.
constexpr int kBandRows = 64;

// Converts `count` pixels of a source row, starting at source column `x0`, into COLORREFs.
void convertRow(const DibLayout& d, const ColourTable& table, const BYTE* row, long long x0,
                int count, uint32_t* out) {
  switch (d.bits) {
    case 8: {
      // Pictures of pages are mostly paper: eight equal indices at a time become one fill.
      const BYTE* from = row + x0;
      int i = 0;
      for (; i + 8 <= count; i += 8) {
        uint64_t eight = 0;
        std::memcpy(&eight, from + i, sizeof eight);
        if (eight == (eight & 0xFF) * 0x0101010101010101ull) {
          std::fill_n(out + i, 8, table[eight & 0xFF]);
          continue;
        }
        for (int k = i; k < i + 8; ++k) out[k] = table[from[k]];
      }
      for (; i < count; ++i) out[i] = table[from[i]];
      return;
    }
    case 24:
      for (int i = 0; i < count; ++i) {
        const BYTE* p = row + (x0 + i) * 3;
        out[i] = RGB(p[2], p[1], p[0]);
      }
      return;
    case 32:
      for (int i = 0; i < count; ++i) {
        const BYTE* p = row + (x0 + i) * 4;
        out[i] = RGB(p[2], p[1], p[0]);
      }
      return;
    case 4:
      for (int i = 0; i < count; ++i) {
        const long long x = x0 + i;
        out[i] = table[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF];
      }
      return;
    default:
      for (int i = 0; i < count; ++i) {
        const long long x = x0 + i;
        out[i] = table[(row[x / 8] >> (7 - x % 8)) & 1];
      }
      return;
  }
}

}  // namespace

int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                             UINT StartScan, UINT cLines, const void* lpvBits,
                             const BITMAPINFO* lpbmi, UINT ColorUse) {
  DeviceContext* dc = deviceContext(hdc);
  DibLayout d;
  if (dc == nullptr || !readLayout(lpbmi, lpvBits, ColorUse, d)) return 0;
  long long lines = cLines;
  if (lines == 0 || StartScan >= static_cast<UINT>(d.height)) return 0;
  if (!d.top_down) lines = std::min<long long>(lines, d.height - static_cast<long long>(StartScan));
  // The rows given, counted top-down from 0; the source block starts at row src_y of them.
  const long long cx = std::min<long long>(w, d.width);
  const long long cy = std::min<long long>(h, 1LL << 30);
  long long src_y = static_cast<long long>(StartScan) + lines - (static_cast<long long>(ySrc) + cy);
  if (src_y > 0) {
    if (src_y >= lines) return d.top_down ? static_cast<int>(lines) : 0;
    if (!d.top_down) {
      lines -= src_y;
      src_y = 0;
    }
  }
  Surface* s = dc->surface();
  if (s == nullptr) return static_cast<int>(lines);
  // Destination block, cut to the rows and columns that exist in the source.
  const long long dx = dc->deviceX(xDest), dy = dc->deviceY(yDest);
  long long left = std::max<long long>(dx, dx - xSrc);
  long long right = std::min<long long>(dx + cx, dx - xSrc + d.width);
  long long top = std::max<long long>(dy, dy - src_y);
  long long bottom = std::min<long long>(dy + cy, dy - src_y + lines);
  const auto clampi = [](long long v) { return static_cast<int>(std::clamp<long long>(v, -(1LL << 30), 1LL << 30)); };
  const PixelRect block{clampi(left), clampi(top), clampi(right), clampi(bottom)};
  const auto* bytes = static_cast<const BYTE*>(lpvBits);
  const ColourTable table = d.bits <= 8 ? colourTable(d) : ColourTable{};
  // The rows are told in bands: on the screen each band is copied to the desktop while its
  // pixels are still in the processor's cache, instead of the whole picture again afterwards.
  for (const PixelRect& c : dc->clips()) {
    const PixelRect r = block.intersect(c);
    if (r.empty()) continue;
    for (int band = r.top; band < r.bottom; band += kBandRows) {
      const int band_end = std::min(r.bottom, band + kBandRows);
      for (int y = band; y < band_end; ++y) {
        const long long sy = y - dy + src_y;
        const long long row_index = d.top_down ? sy : lines - 1 - sy;
        const BYTE* row = bytes + static_cast<size_t>(row_index) * d.stride;
        convertRow(d, table, row, r.left - dx + xSrc, r.right - r.left, s->row(y) + r.left);
      }
      dc->touched(PixelRect{r.left, band, r.right, band_end});
    }
  }
  return static_cast<int>(lines);
}
