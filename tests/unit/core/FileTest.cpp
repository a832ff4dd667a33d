#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/AfxCore.h"
#include "kernel/KernelFaults.h"
#include "tests/support/TempFolder.h"

namespace {

// The cause of the CFileException* that `call` throws (deleted here), or -1 when none.
template <typename Call>
int thrownCause(Call call) {
  try {
    call();
  } catch (CFileException* e) {
    int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

class CFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    std::string data;
    for (int i = 0; i < 100; ++i) data += static_cast<char>(i);
    dir_.writeFile("data.bin", data);
    path_ = dir_.at("data.bin");
  }
  void TearDown() override { zorva::platform::clearKernelFaults(); }

  zorva::testing::TempFolder dir_;
  std::string path_;
};

}  // namespace

TEST_F(CFileTest, ReadsShortAtTheEndWithoutAnError) {
  CFile file;
  ASSERT_TRUE(file.Open(path_.c_str(), CFile::modeRead | CFile::shareDenyNone));
  EXPECT_EQ(file.GetLength(), 100u);
  unsigned char buf[64];
  std::memset(buf, 0xEE, sizeof buf);
  EXPECT_EQ(file.Read(buf, 60), 60u);
  EXPECT_EQ(buf[0], 0);
  EXPECT_EQ(buf[59], 59);
  std::memset(buf, 0xEE, sizeof buf);
  EXPECT_EQ(file.Read(buf, 60), 40u);
  EXPECT_EQ(buf[0], 60);
  EXPECT_EQ(buf[39], 99);
  EXPECT_EQ(buf[40], 0xEE);  // nothing written past what was read
  EXPECT_EQ(file.Read(buf, 10), 0u);
  EXPECT_EQ(file.GetPosition(), 100u);
}

TEST_F(CFileTest, SeeksFromEachOriginAndReportsThePosition) {
  CFile file;
  ASSERT_TRUE(file.Open(path_.c_str(), CFile::modeRead | CFile::shareDenyNone));
  EXPECT_EQ(file.Seek(72, CFile::begin), 72u);
  EXPECT_EQ(file.GetPosition(), 72u);
  unsigned char b = 0;
  ASSERT_EQ(file.Read(&b, 1), 1u);
  EXPECT_EQ(b, 72);
  EXPECT_EQ(file.Seek(-3, CFile::current), 70u);
  EXPECT_EQ(file.Seek(-10, CFile::end), 90u);
  ASSERT_EQ(file.Read(&b, 1), 1u);
  EXPECT_EQ(b, 90);
  file.SeekToBegin();
  EXPECT_EQ(file.GetPosition(), 0u);
  // A position past the end is allowed; reading there gives nothing.
  EXPECT_EQ(file.Seek(500, CFile::begin), 500u);
  EXPECT_EQ(file.Read(&b, 1), 0u);
}

TEST_F(CFileTest, SeekingBeforeTheStartThrowsAndKeepsThePosition) {
  CFile file;
  ASSERT_TRUE(file.Open(path_.c_str(), CFile::modeRead | CFile::shareDenyNone));
  file.Seek(10, CFile::begin);
  int cause = -1;
  try {
    file.Seek(-1, CFile::begin);
  } catch (CFileException* e) {
    cause = e->m_cause;
    EXPECT_STREQ(e->m_strFileName, path_.c_str());
    e->Delete();
  }
  EXPECT_EQ(cause, CFileException::badSeek);
  EXPECT_EQ(file.GetPosition(), 10u);
  EXPECT_EQ(thrownCause([&] { file.Seek(0, 7); }), CFileException::badSeek);
}

TEST_F(CFileTest, AnInjectedReadErrorThrowsAHardwareError) {
  CFile file;
  ASSERT_TRUE(file.Open(path_.c_str(), CFile::modeRead | CFile::shareDenyNone));
  zorva::platform::failFileReadsAfter(1);
  char buf[8];
  EXPECT_EQ(file.Read(buf, 8), 8u);
  int cause = -1;
  try {
    file.Read(buf, 8);
  } catch (CFileException* e) {
    cause = e->m_cause;
    e->Delete();
  }
  EXPECT_EQ(cause, CFileException::hardIO);
  EXPECT_EQ(file.Read(buf, 8), 8u);  // the fault is spent
}

TEST_F(CFileTest, OpenFailuresReturnFalseWithTheReason) {
  CFile file;
  CFileException error;
  EXPECT_FALSE(file.Open(dir_.at("missing.dat").c_str(), CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_STREQ(error.m_strFileName, dir_.at("missing.dat").c_str());
  EXPECT_FALSE(file.Open(dir_.at("nofolder/x.dat").c_str(), CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::badPath);
  EXPECT_FALSE(file.Open(dir_.path().c_str(), CFile::modeRead | CFile::shareDenyNone, &error));
  EXPECT_EQ(error.m_cause, CFileException::accessDenied);
  EXPECT_FALSE(file.Open(nullptr, CFile::modeRead));
  EXPECT_FALSE(file.Open(path_.c_str(), 0x3));  // no such access mode
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(thrownCause([&] { CFile(dir_.at("missing.dat").c_str(), CFile::modeRead); }),
            CFileException::fileNotFound);
}

TEST_F(CFileTest, WritesCreateTruncateAndKeep) {
  std::string out = dir_.at("out.bin");
  {
    CFile file;
    ASSERT_TRUE(file.Open(out.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
    file.Write("hello world", 11);
    EXPECT_EQ(file.GetLength(), 11u);
  }  // the destructor closes
  {
    CFile file;
    ASSERT_TRUE(file.Open(out.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
    file.Seek(0, CFile::end);
    file.Write("!", 1);
    file.SeekToBegin();
    char buf[16] = {};
    EXPECT_EQ(file.Read(buf, 16), 12u);
    EXPECT_STREQ(buf, "hello world!");
    file.Close();
    EXPECT_FALSE(file.IsOpen());
  }
  CFile file;
  ASSERT_TRUE(file.Open(out.c_str(), CFile::modeCreate | CFile::modeWrite));
  EXPECT_EQ(file.GetLength(), 0u);
  // Reading a file opened for writing only is a real error.
  char c;
  EXPECT_NE(thrownCause([&] { file.Read(&c, 1); }), -1);
}

TEST_F(CFileTest, CallsOnAClosedFileThrowInsteadOfTouchingADescriptor) {
  CFile file;
  char c;
  EXPECT_NE(thrownCause([&] { file.Read(&c, 1); }), -1);
  EXPECT_NE(thrownCause([&] { file.Seek(0, CFile::begin); }), -1);
  EXPECT_NE(thrownCause([&] { file.GetLength(); }), -1);
  file.Close();  // closing twice, or never opened, is harmless
  file.Abort();
}

TEST_F(CFileTest, SharingFollowsTheWin32Rules) {
  CFile reader1, reader2, writer;
  ASSERT_TRUE(reader1.Open(path_.c_str(), CFile::modeRead | CFile::shareDenyNone));
  EXPECT_TRUE(reader2.Open(path_.c_str(), CFile::modeRead | CFile::shareDenyWrite));
  CFileException error;
  // reader2 denies writing.
  EXPECT_FALSE(writer.Open(path_.c_str(), CFile::modeWrite | CFile::shareDenyNone, &error));
  EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
  reader2.Close();
  EXPECT_TRUE(writer.Open(path_.c_str(), CFile::modeWrite | CFile::shareDenyNone));
  writer.Close();
  // An exclusive open is refused while another is open, and refuses others while it is.
  CFile exclusive;
  EXPECT_FALSE(exclusive.Open(path_.c_str(), CFile::modeRead | CFile::shareExclusive));
  reader1.Close();
  ASSERT_TRUE(exclusive.Open(path_.c_str(), CFile::modeRead | CFile::shareExclusive));
  EXPECT_FALSE(reader1.Open(path_.c_str(), CFile::modeRead | CFile::shareDenyNone));
}

TEST_F(CFileTest, OpensTheProgramsWin32StylePathsCaseInsensitively) {
  dir_.makeFolder("zorvadat");
  dir_.writeFile("zorvadat/14102.pge", "PG");
  CFile file;
  std::string win32 = dir_.path() + "\\ZORVADAT\\\\14102.PGE";
  ASSERT_TRUE(file.Open(win32.c_str(), CFile::modeRead | CFile::shareDenyNone));
  char buf[4] = {};
  EXPECT_EQ(file.Read(buf, 4), 2u);
  EXPECT_STREQ(buf, "PG");
  EXPECT_STREQ(file.GetFileName(), "14102.PGE");
}
