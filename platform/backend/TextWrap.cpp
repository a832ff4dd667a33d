#include "platform/backend/TextWrap.h"

#include <algorithm>

namespace zorva::platform {

std::vector<std::string> wrapText(const std::string& text, int width,
                                  const std::function<int(const std::string&)>& measure) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    std::string paragraph = text.substr(start, end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
    std::string line;
    size_t pos = 0;
    while (pos < paragraph.size()) {
      const size_t space = std::min(paragraph.find(' ', pos), paragraph.size());
      const std::string word = paragraph.substr(pos, space - pos);
      const std::string candidate = line.empty() ? word : line + " " + word;
      if (!line.empty() && measure(candidate) > width) {
        lines.push_back(line);
        line = word;
      } else {
        line = candidate;
      }
      pos = space + 1;
    }
    lines.push_back(line);
    if (end >= text.size()) break;
    start = end + 1;
  }
  return lines;
}

}  // namespace zorva::platform
