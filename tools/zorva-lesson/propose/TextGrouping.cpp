#include "tools/zorva-lesson/propose/TextGrouping.h"

#include "tools/zorva-lesson/propose/SentenceMatcher.h"
#include "tools/zorva-lesson/propose/SentenceSplitter.h"
#include "tools/zorva-lesson/propose/SpeakerLabels.h"

namespace zorva::propose {

GroupedText groupText(std::vector<TextLine> lines, const std::vector<std::string>& given) {
  findSpeakerLabels(lines);
  GroupedText grouped;
  if (given.empty()) grouped.left_out = setAsideUnreadPrint(lines);
  const std::vector<std::optional<SpeakerLabel>> speakers = lineSpeakers(lines);
  grouped.sentences = given.empty() ? splitSentences(lines, speakers) : matchSentences(lines, speakers, given);
  return grouped;
}

}  // namespace zorva::propose
