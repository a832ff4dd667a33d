// A PCX picture read from a stretch of an open data file, decoded once into a top-down
// device-independent bitmap, placed in the lesson view and drawn, erased and redrawn.
#pragma once

#include <afxwin.h>

class CImage : public CObject {
  DECLARE_DYNAMIC(CImage)

 public:
  CImage();
  virtual ~CImage();

  // Reads `length` bytes at `offset` of `file` and decodes them; `place` gives the top-left
  // corner and receives the picture's rectangle. The file position is kept. Marks the picture
  // visible whatever the outcome.
  void Load(CFile& file, CRect* place, LONG offset, DWORD length);
  void Draw(CDC* pDC);
  void Show(CDC* pDC);
  void Erase(CDC* pDC);

  LONG m_nWidth;
  LONG m_nHeight;
  BITMAPINFO* m_pInfo;  // header and 256 colours; null until a load
  BYTE* m_pBits;        // height x stride bytes, top row first; null until a successful load
  CRect m_rect;
  BOOL m_bVisible;

 private:
  void DecodePcx(CFile& file, CRect* place, LONG offset, DWORD length);
};
