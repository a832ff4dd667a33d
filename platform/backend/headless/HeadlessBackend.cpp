#include "platform/backend/headless/HeadlessBackend.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace zorva::platform {

HeadlessBackend::HeadlessBackend(HeadlessClock clock) : clock_(clock), audio_([this] { return nowMs(); }) {}

HeadlessBackend& HeadlessBackend::install(HeadlessClock clock) {
  auto fresh = std::make_shared<HeadlessBackend>(clock);
  installDesktopBackend(fresh);
  installAudioBackend(fresh);
  return *fresh;
}

void HeadlessBackend::answerMessageBoxes(std::vector<MessageBoxAnswer> answers) {
  answers_ = std::move(answers);
}

void HeadlessBackend::track(const InputEvent& event) {
  if (event.kind == InputKind::MouseDown || event.kind == InputKind::MouseUp ||
      event.kind == InputKind::MouseMove) {
    const ScreenRect content = contentRect();
    pointer_x_ = content.left + event.x;
    pointer_y_ = content.top + event.y;
  }
}

void HeadlessBackend::inject(InputEvent event) {
  event.time_ms = now_ms_;
  track(event);
  pending_.push_back(event);
}

void HeadlessBackend::schedule(uint64_t at_ms, InputEvent event) {
  event.time_ms = at_ms;
  Scheduled entry{at_ms, event};
  auto later = std::upper_bound(scheduled_.begin(), scheduled_.end(), at_ms,
                                [](uint64_t t, const Scheduled& s) { return t < s.at_ms; });
  scheduled_.insert(later, entry);
  arrive();
}

void HeadlessBackend::arrive() {
  while (!scheduled_.empty() && scheduled_.front().at_ms <= now_ms_) {
    const Scheduled entry = scheduled_.front();
    scheduled_.erase(scheduled_.begin());
    track(entry.event);
    pending_.push_back(entry.event);
  }
}

void HeadlessBackend::advanceClock(uint64_t ms) {
  now_ms_ += ms;
  arrive();
}

void HeadlessBackend::catchUp() {
  if (clock_ != HeadlessClock::Steady) return;
  const auto since_start = std::chrono::steady_clock::now() - started_;
  const auto real_ms =
      static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count());
  if (real_ms > now_ms_) advanceClock(real_ms - now_ms_);
}

void HeadlessBackend::passTime(uint64_t ms) {
  if (clock_ == HeadlessClock::Virtual) {
    advanceClock(ms);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  catchUp();
}

uint64_t HeadlessBackend::nowMs() {
  catchUp();
  return now_ms_;
}

void HeadlessBackend::pointerPosition(int& x, int& y) {
  arrive();
  x = pointer_x_;
  y = pointer_y_;
}

bool HeadlessBackend::createWindow(const std::string& title, const ScreenRect& outer) {
  if (refuse_windows_) return false;
  title_ = title;
  outer_ = outer;
  window_created_ = true;
  return true;
}

ScreenRect HeadlessBackend::contentRect() {
  return ScreenRect{outer_.left + kBorderPx, outer_.top + kCaptionPx, outer_.right - kBorderPx,
                    outer_.bottom - kBorderPx};
}

void HeadlessBackend::present(const uint32_t* pixels, int width, int height, int stride,
                              const ScreenRect& changed) {
  if (width != content_width_ || height != content_height_) {
    content_width_ = width;
    content_height_ = height;
    content_.assign(static_cast<size_t>(width) * height, 0);
  }
  const int left = std::max(0, changed.left);
  const int right = std::min(width, changed.right);
  for (int y = std::max(0, changed.top); y < std::min(height, changed.bottom) && left < right; ++y) {
    std::memcpy(&content_[static_cast<size_t>(y) * width + left], pixels + static_cast<size_t>(y) * stride + left,
                static_cast<size_t>(right - left) * sizeof(uint32_t));
  }
  ++present_count_;
}

uint32_t HeadlessBackend::contentPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= content_width_ || y >= content_height_) return 0xFFFFFFFFu;
  return content_[static_cast<size_t>(y) * content_width_ + x];
}

void HeadlessBackend::destroyWindow() {
  window_created_ = false;
  window_visible_ = false;
}

bool HeadlessBackend::pollEvent(InputEvent& event) {
  arrive();
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

void HeadlessBackend::waitForEvent(int timeout_ms) {
  arrive();
  if (!pending_.empty()) return;
  if (!scheduled_.empty()) {
    const uint64_t next = scheduled_.front().at_ms;
    if (timeout_ms >= 0 && next > now_ms_ + static_cast<uint64_t>(timeout_ms)) {
      passTime(static_cast<uint64_t>(timeout_ms));
    } else {
      passTime(next - now_ms_);
    }
    return;
  }
  if (timeout_ms >= 0) {
    passTime(static_cast<uint64_t>(timeout_ms));
    return;
  }
  if (onIdle) onIdle();
  arrive();
  if (pending_.empty() && scheduled_.empty()) throw HeadlessStarved();
}

MessageBoxAnswer HeadlessBackend::messageBox(const std::string& text, const std::string& caption,
                                             unsigned flags, bool has_owner) {
  RecordedMessageBox box{text, caption, flags, has_owner, now_ms_};
  message_boxes_.push_back(box);
  if (onMessageBox) onMessageBox(box);
  if (answers_.empty()) return 1;  // IDOK
  const MessageBoxAnswer answer = answers_.front();
  answers_.erase(answers_.begin());
  return answer;
}

void HeadlessBackend::sleepMs(int ms) {
  if (ms > 0) passTime(static_cast<uint64_t>(ms));
}

int HeadlessBackend::openAudio(AudioDirection direction, const AudioFormat& format) {
  return audio_.open(direction, format);
}
void HeadlessBackend::startAudio(int stream) { audio_.start(stream); }
void HeadlessBackend::stopAudio(int stream) { audio_.stop(stream); }
void HeadlessBackend::closeAudio(int stream) { audio_.close(stream); }
size_t HeadlessBackend::readCaptured(int stream, void* dst, size_t bytes) {
  return audio_.readCaptured(stream, dst, bytes);
}
void HeadlessBackend::queuePlayback(int stream, const void* src, size_t bytes) {
  audio_.queuePlayback(stream, src, bytes);
}
uint64_t HeadlessBackend::playedBytes(int stream) { return audio_.playedBytes(stream); }

void HeadlessBackend::beep(unsigned type) { beeps_.push_back(RecordedBeep{type, now_ms_}); }

}  // namespace zorva::platform
