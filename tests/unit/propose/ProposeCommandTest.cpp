// `zorva-lesson propose` as an author calls it: a PDF page becomes a picture of the shown width
// with its sentences, and each input it cannot use gets a message that says what to do.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "tests/support/TempFolder.h"
#include "tools/zorva-lesson/CourseRules.h"
#include "tools/zorva-lesson/Picture.h"
#include "tools/zorva-lesson/propose/PagePicture.h"
#include "tools/zorva-lesson/propose/ProposeCommand.h"

namespace fs = std::filesystem;
using namespace zorva;

namespace {

// A one-page A4 PDF with lines of 24 pt Helvetica, each at its height in points from the page's
// foot, written object by object with its offsets table.
std::string onePagePdf(const std::vector<std::pair<std::string, int>>& lines) {
  std::string content;
  for (const auto& [line, y] : lines) content += "BT /F1 24 Tf 72 " + std::to_string(y) + " Td (" + line + ") Tj ET ";
  const std::vector<std::string> objects = {
      "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
      "/Resources << /Font << /F1 5 0 R >> >> >>",
      "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
  std::string pdf = "%PDF-1.4\n";
  std::vector<size_t> offsets;
  for (size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const size_t table = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (size_t offset : offsets) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    pdf += entry;
  }
  return pdf + "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(table) + "\n%%EOF\n";
}

class ProposeCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("OMP_THREAD_LIMIT", "1", 0);
  }
  std::string path(const std::string& name) const { return folder_.at(name); }
  int run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return builder::runCommand(propose::proposeCommand(), args, out_, err_);
  }

  zorva::testing::TempFolder folder_;
  const fs::path root_{folder_.path()};
  std::ostringstream out_, err_;
};

}  // namespace

TEST_F(ProposeCommand, AWholeA4PageBecomesAPictureTheBuilderTakesWithItsSentencesOnTheirPrint) {
  std::ofstream(path("book.pdf"), std::ios::binary) << onePagePdf({{"Guten Morgen.", 760}, {"Wie geht es dir?", 60}});
  ASSERT_EQ(run({"--pdf", path("book.pdf"), "--page", "1", "--picture", path("page1.png"), "--language", "deu"}), 0)
      << err_.str();
  const builder::RgbaImage shown = builder::loadImageFile(path("page1.png"), builder::SourceRef{});
  EXPECT_EQ(builder::judge(builder::LimitId::PageWidth, static_cast<uint64_t>(shown.width)), std::nullopt);
  EXPECT_LE(shown.width, propose::kShownPageWidth);
  EXPECT_EQ(builder::judge(builder::LimitId::PageHeight, static_cast<uint64_t>(shown.height)), std::nullopt);
  const auto level = [&](int x, int y) { return shown.rgba[(static_cast<size_t>(y) * shown.width + x) * 4]; };
  for (int y = 0; y < -builder::kPageTopPx; ++y)
    for (int x = 0; x < shown.width; ++x) ASSERT_EQ(level(x, y), 255) << "the rows the view hides hold no print";
  const std::string proposal = out_.str();
  EXPECT_NE(proposal.find("picture = \"" + path("page1.png") + "\""), std::string::npos) << proposal;
  EXPECT_NE(proposal.find("voice = \"de\""), std::string::npos) << proposal;
  EXPECT_NE(proposal.find("say = \"Guten Morgen.\""), std::string::npos) << proposal;
  EXPECT_NE(proposal.find("say = \"Wie geht es dir?\""), std::string::npos) << proposal;
  const std::regex rect(R"(\n  rect = \[(\d+), (\d+), (\d+), (\d+)\])");
  int rects = 0;
  for (std::sregex_iterator it(proposal.begin(), proposal.end(), rect), end; it != end; ++it, ++rects) {
    const int left = std::stoi((*it)[1]), top = std::stoi((*it)[2]), right = std::stoi((*it)[3]);
    const int bottom = std::stoi((*it)[4]), middle = (top + bottom) / 2;
    ASSERT_LE(right, shown.width);
    ASSERT_LE(bottom, shown.height);
    int ink = 0;
    for (int x = left; x < right; ++x) ink += level(x, middle) < 128 ? 1 : 0;
    EXPECT_GT(ink, (right - left) / 8) << "the area lies on its line's print: " << (*it)[0];
  }
  EXPECT_EQ(rects, 2);
}

TEST_F(ProposeCommand, InputThatCannotBeUsedIsNamedWithWhatToDo) {
  std::ofstream(path("book.pdf"), std::ios::binary) << onePagePdf({{"Hello.", 760}});
  builder::RgbaImage blank;
  blank.width = 300;
  blank.height = 200;
  blank.rgba.assign(300 * 200 * 4, 255);
  propose::savePng(blank, path("blank.png"));
  struct Row {
    const char* label;
    std::vector<std::string> args;
    int status;
    std::string expected;
  };
  const std::vector<Row> rows = {
      {"no picture", {"--language", "deu"}, 2, "--picture is needed"},
      {"an unknown option", {"--picture", "p.png", "--colour", "red"}, 2, "unknown option --colour"},
      {"a PDF without its page", {"--picture", "p.png", "--pdf", path("book.pdf")}, 2, "--pdf and --page go together"},
      {"a language not installed",
       {"--picture", path("blank.png"), "--language", "chi_tra"},
       1,
       "install the Debian package tesseract-ocr-chi-tra"},
      {"a page past the PDF's end",
       {"--picture", path("p.png"), "--pdf", path("book.pdf"), "--page", "2"},
       1,
       "has pages 1 to 1, not 2"},
      {"a picture without text", {"--picture", path("blank.png")}, 1, "no text found on the picture"},
      {"a missing sentence file",
       {"--picture", path("blank.png"), "--sentences", path("none.txt")},
       1,
       "can't read the sentence file"},
      {"a language given by its name", {"--picture", path("blank.png"), "--language", "Deutsch"}, 1, "--language deu"},
      {"a PDF given as the picture", {"--picture", path("book.pdf")}, 1, "is a PDF: give it as --pdf"},
      {"a missing recording, named before the text is read",
       {"--picture", path("blank.png"), "--recording", path("none.mp3")},
       1,
       "can't read sound file " + path("none.mp3") + ":"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(run(row.args), row.status) << row.label << ": " << err_.str();
    EXPECT_NE(err_.str().find(row.expected), std::string::npos) << row.label << ": " << err_.str();
    EXPECT_EQ(out_.str(), "") << row.label << ": nothing is proposed";
  }
}
