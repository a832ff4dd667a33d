// CString: the framework's string of 8-bit characters. It always holds a terminating NUL, so it
// converts to a C string at any time. Out-of-range indices and counts are clamped rather than
// reading or writing outside the text.
#pragma once

#include <cstdarg>
#include <string>

#include "AfxDefs.h"

class CString {
 public:
  CString() = default;
  CString(const CString& stringSrc) = default;
  CString(CString&& stringSrc) noexcept = default;
  CString(LPCTSTR lpsz);  // NOLINT: converts, as the framework's does; NULL gives ""
  CString(LPCTSTR lpch, int nLength);  // exactly nLength characters of lpch
  CString(TCHAR ch, int nRepeat = 1);
  ~CString() = default;

  CString& operator=(const CString& stringSrc) = default;
  CString& operator=(CString&& stringSrc) noexcept = default;
  CString& operator=(LPCTSTR lpsz);
  CString& operator=(TCHAR ch);

  CString& operator+=(const CString& string);
  CString& operator+=(LPCTSTR lpsz);
  CString& operator+=(TCHAR ch);

  operator LPCTSTR() const { return m_text.c_str(); }

  int GetLength() const { return static_cast<int>(m_text.size()); }
  BOOL IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  // '\0' for an index outside the text.
  TCHAR GetAt(int nIndex) const;
  TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
  // Ignored for an index outside the text.
  void SetAt(int nIndex, TCHAR ch);

  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  // Index of the first occurrence at or after nStart, or -1.
  int Find(TCHAR ch, int nStart = 0) const;
  int Find(LPCTSTR lpszSub, int nStart = 0) const;
  int ReverseFind(TCHAR ch) const;

  void MakeUpper();
  void MakeLower();
  void TrimLeft();
  void TrimRight();

  // printf semantics; the text may be of any length.
  void Format(LPCTSTR lpszFormat, ...);
  void FormatV(LPCTSTR lpszFormat, va_list argList);

  // A writable buffer of at least nMinBufLength characters plus a NUL. ReleaseBuffer ends the
  // text at nNewLength, or at the first NUL when -1 (never beyond the buffer).
  LPTSTR GetBuffer(int nMinBufLength);
  void ReleaseBuffer(int nNewLength = -1);

  // strcmp-like results: negative, 0 or positive.
  int Compare(LPCTSTR lpsz) const;
  int CompareNoCase(LPCTSTR lpsz) const;

 private:
  std::string m_text;
  size_t m_bufferSize = 0;  // characters available between GetBuffer and ReleaseBuffer
};

CString operator+(const CString& string1, const CString& string2);
CString operator+(const CString& string, LPCTSTR lpsz);
CString operator+(LPCTSTR lpsz, const CString& string);
CString operator+(const CString& string, TCHAR ch);
CString operator+(TCHAR ch, const CString& string);

inline bool operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
inline bool operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
inline bool operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
inline bool operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
inline bool operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
inline bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
