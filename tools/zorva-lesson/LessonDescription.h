// A lesson as its author describes it in TOML, before any picture is drawn or sound made.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/lessonkit/Records.h"

namespace zorva::builder {

// Where in the description a value came from, for messages.
struct SourceRef {
  std::string file;
  int line = 0;
  // "course.toml:12", or the file alone when no line is known.
  std::string describe() const { return line > 0 ? file + ":" + std::to_string(line) : file; }
};

// A problem in the author's input: says which file and line, and what is wrong.
class BuildError : public std::runtime_error {
 public:
  BuildError(const SourceRef& where, const std::string& what)
      : std::runtime_error(where.file.empty() ? what : where.describe() + ": " + what) {}
  explicit BuildError(const std::string& what) : std::runtime_error(what) {}
};

// View coordinates: left and top inclusive, right and bottom exclusive.
using lessonkit::ViewRect;

// Picture pixels, as an image editor shows them: origin at the picture's top-left corner. The
// builder moves them to where Zorva places the picture in its view.
struct PictureRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct SoundPlan {
  enum class Kind { None, File, Speech };
  Kind kind = Kind::None;
  std::string path;   // File: resolved against the description's folder
  std::string text;   // Speech: the sentence
  std::string voice;  // Speech: an espeak-ng voice name such as "es" or "de+f2"
  double from_s = 0;  // File: the stretch of a longer recording that is the clip
  std::optional<double> to_s;
  double tempo = 1.0;  // below 1: slower, with the pitch kept
  SourceRef where;
};

struct ItemPlan {
  std::optional<PictureRect> audio;  // given directly ...
  std::optional<int> line;           // ... or the text line (1-based) it surrounds
  std::optional<PictureRect> role_rect;
  std::string role;               // items of one role form one chain
  std::string name;               // the clip name kept in the record
  bool role_mark = true;          // a speaker drawn on the picture shows where the role is chosen
  SoundPlan sound;
  SourceRef where;
};

// How a text page is set: lines `line_step_px` apart in a font of 0.6 of that, and tab stops
// in pixels from the line's start that line up the columns of a dialogue.
struct TextStyle {
  int line_step_px = 40;
  std::vector<int> tab_stops_px;
  bool cut_long_lines = false;  // end a line too long for the page with "…" instead of refusing it
};

struct PicturePlan {
  std::string path;                // a PNG or JPEG file ...
  std::vector<std::string> lines;  // ... or lines of text the builder lays out
  int width = 740;
  int height = 700;
  TextStyle style;
  SourceRef where;
};

struct PagePlan {
  std::string info;  // as the author wrote it; Zorva shows it in Windows-1252
  PicturePlan picture;
  std::vector<ItemPlan> items;
  SourceRef where;
};

struct LessonPlan {
  int number = 1;
  std::vector<PagePlan> pages;
  SourceRef where;
};

// The words of the contents page, in the course's language; each has an English default.
struct ContentsPlan {
  std::string heading;              // default: the first line of the title text
  std::string info = "Contents";    // the page's information line
  std::string lesson = "Lesson";    // "Lesson 1" above each lesson's pages
  std::string page = "page";        // "Lesson 1 – page 2" for a page without an information line
  std::vector<std::string> help = {
      "Click a sentence to hear it.",
      "Right-click it to say it and hear yourself.",
      "Play: hear the whole page.",
      "Repeat after me: listen, then speak.",
      "Review, Replay: hear your own voice.",
      "Stop: end a run.  Next Page: the first lesson.",
  };
  SourceRef where;
};

struct BookPlan {
  PicturePlan title;
  ContentsPlan contents;  // unused when the description has its own lesson 0
  std::vector<LessonPlan> lessons;
  std::vector<std::string> warnings;  // faults the learner sees but that don't stop the build
};

// Reads and checks a description; throws BuildError naming the file and line of the first fault.
BookPlan readDescription(const std::string& path);

}  // namespace zorva::builder
