// One author's editing of one lesson file: what the page is shown, saving its corrections,
// building the course to try it, and whether the page is still open. Safe to call from the
// server's threads.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "tools/zorva-lesson/editor/EditableLesson.h"
#include "tools/zorva-lesson/editor/LessonChecks.h"
#include "tools/zorva-lesson/editor/LessonMedia.h"

namespace zorva::editor {

// What the page is told, with the HTTP status it comes with.
struct Answer {
  int status = 200;
  nlohmann::json body;
};

class EditorSession {
 public:
  // Reads the lesson and every file it names. Throws builder::BuildError when the lesson can't be
  // read or parsed. `launcher` is this program, started again to open a built course.
  EditorSession(const std::filesystem::path& lesson_file, std::filesystem::path launcher);

  // The pages, items, checks and the revision a save must name.
  nlohmann::json lessonJson() const;

  // Writes the corrections in `request` ({revision, changes, new_items}) into the lesson file.
  // Refused with 409 when the file changed since the page read it (another writer).
  Answer save(const nlohmann::json& request);

  // Builds the course into `request.folder` (default: beside the lesson), checks it and, when
  // `request.open` is true, opens it in Zorva.
  Answer build(const nlohmann::json& request);

  // The page's own bytes, under the lock: a picture, a waveform summary or a cut.
  std::optional<PagePicture> picture(size_t page) const;
  // A sound's waveform summary into `bytes`: its overview (100 columns a second), or `columns`
  // columns from `from` to `to` seconds. 403 for a sound the lesson does not name.
  Answer summary(const std::string& name, std::optional<double> from, std::optional<double> to, size_t columns,
                 std::string& bytes) const;
  // The clip the builder would cut from `from` to `to` for an item of the page, into `wav`: of
  // the item's own sound (or of `sound`, a recording the lesson names, for an item not yet saved).
  Answer cut(size_t page, size_t item, const std::string& sound, double from, double to, std::string& wav) const;

  // The page says it is open, or that it is being closed. pageGone() is true once the page has
  // been closed (and not reloaded) for a few seconds, or has not been heard from for long.
  void pageAlive();
  void pageClosed();
  bool pageGone() const;

 private:
  void reload();

  std::filesystem::path file_;
  std::filesystem::path launcher_;
  mutable std::mutex mutex_;
  std::mutex build_mutex_;  // one build at a time into the folder
  EditableLesson lesson_;
  std::unique_ptr<LessonMedia> media_;
  LessonReview review_;
  std::vector<LessonCheck> build_checks_;  // from the last build, until the next save
  std::string revision_;
  using Clock = std::chrono::steady_clock;
  std::optional<Clock::time_point> last_alive_;
  std::optional<Clock::time_point> closed_at_;
};

}  // namespace zorva::editor
