// CFile: an unbuffered binary file. Paths are written the Win32 way ("ZORVADAT\14101.pge") and
// resolved onto the file system with "\" or "/" as separators and case-insensitive matching of
// names that do not exist as written. Reading past the end reads short; a real read, write or
// seek failure throws a CFileException*.
#pragma once

#include "CException.h"
#include "kernel/FileApi.h"
#include "CObject.h"
#include "CString.h"

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };
  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

  CFile() = default;
  // Opens at once; throws a CFileException* when the file cannot be opened.
  CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
  ~CFile() override;

  // FALSE when the file cannot be opened; the reason goes to pError when given. Sharing is
  // checked against the files this program holds open, with the Win32 rules (shareCompat
  // counts as exclusive, as in the framework).
  virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  // The new position from the start; a position before the start throws (badSeek).
  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, begin); }
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG GetLength() const;
  virtual void Close();
  // Closes without throwing, whatever state the file is in.
  virtual void Abort();
  CString GetFileName() const;
  BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

  HANDLE m_hFile = INVALID_HANDLE_VALUE;

 private:
  // Throws invalidFile unless a file is open.
  void requireOpen() const;
  // Moves the file pointer (or reads it, by 0 from current); the position from the start.
  ULONGLONG movePointer(LONGLONG lOff, UINT nFrom) const;
  // Throws for the last error of the kernel's file calls.
  [[noreturn]] void throwLastError(int cause_if_unknown) const;

  CString m_strFileName;
  UINT m_nOpenFlags = 0;
};
