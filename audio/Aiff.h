// A model clip: an AIFF stretch of a page file turned once into an in-memory WAV image and
// played synchronously.
#pragma once

#include <afxwin.h>

class CAIFF : public CObject {
  DECLARE_DYNAMIC(CAIFF)

 public:
  // Reads `length` bytes at `offset` of `file`. Leaves the file at offset + 52 + the sample
  // bytes read (offset + length after a complete read), or at offset when an allocation failed.
  // A length below 52 is refused: a beep, no image, nothing read, file left at offset.
  CAIFF(CFile& file, LONG offset, LONG length);
  virtual ~CAIFF();

  // Plays the image and returns when it has ended; beeps when the platform cannot play it.
  void Play();

  // Sample bytes the image of a clip holds: length - 52, but never more than the bytes the file
  // has from offset + 52 on, so neither the clip nor the learner's recording of it (grown from
  // its size) is longer than what the file holds. 0 for a length below 52.
  static LONG ClipDataSize(ULONGLONG nFileLength, LONG offset, LONG length);

  LONG m_nImageSize;  // 44 + ClipDataSize (length - 8 for a clip its file holds), set before
                      // any allocation; 0 for a refused clip
  HGLOBAL m_hImage;   // the WAV image, or NULL

 private:
  void Build(CFile& file, LONG offset, LONG length);
};
