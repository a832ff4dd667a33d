// Shared set-up of the audio tests: a fresh headless backend with its virtual devices, no
// faults left over, and data files written to a temporary folder and opened with CFile.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/win32/audio/WaveFaults.h"
#include "platform/win32/kernel/KernelFaults.h"
#include "tests/support/TempFolder.h"
#include "tools/lessonkit/Lessonkit.h"

namespace zorva::testing {

class AudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::clearKernelFaults();
    platform::clearWaveFaults();
    be = &platform::HeadlessBackend::install();
    blocks_at_start = platform::liveGlobalBlocks();
  }
  void TearDown() override {
    platform::clearKernelFaults();
    platform::clearWaveFaults();
  }
  // Writes `bytes` to a file of the folder and opens it for reading.
  void openFile(CFile& file, const lessonkit::Bytes& bytes) {
    const std::string path = folder.at("DATA.PGE");
    lessonkit::writeFile(path, bytes);
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
  }
  platform::HeadlessBackend* be = nullptr;
  TempFolder folder;
  int blocks_at_start = 0;
};

inline std::vector<std::uint8_t> littleEndian(const std::vector<std::int16_t>& values) {
  std::vector<std::uint8_t> out;
  for (std::int16_t v : values) {
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) & 0xFF));
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8));
  }
  return out;
}

inline std::uint32_t get32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::uint16_t get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace zorva::testing
