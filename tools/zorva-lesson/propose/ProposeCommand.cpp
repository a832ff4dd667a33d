#include "tools/zorva-lesson/propose/ProposeCommand.h"

#include <unistd.h>

#include <algorithm>
#include <map>
#include <optional>

#include "tools/zorva-lesson/propose/Proposer.h"

namespace zorva::propose {

const char* const kProposeUsage =
    "       zorva-lesson propose --picture PAGE.png [--pdf BOOK.pdf --page N] [--recording PAGE.mp3]\n"
    "                            [--language eng] [--sentences SENTENCES.txt] > PAGE.toml\n"
    "                                               proposes a page's items from its scan and recording\n";

namespace {

std::optional<ProposeRequest> parse(const std::vector<std::string>& args, std::ostream& err) {
  ProposeRequest request;
  std::string page;
  const std::map<std::string, std::string*> options = {
      {"--picture", &request.picture},     {"--pdf", &request.pdf},           {"--page", &page},
      {"--recording", &request.recording}, {"--language", &request.language}, {"--sentences", &request.sentences}};
  for (size_t i = 0; i < args.size(); i += 2) {
    const auto option = options.find(args[i]);
    if (option == options.end() || i + 1 >= args.size()) {
      err << "zorva-lesson propose: " << (option == options.end() ? "unknown option " : "no value after ") << args[i]
          << "\n";
      return std::nullopt;
    }
    *option->second = args[i + 1];
  }
  if (request.picture.empty()) {
    err << "zorva-lesson propose: --picture is needed (with --pdf: the picture file to write)\n";
    return std::nullopt;
  }
  if (request.pdf.empty() != page.empty()) {
    err << "zorva-lesson propose: --pdf and --page go together\n";
    return std::nullopt;
  }
  if (!page.empty()) {
    try {
      request.pdf_page = std::stoi(page);
    } catch (const std::exception&) {
      err << "zorva-lesson propose: --page needs a page number\n";
      return std::nullopt;
    }
  }
  return request;
}

}  // namespace

int runPropose(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (std::find(args.begin(), args.end(), "--help") != args.end()) {
    out << "usage:\n" << kProposeUsage;
    return 0;
  }
  const std::optional<ProposeRequest> request = parse(args, err);
  if (!request) {
    err << "usage:\n" << kProposeUsage;
    return 2;
  }
  Progress progress(&err, &err == &std::cerr && isatty(STDERR_FILENO));
  try {
    writeProposal(proposePage(*request, progress), out);
    return 0;
  } catch (const builder::BuildError& error) {
    progress.endLine();  // the message starts a line of its own
    err << "zorva-lesson propose: " << error.what() << "\n";
    return 1;
  }
}

}  // namespace zorva::propose
