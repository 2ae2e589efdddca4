// DigestFile against md5sum of the same file, in the same run: a 1 GiB file
// (mapped) and a 100 MiB file (read in one piece). Prints the best of three
// rounds of each and the ratio md5sum time / DigestFile time (target 0.9 or
// better). The files are written into the folder given as the argument (or
// TMPDIR, or /tmp) and removed afterwards.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/base/digest_file.h"

namespace {

using Clock = std::chrono::steady_clock;

// Removes the file on every way out.
class BenchFile {
 public:
  BenchFile(const std::string& dir, const char* name, uint64_t size) : path_(dir + "/" + name) {
    const int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) throw std::runtime_error("cannot create " + path_);
    std::vector<uint64_t> chunk(1 << 17);  // 1 MiB of xorshift output
    uint64_t state = 0x9E3779B97F4A7C15ull;
    for (uint64_t written = 0; written < size;) {
      for (auto& word : chunk) {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        word = state;
      }
      const size_t n = static_cast<size_t>(std::min<uint64_t>(size - written, chunk.size() * 8));
      if (write(fd, chunk.data(), n) != static_cast<ssize_t>(n)) {
        close(fd);
        throw std::runtime_error("cannot write " + path_);
      }
      written += n;
    }
    close(fd);
  }
  ~BenchFile() { unlink(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double TimeMd5sum(const std::string& path, std::string& hex) {
  const auto start = Clock::now();
  FILE* pipe = popen(("md5sum '" + path + "'").c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run md5sum");
  char line[256] = {};
  const bool got = std::fgets(line, sizeof line, pipe) != nullptr;
  const int status = pclose(pipe);
  const double seconds = Seconds(Clock::now() - start);
  if (!got || status != 0) throw std::runtime_error("md5sum failed");
  hex.assign(line, 32);
  return seconds;
}

double TimeDigestFile(const std::string& path, uint32_t size, std::string& hex) {
  VaroBase::HashProv provider;
  provider.AcquireContext();
  const auto start = Clock::now();
  const int fd = open(path.c_str(), O_RDONLY);
  const VaroBase::FileDigest digest = VaroBase::DigestFile(fd, size, provider);
  close(fd);
  const double seconds = Seconds(Clock::now() - start);
  if (digest.status != VaroBase::DigestFileStatus::kOk) throw std::runtime_error("DigestFile failed");
  hex = VaroBase::BytesToHex(digest.digest);
  return seconds;
}

void Compare(const std::string& dir, const char* label, uint32_t size) {
  BenchFile file(dir, label, size);
  std::string reference, ours;
  TimeMd5sum(file.path(), reference);  // brings the file into the page cache for both
  double bestMd5sum = 1e9, bestOurs = 1e9;
  for (int round = 0; round < 3; ++round) {
    bestMd5sum = std::min(bestMd5sum, TimeMd5sum(file.path(), reference));
    bestOurs = std::min(bestOurs, TimeDigestFile(file.path(), size, ours));
  }
  const double mib = size / 1048576.0;
  std::printf("digest_file %s (%s): DigestFile %.0f ms (%.0f MiB/s), md5sum %.0f ms (%.0f MiB/s), "
              "ratio %.2f (target >= 0.90)%s\n",
              label, size > VaroBase::kDigestReadLimit ? "mapped" : "one read", bestOurs * 1000,
              mib / bestOurs, bestMd5sum * 1000, mib / bestMd5sum, bestMd5sum / bestOurs,
              ours == reference ? "" : "  DIGESTS DIFFER");
}

}  // namespace

int main(int argc, char** argv) {
  const char* tmp = std::getenv("TMPDIR");
  const std::string dir = argc > 1 ? argv[1] : (tmp && *tmp ? tmp : "/tmp");
  try {
    Compare(dir, "1GiB", 1u << 30);
    Compare(dir, "100MiB", VaroBase::kDigestReadLimit);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "digest_file_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
