// CDialog: DoModal runs the template through DialogBoxParamA with AfxDlgProc, which binds the
// dialog window to this object and routes its commands (OK and Cancel end it by default).
#include "Dialog.h"

#include "AfxWindow.h"

// What DoDataExchange is given; the program's dialogs exchange no fields.
class CDataExchange {
 public:
  BOOL m_bSaveAndValidate = FALSE;
  CWnd* m_pDlgWnd = nullptr;
};

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate),
      m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)),
      m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
  // The window ends inside DoModal; a dialog object never outlives its binding.
  if (m_hWnd != nullptr) Detach();
}

INT_PTR CDialog::DoModal() {
  if (m_lpszTemplateName == nullptr) return -1;
  CWnd* parent = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
  HWND owner = parent != nullptr ? parent->GetSafeHwnd() : nullptr;
  return ::DialogBoxParamA(nullptr, m_lpszTemplateName, owner, &CDialog::AfxDlgProc,
                           reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int nResult) {
  if (m_hWnd != nullptr) ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx;
  dx.m_bSaveAndValidate = bSaveAndValidate;
  dx.m_pDlgWnd = this;
  DoDataExchange(&dx);
  return TRUE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (nCode != CN_COMMAND || (nID != IDOK && nID != IDCANCEL)) return FALSE;
  // OK and Cancel are the dialog's own unless its map says otherwise.
  if (pHandlerInfo != nullptr) {
    pHandlerInfo->pTarget = this;
    return TRUE;
  }
  if (nID == IDOK) OnOK();
  else OnCancel();
  return TRUE;
}

INT_PTR CALLBACK CDialog::AfxDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (dialog == nullptr || !dialog->Attach(hDlg)) return FALSE;
    return dialog->OnInitDialog();
  }
  auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hDlg));
  if (dialog == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      // Commands from the dialog's buttons and keys (no control windows: lParam is 0).
      return dialog->OnCmdMsg(LOWORD(wParam), CN_COMMAND, nullptr, nullptr);
    case WM_NCDESTROY:
      dialog->Detach();
      return FALSE;
    default:
      // Painting and input stay with the dialog window itself.
      return FALSE;
  }
}
