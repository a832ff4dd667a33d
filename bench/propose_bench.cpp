// Measures `zorva-lesson propose` on the evaluation set and prints, for each family of pages (a
// kind of print, a kind of recording), the figures with the author's sentence list and without
// it, beside plain cutters run on the same recordings, then the totals against the goals.
//   propose_bench [--pages N] [--kinds K] [--print KIND] [--recording KIND] [--keep DIR]
// --pages N takes N pages of each language, each language starting at another page, so that
// --pages 1 (CI's smoke run) still holds a dialogue; --keep leaves the pages' files (scan,
// recording, sentences, truth) and the proposals in DIR. Besides its own pages, each language's
// prose is read again in each kind of recording (flite, festival, noise, reverb, ...); --kinds K
// takes the first K kinds only; --print KIND and --recording KIND measure only the pages whose
// kind of print or of recording names KIND ("photo", "spoken title"; "none" for none).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "tools/zorva-lesson/Sound.h"
#include "tools/zorva-lesson/propose/Proposer.h"
#include "tools/zorva-lesson/propose/RecordingCutter.h"
#include "tools/zorva-lesson/propose/evaluation/AudioFamilies.h"
#include "tools/zorva-lesson/propose/evaluation/EvaluationPage.h"
#include "tools/zorva-lesson/propose/evaluation/NaiveCutter.h"
#include "tools/zorva-lesson/propose/evaluation/ProposeScore.h"

namespace {

namespace fs = std::filesystem;
using namespace zorva;

// A cutter that is given the recording and the true number of sentences, as a yardstick for
// `propose`'s own cuts on the same audio.
struct Yardstick {
  std::string name;
  std::function<std::vector<propose::Cut>(const std::vector<int16_t>& samples, int rate_hz, size_t sentences)> cut;
};

// Each yardstick adds a column to the table.
const std::vector<Yardstick> kYardsticks = {{"naive cutter", evaluation::naiveCuts}};

double percent(double part, double whole) { return whole > 0 ? 100.0 * part / whole : 0; }

double mean(const std::vector<double>& values) {
  double sum = 0;
  for (double v : values) sum += v;
  return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

struct Figures {
  evaluation::Score listed;  // with the author's list (--sentences)
  evaluation::Score read;    // from the recognised text alone
  std::vector<evaluation::Score> yardsticks = std::vector<evaluation::Score>(kYardsticks.size());
  int pages = 0;
  void add(const Figures& other) {
    listed.add(other.listed);
    read.add(other.read);
    for (size_t y = 0; y < yardsticks.size(); ++y) yardsticks[y].add(other.yardsticks[y]);
    pages += other.pages;
  }
};

evaluation::Score proposeAndScore(const evaluation::EvaluationPage& page, const evaluation::PageFiles& files,
                                  bool listed, const fs::path& folder) {
  propose::ProposeRequest request;
  request.picture = files.picture;
  request.pdf = files.pdf;
  request.pdf_page = files.pdf.empty() ? 0 : 1;
  request.recording = files.recording;
  request.language = page.language;
  if (listed) request.sentences = files.sentences;
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
  std::ostringstream text;
  propose::writeProposal(proposal, text);
  std::ofstream(folder / (listed ? "proposal-sentences.toml" : "proposal.toml")) << text.str();
  evaluation::Score score = evaluation::scoreProposal(page, proposal, listed);
  score.pages_failed = failed ? 1 : 0;
  score.page_seconds.push_back(seconds);
  score.page_cpu_seconds.push_back(cpu_seconds);
  const auto not_heard = std::count_if(proposal.left_out.begin(), proposal.left_out.end(),
                                       [](const propose::UnreadPrint& print) { return print.kind == propose::kNotHeard; });
  std::printf("  %-7s %-12s %-10s %-9s %2d/%2d found, %2d boxes >= 0.8, roles %d/%d, %d cuts into speech, "
              "%ld left out as not heard, %.1f s\n",
              page.name.c_str(), page.page_kind.c_str(), page.audio_kind.c_str(), listed ? "list" : "text",
              score.found, score.sentences, score.boxes_right, score.roles_right, score.dialogue_lines,
              score.cuts_into_speech, static_cast<long>(not_heard), seconds);
  return score;
}

Figures measure(const evaluation::EvaluationPage& page, const fs::path& folder) {
  const evaluation::PageFiles files = evaluation::writeEvaluationPage(page, folder);
  Figures figures;
  figures.pages = 1;
  figures.listed = proposeAndScore(page, files, true, folder);
  figures.read = proposeAndScore(page, files, false, folder);
  for (size_t y = 0; y < kYardsticks.size(); ++y) {
    propose::Proposal cut;
    for (const propose::Cut& c : kYardsticks[y].cut(page.recording, builder::kClipRateHz, page.sentences.size()))
      cut.items.push_back(propose::ProposedItem{"", std::nullopt, std::nullopt, c});
    figures.yardsticks[y] = evaluation::scoreCuts(page, cut);
  }
  return figures;
}

// "  12/340    95 %": cut points off by more than half a second, and the share within 60 ms.
std::string cutFigures(const evaluation::Score& s) {
  char text[48];
  std::snprintf(text, sizeof text, "%4d/%-4zu %5.0f %%", s.cutsOffBy(500), s.cut_errors_ms.size(),
                percent(s.cut_errors_ms.size() - s.cutsOffBy(60), s.cut_errors_ms.size()));
  return text;
}

// "100.0  95.0": the shares of sentences found and of rectangles with IoU >= 0.8.
std::string textFigures(const evaluation::Score& s) {
  char text[48];
  std::snprintf(text, sizeof text, "%5.1f %6.1f", percent(s.found, s.sentences), percent(s.boxes_right, s.sentences));
  return text;
}

// "  3/4    2.1": bad items (a cut point off by more than 0.5 s) marked "listen to this cut", and
// the mean seconds a page.
std::string markFigures(const evaluation::Score& s) {
  char text[48];
  std::snprintf(text, sizeof text, "%3d/%-3d %5.1f", s.bad_cuts_marked, s.bad_cuts, mean(s.page_seconds));
  return text;
}

void printTable(const std::map<std::string, Figures>& families, const char* title) {
  const char* const kColumns = "found  IoU.8   >0.5s    <=60ms";
  std::printf("\n%-26s       | %-44s | %-30s", "", "with the author's list", "from the text alone");
  for (const Yardstick& y : kYardsticks) std::printf(" | %-17s", y.name.c_str());
  std::printf("\n%-26s pages | %s  marked   s | %s", title, kColumns, kColumns);
  for (size_t y = 0; y < kYardsticks.size(); ++y) std::printf(" | %s", "  >0.5s    <=60ms");
  std::printf("\n");
  for (const auto& [family, f] : families) {
    std::printf("%-26s %5d | %s %s %s | %s %s", family.c_str(), f.pages, textFigures(f.listed).c_str(),
                cutFigures(f.listed).c_str(), markFigures(f.listed).c_str(), textFigures(f.read).c_str(),
                cutFigures(f.read).c_str());
    for (const evaluation::Score& y : f.yardsticks) std::printf(" | %s", cutFigures(y).c_str());
    std::printf("\n");
  }
}

// Prose pages read again in the first `kinds` kinds of recording, each on `pages` languages at most.
void measureRecordings(int pages, size_t kinds, const std::string& only, const fs::path& root,
                       std::map<std::string, Figures>& by_recording, Figures& all) {
  const auto& languages = evaluation::evaluationLanguages();
  const auto& families = evaluation::audioFamilies();
  for (size_t f = 0; f < families.size() && f < kinds; ++f) {
    if (families[f].name.find(only) == std::string::npos) continue;
    int taken = 0;
    for (size_t l = 0; l < languages.size() && taken < pages; ++l) {
      const evaluation::LanguageTexts& texts = languages[(l + f) % languages.size()];
      if (!evaluation::familyReads(families[f], texts)) continue;
      evaluation::EvaluationPage page = evaluation::makeEvaluationPage(texts, 2 * (taken % 3));
      evaluation::readAgain(page, texts, families[f]);
      page.name += "-r" + std::to_string(f + 1);
      const Figures figures = measure(page, root / page.name);
      by_recording[page.audio_kind].add(figures);
      all.add(figures);
      ++taken;
    }
    if (taken == 0) std::printf("  %s: skipped, its voice is not installed\n", families[f].name.c_str());
  }
}

// Another page's reading must be refused, naming the sentences not heard.
bool anotherPageRefused() {
  const evaluation::EvaluationPage page = evaluation::makeEvaluationPage(evaluation::evaluationLanguages().front(), 0);
  std::vector<std::string> sentences;
  for (const evaluation::TrueSentence& s : page.sentences) sentences.push_back(s.text);
  try {
    propose::cutRecording(evaluation::anotherPagesReading(), sentences, propose::voiceForLanguage(page.language));
  } catch (const builder::BuildError& error) {
    std::printf("\nAnother page's reading (Italian) for %s: %s\n", page.name.c_str(), error.what());
    return true;
  }
  std::printf("\nAnother page's reading (Italian) for %s: accepted\n", page.name.c_str());
  return false;
}

void goal(const char* what, const std::string& value, const char* target, bool met) {
  std::printf("  %-32s %-22s %-18s %s\n", what, value.c_str(), target, met ? "met" : "NOT MET");
}

std::string figure(const char* format, double a) {
  char text[48];
  std::snprintf(text, sizeof text, format, a);
  return text;
}

void printGoals(const Figures& all, bool another_page_refused) {
  const evaluation::Score &l = all.listed, &r = all.read;
  const double cut_points = static_cast<double>(l.cut_errors_ms.size());
  std::printf("\nGoals\n");
  goal("list: sentences found", figure("%.1f %%", percent(l.found, l.sentences)), ">= 98 %",
       percent(l.found, l.sentences) >= 98);
  goal("list: rectangles IoU >= 0.8", figure("%.1f %%", percent(l.boxes_right, l.sentences)), ">= 95 %",
       percent(l.boxes_right, l.sentences) >= 95);
  goal("list: cut points off > 0.5 s", figure("%.1f %%", percent(l.cutsOffBy(500), cut_points)), "<= 1 %",
       percent(l.cutsOffBy(500), cut_points) <= 1);
  goal("list: cut points within 60 ms", figure("%.1f %%", percent(cut_points - l.cutsOffBy(60), cut_points)),
       ">= 90 %", percent(cut_points - l.cutsOffBy(60), cut_points) >= 90);
  goal("list: pages refused", figure("%.0f", l.pages_failed), "0", l.pages_failed == 0);
  const double marked = l.bad_cuts > 0 ? percent(l.bad_cuts_marked, l.bad_cuts) : 100;
  goal("list: bad cuts marked", l.bad_cuts > 0 ? figure("%.0f %%", marked) : "no bad cut to mark", ">= 90 %",
       marked >= 90);
  goal("another page's reading refused", another_page_refused ? "yes" : "no", "yes", another_page_refused);
  goal("text: sentences found", figure("%.1f %%", percent(r.found, r.sentences)), ">= 93 %",
       percent(r.found, r.sentences) >= 93);
  goal("text: rectangles IoU >= 0.8", figure("%.1f %%", percent(r.boxes_right, r.sentences)), ">= 90 %",
       percent(r.boxes_right, r.sentences) >= 90);
  if (l.dialogue_lines > 0) {
    goal("list: speaker roles right", figure("%.1f %%", percent(l.roles_right, l.dialogue_lines)), ">= 95 %",
         percent(l.roles_right, l.dialogue_lines) >= 95);
  }
  std::vector<double> seconds = l.page_seconds, cpu = l.page_cpu_seconds;
  seconds.insert(seconds.end(), r.page_seconds.begin(), r.page_seconds.end());
  cpu.insert(cpu.end(), r.page_cpu_seconds.begin(), r.page_cpu_seconds.end());
  goal("seconds a page (mean)", figure("%.2f s", mean(seconds)), "<= 3 s", mean(seconds) <= 3);
  std::printf("  %-32s %.2f s mean, %.2f s slowest (one thread)\n", "processor time", mean(cpu),
              *std::max_element(cpu.begin(), cpu.end()));
}

}  // namespace

int main(int argc, char** argv) {
  int pages = evaluation::kPagesPerLanguage;
  fs::path keep;
  std::string print_kind, recording_kind;
  size_t kinds = evaluation::audioFamilies().size();
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::string(argv[i]) == "--pages") pages = std::clamp(std::atoi(argv[i + 1]), 1, evaluation::kPagesPerLanguage);
    if (std::string(argv[i]) == "--keep") keep = argv[i + 1];
    if (std::string(argv[i]) == "--print") print_kind = argv[i + 1];
    if (std::string(argv[i]) == "--recording") recording_kind = argv[i + 1];
    if (std::string(argv[i]) == "--kinds") kinds = static_cast<size_t>(std::max(0, std::atoi(argv[i + 1])));
  }
  // The machine's cores are shared: the text reader works on one thread, as on a course
  // author's laptop doing other things.
  setenv("OMP_THREAD_LIMIT", "1", 0);
  char pattern[] = "/tmp/zorva-propose-bench-XXXXXX";
  const fs::path root = keep.empty() ? fs::path(mkdtemp(pattern)) : keep;
  std::map<std::string, Figures> by_print, by_recording;
  Figures all;
  try {
    const auto& languages = evaluation::evaluationLanguages();
    for (size_t language = 0; language < languages.size(); ++language) {
      for (int taken = 0; taken < pages; ++taken) {
        const int index = (taken + static_cast<int>(language)) % evaluation::kPagesPerLanguage;
        const evaluation::EvaluationPage page = evaluation::makeEvaluationPage(languages[language], index);
        if (page.page_kind.find(print_kind) == std::string::npos) continue;
        const Figures figures = measure(page, root / page.name);
        by_print[page.page_kind].add(figures);
        by_recording[page.audio_kind].add(figures);
        all.add(figures);
      }
    }
    measureRecordings(pages, kinds, recording_kind, root, by_recording, all);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "propose_bench: %s\n", error.what());
    return 1;
  }
  printTable(by_print, "kind of print");
  printTable(by_recording, "kind of recording");
  printTable({{"all", all}}, "the whole set");
  printGoals(all, anotherPageRefused());
  if (keep.empty()) fs::remove_all(root);
  // The figures are for people to judge; a page with no proposal at all is a fault.
  return all.listed.pages_failed + all.read.pages_failed == 0 ? 0 : 1;
}
