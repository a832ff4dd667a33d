// The pictures and sounds of a lesson as the editor shows and plays them: each page's picture,
// summaries of each sound to draw its waveform from, and the cut of an item as the builder makes
// it. Pictures and each sound's overview are read once, when the editor starts; a closer summary
// and a cut are read from the file when asked for, so no recording is held whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tools/zorva-lesson/editor/EditableLesson.h"

namespace zorva::editor {

struct PagePicture {
  std::string bytes;  // a PNG or JPEG file as it is, or a page laid out from text as BMP
  std::string type;   // its media type
  int width = 0;
  int height = 0;
  std::vector<builder::PictureRect> lines;  // where a text page's lines lie, for items given by 'line'
};

class LessonMedia {
 public:
  // Reads every picture and sound the lesson names; what can't be read is noted in problems().
  explicit LessonMedia(const EditableLesson& lesson);

  const PagePicture& picture(size_t page) const { return pictures_.at(page); }
  bool hasSound(const std::string& name) const { return sounds_.count(name) != 0; }
  double seconds(const std::string& name) const { return sounds_.at(name).seconds; }

  static constexpr size_t kOverviewColumnsPerSecond = 100;
  // The whole sound's quietest and loudest sample (signed bytes, lowest first) in each 10 ms.
  const std::string& overview(const std::string& name) const { return sounds_.at(name).overview; }
  // The same in each of `columns` columns from `from` to `to` seconds. Throws builder::BuildError
  // when the file can no longer be read.
  std::string summary(const std::string& name, double from, double to, size_t columns) const;

  // The clip the builder cuts for `from` to `to` at `tempo`, as a 16-bit mono WAV file.
  // Throws builder::BuildError when the stretch is empty.
  std::string cutWav(const std::string& name, double from, double to, double tempo) const;

  // Files that could not be read, one message each, with the page they belong to.
  struct Problem {
    size_t page = 0;
    std::string text;
  };
  const std::vector<Problem>& problems() const { return problems_; }

 private:
  void readPicture(const EditableLesson& lesson, size_t page);
  void readSound(const EditableLesson& lesson, size_t page, const std::string& name);

  std::vector<PagePicture> pictures_;
  std::filesystem::path folder_;
  struct Sound {
    double seconds = 0;
    std::string overview;
  };
  std::map<std::string, Sound> sounds_;
  std::vector<Problem> problems_;
};

}  // namespace zorva::editor
