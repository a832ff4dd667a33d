// Measures `zorva-lesson propose` on the evaluation set (5 pages each of English, German and
// Spanish, two of them dialogues) and prints the figures against the goals.
//   propose_bench [--pages N] [--keep DIR]
// --pages 1 takes the first page of each language only (CI's smoke run); --keep leaves the
// pages' files (scan, recording, sentences, truth) and the proposals in DIR.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/propose/EvaluationPage.h"
#include "bench/propose/ProposeScore.h"
#include "tools/zorva-lesson/propose/Proposer.h"

namespace {

namespace fs = std::filesystem;
using namespace zorva;

double quantile(std::vector<double> values, double q) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<size_t>(q * (values.size() - 1) + 0.5))];
}

double percent(int part, int whole) { return whole > 0 ? 100.0 * part / whole : 0; }

evaluation::Score proposeAndScore(const evaluation::EvaluationPage& page, const evaluation::PageFiles& files,
                                  bool given_sentences, const fs::path& folder) {
  propose::ProposeRequest request;
  request.picture = files.picture;
  request.recording = files.recording;
  request.language = page.language;
  if (given_sentences) request.sentences = files.sentences;
  propose::Progress quiet(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpu_start = std::clock();
  propose::Proposal proposal;
  bool failed = false;
  try {
    proposal = propose::proposePage(request, quiet);
  } catch (const builder::BuildError& error) {
    std::printf("  %s: %s\n", page.name.c_str(), error.what());
    failed = true;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu_seconds = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
  std::ofstream(folder / (given_sentences ? "proposal-sentences.toml" : "proposal.toml")) << [&] {
    std::ostringstream text;
    propose::writeProposal(proposal, text);
    return text.str();
  }();
  evaluation::Score score = evaluation::scoreProposal(page, proposal, given_sentences);
  score.pages_failed = failed ? 1 : 0;
  score.page_seconds.push_back(seconds);
  score.page_cpu_seconds.push_back(cpu_seconds);
  std::printf("  %-6s %-15s %2d/%2d found, %2d boxes >= 0.8, roles %d/%d, %d cuts into speech, %.1f s\n",
              page.name.c_str(), given_sentences ? "with sentences" : "text only", score.found, score.sentences,
              score.boxes_right, score.roles_right, score.dialogue_lines, score.cuts_into_speech, seconds);
  return score;
}

void report(const char* title, const evaluation::Score& s, double found_goal) {
  const double median = quantile(s.cut_errors_ms, 0.5), p95 = quantile(s.cut_errors_ms, 0.95);
  const double slowest = quantile(s.page_seconds, 1.0);
  const auto mark = [](bool met) { return met ? "met" : "NOT MET"; };
  std::printf("\n%s\n", title);
  std::printf("  sentences found:     %5.1f %% (%d of %d)          goal >= %.0f %%: %s\n",
              percent(s.found, s.sentences), s.found, s.sentences, found_goal,
              mark(percent(s.found, s.sentences) >= found_goal));
  std::printf("  boxes IoU >= 0.8:    %5.1f %% of sentences          goal >= 95 %%: %s\n",
              percent(s.boxes_right, s.sentences), mark(percent(s.boxes_right, s.sentences) >= 95));
  std::printf("  cut error:           median %.0f ms, p95 %.0f ms     goal <= 60 / 150 ms: %s\n", median, p95,
              mark(median <= 60 && p95 <= 150));
  std::printf("  cuts into speech:    %d                             goal 0: %s\n", s.cuts_into_speech,
              mark(s.cuts_into_speech == 0));
  std::printf("  speaker roles right: %5.1f %% (%d of %d)          goal >= 95 %%: %s\n",
              percent(s.roles_right, s.dialogue_lines), s.roles_right, s.dialogue_lines,
              mark(percent(s.roles_right, s.dialogue_lines) >= 95));
  std::printf("  time a page:         median %.2f s, slowest %.2f s   goal <= 5 s: %s\n", quantile(s.page_seconds, 0.5),
              slowest, mark(slowest <= 5));
  std::printf("  processor time:      median %.2f s, slowest %.2f s a page (one thread)\n",
              quantile(s.page_cpu_seconds, 0.5), quantile(s.page_cpu_seconds, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
  int pages = 5;
  fs::path keep;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::string(argv[i]) == "--pages") pages = std::clamp(std::atoi(argv[i + 1]), 1, 5);
    if (std::string(argv[i]) == "--keep") keep = argv[i + 1];
  }
  // The machine's cores are shared: the text reader works on one thread, as on a course
  // author's laptop doing other things.
  setenv("OMP_THREAD_LIMIT", "1", 0);
  char pattern[] = "/tmp/zorva-propose-bench-XXXXXX";
  const fs::path root = keep.empty() ? fs::path(mkdtemp(pattern)) : keep;
  evaluation::Score with_sentences, text_only;
  try {
    for (const evaluation::LanguageTexts& texts : evaluation::evaluationLanguages()) {
      for (int index = 0; index < pages; ++index) {
        const evaluation::EvaluationPage page = evaluation::makeEvaluationPage(texts, index);
        const fs::path folder = root / page.name;
        const evaluation::PageFiles files = evaluation::writeEvaluationPage(page, folder);
        with_sentences.add(proposeAndScore(page, files, true, folder));
        text_only.add(proposeAndScore(page, files, false, folder));
      }
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "propose_bench: %s\n", error.what());
    return 1;
  }
  report("With the author's sentences (--sentences):", with_sentences, 98);
  report("From the recognised text alone:", text_only, 90);
  if (keep.empty()) fs::remove_all(root);
  // The figures are for people to judge; a page with no proposal at all is a fault.
  return with_sentences.pages_failed + text_only.pages_failed == 0 ? 0 : 1;
}
