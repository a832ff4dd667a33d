// Loading a page file, opening a lesson's first page and the three navigation buttons.
#include "lesson/LessonBook.h"

#include "elements/PcxDecoder.h"

namespace {

const DWORD kFixedPartSize = 1099;  // flag byte, two names, info text, picture record
const DWORD kItemRecordSize = 92;
// A page holds at most three times its file's size and this much more: the picture's pixels (at
// most zorva::elements::kPcxMaxPixelBytes) and, for its items, their clips, the longest
// recordings they can make and their background copies. A clip and the learner's longest take of
// it need up to two and a half times the clip's bytes, so a sound page of long clips keeps every
// item, while a page that claims what its file does not hold stays bounded.
const ULONGLONG kPageMemoryPerFileByte = 3;
const ULONGLONG kPageMemoryBeyondFile = 64u * 1024 * 1024;

// Takes the bytes of a fixed field up to its first NUL; a field without NUL is taken whole,
// never read beyond its size.
CString FieldText(const BYTE* p, int size) {
  int n = 0;
  while (n < size && p[n] != 0) n++;
  return CString((LPCTSTR)p, n);
}

}  // namespace

void CLessonBook::LoadPage(CString strName, short nLesson, CDC* pDC) {
  ClearPage();
  if (!strName.IsEmpty())
    m_strPageFile = strName;
  else
    m_strPageFile.Format("%d%d%d0%d.pge", 1, 4, (int)nLesson, 1);
  CString strPath;
  strPath.Format("%s\\%s", "ZORVADAT", (LPCTSTR)m_strPageFile);

  CFile file;
  if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyNone)) {
    ReportMissingFile(strPath);
    return;
  }
  // A damaged file keeps what was read before the damage; no exception leaves the click.
  try {
    ReadPageFile(file, pDC);
  } catch (CFileException* e) {
    e->Delete();
  }
  file.Abort();

  if (m_pPagePicture != NULL) m_pPagePicture->Draw(pDC);
  CRect rectInfo(kInfoLeft, kInfoTop, kInfoRight, kInfoBottom);
  pDC->DrawText(m_strPageInfo, &rectInfo, 0);
  m_buttons[kRepeatButton]->m_strCaption = "Repeat after me";
  m_buttons[kRepeatButton]->Draw(pDC);
  m_bRolePlay = 0;
}

// Reads names, info text, picture and items; false when the file ended early or an offset
// pointed outside it (what was read so far stays).
bool CLessonBook::ReadPageFile(CFile& file, CDC* pDC) {
  DWORD fileLength = (DWORD)file.GetLength();
  BYTE fixed[kFixedPartSize];
  if (file.Read(fixed, kFixedPartSize) != kFixedPartSize) return false;
  m_strPrevFile = FieldText(fixed + 1, 13);
  m_strPrevFile.MakeUpper();
  m_strNextFile = FieldText(fixed + 14, 13);
  m_strNextFile.MakeUpper();
  m_strPageInfo = FieldText(fixed + 27, 1000);

  const BYTE* record = fixed + 1027;
  LONG offset = ReadLong(record + 64);
  DWORD length = (DWORD)ReadLong(record + 68);
  if (offset < 0 || (DWORD)offset > fileLength || length > fileLength - (DWORD)offset)
    return false;
  CRect place(110, -20, 110, -20);
  m_pPagePicture = new CImage;
  m_pPagePicture->Load(file, &place, offset, length);

  file.Seek((LONG)((DWORD)offset + length), CFile::begin);
  BYTE count[2];
  if (file.Read(count, 2) != 2) return false;
  short nCount = (short)(count[0] | (count[1] << 8));
  if (nCount > kMaxItems) nCount = kMaxItems;  // the table holds 60; the rest is not read
  m_nItems = 0;
  ULONGLONG nItemBudget = kPageMemoryPerFileByte * fileLength + kPageMemoryBeyondFile -
                          zorva::elements::kPcxMaxPixelBytes;
  for (short i = 0; i < nCount; i++) {
    // A record the file cuts short is not an item, nor one that would take the page past its
    // memory bound: the page keeps the items read before it.
    const ULONGLONG position = file.GetPosition();
    if (position > fileLength || fileLength - position < kItemRecordSize) return false;
    BYTE record[kItemRecordSize];
    file.Read(record, kItemRecordSize);
    file.Seek((LONGLONG)position, CFile::begin);
    const ULONGLONG nHeld = CPageAudio::HeldBytesFor(record, fileLength);
    if (nHeld > nItemBudget) return false;
    nItemBudget -= nHeld;
    m_items[i] = new CPageAudio(file, i, pDC);
    m_nItems++;
  }
  return true;
}

void CLessonBook::OpenLesson(short nLesson, CDC* pDC) {
  for (int i = kLesson1Button; i <= kLesson4Button; i++) m_buttons[i]->Erase(pDC);
  if (m_pTitlePicture != NULL) m_pTitlePicture->Erase(pDC);
  for (int i = kLessonsButton; i <= kReplayButton; i++) m_buttons[i]->Show(pDC);
  m_bPageShown = TRUE;
  LoadPage(CString(), (short)(nLesson + 1), pDC);
}

void CLessonBook::Navigate(short nButton, CDC* pDC) {
  switch (nButton) {
    case kLessonsButton:
      ShowLessonMenu(pDC);
      break;
    case kPreviousPageButton:
      LoadPage(CString(m_strPrevFile), 0, pDC);
      break;
    case kNextPageButton:
      LoadPage(CString(m_strNextFile), 0, pDC);
      break;
    default:
      break;
  }
}
