#include "tools/zorva-lesson/propose/ProposeCommand.h"

#include <unistd.h>

#include "tools/zorva-lesson/LessonDescription.h"
#include "tools/zorva-lesson/propose/Proposer.h"

namespace zorva::propose {

namespace {

int run(const builder::Invocation& call) {
  ProposeRequest request;
  request.picture = call.value("--picture");
  request.pdf = call.value("--pdf");
  request.recording = call.value("--recording");
  if (call.has("--language")) request.language = call.value("--language");
  request.sentences = call.value("--sentences");
  if (request.picture.empty()) return call.wrongUsage("--picture is needed (with --pdf: the picture file to write)");
  if (call.has("--pdf") != call.has("--page")) return call.wrongUsage("--pdf and --page go together");
  if (call.has("--page")) {
    try {
      request.pdf_page = std::stoi(call.value("--page"));
    } catch (const std::exception&) {
      return call.wrongUsage("--page needs a page number");
    }
  }
  Progress progress(&call.err, &call.err == &std::cerr && isatty(STDERR_FILENO));
  try {
    writeProposal(proposePage(request, progress), call.out);
    return builder::kExitDone;
  } catch (const builder::BuildError& error) {
    progress.endLine();  // the message starts a line of its own
    builder::report(call.err, error.what());
    return builder::kExitFailed;
  }
}

}  // namespace

builder::Command proposeCommand() {
  return {"propose",
          "--picture PAGE.png [--pdf BOOK.pdf --page N] [--recording PAGE.mp3] [--language eng] "
          "[--sentences SENTENCES.txt] > PAGE.toml",
          "proposes a page's items from its scan and recording",
          0,
          0,
          {{"--picture", "PAGE.png", "the page's scan (with --pdf: the picture file to write)"},
           {"--pdf", "BOOK.pdf", "takes the page from a PDF book"},
           {"--page", "N", "the book's page, counted from 1"},
           {"--recording", "PAGE.mp3", "the page's recording, cut into one sound per sentence"},
           {"--language", "eng", "the page's language as Tesseract names it (eng, deu, spa, fra, ...)"},
           {"--sentences", "SENTENCES.txt", "the author's sentences, one a line, found on the page"}},
          run};
}

}  // namespace zorva::propose
