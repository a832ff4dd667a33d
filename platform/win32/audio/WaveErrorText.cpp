// The English texts of the waveform result codes.
#include <cstring>

#include "platform/win32/audio/MMSystem.h"

namespace {

const char* errorText(MMRESULT code) {
  switch (code) {
    case MMSYSERR_NOERROR: return "The command was carried out.";
    case MMSYSERR_ERROR: return "An undefined error occurred in the sound device.";
    case MMSYSERR_BADDEVICEID: return "The sound device ID is out of range: there is no such device.";
    case MMSYSERR_NOTENABLED: return "The sound driver is not enabled.";
    case MMSYSERR_ALLOCATED: return "The sound device is already in use.";
    case MMSYSERR_INVALHANDLE: return "The sound device handle is invalid or already closed.";
    case MMSYSERR_NODRIVER: return "No sound device is available.";
    case MMSYSERR_NOMEM: return "There is not enough memory for this sound operation.";
    case MMSYSERR_NOTSUPPORTED: return "This sound function or notification is not supported.";
    case MMSYSERR_BADERRNUM: return "The error number is not defined.";
    case MMSYSERR_INVALFLAG: return "An invalid flag was passed to a sound function.";
    case MMSYSERR_INVALPARAM: return "An invalid parameter was passed to a sound function.";
    case WAVERR_BADFORMAT: return "The sound format is not supported by the device.";
    case WAVERR_STILLPLAYING: return "The buffer is still queued on the device; reset the device first.";
    case WAVERR_UNPREPARED: return "The wave header was not prepared; prepare it first.";
    case WAVERR_SYNC: return "The device is synchronous and cannot be opened this way.";
    default: return nullptr;
  }
}

MMRESULT copyErrorText(MMRESULT code, LPSTR text, UINT size) {
  if (text == nullptr || size == 0) return MMSYSERR_INVALPARAM;
  const char* found = errorText(code);
  const char* shown = found ? found : errorText(MMSYSERR_BADERRNUM);
  const size_t n = std::strlen(shown) < size - 1 ? std::strlen(shown) : size - 1;
  std::memcpy(text, shown, n);
  text[n] = '\0';
  return found ? MMSYSERR_NOERROR : MMSYSERR_BADERRNUM;
}

}  // namespace

MMRESULT WINAPI waveInGetErrorTextA(MMRESULT mmrError, LPSTR pszText, UINT cchText) {
  return copyErrorText(mmrError, pszText, cchText);
}
