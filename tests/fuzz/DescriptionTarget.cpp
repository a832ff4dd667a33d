// The lesson description (zorva-lesson build's first step) over any text: it is read and checked
// up to the first fault, which must be a BuildError naming the file and line, never a crash, a
// stack exhausted by nesting or a hang.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "tests/fuzz/FuzzWorkspace.h"
#include "tools/zorva-lesson/LessonDescription.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zorva::fuzz::InputScope scope;
  std::ofstream(zorva::fuzz::kDescriptionName, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  try {
    zorva::builder::readDescription(zorva::fuzz::kDescriptionName);
  } catch (const zorva::builder::BuildError&) {
  }
  return 0;
}
