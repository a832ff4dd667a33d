// Cuts a page's recording into its sentences. Each sentence is said by espeak-ng in the page's
// language and the recording is aligned with that synthesis; the reader's pauses then place each
// cut exactly. A language espeak-ng can't speak is cut by its pauses alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/zorva-lesson/propose/AlignedCuts.h"

namespace zorva::propose {

// `voice` is espeak-ng's, or empty. Throws BuildError when the recording holds no speech, is far
// shorter or longer than the sentences, or is not their reading (naming the sentences not heard).
// With a voice, the cuts say which sentences the recording holds no speech of.
AlignedCuts cutRecording(const std::vector<int16_t>& samples, const std::vector<std::string>& sentences,
                         const std::string& voice);

}  // namespace zorva::propose
