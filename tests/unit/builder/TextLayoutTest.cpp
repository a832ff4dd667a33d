#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/zorva-lesson/Picture.h"

using namespace zorva::builder;

// A text line that can't be shown as written is refused with the page's line, the text line
// and what to do about it.
TEST(TextLayout, LinesThatCantBeShownAreRefused) {
  struct Row {
    const char* label;
    std::vector<std::string> lines;
    std::string expected;
  };
  const std::vector<Row> rows = {
      {"character no font has", {"ok", "Adlam \U0001E900 here"},
       "page.toml:7: text line 2: no installed font has the character '\U0001E900' (U+1E900); install a font "
       "that has it, for example the Debian package fonts-noto-core"},
      {"line wider than the picture", {std::string(80, 'W')}, "page.toml:7: text line 1 is "},
      {"more lines than the picture holds", std::vector<std::string>(20, "x"), "text line 17 does not fit"},
  };
  for (const Row& row : rows) {
    std::string message;
    try {
      layOutText(row.lines, 740, 700, SourceRef{"page.toml", 7});
    } catch (const BuildError& error) {
      message = error.what();
    }
    EXPECT_NE(message.find(row.expected), std::string::npos)
        << row.label << ": got \"" << message << "\"";
  }
}

TEST(TextLayout, MissingCharactersPointToAFontPackageForTheirScript) {
  const std::vector<std::pair<char32_t, std::string>> rows = {
      {U'中', "fonts-noto-cjk"},  {U'か', "fonts-noto-cjk"},  {U'한', "fonts-noto-cjk"},
      {U'ก', "fonts-thai-tlwg"},  {U'😀', "fonts-noto-color-emoji"},
      {U'ب', "fonts-noto-core"}, {U'अ', "fonts-noto-core"},
  };
  for (const auto& [character, package] : rows) {
    EXPECT_EQ(fontPackageFor(character), package) << "U+" << std::hex << static_cast<unsigned>(character);
  }
}
