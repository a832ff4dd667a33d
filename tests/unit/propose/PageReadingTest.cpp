// Pages that are hard to read, proposed as an author would: each sentence found, its rectangle
// on its print (IoU >= 0.8 with the true one), and each dialogue turn's speaker named right.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/TempFolder.h"
#include "tools/zorva-lesson/propose/Proposer.h"
#include "tools/zorva-lesson/propose/evaluation/EvaluationPage.h"
#include "tools/zorva-lesson/propose/evaluation/ProposeScore.h"

using namespace zorva;

TEST(PageReading, HardPagesGiveEachSentenceItsRectangleAndSpeaker) {
  setenv("OMP_THREAD_LIMIT", "1", 0);
  struct Row {
    const char* kind;
    size_t language;  // in evaluationLanguages()
    int index;        // the page's kind, as makeEvaluationPage takes it
    bool listed;
  };
  const std::vector<Row> rows = {
      {"photographed", 1, 7, true},  // turned 2-4 degrees, unevenly lit
      {"dialogue", 0, 4, false},     // "A :" labels in a column of their own, named from the print
  };
  for (const Row& row : rows) {
    zorva::testing::TempFolder folder;
    const evaluation::EvaluationPage page =
        evaluation::makeEvaluationPage(evaluation::evaluationLanguages()[row.language], row.index);
    ASSERT_EQ(page.page_kind, row.kind);
    const evaluation::PageFiles files = evaluation::writeEvaluationPage(page, folder.path());
    propose::Progress quiet(nullptr);
    const propose::ProposeRequest request{files.picture, "", 0, "", page.language, row.listed ? files.sentences : ""};
    const evaluation::Score score = evaluation::scoreProposal(page, propose::proposePage(request, quiet), row.listed);
    EXPECT_EQ(score.found, score.sentences) << page.name;
    EXPECT_EQ(score.boxes_right, score.sentences) << page.name << ": rectangles with IoU >= 0.8";
    EXPECT_EQ(score.roles_right, score.dialogue_lines) << page.name;
  }
}

// A heading printed with a stop is a sentence to the layout; nobody reads it, so the recording
// leaves it out, listed, and the sentences are cut without it.
TEST(PageReading, AHeadingNobodyReadsIsLeftOutByTheRecording) {
  setenv("OMP_THREAD_LIMIT", "1", 0);
  zorva::testing::TempFolder folder;
  evaluation::EvaluationPage page = evaluation::makeEvaluationPage(evaluation::evaluationLanguages()[0], 0);
  const std::string heading = page.print.blocks.front().spans.front().text += ".";
  page.scan = evaluation::compose(page.print, static_cast<int>(page.sentences.size())).image;
  const evaluation::PageFiles files = evaluation::writeEvaluationPage(page, folder.path());
  propose::Progress quiet(nullptr);
  const propose::Proposal proposal =
      propose::proposePage({files.picture, "", 0, files.recording, page.language, ""}, quiet);
  const evaluation::Score score = evaluation::scoreProposal(page, proposal, false);
  EXPECT_EQ(proposal.items.size(), page.sentences.size());
  EXPECT_EQ(score.cutsOffBy(100), 0);
  ASSERT_FALSE(proposal.left_out.empty());
  EXPECT_EQ(proposal.left_out.back().text + " " + proposal.left_out.back().kind, heading + " not heard in the recording");
}
