// Sizes and loudness of the learner's recording, kept apart from the devices so they can be
// checked on plain buffers.
#pragma once

#include <cstddef>
#include <cstdint>

// Longest recording: 10 minutes of sound (26,460,000 bytes), far beyond any sentence.
constexpr int kMaxRecordBytes = 10 * 60 * 44100;

// Bytes recorded for a base size: a half more below 58,000 bytes, a sixth more from there on,
// at most kMaxRecordBytes. Negative bases are treated as 0 so no negative size reaches an
// allocation; the growth is computed without overflow for every base.
int GrownRecordSize(int nBase);

// Scales 16-bit little-endian samples so the loudest reaches 32,765. Only whole samples within
// nSize bytes are read; an odd trailing byte is left alone. Samples beginning in the last
// 10,000 bytes keep their values; buffers of 10,000 bytes or less are not scaled.
void NormalizeSamples(std::uint8_t* pData, int nSize);
