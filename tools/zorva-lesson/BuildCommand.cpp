#include "tools/zorva-lesson/BuildCommand.h"

#include "tools/zorva-lesson/Assembler.h"
#include "tools/zorva-lesson/CommandLine.h"
#include "tools/zorva-lesson/FolderWriter.h"

namespace zorva::builder {

int buildCourse(const std::string& description, const std::string& out_dir, std::ostream& out, std::ostream& errors) {
  try {
    BookPlan wanted = readDescription(description);
    const BuiltBook book = assemble(wanted, &wanted.warnings);
    for (const std::string& warning : wanted.warnings) report(errors, warning);
    const std::string warning = writeLessonFolder(book, out_dir);
    if (!warning.empty()) report(errors, "warning: " + warning);
    out << "wrote " << out_dir << "/ZORVADAT: " << book.pages.size() << " page(s)\n";
    return kExitDone;
  } catch (const BuildError& error) {
    report(errors, error.what());
    return kExitFailed;
  }
}

}  // namespace zorva::builder
