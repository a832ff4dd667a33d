#include <gtest/gtest.h>

#include <cerrno>

#include "core/AfxCore.h"

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
class CCircle : public CShape {
  DECLARE_DYNCREATE(CCircle)
};
class CSquare : public CShape {
  DECLARE_DYNAMIC(CSquare)
};

IMPLEMENT_DYNAMIC(CShape, CObject)
IMPLEMENT_DYNCREATE(CCircle, CShape)
IMPLEMENT_DYNAMIC(CSquare, CShape)

}  // namespace

TEST(RuntimeClass, NamesTheMostDerivedClass) {
  CCircle circle;
  const CObject& asObject = circle;
  EXPECT_STREQ(asObject.GetRuntimeClass()->m_lpszClassName, "CCircle");
  EXPECT_EQ(asObject.GetRuntimeClass()->m_pBaseClass, RUNTIME_CLASS(CShape));
  EXPECT_STREQ(RUNTIME_CLASS(CShape)->m_pBaseClass->m_lpszClassName, "CObject");
  EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
  EXPECT_STREQ(RUNTIME_CLASS(CFileException)->m_lpszClassName, "CFileException");
  EXPECT_STREQ(RUNTIME_CLASS(CFile)->m_lpszClassName, "CFile");
}

TEST(RuntimeClass, IsKindOfFollowsTheBaseChain) {
  CCircle circle;
  CSquare square;
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_FALSE(square.IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_FALSE(circle.IsKindOf(nullptr));
  CFileException fileError;
  EXPECT_TRUE(fileError.IsKindOf(RUNTIME_CLASS(CException)));
  EXPECT_FALSE(fileError.IsKindOf(RUNTIME_CLASS(CMemoryException)));
}

TEST(RuntimeClass, OnlyDynCreateClassesCanBeMade) {
  CObject* made = RUNTIME_CLASS(CCircle)->CreateObject();
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CCircle)));
  delete made;
  EXPECT_EQ(RUNTIME_CLASS(CSquare)->CreateObject(), nullptr);
}

TEST(Exceptions, ThrowHelpersCarryTheCauseAndName) {
  try {
    AfxThrowFileException(CFileException::endOfFile, 0, "ZORVADAT\\14101.pge");
    FAIL() << "nothing thrown";
  } catch (CFileException* e) {
    EXPECT_EQ(e->m_cause, CFileException::endOfFile);
    EXPECT_STREQ(e->m_strFileName, "ZORVADAT\\14101.pge");
    char text[80];
    EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
    EXPECT_STREQ(text, "'ZORVADAT\\14101.pge' was read past its end.");
    char tiny[5];
    EXPECT_TRUE(e->GetErrorMessage(tiny, sizeof tiny));  // cut to fit, still terminated
    EXPECT_STREQ(tiny, "'ZOR");
    e->Delete();
  }
  bool memoryThrown = false;
  try {
    AfxThrowMemoryException();
  } catch (CMemoryException* e) {
    memoryThrown = true;
    e->Delete();
  }
  EXPECT_TRUE(memoryThrown);
  EXPECT_EQ(CFileException::OsErrorToException(ENOENT), CFileException::fileNotFound);
  EXPECT_EQ(CFileException::OsErrorToException(EIO), CFileException::hardIO);
}
