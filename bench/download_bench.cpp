// Streamed download of one large file through the request layer, written to
// disk, against `curl -o` of the same URL in the same run.
// usage: download_bench URL OUTPUT_DIR
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/http_request.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point t0) {
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

double OurDownload(const std::string& url, const std::string& out, int64_t& bytes) {
  const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return -1;
  const auto t0 = Clock::now();
  http::DownloadRequest req;
  req.SetUrl(url);
  req.SetRedirect(50, true);
  req.SetVerifySsl(false);
  req.SetProgressCallback([](int64_t, int64_t, int64_t, int64_t, intptr_t) { return true; });
  const http::Response r = req.Download([fd](std::string_view chunk, intptr_t) {
    return write(fd, chunk.data(), chunk.size()) == static_cast<ssize_t>(chunk.size());
  });
  close(fd);
  const double s = Seconds(t0);
  bytes = r.bytesReceived;
  if (r.error != 0 || r.status != 200) {
    std::fprintf(stderr, "request layer: error %d status %ld %s\n", r.error, r.status,
                 r.errorMessage.c_str());
    return -1;
  }
  return s;
}

double CurlDownload(const std::string& url, const std::string& out) {
  const std::string cmd = "curl -s -f -k -o '" + out + "' '" + url + "'";
  const auto t0 = Clock::now();
  if (std::system(cmd.c_str()) != 0) return -1;
  return Seconds(t0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s URL OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const std::string url = argv[1], out = std::string(argv[2]) + "/download_bench.out";
  double ours = 1e9, curl = 1e9;
  int64_t bytes = 0;
  for (int round = 0; round < 3; ++round) {  // best of three, interleaved
    const double a = OurDownload(url, out, bytes);
    const double b = CurlDownload(url, out);
    if (a < 0 || b < 0) {
      std::fprintf(stderr, "download failed\n");
      return 1;
    }
    ours = std::min(ours, a);
    curl = std::min(curl, b);
  }
  unlink(out.c_str());
  const double mib = static_cast<double>(bytes) / (1 << 20);
  std::printf("download_bench: %.0f MiB  request layer %.3f s (%.0f MiB/s)  curl -o %.3f s (%.0f MiB/s)"
              "  ratio %.3f (target >= 0.95)\n",
              mib, ours, mib / ours, curl, mib / curl, curl / ours);
  return 0;
}
