// Puts a new folder in the place of an old one, all or nothing: the new one is written beside
// the old under a staging name, the two are exchanged in one step, and only then is the old one
// removed. A process killed at any point leaves the old folder or the new one, whole, in place;
// the next run removes what it left under staging names.
#pragma once

#include <filesystem>
#include <string>

#include "tools/zorva-lesson/FileCalls.h"

namespace zorva::builder {

class FolderSwap {
 public:
  // Takes the lock of `target`'s parent folder (FileError when another run holds it), removes
  // the staging folders runs before left (or puts back an old folder a run was killed holding
  // aside), checks that the old folder can be removed, and makes the empty staging folder.
  // `what` names the folder in messages ("the course", "ZORVADAT"); `staging_prefix` begins the
  // staging folders' names.
  FolderSwap(std::filesystem::path target, std::string staging_prefix, std::string what, FileCalls& calls);
  ~FolderSwap();
  FolderSwap(const FolderSwap&) = delete;
  FolderSwap& operator=(const FolderSwap&) = delete;

  // Where the new folder's contents are written before `commit`.
  const std::filesystem::path& staging() const { return staging_; }

  // Puts the staged folder in the target's place and removes the old one. Throws FileError when
  // the swap fails (the old folder is then in place, unchanged). A failure to remove the old
  // folder afterwards is returned as a warning: the new one is in place.
  std::string commit();

 private:
  void lock();
  void tidyStaging();
  void checkRemovable(const std::filesystem::path& folder);

  std::filesystem::path target_;
  std::string prefix_;
  std::string what_;
  FileCalls& calls_;
  std::filesystem::path staging_;
  // Closed by its own destructor, so a constructor that throws still lets the lock go.
  struct LockFile {
    int fd = -1;
    ~LockFile();
  } lock_;
  bool committed_ = false;
};

}  // namespace zorva::builder
