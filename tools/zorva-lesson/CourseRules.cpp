#include "tools/zorva-lesson/CourseRules.h"

#include <array>
#include <cstdio>

namespace zorva::builder {
namespace {

constexpr uint64_t kMegabyte = 1024 * 1024;
constexpr std::string_view kMegabytes = "MB";

constexpr std::string_view kPageShown = "of a page picture, from x = 110 and 20 rows above its top edge";
constexpr std::string_view kTitleShown = "of the title picture, from x = 110";

constexpr std::array<Limit, static_cast<size_t>(LimitId::Count)> kLimits = {{
    {"the title picture's width", Bound::AtMost, kTitleWidthPx, "pixels", kTitleShown},
    {"the title picture's height", Bound::AtMost, kTitleHeightPx, "pixels", kTitleShown},
    {"the page picture's width", Bound::AtMost, kPageWidthPx, "pixels", kPageShown},
    {"the page picture's height", Bound::AtMost, kPageHeightPx, "pixels", kPageShown},
    {"the page file", Bound::AtMost, 128 * kMegabyte, kMegabytes, "that Zorva's tools read of a data file"},
    {"the sound's sample rate", Bound::AtLeast, 4000, "Hz", "that speech needs to be understood"},
}};

// Megabytes round up, so a file just over the bound never reads as "128 MB, more than 128 MB".
std::string amount(uint64_t value, std::string_view unit) {
  if (unit == kMegabytes) value = (value + kMegabyte - 1) / kMegabyte;
  return std::to_string(value) + " " + std::string(unit);
}

std::string seconds(double s) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", s);
  return text;
}

}  // namespace

const Limit& limit(LimitId id) { return kLimits.at(static_cast<size_t>(id)); }

std::optional<std::string> judge(LimitId id, uint64_t measured) {
  const Limit& rule = limit(id);
  const bool over = rule.bound == Bound::AtMost ? measured > rule.value : measured < rule.value;
  if (!over) return std::nullopt;
  return std::string(rule.subject) + " is " + amount(measured, rule.unit) + (rule.bound == Bound::AtMost ? ", more than the " : ", less than the ") +
         amount(rule.value, rule.unit) + " " + std::string(rule.why);
}

std::string missingFirstPageWords() {
  return "lesson 1's first page is missing: Zorva's menu opens only \"Lesson 1\", so a course starts there";
}

std::string noSamplesWords(const std::string& sound) { return sound + " has no samples"; }

std::string cutPastEndWords(std::string_view key, double at_s, const std::string& sound, double length_s) {
  std::string words = "'";
  words.append(key).append("' (").append(seconds(at_s)).append(") lies past the end of ").append(sound);
  return words.append(", which is ").append(seconds(length_s)).append(" long");
}

}  // namespace zorva::builder
