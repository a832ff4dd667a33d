// The sound half of the backend seam: the default capture and playback devices as streams, and
// the beep. The desktop is the other half (DesktopBackend.h); replacing the sound library means
// replacing only this half.
//
// Threads: every method is called on the GUI thread only, by the Win32 layer's waveform calls,
// PlaySoundA and MessageBeep. A backend may run its library's audio thread internally, but hands
// data across inside itself; nothing above this interface is ever called from another thread.
//
// Ownership: streams are owned by the backend and named by small integer ids until closeAudio().
//
// Time: positions grow on the devices' own time; a caller that waits on them lets time pass
// with the desktop's sleepMs, and measures with its nowMs.
//
// Deferring: nothing. Every call has done its work when it returns (the beep and the queued
// bytes go on sounding afterwards). These calls know nothing of the desktop's held pixels: the
// waveform calls have the desktop show them (PixelHoldingDesktop.h) before every
// playedBytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace zorva::platform {

enum class AudioDirection { Capture, Playback };

struct AudioFormat {
  int rate_hz = 22050;
  int channels = 1;
  int bits = 16;
  int bytesPerSecond() const { return rate_hz * channels * bits / 8; }
};

class AudioBackend {
 public:
  virtual ~AudioBackend() = default;

  // --- Streams ----------------------------------------------------------------------------
  // Opens the default capture or playback device in `format`; returns a stream id, or -1 when
  // there is no device or it refuses to open. Streams start stopped. Called by waveInOpen,
  // waveOutOpen (also to only ask whether a format opens) and PlaySoundA.
  virtual int openAudio(AudioDirection direction, const AudioFormat& format) = 0;
  // Starts capturing or playing. Called by waveInStart, by waveOutWrite for the first buffer
  // and by PlaySoundA once the whole sound is queued.
  virtual void startAudio(int stream) = 0;
  // Pauses; queued or captured bytes are kept. Called by waveInStop and waveInReset.
  virtual void stopAudio(int stream) = 0;
  // Drops whatever is queued or captured; returns within a moment even when the device is
  // stuck. Called by waveInClose, waveOutReset, waveOutClose, after a format query of the open
  // calls and at the end of PlaySoundA; the id names nothing afterwards.
  virtual void closeAudio(int stream) = 0;
  // Capture: moves up to `bytes` captured bytes into dst; returns how many were moved. Called
  // whenever waveIn's position is asked or its buffers are stopped, never blocks.
  virtual size_t readCaptured(int stream, void* dst, size_t bytes) = 0;
  // Playback: queues bytes to be played after those already queued. Called by waveOutWrite and
  // PlaySoundA; the bytes are copied before it returns.
  virtual void queuePlayback(int stream, const void* src, size_t bytes) = 0;
  // Playback: how many of the queued bytes have been heard so far (not merely handed on).
  // Asked by waveOutGetPosition and by PlaySoundA's wait, always through the Win32 layer's
  // heardBytes, right after the desktop has shown its held pixels.
  virtual uint64_t playedBytes(int stream) = 0;

  // --- Sound cues -------------------------------------------------------------------------
  // The sound cue of MessageBeep (`type` is its MB_ICON* value or 0xFFFFFFFF); returns at once,
  // while the cue still sounds. No device: nothing is heard, and that is no error.
  virtual void beep(unsigned type) = 0;
};

// The audio devices the platform runs on. Made once, at first use, by the program's chooser
// (BackendFactory.h) together with the desktop, unless a test or benchmark installed them.
AudioBackend& audioBackend();
void installAudioBackend(std::shared_ptr<AudioBackend> replacement);

}  // namespace zorva::platform
