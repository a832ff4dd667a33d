// `zorva-lesson propose` as an author calls it: a PDF page becomes a picture of the shown width
// with its sentences, and each input it cannot use gets a message that says what to do.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/TempFolder.h"
#include "tools/zorva-lesson/Picture.h"
#include "tools/zorva-lesson/propose/PagePicture.h"
#include "tools/zorva-lesson/propose/ProposeCommand.h"

namespace fs = std::filesystem;
using namespace zorva;

namespace {

// A one-page A4 PDF with one line of Helvetica, written object by object with its offsets table.
std::string onePagePdf(const std::string& line) {
  const std::string content = "BT /F1 24 Tf 72 760 Td (" + line + ") Tj ET";
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

TEST_F(ProposeCommand, APdfPageBecomesAPictureOfTheShownWidthWithItsSentences) {
  std::ofstream(path("book.pdf"), std::ios::binary) << onePagePdf("Guten Morgen. Wie geht es dir?");
  ASSERT_EQ(run({"--pdf", path("book.pdf"), "--page", "1", "--picture", path("page1.png"), "--language", "deu"}), 0)
      << err_.str();
  const builder::RgbaImage shown = builder::loadImageFile(path("page1.png"), builder::SourceRef{});
  EXPECT_EQ(shown.width, propose::kShownPageWidth);
  EXPECT_EQ(shown.height, 1047) << "A4 at 150 dpi is 1240x1754, scaled to 740 wide";
  const std::string proposal = out_.str();
  EXPECT_NE(proposal.find("picture = \"" + path("page1.png") + "\""), std::string::npos) << proposal;
  EXPECT_NE(proposal.find("voice = \"de\""), std::string::npos) << proposal;
  EXPECT_NE(proposal.find("say = \"Guten Morgen.\""), std::string::npos) << proposal;
  EXPECT_NE(proposal.find("say = \"Wie geht es dir?\""), std::string::npos) << proposal;
}

TEST_F(ProposeCommand, InputThatCannotBeUsedIsNamedWithWhatToDo) {
  std::ofstream(path("book.pdf"), std::ios::binary) << onePagePdf("Hello.");
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
