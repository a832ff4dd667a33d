#include "CFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "FileSharing.h"
#include "kernel/KernelFaults.h"
#include "kernel/PathResolver.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

using zorva::platform::FileShareEntry;

void setError(CFileException* pError, int cause, LONG os_error, LPCTSTR name) {
  if (pError == nullptr) return;
  pError->m_cause = cause;
  pError->m_lOsError = os_error;
  pError->m_strFileName = name;
}

// The Win32 sharing bits of the open flags; FALSE for an unknown share value.
bool shareEntry(UINT flags, FileShareEntry& entry) {
  UINT access = flags & 0x3;
  entry.reads = access == CFile::modeRead || access == CFile::modeReadWrite;
  entry.writes = access == CFile::modeWrite || access == CFile::modeReadWrite;
  switch (flags & 0x70) {
    case CFile::shareCompat:
    case CFile::shareExclusive: entry.denyRead = entry.denyWrite = true; return true;
    case CFile::shareDenyWrite: entry.denyWrite = true; return true;
    case CFile::shareDenyRead: entry.denyRead = true; return true;
    case CFile::shareDenyNone: return true;
    default: return false;
  }
}

int openFlagsFor(UINT flags) {
  int os = 0;
  switch (flags & 0x3) {
    case CFile::modeRead: os = O_RDONLY; break;
    case CFile::modeWrite: os = O_WRONLY; break;
    default: os = O_RDWR; break;
  }
  if (flags & CFile::modeCreate) os |= O_CREAT | ((flags & CFile::modeNoTruncate) ? 0 : O_TRUNC);
  return os | O_CLOEXEC;
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
  FileShareEntry share;
  if (IsOpen() || lpszFileName == nullptr || (nOpenFlags & ~kKnown) != 0 ||
      (nOpenFlags & 0x3) == 0x3 || !shareEntry(nOpenFlags, share)) {
    setError(pError, CFileException::generic, EINVAL, lpszFileName);
    return FALSE;
  }
  std::optional<std::string> path = zorva::platform::resolvePath(lpszFileName);
  if (!path) {
    setError(pError, CFileException::badPath, ENOENT, lpszFileName);
    return FALSE;
  }
  int fd = ::open(path->c_str(), openFlagsFor(nOpenFlags), 0666);
  if (fd < 0) {
    int err = errno;
    setError(pError, CFileException::OsErrorToException(err), err, lpszFileName);
    return FALSE;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);  // a folder or a device is not a file to read
    setError(pError, CFileException::accessDenied, EISDIR, lpszFileName);
    return FALSE;
  }
  share.identity = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  if (!zorva::platform::shareAllows(share)) {
    ::close(fd);
    setError(pError, CFileException::sharingViolation, EBUSY, lpszFileName);
    return FALSE;
  }
  m_shareToken = zorva::platform::registerShare(share);
  m_hFile = fd;
  m_strFileName = lpszFileName;
  m_nOpenFlags = nOpenFlags;
  return TRUE;
}

void CFile::throwOsError(int cause_if_unknown, int os_error) const {
  int cause = CFileException::OsErrorToException(os_error);
  if (cause == CFileException::generic || cause == CFileException::none) cause = cause_if_unknown;
  AfxThrowFileException(cause, os_error, m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (!IsOpen()) throwOsError(CFileException::invalidFile, EBADF);
  if (nCount == 0) return 0;
  if (lpBuf == nullptr) throwOsError(CFileException::generic, EINVAL);
  if (zorva::platform::takeFileReadFault()) throwOsError(CFileException::hardIO, EIO);
  auto* out = static_cast<char*>(lpBuf);
  UINT done = 0;
  while (done < nCount) {
    ssize_t n = ::read(m_hFile, out + done, nCount - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throwOsError(CFileException::hardIO, errno);
    }
    if (n == 0) break;  // end of file: a short read, not an error
    done += static_cast<UINT>(n);
  }
  return done;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (!IsOpen()) throwOsError(CFileException::invalidFile, EBADF);
  if (nCount == 0) return;
  if (lpBuf == nullptr) throwOsError(CFileException::generic, EINVAL);
  const auto* in = static_cast<const char*>(lpBuf);
  UINT done = 0;
  while (done < nCount) {
    ssize_t n = ::write(m_hFile, in + done, nCount - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throwOsError(CFileException::hardIO, errno);
    }
    if (n == 0) throwOsError(CFileException::diskFull, ENOSPC);
    done += static_cast<UINT>(n);
  }
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  if (!IsOpen()) throwOsError(CFileException::invalidFile, EBADF);
  int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : nFrom == end ? SEEK_END : -1;
  if (whence < 0) throwOsError(CFileException::badSeek, EINVAL);
  off_t pos = ::lseek(m_hFile, static_cast<off_t>(lOff), whence);
  if (pos < 0) throwOsError(CFileException::badSeek, errno);
  return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetPosition() const {
  if (!IsOpen()) throwOsError(CFileException::invalidFile, EBADF);
  off_t pos = ::lseek(m_hFile, 0, SEEK_CUR);
  if (pos < 0) throwOsError(CFileException::badSeek, errno);
  return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const {
  if (!IsOpen()) throwOsError(CFileException::invalidFile, EBADF);
  struct stat st;
  if (::fstat(m_hFile, &st) != 0) throwOsError(CFileException::generic, errno);
  return static_cast<ULONGLONG>(st.st_size);
}

void CFile::Flush() {
  if (!IsOpen()) return;
  if (::fsync(m_hFile) != 0 && errno != EINVAL) throwOsError(CFileException::hardIO, errno);
}

void CFile::Close() {
  if (!IsOpen()) return;
  int result = ::close(m_hFile);
  int err = errno;
  m_hFile = hFileNull;  // closed either way: the descriptor is gone after close()
  CString name = m_strFileName;
  Abort();
  if (result != 0 && err != EINTR)
    AfxThrowFileException(CFileException::OsErrorToException(err), err, name);
}

void CFile::Abort() {
  if (m_hFile != hFileNull) ::close(m_hFile);
  m_hFile = hFileNull;
  if (m_shareToken != 0) zorva::platform::unregisterShare(m_shareToken);
  m_shareToken = 0;
  m_strFileName.Empty();
}

CString CFile::GetFileName() const {
  LPCTSTR path = m_strFileName;
  int start = 0;
  for (int i = 0; path[i] != '\0'; ++i)
    if (path[i] == '\\' || path[i] == '/') start = i + 1;
  return CString(path + start);
}
