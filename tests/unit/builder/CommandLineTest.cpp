// The command table as an author meets it: a row's command runs with its checked operands and
// options; help, --help, misspelt words and wrong operands are answered from the rows.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/zorva-lesson/CommandLine.h"

using namespace zorva::builder;

TEST(CommandLine, EachCommandLineGetsItsStatusAndAnswer) {
  const auto record = [](const Invocation& call) {
    call.out << call.operands.front() << (call.has("--install") ? " installed" : "") << " by " << call.value("--by");
    return kExitDone;
  };
  const std::vector<Command> table = {
      {"build", "IN [--install] [--by NAME]", "builds IN", 1, 1,
       {{"--install", "", "installs it"}, {"--by", "NAME", "who built it"}}, record},
      helpCommand(),
  };
  struct Row {
    const char* label;
    std::vector<std::string> words;
    int status;
    std::string out, err;
  };
  const std::vector<Row> rows = {
      {"a command with its options", {"build", "--install", "in", "--by", "me"}, 0, "in installed by me", ""},
      {"no command", {}, 2, "", "usage: zorva-lesson COMMAND"},
      {"the program's --help", {"--help"}, 0, "  build IN [--install] [--by NAME]\n      builds IN\n", ""},
      {"help", {"help"}, 0, "  help [COMMAND]\n", ""},
      {"help on a command", {"help", "build"}, 0, "  --by NAME                  who built it\n", ""},
      {"a command's --help", {"build", "--wrong", "--help"}, 0, "usage: zorva-lesson build IN", ""},
      {"help on no command", {"help", "biuld"}, 2, "", "zorva-lesson: no command biuld (did you mean build?)"},
      {"a misspelt command", {"buidl"}, 2, "", "zorva-lesson: unknown command buidl (did you mean build?)\n"},
      {"a word like none", {"xyz"}, 2, "", "unknown command xyz\n`zorva-lesson help` lists the commands"},
      {"a misspelt option", {"build", "in", "--instal"}, 2, "",
       "zorva-lesson: unknown option --instal for build (did you mean --install?)\n"
       "usage: zorva-lesson build IN [--install] [--by NAME]\n"},
      {"an option without its value", {"build", "in", "--by"}, 2, "", "zorva-lesson: no value after --by"},
      {"too few operands", {"build"}, 2, "", "zorva-lesson: too few operands"},
      {"too many operands", {"build", "in", "out"}, 2, "", "zorva-lesson: one operand too many: out"},
  };
  for (const Row& row : rows) {
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine(table, row.words, out, err), row.status) << row.label << ": " << err.str();
    EXPECT_NE(out.str().find(row.out), std::string::npos) << row.label << ": " << out.str();
    EXPECT_NE(err.str().find(row.err), std::string::npos) << row.label << ": " << err.str();
    EXPECT_EQ(out.str().empty(), row.status != 0) << row.label << ": only a command line that runs answers";
    EXPECT_EQ(err.str().empty(), row.status == 0) << row.label << ": only a fault is reported";
  }
}
