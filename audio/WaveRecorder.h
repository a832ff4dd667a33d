// The learner's voice: recorded from the default input device into one buffer, normalised,
// and played back on the default output device. Both directions wait on the device position.
#pragma once

#include <afxwin.h>
#include <mmsystem.h>

class CWaveRecorder : public CObject {
 public:
  explicit CWaveRecorder(LONG nBaseSize);
  virtual ~CWaveRecorder();

  // Drops any recording, records one of the grown size, normalises and holds it.
  void Record();
  // Plays the held recording once; does nothing without one.
  void Play();

  LONG m_nSize;
  BOOL m_bRecorded;
  WAVEFORMATEX m_format;
  HANDLE m_hDevice;  // the input device inside Record, the output device inside Play
  WAVEHDR* m_pHeader;

 private:
  BOOL StartRecording();
  void FailStart(const char* pszCall, MMRESULT result, HWAVEIN hIn);
  void ReportInputFailure(const char* pszCall, MMRESULT result);
  void StopRecording();
  void StopPlaying();
  void Normalize();
  void Release();
  void FreeBuffers();
};
