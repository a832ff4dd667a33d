#include "tools/zorva-lesson/editor/EditorServer.h"

#include <httplib.h>

#include <cstdint>
#include <fstream>
#include <iomanip>
#include <random>
#include <regex>
#include <sstream>

namespace zorva::editor {
namespace {

using nlohmann::json;

void sendJson(httplib::Response& res, const Answer& answer) {
  res.status = answer.status;
  res.set_content(answer.body.dump(), "application/json");
}

void refuse(httplib::Response& res, int status, const std::string& why) { sendJson(res, Answer{status, json{{"error", why}}}); }

// Both texts are compared whole, so the time taken says nothing about how much of a guess matched.
bool sameKey(const std::string& a, const std::string& b) {
  unsigned char differ = a.size() != b.size();
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) differ |= static_cast<unsigned char>(a[i] ^ b[i]);
  return differ == 0;
}

std::string pageFileType(const std::string& name) {
  if (name.ends_with(".js")) return "text/javascript; charset=utf-8";
  if (name.ends_with(".css")) return "text/css; charset=utf-8";
  return "text/html; charset=utf-8";
}

std::optional<json> bodyJson(const httplib::Request& req, httplib::Response& res) {
  try {
    return json::parse(req.body);
  } catch (const json::exception&) {
    refuse(res, 400, "the request is not JSON");
    return std::nullopt;
  }
}

double numberParam(const httplib::Request& req, const char* name) {
  try {
    return std::stod(req.get_param_value(name));
  } catch (const std::exception&) {
    return -1;
  }
}

size_t indexParam(const httplib::Request& req, const char* name) {
  try {
    return std::stoul(req.get_param_value(name));
  } catch (const std::exception&) {
    return SIZE_MAX;
  }
}

}  // namespace

std::string randomKey() {
  std::random_device device;  // the kernel's random source
  std::ostringstream key;
  for (int i = 0; i < 4; ++i) key << std::hex << std::setw(8) << std::setfill('0') << device();
  return key.str();
}

EditorServer::EditorServer(EditorSession& session, std::filesystem::path page_folder, std::string key)
    : session_(session), page_folder_(std::move(page_folder)), key_(std::move(key)), http_(std::make_unique<httplib::Server>()) {
  route();
}

EditorServer::~EditorServer() = default;

bool EditorServer::bind() {
  port_ = http_->bind_to_any_port("127.0.0.1");
  return port_ > 0;
}

std::string EditorServer::address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/" + key_ + "/"; }

void EditorServer::run() { http_->listen_after_bind(); }

void EditorServer::stop() { http_->stop(); }

void EditorServer::route() {
  // Every request names this server by its own address (a page elsewhere can't borrow it through
  // a name of its own that points here) and carries the key.
  http_->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
    const std::string host = req.get_header_value("Host"), port = std::string(":") + std::to_string(port_);
    const bool own_host = host == "127.0.0.1" + port || host == "localhost" + port;
    const std::string prefix = "/" + key_;
    const bool keyed = req.path.size() >= prefix.size() && sameKey(req.path.substr(0, prefix.size()), prefix) &&
                       (req.path.size() == prefix.size() || req.path[prefix.size()] == '/');
    if (own_host && keyed) return httplib::Server::HandlerResponse::Unhandled;
    refuse(res, 403, "this editor answers only the address zorva-lesson edit printed");
    return httplib::Server::HandlerResponse::Handled;
  });
  const std::string k = "/" + key_;
  http_->Get(k, [k](const httplib::Request&, httplib::Response& res) { res.set_redirect(k + "/"); });
  http_->Get(k + R"(/((?:[a-z]+\.(?:js|css))?))", [this](const httplib::Request& req, httplib::Response& res) {
    const std::string name = req.matches[1].str().empty() ? "index.html" : req.matches[1].str();
    std::ifstream in(page_folder_ / name, std::ios::binary);
    if (!in) return refuse(res, 404, "the editor's page is not installed in " + page_folder_.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    res.set_header("Cache-Control", "no-store");
    res.set_content(bytes.str(), pageFileType(name));
  });
  http_->Get(k + "/lesson", [this](const httplib::Request&, httplib::Response& res) {
    sendJson(res, Answer{200, session_.lessonJson()});
  });
  http_->Get(k + R"(/picture/([0-9]{1,4}))", [this](const httplib::Request& req, httplib::Response& res) {
    const std::optional<PagePicture> picture = session_.picture(std::stoul(req.matches[1].str()));
    if (!picture || picture->bytes.empty()) return refuse(res, 404, "no picture for this page");
    res.set_content(picture->bytes, picture->type);
  });
  http_->Get(k + "/waveform/(.+)", [this](const httplib::Request& req, httplib::Response& res) {
    const auto optional = [&](const char* key) {
      return req.has_param(key) ? std::optional<double>(numberParam(req, key)) : std::nullopt;
    };
    std::string summary;
    const Answer answer =
        session_.summary(req.matches[1].str(), optional("from"), optional("to"), indexParam(req, "columns"), summary);
    if (answer.status != 200) return sendJson(res, answer);
    res.set_content(summary, "application/octet-stream");
  });
  http_->Get(k + "/cut", [this](const httplib::Request& req, httplib::Response& res) {
    std::string wav;
    const Answer answer = session_.cut(indexParam(req, "page"), indexParam(req, "item"), req.get_param_value("audio"), numberParam(req, "from"),
                                       numberParam(req, "to"), wav);
    if (answer.status != 200) return sendJson(res, answer);
    res.set_content(wav, "audio/wav");
  });
  http_->Post(k + "/save", [this](const httplib::Request& req, httplib::Response& res) {
    if (const std::optional<json> request = bodyJson(req, res)) sendJson(res, session_.save(*request));
  });
  http_->Post(k + "/build", [this](const httplib::Request& req, httplib::Response& res) {
    if (const std::optional<json> request = bodyJson(req, res)) sendJson(res, session_.build(*request));
  });
  http_->Post(k + "/alive", [this](const httplib::Request&, httplib::Response& res) {
    session_.pageAlive();
    res.status = 204;
  });
  http_->Post(k + "/closed", [this](const httplib::Request&, httplib::Response& res) {
    session_.pageClosed();
    res.status = 204;
  });
}

}  // namespace zorva::editor
