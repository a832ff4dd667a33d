#include "elements/HotText.h"

namespace {

const COLORREF kLightGrey = RGB(192, 192, 192);
// A note caption ("%" prefix) has no colour in its record; it is drawn in a dark grey, set
// apart from the normal blue and the disabled light grey.
const COLORREF kNoteColour = RGB(96, 96, 96);
const int kCharWidth = 6;  // the only width measure: no text is measured

void ReportMissing(LPCSTR lpszText) { ::MessageBoxA(NULL, lpszText, "Resource Error", MB_OK); }

}  // namespace

CHotText::CHotText(const HOTTEXTINFO& info)
    : m_bVisible(FALSE),
      m_nState(stateNormal),
      m_crLine(info.crLine),
      m_crNormal(info.crNormal),
      m_crActive(info.crActive),
      m_crBack(info.crBack),
      m_crDisabled(info.crDisabled),
      m_crNote(kNoteColour),
      m_nStyle(styleBox),
      m_strCaption(info.strCaption),
      m_rect(info.x, info.y + 1, info.x + info.nWidth, info.y + 18),
      m_x(info.x),
      m_y(info.y),
      m_bBoxed(TRUE),
      m_penHoriz(NULL),
      m_penBlack(NULL),
      m_brush(NULL) {
  // A failed drawing object ends construction: the button keeps the box layout and stays
  // hidden, so an owner that goes on never sees a half-built caption.
  if (!CreateDrawingObjects()) return;
  if (info.nWidth == 0) InterpretCaption(info.strCaption);
  m_bVisible = TRUE;
}

bool CHotText::CreateDrawingObjects() {
  m_brush = new CBrush;
  if (!m_brush->CreateSolidBrush(m_crBack)) {
    delete m_brush;
    m_brush = NULL;
    ReportMissing("Out of resources in CHotText m_brush.\n Please Quit and restart.");
    return false;
  }
  m_penHoriz = new CPen;
  if (!m_penHoriz->CreatePen(PS_SOLID, 1, kLightGrey)) {
    delete m_penHoriz;
    m_penHoriz = NULL;
    ReportMissing("Out of resources in CHotText m_penHoriz.\n Please Quit and restart.");
    return false;
  }
  m_penBlack = new CPen;
  if (!m_penBlack->CreatePen(PS_SOLID, 1, m_crLine)) {
    delete m_penBlack;
    m_penBlack = NULL;
    ReportMissing("Out of resources in CHotText m_penBlack.\n Please Quit and restart.");
    return false;
  }
  return true;
}

void CHotText::InterpretCaption(const CString& strCaption) {
  const TCHAR first = strCaption.IsEmpty() ? 0 : strCaption[0];
  if (first == '%') {
    m_nState = stateNote;
    m_strCaption = strCaption.Mid(1);
  } else if (first == '@') {
    // The text before the first "@": empty for a caption that starts with it, so a blank
    // button has no width and shows nothing but its fill.
    m_nState = stateBlank;
    m_strCaption = strCaption.Left(strCaption.Find('@'));
  }
  if (first == '&') {
    m_nStyle = styleLabel;
    m_nState = stateDisabled;
    m_bBoxed = TRUE;
    m_strCaption = strCaption.Mid(1);
  } else {
    m_nStyle = styleLined;
    m_bBoxed = FALSE;
  }
  m_rect.SetRect(m_x, m_y - 5, m_x + kCharWidth * m_strCaption.GetLength(), m_y + 21);
}

CHotText::~CHotText() {
  delete m_brush;
  delete m_penBlack;
  delete m_penHoriz;
}

void CHotText::Draw(CDC* pDC) {
  if (!m_bVisible) return;
  const COLORREF crOldText = pDC->GetTextColor();
  CGdiObject* pOldFont = pDC->SelectStockObject(ANSI_VAR_FONT);
  CBrush* pOldBrush = m_brush != NULL ? pDC->SelectObject(m_brush) : NULL;
  CPen* pOldPen = m_penBlack != NULL ? pDC->SelectObject(m_penBlack) : NULL;
  if (m_brush != NULL) pDC->FillRect(&m_rect, m_brush);
  if (m_bBoxed) {
    DrawBoxed(pDC);
  } else {
    DrawLined(pDC);
  }
  if (pOldBrush != NULL) pDC->SelectObject(pOldBrush);
  if (pOldPen != NULL) pDC->SelectObject(pOldPen);
  pDC->SetTextColor(crOldText);
  if (pOldFont != NULL) pDC->SelectObject(pOldFont);
}

void CHotText::SetStateColour(CDC* pDC) {
  switch (m_nState) {
    case stateNormal: pDC->SetTextColor(m_crNormal); break;
    case stateActive: pDC->SetTextColor(m_crActive); break;
    case stateDisabled: pDC->SetTextColor(m_crDisabled); break;
    case stateNote:
      if (!m_bBoxed) pDC->SetTextColor(m_crNote);
      break;
    default: break;  // a blank button leaves the surface's colour
  }
}

void CHotText::DrawBoxed(CDC* pDC) {
  if (m_nStyle == styleBox && m_penBlack != NULL) {
    pDC->MoveTo(m_rect.right - 1, m_rect.top + 1);
    pDC->LineTo(m_rect.right - 1, m_rect.bottom - 1);
  }
  SetStateColour(pDC);
  if (m_nStyle == styleLabel) pDC->SetTextColor(RGB(0, 0, 0));
  pDC->SetBkColor(m_crBack);
  CRect rectText(m_rect.left, m_rect.top + 2, m_rect.right, m_rect.bottom);
  pDC->DrawText(m_strCaption, &rectText, DT_CENTER);
}

void CHotText::DrawLined(CDC* pDC) {
  if (m_nState != stateBlank && m_penHoriz != NULL) {
    pDC->SelectObject(m_penHoriz);
    pDC->MoveTo(m_rect.left, m_rect.top + 2);
    pDC->LineTo(m_rect.right, m_rect.top + 2);
    pDC->MoveTo(m_rect.left, m_rect.bottom);
    pDC->LineTo(m_rect.right, m_rect.bottom);
  }
  SetStateColour(pDC);
  pDC->SetBkColor(m_crBack);
  CRect rectText(m_rect.left, m_rect.top + 6, m_rect.right, m_rect.bottom);
  pDC->DrawText(m_strCaption, &rectText, 0);
}

void CHotText::Show(CDC* pDC) {
  m_bVisible = TRUE;
  Draw(pDC);
}

void CHotText::Erase(CDC* pDC) {
  CBrush* pOldBrush = m_brush != NULL ? pDC->SelectObject(m_brush) : NULL;
  CRect rectGrown(m_rect.left - 1, m_rect.top - 1, m_rect.right + 1, m_rect.bottom + 1);
  if (m_brush != NULL) pDC->FillRect(&rectGrown, m_brush);
  m_bVisible = FALSE;
  if (pOldBrush != NULL) pDC->SelectObject(pOldBrush);
}

bool CHotText::HitTest(const CPoint& point) const {
  if (!m_bVisible) return false;
  if (m_nState == stateDisabled || m_nState == stateBlank || m_nState == stateNote) return false;
  return ::PtInRect(&m_rect, point) != FALSE;
}
