#include "audio/WaveRecorder.h"

#include <cstring>
#include <new>

#include "audio/DeviceWait.h"
#include "audio/SampleLevels.h"

namespace {

// The position a wait must reach: the size less 10 bytes, never below 0.
DWORD EndPosition(LONG nSize) { return nSize > 10 ? (DWORD)(nSize - 10) : 0; }

}  // namespace

CWaveRecorder::CWaveRecorder(LONG nBaseSize)
    : m_nSize(nBaseSize), m_bRecorded(FALSE), m_hDevice(NULL), m_pHeader(NULL) {
  std::memset(&m_format, 0, sizeof m_format);
}

CWaveRecorder::~CWaveRecorder() {
  Release();
  FreeBuffers();
}

void CWaveRecorder::Record() {
  if (m_bRecorded) Release();
  FreeBuffers();
  m_nSize = GrownRecordSize(m_nSize);

  m_pHeader = new (std::nothrow) WAVEHDR;
  if (m_pHeader == NULL) {
    MessageBoxA(NULL, "WAVEHDR failed", "WAVE ERROR", MB_OK);
    return;
  }
  std::memset(m_pHeader, 0, sizeof(WAVEHDR));
  try {
    m_pHeader->lpData = (LPSTR) new BYTE[(size_t)m_nSize];
  } catch (...) {
    delete m_pHeader;
    m_pHeader = NULL;
    throw;
  }
  // Cleared so that bytes the device never fills are silence, in the peak search and in play.
  std::memset(m_pHeader->lpData, 0, (size_t)m_nSize);
  m_pHeader->dwBufferLength = (DWORD)m_nSize;
  m_pHeader->dwFlags = 0;

  m_format.wFormatTag = WAVE_FORMAT_PCM;
  m_format.nChannels = 1;
  m_format.nSamplesPerSec = 22050;
  m_format.nAvgBytesPerSec = 44100;
  m_format.nBlockAlign = 2;
  m_format.wBitsPerSample = 16;
  m_format.cbSize = 0;

  if (!StartRecording()) return;
  HWAVEIN hIn = (HWAVEIN)m_hDevice;
  const DWORD dwGot = WaitForPosition(
      EndPosition(m_nSize), [hIn](MMTIME* pTime) { waveInGetPosition(hIn, pTime, sizeof(MMTIME)); });
  StopRecording();
  if (dwGot == 0) {
    // The device never delivered a byte (a suspended or dead source): a silent take would pass
    // for the learner's voice, so it is reported as a failing input call and not kept.
    FreeBuffers();
    ReportInputFailure("waveInGetPosition", MMSYSERR_NOTENABLED);
    return;
  }
  m_bRecorded = TRUE;
}

BOOL CWaveRecorder::StartRecording() {
  HWAVEIN hIn = NULL;
  MMRESULT result = waveInOpen(&hIn, WAVE_MAPPER, &m_format, 0, 0, CALLBACK_NULL);
  if (result != MMSYSERR_NOERROR) {
    FailStart("waveInOpen", result, NULL);
    return FALSE;
  }
  m_hDevice = (HANDLE)hIn;
  result = waveInPrepareHeader(hIn, m_pHeader, sizeof(WAVEHDR));
  if (result != MMSYSERR_NOERROR) {
    FailStart("waveInPrepareHeader", result, hIn);
    return FALSE;
  }
  result = waveInAddBuffer(hIn, m_pHeader, sizeof(WAVEHDR));
  if (result != MMSYSERR_NOERROR) {
    FailStart("waveInAddBuffer", result, hIn);
    return FALSE;
  }
  result = waveInStart(hIn);
  if (result != MMSYSERR_NOERROR) {
    FailStart("waveInStart", result, hIn);
    return FALSE;
  }
  return TRUE;
}

// A failing input call: the platform's text for the result, captioned with the call's name.
void CWaveRecorder::ReportInputFailure(const char* pszCall, MMRESULT result) {
  char szText[100];
  szText[0] = '\0';
  waveInGetErrorTextA(result, szText, sizeof szText);
  szText[sizeof szText - 1] = '\0';
  MessageBoxA(NULL, szText, pszCall, MB_OK);
}

// Reports a failed start with the platform's text, then closes the device and frees the
// buffers, so the next recording finds the device free.
void CWaveRecorder::FailStart(const char* pszCall, MMRESULT result, HWAVEIN hIn) {
  ReportInputFailure(pszCall, result);
  if (hIn != NULL) {
    waveInReset(hIn);
    if (m_pHeader->dwFlags & WHDR_PREPARED) waveInUnprepareHeader(hIn, m_pHeader, sizeof(WAVEHDR));
    waveInClose(hIn);
  }
  m_hDevice = NULL;
  FreeBuffers();
}

void CWaveRecorder::StopRecording() {
  HWAVEIN hIn = (HWAVEIN)m_hDevice;
  waveInReset(hIn);
  waveInStop(hIn);
  m_pHeader->dwFlags = 0;
  waveInUnprepareHeader(hIn, m_pHeader, sizeof(WAVEHDR));
  waveInClose(hIn);
  m_hDevice = NULL;
  Normalize();
}

void CWaveRecorder::Normalize() {
  if (m_pHeader == NULL || m_pHeader->lpData == NULL) return;
  NormalizeSamples((std::uint8_t*)m_pHeader->lpData, m_nSize);
}

void CWaveRecorder::Play() {
  if (!m_bRecorded) return;
  HWAVEOUT hOut = NULL;
  if (waveOutOpen(&hOut, WAVE_MAPPER, &m_format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) return;
  m_hDevice = (HANDLE)hOut;
  // The results of the output calls go unreported; they only decide whether there is a
  // sound to wait for.
  BOOL bPlaying = waveOutPrepareHeader(hOut, m_pHeader, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
  bPlaying = bPlaying && waveOutWrite(hOut, m_pHeader, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
  if (bPlaying) {
    WaitForPosition(EndPosition(m_nSize),
                    [hOut](MMTIME* pTime) { waveOutGetPosition(hOut, pTime, sizeof(MMTIME)); });
  }
  StopPlaying();
}

void CWaveRecorder::StopPlaying() {
  HWAVEOUT hOut = (HWAVEOUT)m_hDevice;
  waveOutReset(hOut);
  m_pHeader->dwFlags = 0;
  waveOutUnprepareHeader(hOut, m_pHeader, sizeof(WAVEHDR));
  waveOutClose(hOut);
  m_hDevice = NULL;
}

void CWaveRecorder::Release() {
  if (!m_bRecorded) return;
  FreeBuffers();
  m_bRecorded = FALSE;
}

void CWaveRecorder::FreeBuffers() {
  if (m_pHeader == NULL) return;
  delete[] (BYTE*)m_pHeader->lpData;
  delete m_pHeader;
  m_pHeader = NULL;
}
