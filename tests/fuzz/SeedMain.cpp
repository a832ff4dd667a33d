// zorva-fuzz-seeds TARGET FOLDER: writes the target's seed inputs into FOLDER (made if missing)
// as seed-N files; exit 2 for a target without seeds.
#include <cstdio>
#include <filesystem>

#include "tests/fuzz/FuzzSeeds.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zorva-fuzz-seeds TARGET FOLDER\n");
    return 2;
  }
  const auto seeds = zorva::fuzz::seedsFor(argv[1]);
  if (seeds.empty()) {
    std::fprintf(stderr, "zorva-fuzz-seeds: no seeds for target '%s'\n", argv[1]);
    return 2;
  }
  const std::filesystem::path folder = argv[2];
  std::filesystem::create_directories(folder);
  for (size_t i = 0; i < seeds.size(); ++i)
    zorva::lessonkit::writeFile(folder / ("seed-" + std::to_string(i)), seeds[i]);
  return 0;
}
