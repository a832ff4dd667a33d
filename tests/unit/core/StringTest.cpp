#include <gtest/gtest.h>

#include <string>

#include "core/AfxCore.h"

TEST(CStringFormat, BuildsTheProgramsDataPaths) {
  CString path;
  path.Format("%s//DATA%d.DAT", "ZORVADAT", 4);
  EXPECT_STREQ(path, "ZORVADAT//DATA4.DAT");
  CString page;
  page.Format("%d%d%d0%d.pge", 1, 4, 1, 1);
  EXPECT_STREQ(page, "14101.pge");
  EXPECT_EQ(page.GetLength(), 9);
}

TEST(CStringFormat, FollowsPrintfForStringsNumbersAndCharacters) {
  CString s;
  s.Format("[%c|%5d|%-4s|%03d|%x]", 'Z', 42, "ab", 7, 255);
  EXPECT_STREQ(s, "[Z|   42|ab  |007|ff]");
  s.Format("no arguments");
  EXPECT_STREQ(s, "no arguments");
  s.Format("%s", "");
  EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringFormat, HasNoLengthLimit) {
  std::string big(5000, 'q');
  CString s;
  s.Format("<%s%d>", big.c_str(), 12345);
  ASSERT_EQ(s.GetLength(), 5000 + 7);
  EXPECT_EQ(std::string(s), "<" + big + "12345>");
}

TEST(CStringFormat, MayUseItsOwnTextAsAnArgument) {
  CString s("abc");
  s.Format("%s-%s", (LPCTSTR)s, (LPCTSTR)s);
  EXPECT_STREQ(s, "abc-abc");
}

TEST(CStringCase, MakeUpperAndLowerChangeOnlyLetters) {
  CString s("Page 14102.pge ~z");
  s.MakeUpper();
  EXPECT_STREQ(s, "PAGE 14102.PGE ~Z");
  s.MakeLower();
  EXPECT_STREQ(s, "page 14102.pge ~z");
  CString accented("\xE9t\xE9");  // bytes above 127 are left alone
  accented.MakeUpper();
  EXPECT_STREQ(accented, "\xE9T\xE9");
}

TEST(CStringCompare, OrdersLikeStrcmpAndIgnoresCaseWhenAsked) {
  CString a("ABC"), b("abd");
  EXPECT_LT(a.Compare("ABD"), 0);
  EXPECT_GT(b.Compare("abc"), 0);
  EXPECT_EQ(a.Compare("ABC"), 0);
  EXPECT_EQ(a.CompareNoCase("abc"), 0);
  EXPECT_LT(a.CompareNoCase("abd"), 0);
  EXPECT_GT(CString("abcd").CompareNoCase("ABC"), 0);
  EXPECT_TRUE(a == "ABC");
  EXPECT_TRUE("ABC" == a);
  EXPECT_TRUE(a != b);
  EXPECT_TRUE(a < b);  // 'A' sorts before 'a'
  EXPECT_FALSE(b < a);
  EXPECT_TRUE(a == CString("ABC"));
  EXPECT_TRUE(CString() == "");
  EXPECT_TRUE(CString(nullptr) == "");
}

TEST(CStringBuild, ConstructorsAndConcatenation) {
  EXPECT_STREQ(CString('-', 3), "---");
  EXPECT_STREQ(CString('x', 0), "");
  EXPECT_STREQ(CString("PAGE1234.PGE", 5), "PAGE1");
  CString s("ZORVADAT");
  s += '\\';
  s += "14101";
  s += CString(".pge");
  EXPECT_STREQ(s, "ZORVADAT\\14101.pge");
  EXPECT_STREQ(CString("a") + "b" + 'c', "abc");
  EXPECT_STREQ("x" + CString("y"), "xy");
  s.Empty();
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(s.GetLength(), 0);
}

TEST(CStringParts, ExtractsAndFindsWithinBounds) {
  CString s("14101.pge");
  EXPECT_STREQ(s.Left(5), "14101");
  EXPECT_STREQ(s.Right(3), "pge");
  EXPECT_STREQ(s.Mid(6), "pge");
  EXPECT_STREQ(s.Mid(1, 3), "410");
  EXPECT_STREQ(s.Left(99), "14101.pge");
  EXPECT_STREQ(s.Right(99), "14101.pge");
  EXPECT_STREQ(s.Mid(99), "");
  EXPECT_STREQ(s.Left(-1), "");
  EXPECT_EQ(s.Find('.'), 5);
  EXPECT_EQ(s.Find('1', 1), 2);
  EXPECT_EQ(s.Find("pge"), 6);
  EXPECT_EQ(s.Find('z'), -1);
  EXPECT_EQ(s.Find('1', 50), -1);
  EXPECT_EQ(s.ReverseFind('1'), 4);
}

TEST(CStringParts, CharacterAccessOutsideTheTextIsHarmless) {
  CString s("abc");
  EXPECT_EQ(s.GetAt(0), 'a');
  EXPECT_EQ(s[2], 'c');
  EXPECT_EQ(s.GetAt(3), '\0');
  EXPECT_EQ(s.GetAt(-1), '\0');
  s.SetAt(1, 'X');
  s.SetAt(3, 'Y');
  s.SetAt(-1, 'Y');
  EXPECT_STREQ(s, "aXc");
}

TEST(CStringBuffer, GetBufferAndReleaseBufferSetTheLength) {
  CString s("old");
  char* p = s.GetBuffer(16);
  std::snprintf(p, 17, "%s", "fresh text");
  s.ReleaseBuffer();
  EXPECT_STREQ(s, "fresh text");
  EXPECT_EQ(s.GetLength(), 10);
  p = s.GetBuffer(0);  // keeps the text when asked for less
  EXPECT_STREQ(p, "fresh text");
  s.ReleaseBuffer(5);
  EXPECT_STREQ(s, "fresh");
  s.GetBuffer(2);
  s.ReleaseBuffer(400);  // a length past the buffer stops at the buffer
  EXPECT_EQ(s.GetLength(), 5);
}

TEST(CStringTrim, RemovesWhiteSpaceAtTheEnds) {
  CString s(" \t page \r\n");
  s.TrimLeft();
  EXPECT_STREQ(s, "page \r\n");
  s.TrimRight();
  EXPECT_STREQ(s, "page");
}
