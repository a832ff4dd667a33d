// The hot text button: a caption at a fixed place in the lesson view that can be clicked, lit
// up while its action runs, greyed out, hidden and shown again. Three layouts: the lined
// caption, the label ("&" prefix) and the box (a width in the record).
#pragma once

#include <afxwin.h>

// The construction record the lesson book fills; only read.
struct HOTTEXTINFO {
  int x;
  int y;
  short nWidth;  // 0: a caption layout; otherwise the box width
  CString strCaption;
  COLORREF crLine;
  COLORREF crNormal;
  COLORREF crActive;
  COLORREF crBack;
  COLORREF crDisabled;
};

class CHotText : public CObject {
 public:
  // Button states; 11 and 12 come only from a caption prefix.
  enum { stateNormal = 0, stateActive = 1, stateDisabled = -1, stateBlank = 11, stateNote = 12 };
  enum { styleBox = 3, styleLined = 5, styleLabel = 10 };

  explicit CHotText(const HOTTEXTINFO& info);
  virtual ~CHotText();

  void Draw(CDC* pDC);
  void Show(CDC* pDC);
  void Erase(CDC* pDC);
  bool HitTest(const CPoint& point) const;

  // Owners change these directly and then draw, show or erase.
  BOOL m_bVisible;
  short m_nState;
  COLORREF m_crLine;
  COLORREF m_crNormal;
  COLORREF m_crActive;
  COLORREF m_crBack;
  COLORREF m_crDisabled;
  COLORREF m_crNote;
  short m_nStyle;
  CString m_strCaption;
  CRect m_rect;
  int m_x;
  int m_y;
  BOOL m_bBoxed;
  CPen* m_penHoriz;   // light grey: the lines above and below a lined caption
  CPen* m_penBlack;   // m_crLine: the box divider
  CBrush* m_brush;    // m_crBack: fill and text background

 private:
  bool CreateDrawingObjects();
  void InterpretCaption(const CString& strCaption);
  void DrawBoxed(CDC* pDC);
  void DrawLined(CDC* pDC);
  void SetStateColour(CDC* pDC);
};
