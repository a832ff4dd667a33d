// The kernel's file calls over POSIX descriptors: a table of open files names each by handle
// and holds its entry in the sharing table until CloseHandle.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include "FileApi.h"
#include "FileSharing.h"
#include "KernelFaults.h"
#include "PathResolver.h"

using namespace zorva::platform;

namespace {

struct OpenFile {
  int fd = -1;
  int share_token = 0;
};

std::map<HANDLE, OpenFile>& openFiles() {
  static std::map<HANDLE, OpenFile> table;
  return table;
}
uintptr_t g_nextHandle = 0x10;
DWORD g_lastError = ERROR_SUCCESS;

DWORD win32Error(int os_error) {
  switch (os_error) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG: return ERROR_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOSPC: return ERROR_DISK_FULL;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    default: return ERROR_READ_FAULT;
  }
}

template <typename Result>
Result fail(DWORD error, Result result) {
  g_lastError = error;
  return result;
}

OpenFile* find(HANDLE h) {
  auto it = openFiles().find(h);
  return it == openFiles().end() ? nullptr : &it->second;
}

// The open file a read or write goes to, its count of bytes done set to 0; null, with the last
// error set, for an unknown handle, overlapped use or a missing buffer.
OpenFile* transferTarget(HANDLE h, const void* buffer, DWORD count, LPDWORD done, void* overlapped) {
  if (done != nullptr) *done = 0;
  OpenFile* f = find(h);
  if (f == nullptr) return fail<OpenFile*>(ERROR_INVALID_HANDLE, nullptr);
  if (overlapped != nullptr || (buffer == nullptr && count > 0))
    return fail<OpenFile*>(ERROR_INVALID_PARAMETER, nullptr);
  return f;
}

int openFlags(DWORD access, DWORD disposition) {
  const bool reads = access & GENERIC_READ, writes = access & GENERIC_WRITE;
  int os = reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
  switch (disposition) {
    case CREATE_NEW: os |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: os |= O_CREAT | O_TRUNC; break;
    case OPEN_ALWAYS: os |= O_CREAT; break;
    case TRUNCATE_EXISTING: os |= O_TRUNC; break;
    default: break;
  }
  // Never waits in open(): a named pipe or a device named as a file is refused below, at once.
  return os | O_CLOEXEC | O_NONBLOCK;
}

}  // namespace

DWORD GetLastError() { return g_lastError; }

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   void* lpSecurityAttributes, DWORD dwCreationDisposition, DWORD,
                   HANDLE hTemplateFile) {
  const DWORD kAccess = GENERIC_READ | GENERIC_WRITE;
  if (lpFileName == nullptr || lpSecurityAttributes != nullptr || hTemplateFile != nullptr ||
      (dwDesiredAccess & ~kAccess) != 0 ||
      (dwShareMode & ~(FILE_SHARE_READ | FILE_SHARE_WRITE)) != 0 ||
      dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING)
    return fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
  const std::optional<std::string> path = resolvePath(lpFileName);
  if (!path) return fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
  if (leadsOutOfCurrentFolder(lpFileName, *path)) return fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
  const int fd = ::open(path->c_str(), openFlags(dwDesiredAccess, dwCreationDisposition), 0666);
  if (fd < 0) return fail(win32Error(errno), INVALID_HANDLE_VALUE);
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);  // a folder or a device is not a file to read
    return fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
  }
  FileShareEntry share;
  share.identity = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  share.reads = dwDesiredAccess & GENERIC_READ;
  share.writes = dwDesiredAccess & GENERIC_WRITE;
  share.denyRead = !(dwShareMode & FILE_SHARE_READ);
  share.denyWrite = !(dwShareMode & FILE_SHARE_WRITE);
  if (!shareAllows(share)) {
    ::close(fd);
    return fail(ERROR_SHARING_VIOLATION, INVALID_HANDLE_VALUE);
  }
  const HANDLE h = reinterpret_cast<HANDLE>(g_nextHandle);
  g_nextHandle += 4;
  openFiles()[h] = OpenFile{fd, registerShare(share)};
  g_lastError = ERROR_SUCCESS;
  return h;
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, void* lpOverlapped) {
  OpenFile* f = transferTarget(hFile, lpBuffer, nNumberOfBytesToRead, lpNumberOfBytesRead,
                               lpOverlapped);
  if (f == nullptr) return FALSE;
  if (nNumberOfBytesToRead > 0 && takeFileReadFault()) return fail(ERROR_READ_FAULT, FALSE);
  auto* out = static_cast<char*>(lpBuffer);
  DWORD done = 0;
  while (done < nNumberOfBytesToRead) {
    const ssize_t n = ::read(f->fd, out + done, nNumberOfBytesToRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(errno == EIO ? ERROR_READ_FAULT : win32Error(errno), FALSE);
    if (n == 0) break;  // end of file: a short read, not an error
    done += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesRead != nullptr) *lpNumberOfBytesRead = done;
  return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, void* lpOverlapped) {
  OpenFile* f = transferTarget(hFile, lpBuffer, nNumberOfBytesToWrite, lpNumberOfBytesWritten,
                               lpOverlapped);
  if (f == nullptr) return FALSE;
  const auto* in = static_cast<const char*>(lpBuffer);
  DWORD done = 0;
  while (done < nNumberOfBytesToWrite) {
    const ssize_t n = ::write(f->fd, in + done, nNumberOfBytesToWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(errno == EIO ? ERROR_WRITE_FAULT : win32Error(errno), FALSE);
    if (n == 0) return fail(ERROR_DISK_FULL, FALSE);
    done += static_cast<DWORD>(n);
    if (lpNumberOfBytesWritten != nullptr) *lpNumberOfBytesWritten = done;
  }
  return TRUE;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                     DWORD dwMoveMethod) {
  OpenFile* f = find(hFile);
  if (f == nullptr) return fail(ERROR_INVALID_HANDLE, INVALID_SET_FILE_POINTER);
  const int whence = dwMoveMethod == FILE_BEGIN     ? SEEK_SET
                     : dwMoveMethod == FILE_CURRENT ? SEEK_CUR
                     : dwMoveMethod == FILE_END     ? SEEK_END
                                                    : -1;
  if (whence < 0) return fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
  // Without a high part the distance is the 32-bit value, sign and all.
  const int64_t distance =
      lpDistanceToMoveHigh == nullptr
          ? int64_t{lDistanceToMove}
          : static_cast<int64_t>((uint64_t(uint32_t(*lpDistanceToMoveHigh)) << 32) |
                                 uint32_t(lDistanceToMove));
  const off_t from = whence == SEEK_SET ? 0 : ::lseek(f->fd, 0, whence);
  if (from < 0) return fail(win32Error(errno), INVALID_SET_FILE_POINTER);
  if (distance < 0 && from < -distance) return fail(ERROR_NEGATIVE_SEEK, INVALID_SET_FILE_POINTER);
  const off_t pos = ::lseek(f->fd, static_cast<off_t>(from + distance), SEEK_SET);
  if (pos < 0) return fail(win32Error(errno), INVALID_SET_FILE_POINTER);
  if (lpDistanceToMoveHigh != nullptr) *lpDistanceToMoveHigh = static_cast<LONG>(uint64_t(pos) >> 32);
  g_lastError = ERROR_SUCCESS;  // a low part of 0xFFFFFFFF is then told from a failure
  return static_cast<DWORD>(pos);
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  OpenFile* f = find(hFile);
  if (f == nullptr) return fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
  struct stat st;
  if (::fstat(f->fd, &st) != 0) return fail(win32Error(errno), INVALID_FILE_SIZE);
  if (lpFileSizeHigh != nullptr) *lpFileSizeHigh = static_cast<DWORD>(uint64_t(st.st_size) >> 32);
  g_lastError = ERROR_SUCCESS;
  return static_cast<DWORD>(st.st_size);
}

BOOL CloseHandle(HANDLE hObject) {
  OpenFile* f = find(hObject);
  if (f == nullptr) return fail(ERROR_INVALID_HANDLE, FALSE);
  const OpenFile closing = *f;
  openFiles().erase(hObject);
  unregisterShare(closing.share_token);
  // The handle is gone either way; a failing close still reports.
  if (::close(closing.fd) != 0 && errno != EINTR) return fail(win32Error(errno), FALSE);
  return TRUE;
}
