// An open file descriptor that is closed when it goes out of scope, so every early return of a
// reader closes what it opened.
#pragma once

#include <unistd.h>

namespace zorva::builder {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace zorva::builder
