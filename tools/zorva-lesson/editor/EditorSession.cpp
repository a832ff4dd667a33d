#include "tools/zorva-lesson/editor/EditorSession.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <thread>

#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/Checker.h"
#include "tools/zorva-lesson/FolderWriter.h"
#include "tools/zorva-lesson/editor/LessonEdits.h"
#include "tools/zorva-lesson/editor/LessonJson.h"

extern char** environ;

namespace zorva::editor {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using namespace std::chrono_literals;

constexpr auto kReloadGrace = 4s;    // a page closed is gone unless it comes back this soon
// A page that stopped calling (its browser was ended) is gone; a page in a tab hidden for long
// calls only once a minute.
constexpr auto kSilenceLimit = 150s;

std::string revisionOf(const std::string& text) {
  std::ostringstream out;
  out << std::hex << std::hash<std::string>{}(text) << "-" << text.size();
  return out.str();
}

Answer refused(int status, const std::string& text) { return Answer{status, json{{"error", text}}}; }

// Zorva runs on its own: the editor neither waits for it nor leaves it behind as a zombie.
void openInZorva(const fs::path& launcher, const fs::path& folder) {
  const std::string program = launcher.string(), command = "open", where = folder.string();
  char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(command.c_str()),
                  const_cast<char*>(where.c_str()), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ) == 0) {
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
  }
}

}  // namespace

EditorSession::EditorSession(const fs::path& lesson_file, fs::path launcher)
    : file_(fs::absolute(lesson_file).lexically_normal()), launcher_(std::move(launcher)) {
  reload();
}

void EditorSession::reload() {
  const std::vector<std::string> named_before = lesson_.namedFiles();
  lesson_ = readEditableLesson(file_);
  if (!media_ || lesson_.namedFiles() != named_before) media_ = std::make_unique<LessonMedia>(lesson_);
  review_ = checkLesson(lesson_, *media_);
  revision_ = revisionOf(lesson_.text);
}

json EditorSession::lessonJson() const {
  const std::lock_guard lock(mutex_);
  json out = lessonToJson(lesson_, *media_);
  std::vector<LessonCheck> all = review_.checks;
  all.insert(all.end(), build_checks_.begin(), build_checks_.end());
  for (size_t p = 0; p < review_.info_lines.size() && p < out["pages"].size(); ++p) {
    if (!review_.info_lines[p].empty()) out["pages"][p]["info"] = review_.info_lines[p];
  }
  out["checks"] = checksToJson(all);
  out["revision"] = revision_;
  out["build_folder"] = (file_.parent_path() / (file_.stem().string() + "-course")).string();
  return out;
}

Answer EditorSession::save(const json& request) {
  const std::lock_guard lock(mutex_);
  try {
    // The file as it is now, not as it was read: an author may have saved it elsewhere meanwhile.
    const EditableLesson on_disk = readEditableLesson(file_);
    if (!request.is_object() || request.value("revision", std::string()) != revisionOf(on_disk.text)) {
      return refused(409, file_.filename().string() +
                              " was changed by another writer since this page read it: reload the page to see its "
                              "changes, then make yours again");
    }
    const std::string text = applyChanges(on_disk, correctionsFromJson(request));
    if (text != on_disk.text) replaceFile(file_, text);
    build_checks_.clear();
    reload();
  } catch (const EditRefused& error) {
    return refused(400, error.what());
  } catch (const builder::BuildError& error) {
    return refused(409, error.what());
  } catch (const std::runtime_error& error) {
    return refused(500, error.what());
  }
  return Answer{200, json{{"saved", file_.filename().string()}}};
}

// The build runs outside the session's lock, so the page's other calls go on meanwhile.
Answer EditorSession::build(const json& request) {
  const std::lock_guard one_build(build_mutex_);
  fs::path folder = request.is_object() ? request.value("folder", std::string()) : std::string();
  if (folder.empty()) folder = file_.parent_path() / (file_.stem().string() + "-course");
  if (folder.is_relative()) folder = file_.parent_path() / folder;
  std::ostringstream report;
  try {
    const builder::BookPlan plan = builder::readDescription(file_.string());
    // The new course is in place even when the old one could not be removed: the author is told.
    const std::string warning = builder::writeLessonFolder(builder::assemble(plan), folder.string());
    if (!warning.empty()) report << "warning: " << warning << "\n";
  } catch (const builder::BuildError& error) {
    const std::lock_guard lock(mutex_);
    build_checks_ = {placeBuilderMessage(lesson_, error.what())};
    return Answer{422, json{{"error", error.what()}, {"checks", checksToJson(build_checks_)}}};
  }
  const builder::CheckResult checked = builder::checkLessonFolder(folder.string(), report);
  const bool open = request.is_object() && request.value("open", false) && checked.problems.empty();
  if (open) openInZorva(launcher_, folder);
  const std::lock_guard lock(mutex_);
  build_checks_ = placeCheckerProblems(lesson_, checked.problems);
  return Answer{200, json{{"folder", folder.string()}, {"report", report.str()}, {"opened", open},
                          {"checks", checksToJson(build_checks_)}}};
}

std::optional<PagePicture> EditorSession::picture(size_t page) const {
  const std::lock_guard lock(mutex_);
  if (page >= lesson_.pages.size()) return std::nullopt;
  return media_->picture(page);
}

Answer EditorSession::summary(const std::string& name, std::optional<double> from, std::optional<double> to,
                              size_t columns, std::string& bytes) const {
  constexpr size_t kMostColumns = 20000;
  const std::lock_guard lock(mutex_);
  if (!media_->hasSound(name)) return refused(403, "not a sound this lesson names");
  if (!from || !to || !std::isfinite(*from) || !std::isfinite(*to) || *to <= *from) {
    bytes = media_->overview(name);
    return Answer{};
  }
  try {
    bytes = media_->summary(name, *from, *to, std::clamp<size_t>(columns, 1, kMostColumns));
  } catch (const builder::BuildError& error) {
    return refused(500, error.what());
  }
  return Answer{};
}

Answer EditorSession::cut(size_t page, size_t item, const std::string& sound, double from, double to,
                          std::string& wav) const {
  const std::lock_guard lock(mutex_);
  if (page >= lesson_.pages.size()) return refused(404, "no such page");
  const std::vector<EditableItem>& items = lesson_.pages[page].items;
  const bool saved = item < items.size();
  const std::string& name = sound.empty() && saved ? items[item].audio : sound;
  if (!media_->hasSound(name)) return refused(404, "this item has no recording to cut");
  if (!std::isfinite(from) || !std::isfinite(to) || from < 0 || to > 86400) return refused(400, "give 'from' and 'to' in seconds");
  try {
    wav = media_->cutWav(name, from, to, saved ? items[item].tempo : lesson_.pages[page].tempo);
  } catch (const builder::BuildError& error) {
    return refused(400, error.what());
  }
  return Answer{};
}

void EditorSession::pageAlive() {
  const std::lock_guard lock(mutex_);
  last_alive_ = Clock::now();
  closed_at_.reset();
}

void EditorSession::pageClosed() {
  const std::lock_guard lock(mutex_);
  closed_at_ = Clock::now();
}

bool EditorSession::pageGone() const {
  const std::lock_guard lock(mutex_);
  const auto now = Clock::now();
  return (closed_at_ && now - *closed_at_ > kReloadGrace) || (last_alive_ && now - *last_alive_ > kSilenceLimit);
}

}  // namespace zorva::editor
