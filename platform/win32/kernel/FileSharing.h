// The table of files the program holds open, for the Win32 sharing rules between them.
#pragma once

#include <cstdint>

namespace zorva::platform {

struct FileIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

// An open's access, and what it denies other opens of the same file.
struct FileShareEntry {
  FileIdentity identity;
  bool reads = false;
  bool writes = false;
  bool denyRead = false;
  bool denyWrite = false;
};

// Whether a new open may coexist with all the opens registered so far.
bool shareAllows(const FileShareEntry& wanted);
// Registers an open; the returned token removes it again.
int registerShare(const FileShareEntry& entry);
void unregisterShare(int token);

}  // namespace zorva::platform
