#include "elements/PageAudio.h"

#include <cstring>

#include "audio/Aiff.h"
#include "audio/SampleLevels.h"
#include "audio/WaveRecorder.h"

IMPLEMENT_DYNAMIC(CPageAudio, CObject)

namespace {

const int kRecordSize = 92;
const int kNameSize = 64;
const int kStoredYOffset = 20;  // stored y values count rows of the page picture
const LONG kBaseWithoutClip = 100000;

const COLORREF kBlue = 0x00FF0000;
const COLORREF kRed = 0x000000FF;
const COLORREF kGreen = 0x0000FF00;
const COLORREF kWhite = 0x00FFFFFF;

LONG Value16(const BYTE* p) { return (short)(p[0] | (p[1] << 8)); }
DWORD Value32(const BYTE* p) {
  return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

// The rectangle of four stored values at `p`: x as stored, y less the stored offset.
CRect StoredRect(const BYTE* p) {
  return CRect(Value16(p), Value16(p + 2) - kStoredYOffset, Value16(p + 4),
               Value16(p + 6) - kStoredYOffset);
}

const int kClipOffsetField = 84;
const int kClipLengthField = 88;
const ULONGLONG kBytesPerPixel = 4;  // the background copy is screen-compatible, 32-bit

}  // namespace

CPageAudio::CPageAudio(CFile& file, short nIndex, CDC* pDC)
    : m_bHasRoleRect(FALSE),
      m_nIndex(nIndex),
      m_pClip(NULL),
      m_pRecorder(NULL),
      m_nNextInRole(-1),
      m_nRoleHead(-1),
      m_bLearnerRole(FALSE),
      m_pMemDC(NULL),
      m_pBitmap(NULL),
      m_rectCopy(0, 0, 0, 0) {
  ReadRecord(file);
  MakeBackground(pDC);
}

// The record is read into a zeroed buffer: fields a short file leaves unread hold 0 (a zero
// name and a clip length of 0: no clip).
void CPageAudio::ReadRecord(CFile& file) {
  BYTE rec[kRecordSize];
  std::memset(rec, 0, sizeof rec);
  file.Read(rec, 20);
  file.Read(rec + 20, kRecordSize - 20);

  m_rectRole = StoredRect(rec);
  m_rectAudio = StoredRect(rec + 8);
  m_nRoleHead = (short)Value16(rec + 16);
  m_nNextInRole = (short)Value16(rec + 18);
  m_bHasRoleRect = m_rectRole.bottom != m_rectRole.top;

  // A name filling all 64 bytes is kept whole; nothing past the field is looked at.
  const char* pName = (const char*)(rec + 20);
  int nNameLength = 0;
  while (nNameLength < kNameSize && pName[nNameLength] != '\0') nNameLength++;
  m_strName = CString(pName, nNameLength);

  const DWORD clipOffset = Value32(rec + kClipOffsetField);
  const DWORD clipLength = Value32(rec + kClipLengthField);
  if (clipLength != 0) m_pClip = new CAIFF(file, (LONG)clipOffset, (LONG)clipLength);
}

CRect CPageAudio::BackgroundRect(const CRect& rectAudio) {
  const CRect rectScreen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  CRect rectSeen;
  if (!rectSeen.IntersectRect(&rectAudio, &rectScreen)) return CRect(0, 0, 0, 0);
  return rectSeen;
}

ULONGLONG CPageAudio::HeldBytesFor(const BYTE* record, ULONGLONG nFileLength) {
  const CRect rectCopy = BackgroundRect(StoredRect(record + 8));
  ULONGLONG nBytes = (ULONGLONG)rectCopy.Width() * (ULONGLONG)rectCopy.Height() * kBytesPerPixel;
  LONG nBase = kBaseWithoutClip;
  const LONG clipLength = (LONG)Value32(record + kClipLengthField);
  if (clipLength >= 52) {  // shorter clips are refused and recorded for like no clip
    nBase = 44 + CAIFF::ClipDataSize(nFileLength, (LONG)Value32(record + kClipOffsetField),
                                     clipLength);
    nBytes += (ULONGLONG)nBase;
  }
  return nBytes + (ULONGLONG)GrownRecordSize(nBase);
}

void CPageAudio::MakeBackground(CDC* pDC) {
  // Only what can be seen of the audio rectangle is kept. An empty or inverted rectangle, or
  // one wholly outside any view, has nothing under it to keep: the item stays, with no
  // background copy and no report.
  m_rectCopy = BackgroundRect(m_rectAudio);
  const int nWidth = m_rectCopy.Width();
  const int nHeight = m_rectCopy.Height();
  if (nWidth <= 0 || nHeight <= 0) return;

  m_pMemDC = new CDC;
  if (!m_pMemDC->CreateCompatibleDC(pDC)) {
    MessageBoxA(NULL, "CreateCompatibleDC() error", "Zorva Offscreen Error", MB_OK);
    delete m_pMemDC;
    m_pMemDC = NULL;
    return;
  }
  m_pBitmap = new CBitmap;
  if (!m_pBitmap->CreateCompatibleBitmap(pDC, nWidth, nHeight)) {
    MessageBoxA(NULL, "CreateCompatibleBitmap() error", "Zorva Offscreen Error", MB_OK);
    m_pMemDC->DeleteDC();
    delete m_pMemDC;
    m_pMemDC = NULL;
    delete m_pBitmap;
    m_pBitmap = NULL;
    return;
  }
  m_pMemDC->SelectObject(m_pBitmap);
  m_pMemDC->PatBlt(0, 0, nWidth, nHeight, WHITENESS);
}

CPageAudio::~CPageAudio() {
  delete m_pClip;
  delete m_pRecorder;
  if (m_pMemDC != NULL) {
    m_pMemDC->DeleteDC();
    delete m_pMemDC;
  }
  delete m_pBitmap;
}

CPen* CPageAudio::DrawFrame(CDC* pDC, COLORREF color, CPen& pen) {
  if (!pen.CreatePen(PS_SOLID, 1, color)) return NULL;
  CPen* pOldPen = pDC->SelectObject(&pen);
  pDC->MoveTo(m_rectAudio.left, m_rectAudio.top);
  pDC->LineTo(m_rectAudio.right, m_rectAudio.top);
  pDC->LineTo(m_rectAudio.right, m_rectAudio.bottom);
  pDC->LineTo(m_rectAudio.left, m_rectAudio.bottom);
  pDC->LineTo(m_rectAudio.left, m_rectAudio.top);
  return pOldPen;
}

void CPageAudio::PlayModel(CDC* pDC) {
  CPen pen;
  CPen* pOldPen = DrawFrame(pDC, kBlue, pen);
  if (m_pClip != NULL) m_pClip->Play();
  if (pOldPen != NULL) pDC->SelectObject(pOldPen);
}

// A refused clip (no image size) is recorded for like an item without a clip.
void CPageAudio::NewRecorder() {
  const LONG nBase =
      (m_pClip != NULL && m_pClip->m_nImageSize > 0) ? m_pClip->m_nImageSize : kBaseWithoutClip;
  delete m_pRecorder;
  m_pRecorder = NULL;
  m_pRecorder = new CWaveRecorder(nBase);
}

void CPageAudio::RecordLearner(CDC* pDC) {
  NewRecorder();
  CPen pen;
  CPen* pOldPen = DrawFrame(pDC, kRed, pen);
  m_pRecorder->Record();
  if (pOldPen != NULL) pDC->SelectObject(pOldPen);
}

void CPageAudio::PlayLearner(CDC* pDC) {
  CPen pen;
  CPen* pOldPen = DrawFrame(pDC, kGreen, pen);
  if (m_pRecorder != NULL) m_pRecorder->Play();
  if (pOldPen != NULL) pDC->SelectObject(pOldPen);
}

void CPageAudio::Unhighlight(CDC* pDC) {
  CPen pen;
  CPen* pOldPen = DrawFrame(pDC, kWhite, pen);
  if (pOldPen != NULL) pDC->SelectObject(pOldPen);
}

void CPageAudio::DrawRoleMarker(CDC* pDC) {
  if (!m_bHasRoleRect) return;
  const int x = m_rectRole.right - 1;
  CPen penWhite;
  if (!penWhite.CreatePen(PS_SOLID, 1, kWhite)) return;
  CPen* pOldPen = pDC->SelectObject(&penWhite);
  pDC->MoveTo(x, m_rectRole.top);
  pDC->LineTo(x, m_rectRole.bottom);
  CPen penRed;
  if (m_bLearnerRole && penRed.CreatePen(PS_SOLID, 1, kRed)) {
    pDC->SelectObject(&penRed);
    pDC->MoveTo(x, m_rectRole.top);
    pDC->LineTo(x, m_rectRole.bottom);
  }
  pDC->SelectObject(pOldPen);
}

void CPageAudio::RoleplayTurn(CDC* pDC) {
  NewRecorder();
  if (!m_bLearnerRole) {
    PlayModel(pDC);
    return;
  }
  const int nWidth = m_rectCopy.Width();
  const int nHeight = m_rectCopy.Height();
  if (m_pMemDC != NULL) {
    m_pMemDC->BitBlt(0, 0, nWidth, nHeight, pDC, m_rectCopy.left, m_rectCopy.top, SRCCOPY);
  }
  CBrush brush;
  CPen pen;
  if (brush.CreateSolidBrush(kWhite) && pen.CreatePen(PS_SOLID, 1, kRed)) {
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Rectangle(m_rectAudio.left, m_rectAudio.top, m_rectAudio.right + 1,
                   m_rectAudio.bottom + 1);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
  }
  m_pRecorder->Record();
  if (m_pMemDC != NULL) {
    pDC->BitBlt(m_rectCopy.left, m_rectCopy.top, nWidth, nHeight, m_pMemDC, 0, 0, SRCCOPY);
  }
}

void CPageAudio::RoleplayReview(CDC* pDC) {
  if (m_bLearnerRole) {
    PlayLearner(pDC);
  } else {
    PlayModel(pDC);
  }
}
