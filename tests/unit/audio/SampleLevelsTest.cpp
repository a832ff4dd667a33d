#include "audio/SampleLevels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
std::vector<std::uint8_t> samples(const std::vector<std::int16_t>& values, int nBytes) {
    std::vector<std::uint8_t> out(static_cast<size_t>(nBytes), 0);
    for (size_t i = 0; i < values.size() && 2 * i + 1 < out.size(); ++i) {
        auto u = static_cast<std::uint16_t>(values[i]);
        out[2 * i] = static_cast<std::uint8_t>(u & 0xFF);
        out[2 * i + 1] = static_cast<std::uint8_t>(u >> 8);
    }
    return out;
}
std::int16_t at(const std::vector<std::uint8_t>& b, size_t n) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[2 * n] | (b[2 * n + 1] << 8)));
}
}  // namespace

TEST(GrownRecordSize, HalfBelowStepSixthFromStepOn) {
    EXPECT_EQ(GrownRecordSize(100000), 116666);
    EXPECT_EQ(GrownRecordSize(44144), 66216);
    EXPECT_EQ(GrownRecordSize(57999), 86998);
    EXPECT_EQ(GrownRecordSize(58000), 67666);
    EXPECT_EQ(GrownRecordSize(-44), 0);
}

TEST(GrownRecordSize, BoundedToTenMinutesWithoutOverflow) {
    EXPECT_EQ(kMaxRecordBytes, 26460000);
    EXPECT_EQ(GrownRecordSize(22000000), 25666666) << "under the bound: the design's growth";
    EXPECT_EQ(GrownRecordSize(22680000), kMaxRecordBytes) << "grows to exactly the bound";
    EXPECT_EQ(GrownRecordSize(30000000), kMaxRecordBytes);
    EXPECT_EQ(GrownRecordSize(1900000000), kMaxRecordBytes) << "b + b/6 over 32 bits";
    EXPECT_EQ(GrownRecordSize(2147483647), kMaxRecordBytes);
}

TEST(NormalizeSamples, ScalesPeakAndKeepsTail) {
    const int nSize = 30000;
    auto buf = samples({1000, 500, -1000, 0, 250}, nSize);
    buf[nSize - 2] = 100;  // a sample in the last 10,000 bytes
    NormalizeSamples(buf.data(), nSize);
    EXPECT_EQ(at(buf, 0), 32765);
    EXPECT_EQ(at(buf, 1), 16382);
    EXPECT_EQ(at(buf, 2), -32765);
    EXPECT_EQ(at(buf, 3), 0);
    EXPECT_EQ(at(buf, 4), 8191);
    EXPECT_EQ(at(buf, nSize / 2 - 1), 100);
}

TEST(NormalizeSamples, SilenceSmallBuffersAndOddSizes) {
    std::vector<std::uint8_t> silent(20000, 0);
    NormalizeSamples(silent.data(), 20000);
    EXPECT_EQ(silent, std::vector<std::uint8_t>(20000, 0));

    auto small = samples({100, -50}, 10000);
    NormalizeSamples(small.data(), 10000);
    EXPECT_EQ(at(small, 0), 100);
    EXPECT_EQ(at(small, 1), -50);

    // One spare byte past the odd size must stay untouched.
    auto odd = samples({1000}, 20002);
    odd[20001] = 0x5A;
    odd[20000] = 0x7F;  // trailing half sample inside the size: not a whole sample, ignored
    NormalizeSamples(odd.data(), 20001);
    EXPECT_EQ(at(odd, 0), 32765);
    EXPECT_EQ(odd[20000], 0x7F);
    EXPECT_EQ(odd[20001], 0x5A);
}

// The peak is taken over every whole sample, the last one included; each sample that begins
// before the last 10,000 bytes is scaled, which for an odd size includes the one straddling
// that limit.
TEST(NormalizeSamples, PeakFromEveryWholeSampleScaleUpToTheTail) {
  struct Row {
    const char* buffer;
    int size;
    std::vector<std::pair<int, std::int16_t>> in, out;  // sample index, value
  };
  const Row rows[] = {
      {"loudest sample is the last", 20000, {{0, 1000}, {9999, 2000}}, {{0, 16382}, {9999, 2000}}},
      {"loudest sample is the last and negative", 20000, {{0, 1000}, {9999, -32768}},
       {{0, 999}, {9999, -32768}}},
      {"odd size, loudest whole sample is the last", 20001, {{0, 1000}, {9999, 2000}},
       {{0, 16382}, {9999, 2000}}},
      {"even size: the tail begins at sample 5000", 20000, {{0, 1000}, {4999, 500}, {5000, 500}},
       {{0, 32765}, {4999, 16382}, {5000, 500}}},
      {"odd size: sample 5000 begins before the tail", 20001,
       {{0, 1000}, {5000, 500}, {5001, 500}}, {{0, 32765}, {5000, 16382}, {5001, 500}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.buffer);
    std::vector<std::int16_t> values(static_cast<size_t>(row.size / 2), 0);
    for (const auto& [index, value] : row.in) values[static_cast<size_t>(index)] = value;
    auto buf = samples(values, row.size);
    NormalizeSamples(buf.data(), row.size);
    for (const auto& [index, value] : row.out)
      EXPECT_EQ(at(buf, static_cast<size_t>(index)), value) << index;
  }
}
