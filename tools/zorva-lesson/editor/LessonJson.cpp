#include "tools/zorva-lesson/editor/LessonJson.h"

#include "tools/zorva-lesson/CourseRules.h"
#include "tools/zorva-lesson/InfoLine.h"

namespace zorva::editor {
namespace {

using nlohmann::json;

json rectJson(const std::optional<EditableRect>& r) {
  if (!r) return nullptr;
  return json::array({r->rect.left, r->rect.top, r->rect.right, r->rect.bottom});
}

// Where Zorva's view shows a page picture and draws the page's information line over it, in the
// picture's pixels.
json viewJson() {
  using namespace builder;
  const int info_left = lessonkit::kInfoLeft - kPictureLeftPx;
  return json{{"shown", {0, -kPageTopPx, kPageWidthPx, kPageHeightPx}},
              {"info", {info_left, lessonkit::kInfoTop - kPageTopPx, info_left + kInfoShownWidthPx,
                        lessonkit::kInfoBottom - kPageTopPx}}};
}

json secondsJson(const std::optional<EditableSeconds>& s) { return s ? json(s->value) : json(nullptr); }

// An item given by its text line shows the line's area, which only the text moves.
json itemJson(const EditableItem& item, const PagePicture& picture) {
  json rect = rectJson(item.rect);
  if (item.line && *item.line >= 1 && static_cast<size_t>(*item.line) <= picture.lines.size()) {
    const builder::PictureRect& r = picture.lines[static_cast<size_t>(*item.line) - 1];
    if (r.right > r.left) rect = json::array({r.left, r.top, r.right, r.bottom});
  }
  return json{{"rect", std::move(rect)},
              {"line", item.line ? json(*item.line) : json(nullptr)},
              {"role", item.role},
              {"role_rect", rectJson(item.role_rect)},
              {"audio", item.audio},
              {"from", secondsJson(item.from)},
              {"to", secondsJson(item.to)},
              {"say", item.say},
              {"tempo", item.tempo}};
}

// A malformed request names what it lacks instead of failing somewhere inside the editor.
template <typename T>
T field(const json& object, const char* key) {
  if (!object.is_object() || !object.contains(key)) throw EditRefused(std::string("the request lacks '") + key + "'");
  try {
    return object.at(key).get<T>();
  } catch (const json::exception&) {
    throw EditRefused(std::string("the request's '") + key + "' is of the wrong kind");
  }
}

json listIn(const json& request, const char* key) {
  if (!request.is_object() || !request.contains(key)) return json::array();
  if (!request.at(key).is_array()) throw EditRefused(std::string("the request's '") + key + "' must be a list");
  return request.at(key);
}

}  // namespace

nlohmann::json lessonToJson(const EditableLesson& lesson, const LessonMedia& media) {
  json pages = json::array();
  json sounds = json::object();
  for (size_t p = 0; p < lesson.pages.size(); ++p) {
    const EditablePage& page = lesson.pages[p];
    const PagePicture& picture = media.picture(p);
    json items = json::array();
    for (const EditableItem& item : page.items) {
      items.push_back(itemJson(item, picture));
      if (media.hasSound(item.audio)) sounds[item.audio] = media.seconds(item.audio);
    }
    pages.push_back(json{{"lesson", page.lesson},
                         {"info", page.info},
                         {"picture", picture.bytes.empty() ? json(nullptr) : json("picture/" + std::to_string(p))},
                         {"width", picture.width},
                         {"height", picture.height},
                         {"items", std::move(items)}});
  }
  return json{{"file", lesson.file.filename().string()},
              {"pages", std::move(pages)},
              {"sounds", std::move(sounds)},
              {"view", viewJson()}};
}

nlohmann::json checksToJson(const std::vector<LessonCheck>& checks) {
  json out = json::array();
  for (const LessonCheck& check : checks) {
    out.push_back(json{{"page", check.page ? json(*check.page) : json(nullptr)},
                       {"item", check.item ? json(*check.item) : json(nullptr)},
                       {"text", check.text}});
  }
  return out;
}

Corrections correctionsFromJson(const nlohmann::json& request) {
  Corrections out;
  for (const json& change : listIn(request, "changes")) {
    out.changes.push_back(ValueChange{field<size_t>(change, "page"), field<size_t>(change, "item"),
                                      field<std::string>(change, "key"), field<std::vector<double>>(change, "values")});
  }
  for (const json& added : listIn(request, "new_items")) {
    const std::vector<int> r = field<std::vector<int>>(added, "rect");
    if (r.size() != 4) throw EditRefused("a new item's 'rect' takes four numbers");
    NewItem item{field<size_t>(added, "page"), builder::PictureRect{r[0], r[1], r[2], r[3]}, "", 0, 0};
    if (added.contains("audio")) {
      item.audio = field<std::string>(added, "audio");
      item.from = field<double>(added, "from");
      item.to = field<double>(added, "to");
    }
    out.new_items.push_back(std::move(item));
  }
  for (const json& gone : listIn(request, "deleted")) {
    out.deleted.push_back(ItemRef{field<size_t>(gone, "page"), field<size_t>(gone, "item")});
  }
  return out;
}

}  // namespace zorva::editor
