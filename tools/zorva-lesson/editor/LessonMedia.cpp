#include "tools/zorva-lesson/editor/LessonMedia.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "tools/zorva-lesson/Picture.h"
#include "tools/zorva-lesson/Sound.h"

namespace zorva::editor {
namespace {

void putLittle(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A page laid out from text has no file of its own; browsers show a plain 24-bit BMP.
std::string bmpFile(const builder::RgbaImage& image) {
  const uint32_t row = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
  const uint32_t size = 54 + row * static_cast<uint32_t>(image.height);
  std::string out = "BM";
  putLittle(out, size, 4);
  putLittle(out, 0, 4);
  putLittle(out, 54, 4);
  putLittle(out, 40, 4);
  putLittle(out, static_cast<uint32_t>(image.width), 4);
  putLittle(out, static_cast<uint32_t>(image.height), 4);
  putLittle(out, 1, 2);
  putLittle(out, 24, 2);
  for (int i = 0; i < 6; ++i) putLittle(out, 0, 4);
  for (int y = image.height - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
      out += static_cast<char>(p[2]);
      out += static_cast<char>(p[1]);
      out += static_cast<char>(p[0]);
    }
    out.resize(start + row, '\0');
  }
  return out;
}

std::string wavFile(const std::vector<int16_t>& samples) {
  const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
  std::string out = "RIFF";
  putLittle(out, 36 + data, 4);
  out += "WAVEfmt ";
  putLittle(out, 16, 4);
  putLittle(out, 1, 2);  // PCM
  putLittle(out, 1, 2);  // mono
  putLittle(out, builder::kClipRateHz, 4);
  putLittle(out, builder::kClipRateHz * 2, 4);
  putLittle(out, 2, 2);
  putLittle(out, 16, 2);
  out += "data";
  putLittle(out, data, 4);
  for (int16_t s : samples) putLittle(out, static_cast<uint16_t>(s), 2);
  return out;
}

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string mediaType(const std::string& name) {
  std::string ext = std::filesystem::path(name).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".png" ? "image/png" : ext == ".jpg" || ext == ".jpeg" ? "image/jpeg" : "application/octet-stream";
}

}  // namespace

LessonMedia::LessonMedia(const EditableLesson& lesson) : folder_(lesson.folder()) {
  for (size_t page = 0; page < lesson.pages.size(); ++page) {
    readPicture(lesson, page);
    for (const EditableItem& item : lesson.pages[page].items) {
      if (!item.audio.empty() && !hasSound(item.audio)) readSound(lesson, page, item.audio);
    }
  }
}

void LessonMedia::readPicture(const EditableLesson& lesson, size_t page) {
  const EditablePage& wanted = lesson.pages[page];
  PagePicture picture;
  try {
    if (!wanted.picture.empty()) {
      const std::filesystem::path path = lesson.folder() / wanted.picture;
      const builder::RgbaImage image = builder::loadImageFile(path.string(), builder::SourceRef{path.string(), 0});
      picture = PagePicture{fileBytes(path), mediaType(wanted.picture), image.width, image.height, {}};
    } else {
      const builder::TextPage laid = builder::layOutText(wanted.text, wanted.width, wanted.height, builder::SourceRef{});
      picture = PagePicture{bmpFile(laid.image), "image/bmp", laid.image.width, laid.image.height, {}};
      for (const builder::TextLine& line : laid.lines) picture.lines.push_back(line.box);
    }
  } catch (const builder::BuildError& error) {
    problems_.push_back(Problem{page, error.what()});
    picture = PagePicture{"", "", wanted.width, wanted.height, {}};
  }
  pictures_.push_back(std::move(picture));
}

void LessonMedia::readSound(const EditableLesson& lesson, size_t page, const std::string& name) {
  const std::string path = (lesson.folder() / name).string();
  try {
    const double seconds = builder::soundFileSeconds(path, builder::SourceRef{path, 0});
    const auto columns = static_cast<size_t>(std::ceil(seconds * kOverviewColumnsPerSecond));
    sounds_[name] = Sound{seconds, builder::summariseSoundFile(path, builder::SourceRef{path, 0}, 0, seconds, columns)};
  } catch (const builder::BuildError& error) {
    problems_.push_back(Problem{page, error.what()});
  }
}

std::string LessonMedia::summary(const std::string& name, double from, double to, size_t columns) const {
  const std::string path = (folder_ / name).string();
  return builder::summariseSoundFile(path, builder::SourceRef{path, 0}, from, to, columns);
}

std::string LessonMedia::cutWav(const std::string& name, double from, double to, double tempo) const {
  // The stretch is read and resampled on its own, exactly as the builder does, so the author hears
  // the very samples the page file will hold (resampling the whole sound differs at the edges).
  const std::string path = (folder_ / name).string();
  const builder::LoadedSound cut = builder::readSoundFile(path, builder::SourceRef{path, 0}, builder::SoundStretch{from, to});
  return wavFile(builder::changeTempo(cut.samples, tempo));
}

}  // namespace zorva::editor
