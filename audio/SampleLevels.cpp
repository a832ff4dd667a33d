#include "audio/SampleLevels.h"

#include <cstdlib>

namespace {
constexpr int kGrowthStep = 58000;
constexpr int kKeptTailBytes = 10000;
constexpr double kTargetPeak = 32765.0;

std::int16_t sampleAt(const std::uint8_t* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}
}  // namespace

int GrownRecordSize(int nBase) {
    if (nBase <= 0) return 0;
    const std::int64_t b = nBase;
    const std::int64_t grown = b < kGrowthStep ? b + b / 2 : b + b / 6;
    return grown < kMaxRecordBytes ? static_cast<int>(grown) : kMaxRecordBytes;
}

void NormalizeSamples(std::uint8_t* pData, int nSize) {
    if (pData == nullptr || nSize < 2) return;
    const int nWhole = nSize / 2 * 2;
    int nPeak = 0;
    for (int i = 0; i < nWhole; i += 2) {
        const int nMag = std::abs(static_cast<int>(sampleAt(pData + i)));
        if (nMag > nPeak) nPeak = nMag;
    }
    if (nPeak == 0) return;
    const double dFactor = kTargetPeak / nPeak;
    const int nLimit = nSize - kKeptTailBytes;
    for (int i = 0; i < nLimit && i + 1 < nSize; i += 2) {
        double d = sampleAt(pData + i) * dFactor;
        if (d > kTargetPeak) d = kTargetPeak;
        const auto v = static_cast<std::int16_t>(static_cast<int>(d));
        pData[i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) & 0xFF);
        pData[i + 1] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(v) >> 8);
    }
}
