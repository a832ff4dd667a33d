#include "FileSharing.h"

#include <map>

namespace zorva::platform {
namespace {

std::map<int, FileShareEntry>& openFiles() {
  static std::map<int, FileShareEntry> table;
  return table;
}
int g_nextToken = 1;

bool conflicts(const FileShareEntry& a, const FileShareEntry& b) {
  if (!(a.identity == b.identity)) return false;
  return (a.reads && b.denyRead) || (a.writes && b.denyWrite) || (b.reads && a.denyRead) ||
         (b.writes && a.denyWrite);
}

}  // namespace

bool shareAllows(const FileShareEntry& wanted) {
  for (const auto& [token, entry] : openFiles())
    if (conflicts(wanted, entry)) return false;
  return true;
}

int registerShare(const FileShareEntry& entry) {
  int token = g_nextToken++;
  openFiles()[token] = entry;
  return token;
}

void unregisterShare(int token) { openFiles().erase(token); }

}  // namespace zorva::platform
