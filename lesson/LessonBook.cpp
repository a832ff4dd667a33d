// Construction, drawing, the way back to the lesson menu, clearing a page and destruction.
#include "lesson/LessonBook.h"

#include <cstring>

namespace {

const char* const kCaptions[CLessonBook::kButtonCount] = {
    "Lessons", "Previous Page", "Next Page", "Stop", "Play", " ", "Repeat after me",
    "Review", "Replay", "Lesson 1", "Lesson 2", "Lesson 3", "Lesson 4"};

const DWORD kHeaderSize = 1420;
const DWORD kTitleRecordField = 44;
const DWORD kPictureRecordSize = 72;

}  // namespace

CLessonBook::CLessonBook()
    : m_pTitlePicture(NULL),
      m_pPagePicture(NULL),
      m_nItems(0),
      m_bPageShown(FALSE),
      m_bRolePlay(0),
      m_alive(std::make_shared<bool>(true)),
      m_nPageGeneration(0) {
  for (int i = 0; i < kButtonCount; i++) m_buttons[i] = NULL;
  for (int i = 0; i < kMaxItems; i++) m_items[i] = NULL;

  HOTTEXTINFO info;
  info.x = 10;
  info.y = 4;
  info.nWidth = 0;
  info.crLine = RGB(192, 192, 192);
  info.crNormal = RGB(0, 0, 255);
  info.crActive = RGB(255, 0, 0);
  info.crBack = RGB(255, 255, 255);
  info.crDisabled = RGB(192, 192, 192);
  for (int i = 0; i < kButtonCount; i++) {
    if (i == kStopButton) info.y += 48;  // gap between the navigation and the control group
    if (i == kLesson1Button) {
      info.x = 600;
      info.y = 80;
    }
    info.y += 24;
    info.strCaption = kCaptions[i];
    m_buttons[i] = new CHotText(info);
    if (i < kLesson1Button) m_buttons[i]->m_bVisible = FALSE;  // shown with a page
    m_buttons[i]->m_rect.right = m_buttons[i]->m_rect.left + 100;
  }
  for (int i = kLesson1Button; i <= kLesson4Button; i++) m_buttons[i]->m_nState = -1;
  m_buttons[kLesson1Button]->m_nState = 0;

  ReadStartupFile();
}

void CLessonBook::ReadStartupFile() {
  CString strPath;
  strPath.Format("%s//DATA%d.DAT", "ZORVADAT", 4);
  CFile file;
  if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyNone)) {
    ReportMissingFile(strPath);
    return;
  }
  // A file shorter than its header, or a record offset outside the file, leaves the book
  // without a title picture rather than reading garbage.
  try {
    BYTE header[kHeaderSize];
    BYTE record[kPictureRecordSize];
    DWORD fileLength = (DWORD)file.GetLength();
    if (file.Read(header, kHeaderSize) != kHeaderSize) return;
    LONG recordPos = ReadLong(header + kTitleRecordField);
    if (recordPos < 0 || (DWORD)recordPos > fileLength ||
        fileLength - (DWORD)recordPos < kPictureRecordSize)
      return;
    file.Seek(recordPos, CFile::begin);
    if (file.Read(record, kPictureRecordSize) != kPictureRecordSize) return;
    LONG offset = ReadLong(record + 64);
    DWORD length = (DWORD)ReadLong(record + 68);
    if (offset < 0 || (DWORD)offset > fileLength || length > fileLength - (DWORD)offset) return;
    CRect place(110, 0, 110, 0);
    m_pTitlePicture = new CImage;
    m_pTitlePicture->Load(file, &place, offset, length);
    file.Close();
  } catch (CFileException* e) {
    e->Delete();
  }
}

void CLessonBook::ReportMissingFile(const CString& strPath) {
  CString strMessage;
  strMessage.Format("Can't find file '%s'", (LPCTSTR)strPath);
  CWnd* pMain = AfxGetMainWnd();
  ::MessageBoxA(pMain != NULL ? pMain->GetSafeHwnd() : NULL, strMessage, "Zorva File Error", MB_OK);
}

LONG CLessonBook::ReadLong(const BYTE* p) {
  return (LONG)((DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24));
}

CLessonBook::~CLessonBook() {
  *m_alive = false;
  for (int i = 0; i < kButtonCount; i++) {
    delete m_buttons[i];
    m_buttons[i] = NULL;
  }
  delete m_pTitlePicture;
  m_pTitlePicture = NULL;
  delete m_pPagePicture;
  m_pPagePicture = NULL;
  for (int i = 0; i < m_nItems && i < kMaxItems; i++) {
    delete m_items[i];
    m_items[i] = NULL;
  }
}

void CLessonBook::Draw(CDC* pDC) {
  for (int i = kLessonsButton; i <= kReplayButton; i++) m_buttons[i]->Draw(pDC);
  if (!m_bPageShown) {
    if (m_pTitlePicture != NULL) m_pTitlePicture->Draw(pDC);
    for (int i = kLesson1Button; i <= kLesson4Button; i++) m_buttons[i]->Draw(pDC);
    return;
  }
  if (m_pPagePicture != NULL) m_pPagePicture->Draw(pDC);
  CRect rectInfo(kInfoLeft, kInfoTop, kInfoRight, kInfoBottom);
  pDC->DrawText(m_strPageInfo, &rectInfo, 0);
}

void CLessonBook::ShowLessonMenu(CDC* pDC) {
  for (int i = kLessonsButton; i <= kReplayButton; i++) m_buttons[i]->Erase(pDC);
  ClearPage();
  if (m_pTitlePicture != NULL) m_pTitlePicture->Show(pDC);
  for (int i = kLesson1Button; i <= kLesson4Button; i++) m_buttons[i]->Show(pDC);
  m_bPageShown = FALSE;
}

void CLessonBook::ClearPage() {
  m_nPageGeneration++;
  delete m_pPagePicture;
  m_pPagePicture = NULL;
  for (int i = 0; i < kMaxItems; i++) {
    delete m_items[i];
    m_items[i] = NULL;
  }
  m_nItems = 0;
  m_strPageFile.Empty();
  m_strNextFile.Empty();
  m_strPrevFile.Empty();
  m_strPageInfo.Empty();
}

CPageAudio* CLessonBook::Item(int i) const {
  return (i >= 0 && i < m_nItems && i < kMaxItems) ? m_items[i] : NULL;
}

void CLessonBook::SetButtonState(Button nButton, short nState, CDC* pDC) {
  m_buttons[nButton]->m_nState = nState;
  m_buttons[nButton]->Draw(pDC);
}
