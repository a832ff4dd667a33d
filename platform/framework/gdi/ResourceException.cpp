#include "ResourceException.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CResourceException, CException)

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) {
  if (pnHelpContext != nullptr) *pnHelpContext = 0;
  if (lpszError == nullptr || nMaxError == 0) return FALSE;
  lstrcpynA(lpszError, "A required resource was unavailable.", static_cast<int>(nMaxError));
  return TRUE;
}

void AfxThrowResourceException() { throw new CResourceException(); }
