#include "tools/devserver/dev_server.h"

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

namespace devserver {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A fresh self-signed certificate for 127.0.0.1, made with the openssl tool.
fs::path MakeCertificate() {
  std::random_device rd;
  fs::path dir = fs::temp_directory_path() / ("qira-devserver-" + std::to_string(rd()));
  fs::create_directories(dir);
  const std::string cmd = "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 "
                          "-keyout '" + (dir / "key.pem").string() + "' -out '" +
                          (dir / "cert.pem").string() + "' >/dev/null 2>&1";
  if (std::system(cmd.c_str()) != 0) return {};
  return dir;
}

}  // namespace

DevServer::DevServer(Options options) : options_(std::move(options)) {
  if (options_.tls) {
    certDir_ = MakeCertificate();
    server_ = std::make_unique<httplib::SSLServer>((certDir_ / "cert.pem").c_str(),
                                                   (certDir_ / "key.pem").c_str());
  } else {
    server_ = std::make_unique<httplib::Server>();
  }
  AddRoutes();
}

DevServer::~DevServer() {
  Stop();
  if (!certDir_.empty()) {
    std::error_code ec;
    fs::remove_all(certDir_, ec);
  }
}

std::string DevServer::BaseUrl() const {
  return std::string(options_.tls ? "https://" : "http://") + options_.host + ":" +
         std::to_string(port_);
}

bool DevServer::Bind() {
  if (!server_->is_valid()) return false;
  if (options_.port == 0) {
    port_ = server_->bind_to_any_port(options_.host);
    return port_ > 0;
  }
  port_ = options_.port;
  return server_->bind_to_port(options_.host, options_.port);
}

bool DevServer::Start() {
  if (!Bind()) return false;
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  for (int i = 0; i < 5000 && !server_->is_running(); ++i) std::this_thread::sleep_for(1ms);
  return server_->is_running();
}

bool DevServer::Run() { return Bind() && server_->listen_after_bind(); }

void DevServer::Stop() {
  stopping_ = true;
  server_->stop();
  if (thread_.joinable()) thread_.join();
}

std::vector<Received> DevServer::Posts() const {
  std::vector<Received> out;
  for (Received& r : Requests())
    if (r.method == "POST") out.push_back(std::move(r));
  return out;
}

std::vector<Received> DevServer::Requests() const {
  std::lock_guard<std::mutex> guard(lock_);
  return requests_;
}

void DevServer::Record(Received r) {
  // Callers hold lock_.
  if (options_.logRequests) {
    std::printf("%s %s%s%s\n", r.method.c_str(), r.path.c_str(), r.query.empty() ? "" : "?",
                r.query.c_str());
    std::fflush(stdout);
  }
  requests_.push_back(std::move(r));
}

void DevServer::ClearRequests() {
  std::lock_guard<std::mutex> guard(lock_);
  requests_.clear();
}

void DevServer::SetFault(const std::string& path, const Fault& fault) {
  std::lock_guard<std::mutex> guard(lock_);
  if (fault.status == 0 && fault.delayMs == 0 && !fault.stall && !fault.drop) faults_.erase(path);
  else faults_[path] = fault;
}

bool DevServer::AddFaultFromText(const std::string& text) {
  const auto eq = text.find('=');
  if (eq == std::string::npos || eq == 0 || text[0] != '/') return false;
  const std::string path = text.substr(0, eq), what = text.substr(eq + 1);
  Fault f;
  try {
    if (what == "stall") f.stall = true;
    else if (what == "drop") f.drop = true;
    else if (what.rfind("delay:", 0) == 0) f.delayMs = std::stoi(what.substr(6));
    else {
      const auto colon = what.find(':');
      f.status = std::stoi(what.substr(0, colon));
      if (colon != std::string::npos) f.body = what.substr(colon + 1);
    }
  } catch (const std::exception&) {
    return false;
  }
  SetFault(path, f);
  return true;
}

void DevServer::ClearFaults() {
  std::lock_guard<std::mutex> guard(lock_);
  faults_.clear();
}

namespace {

Received Describe(const httplib::Request& req) {
  Received r;
  r.method = req.method;
  r.path = req.path;
  const auto q = req.target.find('?');
  if (q != std::string::npos) r.query = req.target.substr(q + 1);
  r.contentType = req.get_header_value("Content-Type");
  for (const auto& [k, v] : req.headers) r.headers.emplace_back(k, v);
  return r;
}

std::string ReadFile(const fs::path& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  ok = static_cast<bool>(in);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

void DevServer::AddRoutes() {
  httplib::Server& s = *server_;
  // Requests without a body are recorded, and faults played, before routing;
  // POST routes record their body themselves (it is read after routing).
  s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
    Fault fault;
    bool faulty = false;
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (req.method != "POST") Record(Describe(req));
      auto it = faults_.find(req.path);
      if (it != faults_.end()) {
        fault = it->second;
        faulty = true;
        if (it->second.remaining > 0 && --it->second.remaining == 0) faults_.erase(it);
      }
    }
    if (!faulty) return httplib::Server::HandlerResponse::Unhandled;
    for (int waited = 0; (fault.stall || waited < fault.delayMs) && !stopping_; waited += 10)
      std::this_thread::sleep_for(10ms);
    if (fault.drop) {
      // A provider that gives up at once makes the server close the socket
      // after the headers: the client sees a connection dropped mid-answer.
      res.set_content_provider(1000, "application/octet-stream",
                               [](size_t, size_t, httplib::DataSink&) { return false; });
      return httplib::Server::HandlerResponse::Handled;
    }
    if (fault.status == 0) return httplib::Server::HandlerResponse::Unhandled;
    res.status = fault.status;
    res.set_content(fault.body, "text/html");
    return httplib::Server::HandlerResponse::Handled;
  });
  auto post = [this, &s](const std::string& pattern, httplib::Server::Handler handler) {
    s.Post(pattern, [this, handler](const httplib::Request& req, httplib::Response& res) {
      {
        std::lock_guard<std::mutex> guard(lock_);
        Received r = Describe(req);
        r.body = req.body;
        Record(std::move(r));
      }
      handler(req, res);
    });
  };

  // The requirements list and the per-variant configurations of the catalogue.
  // "{{base}}" in a document becomes this server's base URL, so that a
  // catalogue can point at itself whatever port it is served on.
  auto serveJson = [this](const fs::path& file, httplib::Response& res) {
    bool ok = false;
    std::string body = ReadFile(file, ok);
    for (size_t at; (at = body.find("{{base}}")) != std::string::npos;) body.replace(at, 8, BaseUrl());
    if (!ok) {
      res.status = 404;
      res.set_content("<html><body>no such document</body></html>", "text/html");
      return;
    }
    res.set_content(body, "application/json");
  };
  s.Get("/api/int_qira_requires", [this, serveJson](const httplib::Request&, httplib::Response& res) {
    serveJson(options_.catalog / "requires.json", res);
  });
  s.Get(R"(/config/([A-Za-z0-9_.-]+))", [this, serveJson](const httplib::Request& req,
                                                        httplib::Response& res) {
    serveJson(options_.catalog / "config" / (std::string(req.matches[1]) + ".json"), res);
  });

  // An error page: status 404 with an HTML body.
  s.Get("/notfound", [](const httplib::Request&, httplib::Response& res) {
    res.status = 404;
    res.set_content("<html><body><h1>404 Not Found</h1></body></html>", "text/html");
  });

  // /redirect/N answers 302 to /redirect/N-1; /redirect/0 answers "done".
  s.Get(R"(/redirect/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
    const int n = std::stoi(req.matches[1]);
    if (n == 0) {
      res.set_content("done", "text/plain");
    } else {
      res.set_redirect("/redirect/" + std::to_string(n - 1), 302);
    }
  });

  // A POST answered with a 302 to /echo, which reports the method and body.
  post("/post-redirect", [](const httplib::Request&, httplib::Response& res) {
    res.set_redirect("/echo", 302);
  });
  post("/echo", [](const httplib::Request& req, httplib::Response& res) {
    res.set_content(req.body, "text/plain");
  });
  s.Get("/headers", [](const httplib::Request& req, httplib::Response& res) {
    std::string out;
    for (const auto& [k, v] : req.headers) out += k + ": " + v + "\n";
    res.set_content(out, "text/plain");
  });

  // Accepts the request and never answers (until the server stops).
  auto stall = [this](const httplib::Request&, httplib::Response& res) {
    while (!stopping_) std::this_thread::sleep_for(20ms);
    res.status = 503;
  };
  s.Get("/stall", stall);
  post("/stall", stall);

  // /slow/N: N bytes of a repeating pattern in 64 KiB pieces, 20 ms apart.
  s.Get(R"(/slow/(\d+))", [this](const httplib::Request& req, httplib::Response& res) {
    const size_t total = std::stoull(req.matches[1]);
    res.set_content_provider(
        total, "application/octet-stream",
        [this, total](size_t offset, size_t, httplib::DataSink& sink) {
          if (stopping_) return false;
          std::this_thread::sleep_for(20ms);
          const size_t n = std::min<size_t>(64 * 1024, total - offset);
          std::string chunk(n, '\0');
          for (size_t i = 0; i < n; ++i) chunk[i] = static_cast<char>((offset + i) % 251);
          sink.write(chunk.data(), chunk.size());
          return true;
        });
  });

  if (!options_.files.empty()) s.set_mount_point("/files", options_.files.string());
}

}  // namespace devserver
