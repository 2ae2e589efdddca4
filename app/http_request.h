#pragma once
// The three kinds of HTTP request the installer makes, over libcurl's easy
// interface: a GET that returns the response, a text POST, and the streamed
// download of one package file. Each request runs in a fresh handle with the
// common settings (User-Agent "curl/<libcurl version>", up to 50 redirects, a
// POST stays a POST after 301/302/303, no credentials to other hosts, cookie
// engine without a file, TCP keep-alive, no Accept-Encoding). GET and POST keep
// certificate verification; only the download turns it off.
//
// The HTTP status is not judged here: a 404 with a body is a transport success.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace http {

// Time limits. A server that accepts and then goes silent must not hold a
// thread: every request has a connect limit and a stall limit (less than
// `stallBytesPerSecond` for `stallSeconds` aborts with a transport error). POSTs
// also have an overall limit, because the reporter's last POSTs hold the
// window's close. A paused download is exempt from the stall limit.
struct Limits {
  long connectSeconds;
  long stallSeconds;
  long stallBytesPerSecond = 1;
  long totalSeconds = 0;  // 0: none
};

// Connecting takes well under a second on working networks; 10 s allows for
// SYN retransmits (1 s, then 3 s) on a lossy link. Service documents are small:
// 30 s without a byte means the service is stuck.
inline constexpr Limits kGetLimits{10, 30};
// A usage report is a few hundred bytes and nobody waits for its answer; 5 s in
// all bounds how long a dead reporting service can delay the window's close.
inline constexpr Limits kPostLimits{3, 5, 1, 5};
// Package files are large and links may be slow; only a transfer that has
// received nothing for 60 s is abandoned (and then retried by the download).
inline constexpr Limits kDownloadLimits{10, 60};

struct Response {
  int error = 0;             // libcurl's CURLcode for the whole transfer; 0 = none
  std::string errorMessage;  // libcurl's text for `error`; empty when 0
  std::string body;          // empty for a download
  int64_t bytesReceived = 0;  // body bytes handed to the write callback
  long status = 0;           // for diagnostics only; callers do not judge it
};

// "curl/" followed by the linked libcurl's version text.
std::string UserAgent();

// Blocks until the transfer has ended.
Response Get(const std::string& url, const Limits& limits = kGetLimits);

// One POST of `body` as given; with a content type, one Content-Type header.
// True when the transport succeeded; the answer is ignored and nothing logged.
bool PostText(const std::string& url, const std::optional<std::string>& contentType,
              const std::string& body, const Limits& limits = kPostLimits);

// The running download's live counters, shared between the worker that
// performs it and the UI thread that reads them. Readers keep it alive with
// their shared_ptr while they read.
class Transfer {
 public:
  int64_t AverageSpeed() const { return speed_.load(std::memory_order_relaxed); }    // bytes/s
  int64_t BytesReceived() const { return received_.load(std::memory_order_relaxed); }

  // Pause and resume both directions. Only from inside the request's own
  // progress or write callback (libcurl's rule for curl_easy_pause).
  void Pause();
  void Resume();

 private:
  friend class DownloadRequest;
  void Publish(int64_t speed, int64_t received);

  void* handle_ = nullptr;  // the CURL easy handle, owned by DownloadRequest
  std::atomic<int64_t> speed_{0};
  std::atomic<int64_t> received_{0};
};

// Holds the active transfer for other threads; empty when none runs.
class TransferHolder {
 public:
  void Set(std::shared_ptr<Transfer> transfer);
  void Clear() { Set(nullptr); }
  std::shared_ptr<Transfer> Get() const;

 private:
  mutable std::mutex lock_;
  std::shared_ptr<Transfer> transfer_;
};

// Streamed download of one file. Created, set up and performed on one thread.
class DownloadRequest {
 public:
  // (total to download, downloaded, total to upload, uploaded, user value 0);
  // false aborts the transfer.
  using ProgressCallback = std::function<bool(int64_t, int64_t, int64_t, int64_t, intptr_t)>;
  // (one chunk of body bytes, user value 0); false aborts with a write error.
  using WriteCallback = std::function<bool(std::string_view, intptr_t)>;

  explicit DownloadRequest(const Limits& limits = kDownloadLimits);
  ~DownloadRequest();
  DownloadRequest(const DownloadRequest&) = delete;
  DownloadRequest& operator=(const DownloadRequest&) = delete;

  const std::shared_ptr<Transfer>& transfer() const { return transfer_; }

  void SetUrl(const std::string& url);
  void SetRedirect(long maxRedirects, bool followLocation);
  void SetVerifySsl(bool verify);
  void SetProgressCallback(ProgressCallback callback);
  // Performs the transfer; returns when it has ended for any reason.
  Response Download(WriteCallback write);

 private:
  static int OnProgress(void* self, int64_t dlTotal, int64_t dlNow, int64_t ulTotal, int64_t ulNow);
  static size_t OnWrite(char* data, size_t size, size_t count, void* self);

  void* handle_;
  std::shared_ptr<Transfer> transfer_;
  ProgressCallback progress_;
  WriteCallback write_;
  int64_t received_ = 0;
  char errorBuffer_[256] = {};  // CURL_ERROR_SIZE
};

}  // namespace http
