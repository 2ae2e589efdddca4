#pragma once
// The development server: stands in for the installer's remote services on
// loopback and serves package files from a folder. Also carries the fault
// routes that tests need (error pages, redirect chains, a stalled answer,
// slow bodies). Linux only; tests and the README's run command start it.
#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <mutex>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace devserver {

// One request as the server received it.
struct Received {
  std::string method;
  std::string path;
  std::string query;        // raw text after '?', empty when none
  std::string contentType;  // empty when the request had none
  std::string body;         // POST bodies only
  std::vector<std::pair<std::string, std::string>> headers;
};

// A fault the server plays on one path instead of its normal answer.
struct Fault {
  int status = 0;          // answer with this status and `body` (0: normal answer)
  std::string body;
  int delayMs = 0;         // wait this long before answering
  bool stall = false;      // never answer (until the server stops)
  bool drop = false;       // send the headers of a 1000-byte body, then close the connection
  int remaining = -1;      // play the fault this many times, then answer normally (-1: always)
};

struct Options {
  std::string host = "127.0.0.1";
  int port = 0;       // 0: any free port
  bool tls = false;   // HTTPS with a self-signed certificate made at start
  std::filesystem::path files;  // served under /files/ when set
  // A catalogue folder: requires.json is the requirements list
  // (/api/int_qira_requires); config/<name>.json is served at /config/<name>.
  std::filesystem::path catalog;
  bool logRequests = false;  // print "METHOD /path?query" per request to stdout
};

class DevServer {
 public:
  explicit DevServer(Options options);
  ~DevServer();  // stops the server and wakes stalled handlers
  DevServer(const DevServer&) = delete;
  DevServer& operator=(const DevServer&) = delete;

  // Binds and starts serving on a background thread; false when it cannot bind.
  bool Start();
  // Serves on the calling thread until Stop (for the command-line program).
  bool Run();
  void Stop();

  int port() const { return port_; }
  // "http://127.0.0.1:PORT" or "https://..."
  std::string BaseUrl() const;
  // Every POST received so far, in arrival order.
  std::vector<Received> Posts() const;
  // Every request received so far (GETs and POSTs), in arrival order.
  std::vector<Received> Requests() const;
  void ClearRequests();
  // Plays `fault` on `path` from now on; an empty Fault clears it.
  void SetFault(const std::string& path, const Fault& fault);
  void ClearFaults();
  // "PATH=STATUS", "PATH=STATUS:BODY", "PATH=delay:MS", "PATH=stall" or
  // "PATH=drop" (the command line's --fault); false for anything else.
  bool AddFaultFromText(const std::string& text);

 private:
  void AddRoutes();
  void Record(Received r);
  bool Bind();

  Options options_;
  std::filesystem::path certDir_;
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  mutable std::mutex lock_;
  std::vector<Received> requests_;
  std::map<std::string, Fault> faults_;
  int port_ = 0;
};

}  // namespace devserver
