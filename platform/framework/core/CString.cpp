#include "CString.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
}  // namespace

CString::CString(LPCTSTR lpsz) : m_text(lpsz ? lpsz : "") {}

CString::CString(LPCTSTR lpch, int nLength) {
  if (lpch == nullptr || nLength <= 0) return;
  m_text.assign(lpch, static_cast<size_t>(nLength));
}

CString::CString(TCHAR ch, int nRepeat) {
  if (nRepeat > 0) m_text.assign(static_cast<size_t>(nRepeat), ch);
}

CString& CString::operator=(LPCTSTR lpsz) {
  m_text = lpsz ? lpsz : "";  // std::string copes with lpsz pointing into m_text
  return *this;
}

CString& CString::operator=(TCHAR ch) {
  m_text.assign(1, ch);
  return *this;
}

CString& CString::operator+=(const CString& string) {
  m_text += string.m_text;
  return *this;
}

CString& CString::operator+=(LPCTSTR lpsz) {
  if (lpsz) m_text.append(std::string(lpsz));
  return *this;
}

CString& CString::operator+=(TCHAR ch) {
  m_text += ch;
  return *this;
}

TCHAR CString::GetAt(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetLength()) return '\0';
  return m_text[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, TCHAR ch) {
  if (nIndex < 0 || nIndex >= GetLength()) return;
  m_text[static_cast<size_t>(nIndex)] = ch;
}

CString CString::Left(int nCount) const {
  if (nCount <= 0) return CString();
  return CString(m_text.c_str(), nCount < GetLength() ? nCount : GetLength());
}

CString CString::Right(int nCount) const {
  if (nCount <= 0) return CString();
  if (nCount >= GetLength()) return *this;
  return CString(m_text.c_str() + (GetLength() - nCount), nCount);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const {
  if (nFirst < 0) nFirst = 0;
  if (nFirst >= GetLength() || nCount <= 0) return CString();
  int available = GetLength() - nFirst;
  return CString(m_text.c_str() + nFirst, nCount < available ? nCount : available);
}

int CString::Find(TCHAR ch, int nStart) const {
  if (nStart < 0 || nStart >= GetLength()) return -1;
  size_t at = m_text.find(ch, static_cast<size_t>(nStart));
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCTSTR lpszSub, int nStart) const {
  if (lpszSub == nullptr || nStart < 0 || nStart > GetLength()) return -1;
  size_t at = m_text.find(lpszSub, static_cast<size_t>(nStart));
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(TCHAR ch) const {
  size_t at = m_text.rfind(ch);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

void CString::MakeUpper() {
  for (char& c : m_text) c = upper(c);
}

void CString::MakeLower() {
  for (char& c : m_text) c = lower(c);
}

void CString::TrimLeft() {
  size_t n = 0;
  while (n < m_text.size() && space(m_text[n])) ++n;
  m_text.erase(0, n);
}

void CString::TrimRight() {
  while (!m_text.empty() && space(m_text.back())) m_text.pop_back();
}

void CString::Format(LPCTSTR lpszFormat, ...) {
  va_list args;
  va_start(args, lpszFormat);
  FormatV(lpszFormat, args);
  va_end(args);
}

void CString::FormatV(LPCTSTR lpszFormat, va_list argList) {
  if (lpszFormat == nullptr) {
    m_text.clear();
    return;
  }
  // Measure first, then format into a buffer of the measured size; the arguments may point into
  // this string, so the result is built aside and only then replaces it.
  va_list measure;
  va_copy(measure, argList);
  int length = std::vsnprintf(nullptr, 0, lpszFormat, measure);
  va_end(measure);
  if (length < 0) {
    m_text.clear();
    return;
  }
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), lpszFormat, argList);
  m_text.assign(buffer.data(), static_cast<size_t>(length));
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
  size_t wanted = nMinBufLength > 0 ? static_cast<size_t>(nMinBufLength) : 0;
  m_bufferSize = wanted > m_text.size() ? wanted : m_text.size();
  m_text.resize(m_bufferSize, '\0');
  return m_text.data();
}

void CString::ReleaseBuffer(int nNewLength) {
  size_t limit = m_text.size();
  size_t length;
  if (nNewLength < 0) {
    length = ::strnlen(m_text.c_str(), limit);
  } else {
    length = static_cast<size_t>(nNewLength) < limit ? static_cast<size_t>(nNewLength) : limit;
  }
  m_text.resize(length);
  m_bufferSize = 0;
}

int CString::Compare(LPCTSTR lpsz) const { return std::strcmp(m_text.c_str(), lpsz ? lpsz : ""); }

int CString::CompareNoCase(LPCTSTR lpsz) const {
  const char* a = m_text.c_str();
  const char* b = lpsz ? lpsz : "";
  for (;; ++a, ++b) {
    unsigned char ca = static_cast<unsigned char>(lower(*a));
    unsigned char cb = static_cast<unsigned char>(lower(*b));
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

CString operator+(const CString& string1, const CString& string2) {
  CString result(string1);
  result += string2;
  return result;
}

CString operator+(const CString& string, LPCTSTR lpsz) {
  CString result(string);
  result += lpsz;
  return result;
}

CString operator+(LPCTSTR lpsz, const CString& string) {
  CString result(lpsz);
  result += string;
  return result;
}

CString operator+(const CString& string, TCHAR ch) {
  CString result(string);
  result += ch;
  return result;
}

CString operator+(TCHAR ch, const CString& string) {
  CString result(ch);
  result += string;
  return result;
}
