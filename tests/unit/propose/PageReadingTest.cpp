// A page photographed turned and unevenly lit is read straightened: each sentence's rectangle
// lies on its turned print as tightly as on a straight scan.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/TempFolder.h"
#include "tools/zorva-lesson/propose/Proposer.h"
#include "tools/zorva-lesson/propose/evaluation/EvaluationPage.h"
#include "tools/zorva-lesson/propose/evaluation/ProposeScore.h"

using namespace zorva;

TEST(PageReading, ATurnedUnevenlyLitPhotoGetsEachSentencesRectangleOnItsTurnedPrint) {
  setenv("OMP_THREAD_LIMIT", "1", 0);
  zorva::testing::TempFolder folder;
  constexpr int kPhotographed = 7;
  const evaluation::EvaluationPage page =
      evaluation::makeEvaluationPage(evaluation::evaluationLanguages()[1], kPhotographed);
  ASSERT_EQ(page.page_kind, "photographed");
  const evaluation::PageFiles files = evaluation::writeEvaluationPage(page, folder.path());
  propose::Progress quiet(nullptr);
  const propose::Proposal proposal =
      propose::proposePage(propose::ProposeRequest{files.picture, "", 0, "", page.language, files.sentences}, quiet);
  const evaluation::Score score = evaluation::scoreProposal(page, proposal, true);
  EXPECT_EQ(score.found, score.sentences);
  EXPECT_EQ(score.boxes_right, score.sentences) << "rectangles with an overlap of 0.8 or more with the true ones";
}
