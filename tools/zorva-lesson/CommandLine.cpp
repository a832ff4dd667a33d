#include "tools/zorva-lesson/CommandLine.h"

#include <algorithm>
#include <iomanip>

namespace zorva::builder {

namespace {

constexpr std::string_view kProgram = "zorva-lesson";

const Command* findCommand(std::span<const Command> table, std::string_view name) {
  const auto row = std::ranges::find(table, name, &Command::name);
  return row == table.end() ? nullptr : &*row;
}

const CommandOption* findOption(const Command& command, std::string_view name) {
  const auto option = std::ranges::find(command.options, name, &CommandOption::name);
  return option == command.options.end() ? nullptr : &*option;
}

// " (did you mean build?)" when a candidate is near the misspelt word.
std::string suggestion(std::string_view word, const std::vector<std::string_view>& candidates) {
  const std::optional<std::string_view> nearest = nearestWord(word, candidates);
  return nearest ? " (did you mean " + std::string(*nearest) + "?)" : "";
}

void printUsageLine(const Command& command, std::ostream& to) {
  to << "usage: " << kProgram << " " << command.name << " " << command.synopsis << "\n";
}

void printUsage(std::span<const Command> table, std::ostream& to) {
  to << "usage: " << kProgram << " COMMAND ...\n\n";
  for (const Command& command : table) {
    to << "  " << command.name << " " << command.synopsis << "\n      " << command.summary << "\n";
  }
  to << "\n`" << kProgram << " help COMMAND` or `" << kProgram << " COMMAND --help` tells a command's options.\n";
}

void printCommandHelp(const Command& command, std::ostream& to) {
  printUsageLine(command, to);
  to << command.summary << "\n\n";
  std::vector<CommandOption> options = command.options;
  options.push_back({"--help", "", "prints this help"});
  for (const CommandOption& option : options) {
    std::string word(option.name);
    if (!option.value.empty()) word.append(" ").append(option.value);
    to << "  " << std::left << std::setw(26) << word << " " << option.summary << "\n";
  }
}

int wrongCommandLine(const Command& command, std::ostream& err, std::string_view message) {
  report(err, message);
  printUsageLine(command, err);
  return kExitUsage;
}

std::vector<std::string_view> commandNames(std::span<const Command> table) {
  std::vector<std::string_view> names;
  for (const Command& row : table) names.push_back(row.name);
  return names;
}

std::vector<std::string_view> optionNames(const Command& command) {
  std::vector<std::string_view> names = {"--help"};
  for (const CommandOption& option : command.options) names.push_back(option.name);
  return names;
}

}  // namespace

void report(std::ostream& to, std::string_view message) { to << kProgram << ": " << message << "\n"; }

std::string Invocation::value(std::string_view option) const {
  const auto given = options.find(option);
  return given == options.end() ? "" : given->second;
}

int Invocation::wrongUsage(std::string_view message) const { return wrongCommandLine(command, err, message); }

int runCommand(const Command& command, const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               std::span<const Command> table) {
  if (std::ranges::find(args, "--help") != args.end()) {
    printCommandHelp(command, out);
    return kExitDone;
  }
  Invocation call{{}, {}, out, err, command, table};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (!word.starts_with("--")) {
      call.operands.push_back(word);
      continue;
    }
    const CommandOption* option = findOption(command, word);
    if (option == nullptr) {
      return call.wrongUsage("unknown option " + word + " for " + std::string(command.name) +
                             suggestion(word, optionNames(command)));
    }
    if (!option->value.empty() && i + 1 >= args.size()) return call.wrongUsage("no value after " + word);
    call.options[word] = option->value.empty() ? "" : args[++i];
  }
  if (call.operands.size() < command.fewest_operands) return call.wrongUsage("too few operands");
  if (call.operands.size() > command.most_operands) {
    return call.wrongUsage("one operand too many: " + call.operands[command.most_operands]);
  }
  return command.run(call);
}

int runCommandLine(std::span<const Command> table, const std::vector<std::string>& words, std::ostream& out,
                   std::ostream& err) {
  if (words.empty()) {
    printUsage(table, err);
    return kExitUsage;
  }
  if (words.front() == "--help") {
    printUsage(table, out);
    return kExitDone;
  }
  const Command* command = findCommand(table, words.front());
  if (command == nullptr) {
    report(err, "unknown command " + words.front() + suggestion(words.front(), commandNames(table)));
    err << "`" << kProgram << " help` lists the commands.\n";
    return kExitUsage;
  }
  return runCommand(*command, std::vector<std::string>(words.begin() + 1, words.end()), out, err, table);
}

Command helpCommand() {
  return {"help", "[COMMAND]", "tells how to use zorva-lesson, or one of its commands", 0, 1, {},
          [](const Invocation& call) {
            if (call.operands.empty()) {
              printUsage(call.table, call.out);
              return kExitDone;
            }
            const Command* command = findCommand(call.table, call.operands.front());
            if (command == nullptr) {
              const std::string& name = call.operands.front();
              return call.wrongUsage("no command " + name + suggestion(name, commandNames(call.table)));
            }
            printCommandHelp(*command, call.out);
            return kExitDone;
          }};
}

// Edits (insertions, deletions, substitutions, swaps of neighbours) from one word to the other.
std::optional<std::string_view> nearestWord(std::string_view word, const std::vector<std::string_view>& candidates) {
  const auto distance = [](std::string_view a, std::string_view b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
      for (size_t j = 1; j <= b.size(); ++j) {
        d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
    return d[a.size()][b.size()];
  };
  std::optional<std::string_view> nearest;
  size_t best = std::min<size_t>(2, word.size() / 2);  // a guess must share most of the word
  for (std::string_view candidate : candidates) {
    const size_t edits = distance(word, candidate);
    if (edits <= best && (!nearest || edits < best)) {
      nearest = candidate;
      best = edits;
    }
  }
  return nearest;
}

}  // namespace zorva::builder
