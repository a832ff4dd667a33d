// A printed proposal is a page of the builder's description as it stands, and points the author
// at the cuts in doubt and at speech left out of every item.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/TempFolder.h"
#include "tools/zorva-lesson/LessonDescription.h"
#include "tools/zorva-lesson/propose/Proposal.h"

namespace fs = std::filesystem;
using namespace zorva;

TEST(ProposalText, ReadsBackAsADescriptionPageAndFlagsCutsThatDoNotFit) {
  const zorva::testing::TempFolder folder;
  const fs::path root = folder.path();
  std::ofstream(root / "page.png") << "";
  std::ofstream(root / "page.mp3") << "";
  propose::Proposal proposal;
  proposal.picture = "page.png";
  proposal.recording = "page.mp3";
  proposal.items = {
      {"Anna sagt \"Hallo\".", propose::PictureRect{40, 30, 300, 60}, propose::SpeakerLabel{"Anna", {10, 32, 38, 58}},
       propose::Cut{0.35, 2.05, 1.6, ""}},
      {"Zu lang geschnitten.", propose::PictureRect{40, 70, 300, 100}, std::nullopt, propose::Cut{2.5, 9.0, 1.5, "6.5 s for a sentence of about 1.5 s"}},
      {"Nicht gefunden.", std::nullopt, std::nullopt, propose::Cut{9.5, 11.0, 1.4, ""}}};
  proposal.unlisted_speech = {{0.4, 2.1}};
  std::ostringstream text;
  propose::writeProposal(proposal, text);
  std::ofstream(root / "course.toml") << "[title]\ntext = [\"x\"]\n[[lesson]]\nnumber = 1\n" << text.str();

  const builder::BookPlan plan = builder::readDescription((root / "course.toml").string());
  const std::vector<builder::ItemPlan>& items = plan.lessons.at(0).pages.at(0).items;
  ASSERT_EQ(items.size(), 3u) << text.str();
  EXPECT_EQ(items[0].audio->left, 40);
  EXPECT_EQ(items[0].audio->bottom, 60);
  EXPECT_EQ(items[0].role, "Anna");
  EXPECT_EQ(items[0].role_rect->right, 38);
  EXPECT_DOUBLE_EQ(items[0].sound.from_s, 0.35);
  EXPECT_DOUBLE_EQ(*items[0].sound.to_s, 2.05);
  EXPECT_EQ(items[1].role, "");
  EXPECT_EQ(items[2].audio->right, 1) << "a sentence not found gets a stand-in area to measure";

  const std::string printed = text.str();
  EXPECT_NE(printed.find("# say = \"Anna sagt \\\"Hallo\\\".\""), std::string::npos) << printed;
  EXPECT_NE(printed.find("# listen to this cut: 6.5 s for a sentence of about 1.5 s"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("listen"), printed.rfind("listen")) << "only the cut in doubt is flagged";
  EXPECT_NE(printed.find("# speech on no sentence, left out: 0.400 to 2.100 s of \"page.mp3\""), std::string::npos)
      << printed;
}
