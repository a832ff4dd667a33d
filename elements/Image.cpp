#include "elements/Image.h"

#include <cstring>
#include <memory>
#include <span>

#include "elements/PcxDecoder.h"

IMPLEMENT_DYNAMIC(CImage, CObject)

namespace {

const size_t kInfoSize = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);
// Pictures are at most a few megabytes; a record claiming more than the cap reads only that.
const DWORD kMaxPictureBytes = 64u * 1024 * 1024;

// The bytes of the picture that the file really holds: a stretch reaching past the end of the
// file is read as far as it goes, and one that starts outside it gives nothing.
// The buffer is not zero-filled first: only the bytes read are used.
std::span<const uint8_t> ReadStretch(CFile& file, LONG offset, DWORD length, std::unique_ptr<uint8_t[]>& data) {
  const ULONGLONG fileLength = file.GetLength();
  if (offset < 0 || (ULONGLONG)offset >= fileLength) return {};
  ULONGLONG available = fileLength - (ULONGLONG)offset;
  ULONGLONG wanted = length < available ? length : available;
  if (wanted > kMaxPictureBytes) wanted = kMaxPictureBytes;
  data.reset(new uint8_t[(size_t)wanted]);
  file.Seek(offset, CFile::begin);
  const UINT read = file.Read(data.get(), (UINT)wanted);
  return {data.get(), read};
}

}  // namespace

CImage::CImage() : m_nWidth(0), m_nHeight(0), m_pInfo(NULL), m_pBits(NULL), m_bVisible(FALSE) {}

CImage::~CImage() {
  delete[] reinterpret_cast<BYTE*>(m_pInfo);
  delete[] m_pBits;
}

void CImage::Load(CFile& file, CRect* place, LONG offset, DWORD length) {
  const ULONGLONG position = file.GetPosition();
  DecodePcx(file, place, offset, length);
  file.Seek((LONG)position, CFile::begin);
  m_bVisible = TRUE;
}

void CImage::DecodePcx(CFile& file, CRect* place, LONG offset, DWORD length) {
  std::unique_ptr<uint8_t[]> stretch;
  const std::span<const uint8_t> data = ReadStretch(file, offset, length, stretch);
  // The rows are decoded straight into the buffer the picture keeps.
  std::unique_ptr<uint8_t[]> pixels;
  const zorva::elements::PcxPicture pic = zorva::elements::decodePcx(data, pixels);
  // A header that cannot describe a picture leaves the picture empty: it draws nothing.
  if (pic.result == zorva::elements::PcxResult::kBadHeader) return;
  m_nWidth = pic.width;
  m_nHeight = pic.height;

  BYTE* pInfoBytes = new BYTE[kInfoSize];
  std::memset(pInfoBytes, 0, kInfoSize);  // without a palette the colours are black
  m_pInfo = reinterpret_cast<BITMAPINFO*>(pInfoBytes);
  BITMAPINFOHEADER& h = m_pInfo->bmiHeader;
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = pic.width;
  h.biHeight = -pic.height;
  h.biPlanes = (WORD)pic.planes;
  h.biBitCount = (WORD)pic.bits_per_pixel;
  h.biCompression = BI_RGB;
  if (pic.has_palette) {
    for (int i = 0; i < 256; i++) {
      m_pInfo->bmiColors[i].rgbRed = pic.palette[i * 3];
      m_pInfo->bmiColors[i].rgbGreen = pic.palette[i * 3 + 1];
      m_pInfo->bmiColors[i].rgbBlue = pic.palette[i * 3 + 2];
      m_pInfo->bmiColors[i].rgbReserved = 0;
    }
  }
  // Over the size cap the pixel buffer counts as not obtainable: the description stays, and
  // neither the rectangle nor `place` is touched.
  if (pic.result != zorva::elements::PcxResult::kDecoded) return;
  m_pBits = pixels.release();

  m_rect.SetRect(0, 0, pic.width, pic.height);
  m_rect.OffsetRect(place->left, place->top);
  *place = m_rect;
}

void CImage::Draw(CDC* pDC) {
  if (!m_bVisible || m_pInfo == NULL || m_pBits == NULL) return;
  ::SetDIBitsToDevice(pDC->m_hDC, m_rect.left, m_rect.top, (DWORD)m_nWidth, (DWORD)m_nHeight, 0, 0,
                      0, (UINT)m_nHeight, m_pBits, m_pInfo, DIB_RGB_COLORS);
}

void CImage::Show(CDC* pDC) {
  m_bVisible = TRUE;
  Draw(pDC);
}

void CImage::Erase(CDC* pDC) {
  // Only a successful load gives the picture a rectangle; without one there is nothing to cover.
  if (m_pBits == NULL) {
    m_bVisible = FALSE;
    return;
  }
  CBrush brushWhite;
  const BOOL bBrush = brushWhite.CreateSolidBrush(RGB(255, 255, 255));
  CBrush* pOldBrush = bBrush ? pDC->SelectObject(&brushWhite) : NULL;
  if (bBrush) {
    CRect rectGrown(m_rect.left - 1, m_rect.top - 1, m_rect.right + 1, m_rect.bottom + 1);
    pDC->FillRect(&rectGrown, &brushWhite);
  }
  m_bVisible = FALSE;
  if (pOldBrush != NULL) pDC->SelectObject(pOldBrush);
}
