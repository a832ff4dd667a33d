// A course author's way from a scanned dialogue page and its recording to a lesson: `propose`
// reads the page, the proposal is built as it stands, and in the program each item's click
// plays its own sentence, cut whole out of the page's recording.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "tools/zorva-lesson/propose/evaluation/EvaluationPage.h"
#include "tests/support/DataFolder.h"
#include "tests/support/Desktop.h"
#include "tests/support/TempFolder.h"
#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/propose/ProposeCommand.h"

namespace {

namespace fs = std::filesystem;
using namespace zorva;

constexpr int kRate = lessonkit::kClipRateHz;
constexpr int kLagSamples = 40;  // cut times are written to the millisecond

// The best normalised correlation of `heard` with `segment` expected at `offset`, within a few
// samples either way.
double correlation(const std::vector<int16_t>& heard, const std::vector<int16_t>& segment, long offset) {
  double best = 0;
  for (long lag = -kLagSamples; lag <= kLagSamples; ++lag) {
    double both = 0, heard_energy = 0, segment_energy = 0;
    for (size_t k = 0; k < segment.size(); ++k) {
      const long at = offset + lag + static_cast<long>(k);
      const double h = at >= 0 && at < static_cast<long>(heard.size()) ? heard[static_cast<size_t>(at)] : 0.0;
      both += h * segment[k];
      heard_energy += h * h;
      segment_energy += static_cast<double>(segment[k]) * segment[k];
    }
    if (heard_energy > 0 && segment_energy > 0) best = std::max(best, both / std::sqrt(heard_energy * segment_energy));
  }
  return best;
}

// A point of `item` that no other item covers, so the click can only mean this one.
POINT pointOnlyIn(const std::vector<lessonkit::Item>& items, size_t item) {
  const auto inside = [](const lessonkit::ViewRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  };
  const lessonkit::ViewRect& r = items[item].audio;
  for (int y = (r.top + r.bottom) / 2; y < r.bottom; ++y)
    for (int x = (r.left + r.right) / 2; x < r.right; ++x) {
      bool alone = true;
      for (size_t other = 0; other < items.size(); ++other)
        alone = alone && (other == item || !inside(items[other].audio, x, y));
      if (alone) return POINT{x, y};
    }
  return POINT{-1, -1};
}

class ProposedLesson : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("OMP_THREAD_LIMIT", "1", 0);
    page_ = evaluation::makeEvaluationPage(evaluation::evaluationLanguages()[1], 1);  // a German dialogue
    files_ = evaluation::writeEvaluationPage(page_, root_);
  }
  void TearDown() override {
    if (AfxGetMainWnd() != nullptr) AfxGetMainWnd()->DestroyWindow();
    data_.reset();
  }

  zorva::testing::Desktop desktop_;
  zorva::testing::TempFolder folder_;
  const fs::path root_{folder_.path()};
  evaluation::EvaluationPage page_;
  evaluation::PageFiles files_;
  std::unique_ptr<zorva::testing::DataFolder> data_;
};

TEST_F(ProposedLesson, EachItemOfTheBuiltProposalPlaysItsOwnSentence) {
  std::ostringstream proposal, errors;
  ASSERT_EQ(builder::runCommand(propose::proposeCommand(),
                                {"--picture", files_.picture, "--recording", files_.recording, "--language", "deu",
                                 "--sentences", files_.sentences},
                                proposal, errors),
            0)
      << errors.str();
  std::ofstream(root_ / "lesson.toml") << "[title]\ntext = [\"Proposed\"]\n\n[[lesson]]\nnumber = 1\n"
                                       << proposal.str();
  const builder::BookPlan plan = builder::readDescription((root_ / "lesson.toml").string());
  const builder::BuiltBook book = builder::assemble(plan);
  const auto page = std::find_if(book.pages.begin(), book.pages.end(),
                                 [](const lessonkit::Page& p) { return p.file_name == builder::pageFileName(1, 1); });
  ASSERT_NE(page, book.pages.end());
  const std::vector<lessonkit::Item>& items = page->items;
  ASSERT_EQ(items.size(), page_.sentences.size()) << proposal.str();

  data_ = std::make_unique<zorva::testing::DataFolder>(book);
  ASSERT_TRUE(AfxGetApp()->InitInstance());
  const HWND view = AfxGetMainWnd()->GetDlgItem(AFX_IDW_PANE_FIRST)->m_hWnd;
  desktop_.pumpUntilIdle();
  desktop_.click(view, 650, 110);  // "Lesson 1"
  desktop_.pumpUntilIdle();
  auto& audio = desktop_.backend().audio();
  for (size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE("item " + std::to_string(i + 1) + ": " + page_.sentences[i].text);
    audio.clearTrace();
    const POINT at = pointOnlyIn(items, i);
    ASSERT_GE(at.x, 0) << "the item lies wholly under others";
    desktop_.click(view, at.x, at.y);
    desktop_.pumpUntilIdle();
    ASSERT_EQ(audio.trace().size(), 1u);
    const auto& bytes = audio.trace()[0].bytes;
    std::vector<int16_t> heard(bytes.size() / 2);
    for (size_t k = 0; k < heard.size(); ++k) heard[k] = static_cast<int16_t>(bytes[2 * k] | (bytes[2 * k + 1] << 8));

    const auto sample = [](double seconds) { return static_cast<long>(std::lround(seconds * kRate)); };
    const long start = sample(page_.sentences[i].speech_start_s), end = sample(page_.sentences[i].speech_end_s);
    const std::vector<int16_t> sentence(page_.recording.begin() + start, page_.recording.begin() + end);
    const long from = sample(plan.lessons[0].pages[0].items[i].sound.from_s);
    EXPECT_GE(correlation(heard, sentence, start - from), 0.99);
  }
}

}  // namespace
