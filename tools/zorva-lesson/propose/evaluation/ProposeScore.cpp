#include "tools/zorva-lesson/propose/evaluation/ProposeScore.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "tools/zorva-lesson/propose/LetterKey.h"
#include "tools/zorva-lesson/propose/SentenceTiming.h"

namespace zorva::evaluation {
namespace {

constexpr double kFoundOverlap = 0.5;
constexpr double kRightOverlap = 0.8;
constexpr double kBadCutS = 0.5;

std::vector<int> pairItems(const EvaluationPage& page, const propose::Proposal& proposal, bool given_sentences) {
  std::vector<int> item_of(page.sentences.size(), -1);
  if (given_sentences) {
    for (size_t s = 0; s < item_of.size() && s < proposal.items.size(); ++s) item_of[s] = static_cast<int>(s);
    return item_of;
  }
  std::vector<std::tuple<double, int, int>> overlaps;
  for (size_t s = 0; s < page.sentences.size(); ++s)
    for (size_t i = 0; i < proposal.items.size(); ++i)
      if (proposal.items[i].rect) {
        overlaps.emplace_back(intersectionOverUnion(page.sentences[s].box, *proposal.items[i].rect), s, i);
      }
  std::sort(overlaps.rbegin(), overlaps.rend());
  std::vector<bool> taken(proposal.items.size(), false);
  for (const auto& [overlap, s, i] : overlaps) {
    if (overlap < kFoundOverlap || item_of[s] >= 0 || taken[i]) continue;
    item_of[s] = i;
    taken[i] = true;
  }
  return item_of;
}

void addCut(Score& score, const std::vector<TrueSentence>& truth, size_t s, const propose::Cut& cut) {
  const double true_from = truth[s].speech_start_s - propose::kCutMarginS;
  const double true_to = truth[s].speech_end_s + propose::kCutMarginS;
  score.cut_errors_ms.push_back(std::abs(cut.from_s - true_from) * 1000);
  score.cut_errors_ms.push_back(std::abs(cut.to_s - true_to) * 1000);
  const bool clips_own = cut.from_s > truth[s].speech_start_s || cut.to_s < truth[s].speech_end_s;
  const bool takes_previous = s > 0 && cut.from_s < truth[s - 1].speech_end_s;
  const bool takes_next = s + 1 < truth.size() && cut.to_s > truth[s + 1].speech_start_s;
  if (clips_own || takes_previous || takes_next) ++score.cuts_into_speech;
  if (std::abs(cut.from_s - true_from) > kBadCutS || std::abs(cut.to_s - true_to) > kBadCutS) {
    ++score.bad_cuts;
    if (!cut.doubt.empty()) ++score.bad_cuts_marked;
  }
}

}  // namespace

int Score::cutsOffBy(double ms) const {
  return static_cast<int>(std::count_if(cut_errors_ms.begin(), cut_errors_ms.end(), [&](double e) { return e > ms; }));
}

void Score::add(const Score& other) {
  pages_failed += other.pages_failed;
  sentences += other.sentences;
  found += other.found;
  boxes_right += other.boxes_right;
  cut_errors_ms.insert(cut_errors_ms.end(), other.cut_errors_ms.begin(), other.cut_errors_ms.end());
  cuts_into_speech += other.cuts_into_speech;
  bad_cuts += other.bad_cuts;
  bad_cuts_marked += other.bad_cuts_marked;
  dialogue_lines += other.dialogue_lines;
  roles_right += other.roles_right;
  page_seconds.insert(page_seconds.end(), other.page_seconds.begin(), other.page_seconds.end());
  page_cpu_seconds.insert(page_cpu_seconds.end(), other.page_cpu_seconds.begin(), other.page_cpu_seconds.end());
}

double intersectionOverUnion(const builder::PictureRect& a, const builder::PictureRect& b) {
  const auto area = [](int w, int h) { return std::max(0, w) * static_cast<double>(std::max(0, h)); };
  const double inner = area(std::min(a.right, b.right) - std::max(a.left, b.left),
                            std::min(a.bottom, b.bottom) - std::max(a.top, b.top));
  const double outer = area(a.right - a.left, a.bottom - a.top) + area(b.right - b.left, b.bottom - b.top) - inner;
  return outer > 0 ? inner / outer : 0;
}

Score scoreProposal(const EvaluationPage& page, const propose::Proposal& proposal, bool given_sentences) {
  Score score;
  const std::vector<int> item_of = pairItems(page, proposal, given_sentences);
  const auto& truth = page.sentences;
  for (size_t s = 0; s < truth.size(); ++s) {
    ++score.sentences;
    if (!truth[s].role.empty()) ++score.dialogue_lines;
    if (item_of[s] < 0) continue;
    const propose::ProposedItem& item = proposal.items[static_cast<size_t>(item_of[s])];
    const double overlap = item.rect ? intersectionOverUnion(truth[s].box, *item.rect) : 0;
    if (overlap < kFoundOverlap) continue;
    ++score.found;
    if (overlap >= kRightOverlap) ++score.boxes_right;
    // Without a list the role is the printed name, which may be in capitals ("ANNA —").
    if (!truth[s].role.empty() && item.speaker &&
        propose::letterKey(item.speaker->role) == propose::letterKey(truth[s].role)) {
      ++score.roles_right;
    }
    if (item.cut) addCut(score, truth, s, *item.cut);
  }
  return score;
}

Score scoreCuts(const EvaluationPage& page, const propose::Proposal& proposal) {
  Score score;
  for (size_t s = 0; s < page.sentences.size() && s < proposal.items.size(); ++s) {
    if (proposal.items[s].cut) addCut(score, page.sentences, s, *proposal.items[s].cut);
  }
  return score;
}

}  // namespace zorva::evaluation
