#include "audio/Aiff.h"

#include <mmsystem.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

IMPLEMENT_DYNAMIC(CAIFF, CObject)

namespace {

const LONG kClipHeaderSize = 52;  // the samples start here in a clip
const int kWaveHeaderSize = 44;
const UINT kFailureBeep = 10;

void Put32(BYTE* p, DWORD v) {
  for (int i = 0; i < 4; i++) p[i] = (BYTE)(v >> (8 * i));
}
void Put16(BYTE* p, WORD v) {
  p[0] = (BYTE)v;
  p[1] = (BYTE)(v >> 8);
}

void ComposeWaveHeader(BYTE* h, LONG nDataSize) {
  std::memcpy(h, "RIFF", 4);
  Put32(h + 4, (DWORD)(nDataSize + 36));
  std::memcpy(h + 8, "WAVEfmt ", 8);
  Put32(h + 16, 16);
  Put16(h + 20, 1);      // PCM
  Put16(h + 22, 1);      // mono
  Put32(h + 24, 22050);  // samples per second
  Put32(h + 28, 44100);  // bytes per second
  Put16(h + 32, 2);      // block align
  Put16(h + 34, 16);     // bits per sample
  std::memcpy(h + 36, "data", 4);
  Put32(h + 40, (DWORD)nDataSize);
}

// The clip's big-endian samples as the WAV image's little-endian ones, four samples at a time
// and the rest one at a time. An odd last byte has no partner and is zero.
void SwapSampleBytes(const BYTE* from, BYTE* to, LONG nBytes) {
  const uint64_t kLowBytes = 0x00FF00FF00FF00FFull;
  LONG k = 0;
  for (; k + 8 <= nBytes; k += 8) {
    uint64_t four;
    std::memcpy(&four, from + k, 8);
    four = ((four >> 8) & kLowBytes) | ((four & kLowBytes) << 8);
    std::memcpy(to + k, &four, 8);
  }
  for (; k + 1 < nBytes; k += 2) {
    uint16_t sample;
    std::memcpy(&sample, from + k, 2);
    sample = (uint16_t)((sample >> 8) | (sample << 8));
    std::memcpy(to + k, &sample, 2);
  }
  if (nBytes % 2 != 0) to[nBytes - 1] = 0;
}

}  // namespace

CAIFF::CAIFF(CFile& file, LONG offset, LONG length) : m_nImageSize(0), m_hImage(NULL) {
  // A file exception may leave any read; the blocks built so far go with the clip.
  try {
    Build(file, offset, length);
  } catch (...) {
    if (m_hImage != NULL) {
      GlobalFree(m_hImage);
      m_hImage = NULL;
    }
    throw;
  }
}

void CAIFF::Build(CFile& file, LONG offset, LONG length) {
  // Shorter than its own header: refused before anything is read, with the beep of a clip
  // that cannot be built; no image, and a negative size never reaches an allocation.
  if (length < kClipHeaderSize) {
    file.Seek(offset, CFile::begin);
    MessageBeep(kFailureBeep);
    return;
  }
  BYTE tag[12] = {0};
  file.Seek(offset, CFile::begin);
  file.Read(tag, sizeof tag);
  if (std::memcmp(tag, "FORM", 4) != 0) {
    MessageBoxA(NULL, "Not an AIFF file", "AIFF AUDIO FILE ERROR", MB_OK);
  }
  file.Seek(offset, CFile::begin);

  const LONG nDataSize = ClipDataSize(file.GetLength(), offset, length);
  m_nImageSize = kWaveHeaderSize + nDataSize;
  BYTE header[kWaveHeaderSize];
  ComposeWaveHeader(header, nDataSize);

  // Neither block is zero-filled first: every byte of the image is written below.
  m_hImage = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)m_nImageSize);
  if (m_hImage == NULL) {
    MessageBeep(kFailureBeep);
    return;
  }
  BYTE* pImage = (BYTE*)GlobalLock(m_hImage);
  HGLOBAL hTemp = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)nDataSize);
  if (hTemp == NULL && nDataSize > 0) {
    // Without room to read into, the image stays all zero: it has no header and will not play.
    std::memset(pImage, 0, (size_t)m_nImageSize);
    GlobalUnlock(m_hImage);
    MessageBeep(kFailureBeep);
    return;
  }
  std::memcpy(pImage, header, kWaveHeaderSize);
  BYTE* pData = pImage + kWaveHeaderSize;

  try {
    file.Seek((LONGLONG)offset + kClipHeaderSize, CFile::begin);
    BYTE* pTemp = hTemp != NULL ? (BYTE*)GlobalLock(hTemp) : NULL;
    if (pTemp != NULL) {
      // A short read leaves the rest zero: missing samples are silence.
      const UINT nRead = file.Read(pTemp, (UINT)nDataSize);
      std::memset(pTemp + nRead, 0, (size_t)nDataSize - nRead);
      SwapSampleBytes(pTemp, pData, nDataSize);
      GlobalUnlock(hTemp);
    } else {
      std::memset(pData, 0, (size_t)nDataSize);
    }
  } catch (...) {
    GlobalUnlock(m_hImage);
    if (hTemp != NULL) GlobalFree(hTemp);
    throw;
  }
  GlobalUnlock(m_hImage);
  if (hTemp != NULL) GlobalFree(hTemp);
}

LONG CAIFF::ClipDataSize(ULONGLONG nFileLength, LONG offset, LONG length) {
  if (length < kClipHeaderSize) return 0;
  const LONGLONG claimed = (LONGLONG)length - kClipHeaderSize;
  const LONGLONG samplesAt = (LONGLONG)offset + kClipHeaderSize;
  const LONGLONG held =
      offset >= 0 && (ULONGLONG)samplesAt < nFileLength ? (LONGLONG)(nFileLength - samplesAt) : 0;
  return (LONG)std::min(claimed, held);
}

CAIFF::~CAIFF() {
  if (m_hImage != NULL) GlobalFree(m_hImage);
}

void CAIFF::Play() {
  if (m_hImage == NULL) return;
  LPCSTR pImage = (LPCSTR)GlobalLock(m_hImage);
  if (!PlaySoundA(pImage, NULL, SND_MEMORY)) MessageBeep(kFailureBeep);
  GlobalUnlock(m_hImage);
}
