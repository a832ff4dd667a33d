// The editor's HTTP server: on 127.0.0.1 only, on a free port, every address under a random key
// (/KEY/...) that only the address it opens carries, so other local users and web pages can't
// drive it. It serves the editor's page, the lesson and the files the lesson names.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "tools/zorva-lesson/editor/EditorSession.h"

namespace httplib {
class Server;
}

namespace zorva::editor {

class EditorServer {
 public:
  // `page_folder` holds the page's own files (index.html, editor.js, editor.css).
  EditorServer(EditorSession& session, std::filesystem::path page_folder, std::string key);
  ~EditorServer();

  // Binds a free port on 127.0.0.1; false when none can be had.
  bool bind();
  std::string address() const;

  // Answers requests until stop() is called (from any thread).
  void run();
  void stop();

 private:
  void route();

  EditorSession& session_;
  std::filesystem::path page_folder_;
  std::string key_;
  int port_ = 0;
  std::unique_ptr<httplib::Server> http_;
};

// A new random key for the editor's address.
std::string randomKey();

}  // namespace zorva::editor
