// zorva-lesson's command table: each command is one row (name, synopsis, options, run), and the
// usage, `help [COMMAND]`, `--help`, the check of operands and options and the suggestion for a
// misspelt word all come from the rows. Adding a command is adding a row.
//
// Exit statuses: 0 done, 1 the command failed, 2 the command line was wrong.
#pragma once

#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorva::builder {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Every message the tool gives the author, error or warning, is one line starting
// "zorva-lesson: ", so a script's log says who complained.
void report(std::ostream& to, std::string_view message);

struct CommandOption {
  std::string_view name;     // "--install"
  std::string_view value;    // the word its value stands for ("N"), empty for a switch
  std::string_view summary;  // what it does, for `help`
};

struct Command;

// What a command's run gets: its checked operands and options, and where to write.
struct Invocation {
  std::vector<std::string> operands;
  std::map<std::string, std::string, std::less<>> options;  // those given: name to value ("" for a switch)
  std::ostream& out;
  std::ostream& err;
  const Command& command;
  std::span<const Command> table;  // the whole table, for `help`

  bool has(std::string_view option) const { return options.contains(option); }
  // The option's value, or "" when it was not given.
  std::string value(std::string_view option) const;
  // Reports a command line the command cannot run, with its usage; returns status 2.
  int wrongUsage(std::string_view message) const;
};

struct Command {
  std::string_view name;
  std::string_view synopsis;  // what follows the name on the command line
  std::string_view summary;   // one line, for the list of commands
  size_t fewest_operands = 0;
  size_t most_operands = 0;
  std::vector<CommandOption> options;
  std::function<int(const Invocation&)> run;
};

// Runs `words` (the command line without the program's name) through the table.
int runCommandLine(std::span<const Command> table, const std::vector<std::string>& words, std::ostream& out,
                   std::ostream& err);

// Runs one command on the words after its name: `--help` prints its help; wrong operands or
// options are reported with the command's usage and give status 2.
int runCommand(const Command& command, const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               std::span<const Command> table = {});

// The row for `help [COMMAND]`.
Command helpCommand();

// The candidate nearest to a misspelt word, when one is close enough to be what was meant.
std::optional<std::string_view> nearestWord(std::string_view word, const std::vector<std::string_view>& candidates);

}  // namespace zorva::builder
