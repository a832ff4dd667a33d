#include "CFile.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

void setError(CFileException* pError, int cause, LONG os_error, LPCTSTR name) {
  if (pError == nullptr) return;
  pError->m_cause = cause;
  pError->m_lOsError = os_error;
  pError->m_strFileName = name;
}

// The framework's cause for a kernel error code.
int causeOf(DWORD error) {
  switch (error) {
    case ERROR_SUCCESS: return CFileException::none;
    case ERROR_FILE_NOT_FOUND: return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND: return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED: return CFileException::accessDenied;
    case ERROR_INVALID_HANDLE: return CFileException::invalidFile;
    case ERROR_NEGATIVE_SEEK: return CFileException::badSeek;
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT: return CFileException::hardIO;
    case ERROR_SHARING_VIOLATION: return CFileException::sharingViolation;
    case ERROR_DISK_FULL: return CFileException::diskFull;
    default: return CFileException::generic;
  }
}

// The share mode CreateFileA takes for the open flags' share bits; false for an unknown value.
bool shareMode(UINT flags, DWORD& mode) {
  switch (flags & 0x70) {
    case CFile::shareCompat:  // counts as exclusive, as in the framework
    case CFile::shareExclusive: mode = 0; return true;
    case CFile::shareDenyWrite: mode = FILE_SHARE_READ; return true;
    case CFile::shareDenyRead: mode = FILE_SHARE_WRITE; return true;
    case CFile::shareDenyNone: mode = FILE_SHARE_READ | FILE_SHARE_WRITE; return true;
    default: return false;
  }
}

DWORD accessFor(UINT flags) {
  switch (flags & 0x3) {
    case CFile::modeRead: return GENERIC_READ;
    case CFile::modeWrite: return GENERIC_WRITE;
    default: return GENERIC_READ | GENERIC_WRITE;
  }
}

DWORD dispositionFor(UINT flags) {
  if (!(flags & CFile::modeCreate)) return OPEN_EXISTING;
  return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
}

}  // namespace

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
  CFileException error;
  if (!Open(lpszFileName, nOpenFlags, &error))
    AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() { Abort(); }

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  const UINT kKnown = 0x3 | 0x70 | modeNoInherit | modeCreate | modeNoTruncate | typeText |
                      typeBinary;
  DWORD share = 0;
  if (IsOpen() || lpszFileName == nullptr || (nOpenFlags & ~kKnown) != 0 ||
      (nOpenFlags & 0x3) == 0x3 || !shareMode(nOpenFlags, share)) {
    setError(pError, CFileException::generic, ERROR_INVALID_PARAMETER, lpszFileName);
    return FALSE;
  }
  const HANDLE h = ::CreateFileA(lpszFileName, accessFor(nOpenFlags), share, nullptr,
                                 dispositionFor(nOpenFlags), FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    setError(pError, causeOf(error), static_cast<LONG>(error), lpszFileName);
    return FALSE;
  }
  m_hFile = h;
  m_strFileName = lpszFileName;
  m_nOpenFlags = nOpenFlags;
  return TRUE;
}

void CFile::throwLastError(int cause_if_unknown) const {
  const DWORD error = ::GetLastError();
  int cause = causeOf(error);
  if (cause == CFileException::generic || cause == CFileException::none) cause = cause_if_unknown;
  AfxThrowFileException(cause, static_cast<LONG>(error), m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  requireOpen();
  if (nCount == 0) return 0;
  if (lpBuf == nullptr) AfxThrowFileException(CFileException::generic, ERROR_INVALID_PARAMETER, m_strFileName);
  DWORD done = 0;
  if (!::ReadFile(m_hFile, lpBuf, nCount, &done, nullptr)) throwLastError(CFileException::hardIO);
  return done;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  requireOpen();
  if (nCount == 0) return;
  if (lpBuf == nullptr) AfxThrowFileException(CFileException::generic, ERROR_INVALID_PARAMETER, m_strFileName);
  DWORD done = 0;
  if (!::WriteFile(m_hFile, lpBuf, nCount, &done, nullptr)) throwLastError(CFileException::hardIO);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  requireOpen();
  if (nFrom != begin && nFrom != current && nFrom != end)
    AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER, m_strFileName);
  return movePointer(lOff, nFrom);
}

ULONGLONG CFile::GetPosition() const {
  requireOpen();
  return movePointer(0, current);
}

ULONGLONG CFile::movePointer(LONGLONG lOff, UINT nFrom) const {
  LONG high = static_cast<LONG>(static_cast<uint64_t>(lOff) >> 32);
  const DWORD low = ::SetFilePointer(m_hFile, static_cast<LONG>(lOff), &high, nFrom);
  if (low == INVALID_SET_FILE_POINTER && ::GetLastError() != ERROR_SUCCESS)
    throwLastError(CFileException::badSeek);
  return (static_cast<ULONGLONG>(static_cast<DWORD>(high)) << 32) | low;
}

void CFile::requireOpen() const {
  if (!IsOpen()) AfxThrowFileException(CFileException::invalidFile, ERROR_INVALID_HANDLE, m_strFileName);
}

ULONGLONG CFile::GetLength() const {
  requireOpen();
  DWORD high = 0;
  const DWORD low = ::GetFileSize(m_hFile, &high);
  if (low == INVALID_FILE_SIZE && ::GetLastError() != ERROR_SUCCESS)
    throwLastError(CFileException::generic);
  return (static_cast<ULONGLONG>(high) << 32) | low;
}

void CFile::Close() {
  if (!IsOpen()) return;
  const BOOL closed = ::CloseHandle(m_hFile);
  const DWORD error = ::GetLastError();
  m_hFile = INVALID_HANDLE_VALUE;  // closed either way: the handle is gone after CloseHandle
  const CString name = m_strFileName;
  Abort();
  if (!closed) AfxThrowFileException(causeOf(error), static_cast<LONG>(error), name);
}

void CFile::Abort() {
  if (m_hFile != INVALID_HANDLE_VALUE) ::CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
  m_strFileName.Empty();
}

CString CFile::GetFileName() const {
  LPCTSTR path = m_strFileName;
  int start = 0;
  for (int i = 0; path[i] != '\0'; ++i)
    if (path[i] == '\\' || path[i] == '/') start = i + 1;
  return CString(path + start);
}
