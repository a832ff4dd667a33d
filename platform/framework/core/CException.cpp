#include "CException.h"

#include <cerrno>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {

BOOL copyMessage(LPCTSTR text, LPTSTR lpszError, UINT nMaxError) {
  if (lpszError == nullptr || nMaxError == 0) return FALSE;
  lstrcpynA(lpszError, text, static_cast<int>(nMaxError));
  return TRUE;
}

}  // namespace

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) {
  if (pnHelpContext) *pnHelpContext = 0;
  if (lpszError && nMaxError) lpszError[0] = '\0';
  return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) {
  if (pnHelpContext) *pnHelpContext = 0;
  return copyMessage("Out of memory.", lpszError, nMaxError);
}

int CFileException::OsErrorToException(LONG lOsError) {
  switch (lOsError) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return accessDenied;
    case EBADF: return invalidFile;
    case EINVAL:
    case ESPIPE: return badSeek;
    case EIO: return hardIO;
    case ENOSPC: return diskFull;
    default: return generic;
  }
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) {
  if (pnHelpContext) *pnHelpContext = 0;
  static const char* const kCauses[] = {
      "No error occurred", "An unspecified error occurred", "was not found",
      "contains an invalid path", "could not be opened: too many open files",
      "could not be accessed", "has an invalid handle", "is the current folder",
      "could not be created: the folder is full", "could not be positioned",
      "could not be read or written: hardware error", "is in use", "is locked",
      "could not be written: the disk is full", "was read past its end"};
  int cause = (m_cause >= none && m_cause <= endOfFile) ? m_cause : generic;
  CString text;
  text.Format("'%s' %s.", (LPCTSTR)m_strFileName, kCauses[cause]);
  return copyMessage(text, lpszError, nMaxError);
}

void AfxThrowMemoryException() { throw new CMemoryException; }

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}
