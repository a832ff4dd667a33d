#include "tools/zorva-lesson/editor/EditCommand.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "tools/zorva-lesson/Launcher.h"
#include "tools/zorva-lesson/editor/EditorServer.h"

extern char** environ;

namespace zorva::editor {
namespace {

namespace fs = std::filesystem;

// The page's files lie beside the program in the build folder and under share/ when installed.
std::optional<fs::path> pageFolder() {
  const fs::path here = builder::launcherDir();
  for (const fs::path& folder : {here / "share" / "zorva" / "editor", here.parent_path() / "share" / "zorva" / "editor"}) {
    if (fs::is_regular_file(folder / "index.html")) return folder;
  }
  return std::nullopt;
}

bool openInBrowser(const std::string& address) {
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(address.c_str()), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program, nullptr, nullptr, argv, environ) != 0) return false;
  std::thread([child] { waitpid(child, nullptr, 0); }).detach();
  return true;
}

// Waits for Ctrl+C (or a polite kill) or for the page to go, then stops the server and says why.
void stopWhenDone(EditorServer& server, const EditorSession& session, const sigset_t& signals,
                  const std::atomic<bool>& ended, std::ostream& out) {
  const timespec tick{0, 200'000'000};
  while (!ended) {
    const int signal = sigtimedwait(&signals, nullptr, &tick);
    if (signal == SIGINT || signal == SIGTERM) {
      builder::report(out, std::string("stopped by ") + (signal == SIGINT ? "Ctrl+C" : "a signal") + "; the editor is closed");
      break;
    }
    if (session.pageGone()) {
      builder::report(out, "the editor's page was closed; the editor is stopped");
      break;
    }
  }
  out.flush();
  server.stop();
}

int run(const builder::Invocation& call) {
  const std::string& lesson_file = call.operands.front();
  const std::optional<fs::path> page = pageFolder();
  if (!page) {
    builder::report(call.err, "the editor's page is not installed (share/zorva/editor beside " + builder::launcherDir().string() + ")");
    return builder::kExitFailed;
  }
  std::optional<EditorSession> session;
  try {
    session.emplace(lesson_file, builder::launcherDir() / "zorva-lesson");
  } catch (const builder::BuildError& error) {
    builder::report(call.err, error.what());
    return builder::kExitFailed;
  }
  // Signals are taken by one thread of ours, not by whichever server thread they hit.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  EditorServer server(*session, *page, randomKey());
  if (!server.bind()) {
    builder::report(call.err, "no free port on 127.0.0.1 for the editor");
    return builder::kExitFailed;
  }
  builder::report(call.out, "editing " + lesson_file + " at " + server.address() + " (Ctrl+C stops it)");
  if (!call.has("--no-browser") && !openInBrowser(server.address())) {
    builder::report(call.out, "open the address above in your browser");
  }
  call.out.flush();
  std::atomic<bool> ended = false;
  std::thread watcher(stopWhenDone, std::ref(server), std::cref(*session), std::cref(signals), std::cref(ended), std::ref(call.out));
  server.run();
  ended = true;
  watcher.join();
  return builder::kExitDone;
}

}  // namespace

builder::Command editCommand() {
  return {"edit",
          "LESSON.toml [--no-browser]",
          "corrects a lesson's areas and cuts in the browser",
          1,
          1,
          {{"--no-browser", "", "only prints the editor's address instead of opening it"}},
          run};
}

}  // namespace zorva::editor
