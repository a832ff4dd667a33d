// Sizes and loudness of the learner's recording, kept apart from the devices so they can be
// checked on plain buffers.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes recorded for a base size: a half more below 58,000 bytes, a sixth more from there on.
// Negative bases are treated as 0 so no negative size reaches an allocation.
int GrownRecordSize(int nBase);

// Scales 16-bit little-endian samples so the loudest reaches 32,765. Only whole samples within
// nSize bytes are read; an odd trailing byte is left alone. Samples beginning in the last
// 10,000 bytes keep their values; buffers of 10,000 bytes or less are not scaled.
void NormalizeSamples(std::uint8_t* pData, int nSize);
