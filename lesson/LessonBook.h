// The lesson engine: owns every element shown in the view, its two screens (lesson menu and
// page), page loading and navigation, the playback runs, role play and the routing of clicks.
#pragma once

#include <afxwin.h>

#include <memory>

#include "elements/HotText.h"
#include "elements/Image.h"
#include "elements/PageAudio.h"

class CLessonBook {
public:
  // The thirteen buttons of m_buttons, in the order they are built, drawn and hit-tested.
  enum Button {
    // Navigation, on a page; Navigate takes the same numbers.
    kLessonsButton,
    kPreviousPageButton,
    kNextPageButton,
    // Control, on a page; OnControlButton takes the number less kStopButton.
    kStopButton,
    kPlayButton,
    kBlankButton,
    kRepeatButton,  // "Roleplay" while the learner has a role
    kReviewButton,
    kReplayButton,
    // The lesson menu; OpenLesson takes the number less kLesson1Button.
    kLesson1Button,
    kLesson2Button,
    kLesson3Button,
    kLesson4Button,
    kButtonCount
  };
  enum { kMaxItems = 60 };
  // Where a page's information line is drawn, in view coordinates.
  enum { kInfoLeft = 860, kInfoTop = 10, kInfoRight = 1100, kInfoBottom = 30 };

  CLessonBook();
  virtual ~CLessonBook();

  // Drawing and screens (LessonBook.cpp).
  void Draw(CDC* pDC);
  void ShowLessonMenu(CDC* pDC);
  void ClearPage();

  // Page loading and navigation (PageLoading.cpp).
  void LoadPage(CString strName, short nLesson, CDC* pDC);
  void OpenLesson(short nLesson, CDC* pDC);
  void Navigate(short nButton, CDC* pDC);

  // Playback runs (PlaybackModes.cpp).
  void OnControlButton(short nControl, CDC* pDC);
  void PlayPage(CDC* pDC);
  void RepeatAfterMe(CDC* pDC);
  void ReviewPage(CDC* pDC);
  void ReplayPage(CDC* pDC);

  // Role play (RolePlay.cpp).
  void ToggleRole(short nItem, CDC* pDC);
  void RolePlay(CDC* pDC);

  // Input routing and interruption (InputRouting.cpp).
  void HandleClick(CPoint point, CDC* pDC);
  void HandleRightClick(CPoint point, CDC* pDC);
  BOOL StopRequested();
  BOOL PumpOneMessage();
  // Whether a run stops on what its stop test took off the queue: `message` is WM_NULL when no
  // left click was queued; `pPointer` is where the pointer is now in the view, null when there
  // is no view. A quit request always stops; a left click stops only when Stop takes the pointer.
  static bool StopsRun(UINT message, const CPoint* pPointer, const CHotText& stop);

  CHotText* m_buttons[kButtonCount];
  CImage* m_pTitlePicture;
  CImage* m_pPagePicture;
  short m_nItems;
  CPageAudio* m_items[kMaxItems];
  CString m_strPageFile;
  CString m_strNextFile;
  CString m_strPrevFile;
  CString m_strPageInfo;
  BOOL m_bPageShown;
  int m_bRolePlay;

private:
  // Cleared by the destructor. A run keeps a copy and checks it after every pumped message,
  // because a dispatched message may close the window and destroy this book mid-run.
  std::shared_ptr<bool> m_alive;
  // Counts the pages cleared away (loading a page, going back to the lesson menu). A run notes
  // it when it starts: a click dispatched at a checkpoint may have destroyed the run's items.
  UINT m_nPageGeneration;

  // What a run does after its checkpoint: go on; stop (Stop clicked or quit asked); end without
  // touching the items, because a dispatched click cleared the page they belonged to; or return
  // at once without touching anything, because a dispatched message closed the main window and
  // the book and its items may be gone.
  enum RunCheck { kGoOn, kStop, kPageGone, kWindowGone };
  struct RunGuard {
    std::shared_ptr<bool> alive;  // false once the book is destroyed
    bool hadMainWindow;           // the framework forgets the main window when it is destroyed
    UINT pageGeneration;          // the page whose items the run works through
  };
  RunCheck Checkpoint(const RunGuard& guard);
  // One pass of a run over the items: `first`, then (if given) a checkpoint and `second`, then
  // Unhighlight and a checkpoint. A stopped pass unhighlights the item at hand. Returns how the
  // pass ended: kGoOn when every item was done.
  typedef void (CPageAudio::*ItemStep)(CDC*);
  RunCheck RunItems(ItemStep first, ItemStep second, CDC* pDC);
  CPageAudio* Item(int i) const;
  void SetButtonState(Button nButton, short nState, CDC* pDC);
  void ReadStartupFile();
  // The "Zorva File Error" box for a data file that cannot be opened.
  static void ReportMissingFile(const CString& strPath);
  // A little-endian 32-bit field of a data file.
  static LONG ReadLong(const BYTE* p);
  bool ReadPageFile(CFile& file, CDC* pDC);
};
