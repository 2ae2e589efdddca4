// qira-devserver [--port N] [--catalog DIR] [--files DIR] [--tls] [--fault SPEC]...
//   SPEC: PATH=STATUS[:BODY] | PATH=delay:MS | PATH=stall | PATH=drop
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/devserver/dev_server.h"

namespace {
devserver::DevServer* g_server = nullptr;  // for the signal handler only
void OnSignal(int) {
  if (g_server) g_server->Stop();
}
}  // namespace

int main(int argc, char** argv) {
  devserver::Options options;
  std::vector<std::string> faults;
  options.port = 18080;
  options.logRequests = true;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--port") && i + 1 < argc) options.port = std::stoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--files") && i + 1 < argc) options.files = argv[++i];
    else if (!std::strcmp(argv[i], "--catalog") && i + 1 < argc) options.catalog = argv[++i];
    else if (!std::strcmp(argv[i], "--tls")) options.tls = true;
    else if (!std::strcmp(argv[i], "--fault") && i + 1 < argc) faults.push_back(argv[++i]);
    else {
      std::fprintf(stderr, "usage: %s [--port N] [--catalog DIR] [--files DIR] [--tls] [--fault SPEC]...\n", argv[0]);
      return 2;
    }
  }
  devserver::DevServer server(options);
  for (const auto& fault : faults) {
    if (!server.AddFaultFromText(fault)) {
      std::fprintf(stderr, "bad --fault %s\n", fault.c_str());
      return 2;
    }
  }
  g_server = &server;
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  std::printf("qira-devserver listening on %s://%s:%d\n", options.tls ? "https" : "http",
              options.host.c_str(), options.port);
  std::fflush(stdout);
  if (!server.Run()) {
    std::fprintf(stderr, "cannot listen on port %d\n", options.port);
    return 1;
  }
  return 0;
}
