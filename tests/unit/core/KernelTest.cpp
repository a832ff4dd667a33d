#include <gtest/gtest.h>

#include <cstring>

#include "kernel/KernelFaults.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "kernel/WinBase.h"

namespace {

class GlobalMemory : public ::testing::Test {
 protected:
  void SetUp() override { baseline_ = zorva::platform::liveGlobalBlocks(); }
  void TearDown() override {
    zorva::platform::clearKernelFaults();
    EXPECT_EQ(zorva::platform::liveGlobalBlocks(), baseline_) << "a block was not freed";
  }
  int baseline_ = 0;
};

}  // namespace

TEST_F(GlobalMemory, ZeroInitClearsEveryByteAndSizeIsTheAskedSize) {
  for (UINT flags : {UINT(GHND), UINT(GPTR)}) {
    // Dirty the heap first so a block that is not cleared shows.
    HGLOBAL dirty = GlobalAlloc(GMEM_FIXED, 4096);
    ASSERT_NE(dirty, nullptr);
    std::memset(GlobalLock(dirty), 0xAB, 4096);
    GlobalFree(dirty);
    HGLOBAL h = GlobalAlloc(flags, 4000);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 4000u);
    auto* p = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    int nonzero = 0;
    for (int i = 0; i < 4000; ++i) nonzero += p[i] != 0;
    EXPECT_EQ(nonzero, 0) << "flags " << flags;
    GlobalUnlock(h);
    EXPECT_EQ(GlobalFree(h), nullptr);
  }
}

TEST_F(GlobalMemory, MoveableBlocksCountTheirLocks) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 16);
  ASSERT_NE(h, nullptr);
  char* p1 = static_cast<char*>(GlobalLock(h));
  char* p2 = static_cast<char*>(GlobalLock(h));
  ASSERT_NE(p1, nullptr);
  EXPECT_EQ(p1, p2);
  EXPECT_NE(static_cast<void*>(p1), h);  // a moveable handle is not the address
  std::strcpy(p1, "RIFF");
  EXPECT_TRUE(GlobalUnlock(h));    // still locked once
  EXPECT_FALSE(GlobalUnlock(h));   // now unlocked
  EXPECT_FALSE(GlobalUnlock(h));   // not locked at all
  EXPECT_STREQ(static_cast<char*>(GlobalLock(h)), "RIFF");  // contents kept across locks
  GlobalUnlock(h);
  EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST_F(GlobalMemory, FixedBlocksAreTheirOwnAddress) {
  HGLOBAL h = GlobalAlloc(GMEM_FIXED, 8);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalLock(h), h);
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST_F(GlobalMemory, StaleAndForeignHandlesFailSafely) {
  HGLOBAL h = GlobalAlloc(GHND, 8);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalFree(h), nullptr);
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_EQ(GlobalSize(h), 0u);
  EXPECT_EQ(GlobalFree(h), h);  // a second free fails and hands the handle back
  int local = 0;
  EXPECT_EQ(GlobalLock(&local), nullptr);
  EXPECT_EQ(GlobalFree(nullptr), nullptr);
  EXPECT_EQ(GlobalAlloc(0x8000, 8), nullptr);  // a flag this platform does not offer
  // A clip length below its header, made unsigned, asks for about 4 GiB: refused.
  EXPECT_EQ(GlobalAlloc(GHND, SIZE_T(DWORD(4 - 8))), nullptr);
  EXPECT_EQ(GlobalAlloc(GHND, SIZE_T(0x80000000u)), nullptr);
}

TEST_F(GlobalMemory, InjectedFailureHitsTheNthAllocationOnce) {
  zorva::platform::failGlobalAllocAfter(2);
  HGLOBAL a = GlobalAlloc(GHND, 10);
  HGLOBAL b = GlobalAlloc(GHND, 10);
  HGLOBAL c = GlobalAlloc(GHND, 10);
  HGLOBAL d = GlobalAlloc(GHND, 10);
  EXPECT_NE(a, nullptr);
  EXPECT_NE(b, nullptr);
  EXPECT_EQ(c, nullptr);
  EXPECT_NE(d, nullptr);
  EXPECT_EQ(zorva::platform::liveGlobalBlocks(), baseline_ + 3);
  GlobalFree(a);
  GlobalFree(b);
  GlobalFree(d);
  zorva::platform::failGlobalAllocAfter(0);
  EXPECT_EQ(GlobalAlloc(GMEM_FIXED, 1), nullptr);
  zorva::platform::failGlobalAllocAfter(0);
  zorva::platform::clearKernelFaults();
  HGLOBAL e = GlobalAlloc(GMEM_FIXED, 1);
  EXPECT_NE(e, nullptr);
  GlobalFree(e);
}

TEST(KernelCalls, MulDivRoundsAndRefusesOverflow) {
  EXPECT_EQ(MulDiv(10, 3, 4), 8);     // 7.5 rounds up
  EXPECT_EQ(MulDiv(-10, 3, 4), -8);   // away from zero
  EXPECT_EQ(MulDiv(7, 1, 2), 4);
  EXPECT_EQ(MulDiv(44100, 500, 1000), 22050);
  EXPECT_EQ(MulDiv(1 << 30, 4, 2), -1);  // 2^31 does not fit
  EXPECT_EQ(MulDiv(-(1 << 30), 4, 2), INT32_MIN);
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
  EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);  // 64-bit intermediate
}

TEST(KernelCalls, StringHelpers) {
  char buf[8];
  EXPECT_EQ(lstrlenA("ZORVA"), 5);
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_STREQ(lstrcpyA(buf, "abc"), "abc");
  EXPECT_STREQ(lstrcpynA(buf, "abcdefghij", 4), "abc");
  EXPECT_LT(lstrcmpA("abc", "abd"), 0);
  EXPECT_EQ(lstrcmpiA("ABC", "abc"), 0);
  EXPECT_GT(lstrcmpiA("abd", "ABC"), 0);
}

TEST(KernelCalls, TickCountAndSleepFollowTheDesktopClock) {
  zorva::platform::HeadlessBackend& desk = zorva::platform::HeadlessBackend::install();
  DWORD start = GetTickCount();
  EXPECT_EQ(start, static_cast<DWORD>(desk.nowMs()));
  desk.advanceClock(1500);
  EXPECT_EQ(GetTickCount() - start, 1500u);
  Sleep(250);
  EXPECT_EQ(GetTickCount() - start, 1750u);
}
