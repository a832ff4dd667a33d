// One audio item of a page: its clickable rectangles, its model clip, the learner's latest
// recording and a copy of the screen under its audio rectangle for role play.
#pragma once

#include <afxwin.h>

class CAIFF;
class CWaveRecorder;

class CPageAudio : public CObject {
  DECLARE_DYNAMIC(CPageAudio)

 public:
  // Reads the item record at the file's position; leaves the file where the next record
  // starts. `pDC` only makes the background copy compatible with the screen.
  CPageAudio(CFile& file, short nIndex, CDC* pDC);
  virtual ~CPageAudio();

  void PlayModel(CDC* pDC);
  void RecordLearner(CDC* pDC);
  void PlayLearner(CDC* pDC);
  void Unhighlight(CDC* pDC);
  void DrawRoleMarker(CDC* pDC);
  void RoleplayTurn(CDC* pDC);
  void RoleplayReview(CDC* pDC);

  CString m_strName;
  CRect m_rectAudio;
  CRect m_rectRole;
  BOOL m_bHasRoleRect;
  short m_nIndex;
  CAIFF* m_pClip;
  CWaveRecorder* m_pRecorder;
  short m_nNextInRole;
  short m_nRoleHead;
  BOOL m_bLearnerRole;
  CDC* m_pMemDC;
  CBitmap* m_pBitmap;

  // The part of an audio rectangle the background copy keeps: what of it a view as large as the
  // screen can show. Empty when nothing of it can be seen.
  static CRect BackgroundRect(const CRect& rectAudio);
  // The most memory an item read from `record` (its 92 bytes) in a file of `nFileLength` bytes
  // can hold: its clip's image, the longest recording it can make, and its background copy.
  static ULONGLONG HeldBytesFor(const BYTE* record, ULONGLONG nFileLength);

 private:
  CRect m_rectCopy;  // where the background copy lies in the view; empty without one

  void ReadRecord(CFile& file);
  void MakeBackground(CDC* pDC);
  void NewRecorder();
  // Draws the frame in `color`; returns the pen that was selected before.
  CPen* DrawFrame(CDC* pDC, COLORREF color, CPen& pen);
};
