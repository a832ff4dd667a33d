// Runs a fuzz target's entry function, built with the normal compiler, over its seeds and over
// every file of its regression folder: the test suite's guard that no input that ever crashed
// the program crashes it again. Usage: zorva_fuzz_replay_<target> TARGET [FOLDER]
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/FuzzSeeds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void run(const std::vector<uint8_t>& input, const std::string& name) {
  std::printf("replay %s (%zu bytes)\n", name.c_str(), input.size());
  std::fflush(stdout);
  LLVMFuzzerTestOneInput(input.data(), input.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s TARGET [FOLDER]\n", argv[0]);
    return 2;
  }
  int count = 0;
  for (const auto& seed : zorva::fuzz::seedsFor(argv[1])) run(seed, "seed " + std::to_string(count++));
  if (argc == 3 && std::filesystem::is_directory(argv[2])) {
    for (const auto& entry : std::filesystem::directory_iterator(argv[2])) {
      if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
      run(bytes, entry.path().filename().string());
      ++count;
    }
  }
  std::printf("%d inputs replayed without a fault\n", count);
  return 0;
}
