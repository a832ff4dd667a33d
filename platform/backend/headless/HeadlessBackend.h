// The headless backend, desktop and audio devices in one object on one clock: a virtual screen,
// input injected by tests, a virtual clock that moves only when the program waits, message
// boxes recorded and answered as a test says, and virtual audio devices (HeadlessAudio). Tests
// run the same platform code as the real desktop on it.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/backend/AudioBackend.h"
#include "platform/backend/DesktopBackend.h"
#include "platform/backend/headless/HeadlessAudio.h"

namespace zorva::platform {

struct RecordedMessageBox {
  std::string text;
  std::string caption;
  unsigned flags = 0;
  bool has_owner = false;
  uint64_t time_ms = 0;
};

struct RecordedBeep {
  unsigned type = 0;
  uint64_t time_ms = 0;
};

// Thrown when the program waits for input without a time limit and the test has nothing more
// to give: a scenario that would hang on the real desktop fails instead.
struct HeadlessStarved : std::runtime_error {
  HeadlessStarved() : std::runtime_error("headless: the program waits for input that the test never gives") {}
};

// Virtual: moves only when the program waits, so sounds take no real time (tests). Steady: the
// machine's steady clock, for timing real sound devices without a window (the audio benchmark).
enum class HeadlessClock { Virtual, Steady };

class HeadlessBackend final : public DesktopBackend, public AudioBackend {
 public:
  // The window decorations of the virtual desktop, so outer and content sizes differ as on a
  // real one.
  static constexpr int kBorderPx = 4;
  static constexpr int kCaptionPx = 22;

  explicit HeadlessBackend(HeadlessClock clock = HeadlessClock::Virtual);

  // Makes a fresh headless backend the platform's desktop and audio devices and returns it.
  static HeadlessBackend& install(HeadlessClock clock = HeadlessClock::Virtual);

  // --- Set-up by tests --------------------------------------------------------------------
  void setWorkArea(const ScreenRect& area) { work_area_ = area; }
  // A desktop that gives no window (no display to show one on).
  void refuseWindows(bool refuse) { refuse_windows_ = refuse; }
  // The answers the next message boxes give, in order; OK once the list is used up.
  void answerMessageBoxes(std::vector<MessageBoxAnswer> answers);
  // Called while a message box is "open", before it returns (for example to look at the screen).
  std::function<void(const RecordedMessageBox&)> onMessageBox;
  // Called when the program waits without limit and nothing is scheduled; it may inject input.
  // Without it, or when it injects nothing, such a wait throws HeadlessStarved.
  std::function<void()> onIdle;

  // --- Input --------------------------------------------------------------------------------
  // Delivers an event now (time stamp: the clock's now).
  void inject(InputEvent event);
  // Delivers an event when the virtual clock reaches at_ms. Mouse events move the pointer
  // at that moment, whether or not the program reads its queue then.
  void schedule(uint64_t at_ms, InputEvent event);
  bool hasPendingInput() const { return !pending_.empty() || !scheduled_.empty(); }

  // --- What the program did ---------------------------------------------------------------
  const std::vector<RecordedMessageBox>& messageBoxes() const { return message_boxes_; }
  const std::vector<RecordedBeep>& beeps() const { return beeps_; }
  bool windowCreated() const { return window_created_; }
  bool windowVisible() const { return window_visible_; }
  const std::string& title() const { return title_; }
  ScreenRect outerRect() const { return outer_; }
  // The content pixels as last presented (COLORREF values).
  uint32_t contentPixel(int x, int y) const;
  int contentWidth() const { return content_width_; }
  int contentHeight() const { return content_height_; }
  const std::vector<uint32_t>& contentPixels() const { return content_; }
  int presentCount() const { return present_count_; }
  HeadlessAudio& audio() { return audio_; }
  void advanceClock(uint64_t ms);

  // --- DesktopBackend ---------------------------------------------------------------------
  ScreenRect workArea() override { return work_area_; }
  void pointerPosition(int& x, int& y) override;
  bool createWindow(const std::string& title, const ScreenRect& outer) override;
  void setTitle(const std::string& title) override { title_ = title; }
  void showWindow(bool visible) override { window_visible_ = visible; }
  ScreenRect contentRect() override;
  void present(const uint32_t* pixels, int width, int height, int stride, const ScreenRect& changed) override;
  void destroyWindow() override;
  bool pollEvent(InputEvent& event) override;
  void waitForEvent(int timeout_ms) override;
  MessageBoxAnswer messageBox(const std::string& text, const std::string& caption, unsigned flags,
                              bool has_owner) override;
  uint64_t nowMs() override;
  void sleepMs(int ms) override;

  // --- AudioBackend -----------------------------------------------------------------------
  int openAudio(AudioDirection direction, const AudioFormat& format) override;
  void startAudio(int stream) override;
  void stopAudio(int stream) override;
  void closeAudio(int stream) override;
  size_t readCaptured(int stream, void* dst, size_t bytes) override;
  void queuePlayback(int stream, const void* src, size_t bytes) override;
  uint64_t playedBytes(int stream) override;
  void beep(unsigned type) override;

 private:
  struct Scheduled {
    uint64_t at_ms = 0;
    InputEvent event;
  };
  void arrive();  // moves scheduled input whose time has come into the queue
  void track(const InputEvent& event);
  void passTime(uint64_t ms);  // waits ms on the steady clock, or moves the virtual one
  void catchUp();              // on the steady clock: brings now_ms_ up to the machine's time

  ScreenRect work_area_{0, 0, 1280, 994};
  ScreenRect outer_{};
  std::string title_;
  bool window_created_ = false;
  bool refuse_windows_ = false;
  bool window_visible_ = false;
  int pointer_x_ = 0;  // screen coordinates
  int pointer_y_ = 0;
  HeadlessClock clock_ = HeadlessClock::Virtual;
  std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
  uint64_t now_ms_ = 0;
  std::deque<InputEvent> pending_;
  std::vector<Scheduled> scheduled_;  // kept in time order
  std::vector<MessageBoxAnswer> answers_;
  std::vector<RecordedMessageBox> message_boxes_;
  std::vector<RecordedBeep> beeps_;
  std::vector<uint32_t> content_;
  int content_width_ = 0;
  int content_height_ = 0;
  int present_count_ = 0;
  HeadlessAudio audio_;
};

}  // namespace zorva::platform
