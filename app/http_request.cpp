#include "app/http_request.h"

#include <curl/curl.h>

namespace http {
namespace {

struct CurlGlobal {
  CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
  ~CurlGlobal() { curl_global_cleanup(); }
};

// libcurl wants its global set-up before the first handle; doing it here keeps
// it next to its only user and runs it once, on first use.
CURL* NewHandle() {
  static CurlGlobal global;
  return curl_easy_init();
}

struct HandleCloser {
  void operator()(CURL* h) const { curl_easy_cleanup(h); }
};
using Handle = std::unique_ptr<CURL, HandleCloser>;

struct HeaderList {
  ~HeaderList() { curl_slist_free_all(list); }
  curl_slist* list = nullptr;
};

// Settings every request shares. `errorBuffer` must outlive the transfer.
void ApplyCommon(CURL* h, const Limits& limits, char* errorBuffer) {
  static const std::string agent = UserAgent();
  curl_easy_setopt(h, CURLOPT_USERAGENT, agent.c_str());
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, 50L);
  curl_easy_setopt(h, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
  curl_easy_setopt(h, CURLOPT_UNRESTRICTED_AUTH, 0L);
  curl_easy_setopt(h, CURLOPT_COOKIEFILE, "");
  curl_easy_setopt(h, CURLOPT_TCP_KEEPALIVE, 1L);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 1L);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);  // several threads make requests
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, limits.connectSeconds);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, limits.stallBytesPerSecond);
  if (limits.totalSeconds > 0) curl_easy_setopt(h, CURLOPT_TIMEOUT, limits.totalSeconds);
}

void Finish(CURL* h, CURLcode code, const char* errorBuffer, Response& r) {
  r.error = static_cast<int>(code);
  if (code != CURLE_OK)
    r.errorMessage = errorBuffer[0] ? errorBuffer : curl_easy_strerror(code);
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &r.status);
}

size_t AppendBody(char* data, size_t size, size_t count, void* out) {
  static_cast<std::string*>(out)->append(data, size * count);
  return size * count;
}

size_t DiscardBody(char*, size_t size, size_t count, void*) { return size * count; }

}  // namespace

std::string UserAgent() { return std::string("curl/") + curl_version_info(CURLVERSION_NOW)->version; }

Response Get(const std::string& url, const Limits& limits) {
  Response r;
  Handle h(NewHandle());
  if (!h) {
    r.error = CURLE_FAILED_INIT;
    r.errorMessage = curl_easy_strerror(CURLE_FAILED_INIT);
    return r;
  }
  char errorBuffer[CURL_ERROR_SIZE] = {};
  ApplyCommon(h.get(), limits, errorBuffer);
  curl_easy_setopt(h.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(h.get(), CURLOPT_WRITEFUNCTION, &AppendBody);
  curl_easy_setopt(h.get(), CURLOPT_WRITEDATA, &r.body);
  Finish(h.get(), curl_easy_perform(h.get()), errorBuffer, r);
  return r;
}

bool PostText(const std::string& url, const std::optional<std::string>& contentType,
              const std::string& body, const Limits& limits) {
  Handle h(NewHandle());
  if (!h) return false;
  char errorBuffer[CURL_ERROR_SIZE] = {};
  ApplyCommon(h.get(), limits, errorBuffer);
  HeaderList headers;
  if (contentType) {
    const std::string header = "Content-Type: " + *contentType;
    headers.list = curl_slist_append(nullptr, header.c_str());
    curl_easy_setopt(h.get(), CURLOPT_HTTPHEADER, headers.list);
  }
  curl_easy_setopt(h.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(h.get(), CURLOPT_POST, 1L);
  curl_easy_setopt(h.get(), CURLOPT_POSTFIELDS, body.data());
  curl_easy_setopt(h.get(), CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
  curl_easy_setopt(h.get(), CURLOPT_WRITEFUNCTION, &DiscardBody);
  return curl_easy_perform(h.get()) == CURLE_OK;
}

void Transfer::Pause() { curl_easy_pause(static_cast<CURL*>(handle_), CURLPAUSE_ALL); }
void Transfer::Resume() { curl_easy_pause(static_cast<CURL*>(handle_), CURLPAUSE_CONT); }

void Transfer::Publish(int64_t speed, int64_t received) {
  speed_.store(speed, std::memory_order_relaxed);
  received_.store(received, std::memory_order_relaxed);
}

void TransferHolder::Set(std::shared_ptr<Transfer> transfer) {
  std::lock_guard<std::mutex> guard(lock_);
  transfer_ = std::move(transfer);
}

std::shared_ptr<Transfer> TransferHolder::Get() const {
  std::lock_guard<std::mutex> guard(lock_);
  return transfer_;
}

DownloadRequest::DownloadRequest(const Limits& limits)
    : handle_(NewHandle()), transfer_(std::make_shared<Transfer>()) {
  transfer_->handle_ = handle_;
  if (handle_) ApplyCommon(static_cast<CURL*>(handle_), limits, errorBuffer_);
}

DownloadRequest::~DownloadRequest() {
  if (handle_) curl_easy_cleanup(static_cast<CURL*>(handle_));
  // The Transfer may outlive us in a reader's hands; it must not reach the handle.
  transfer_->handle_ = nullptr;
}

void DownloadRequest::SetUrl(const std::string& url) {
  curl_easy_setopt(static_cast<CURL*>(handle_), CURLOPT_URL, url.c_str());
}

void DownloadRequest::SetRedirect(long maxRedirects, bool followLocation) {
  CURL* h = static_cast<CURL*>(handle_);
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, followLocation ? 1L : 0L);
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, maxRedirects);
  curl_easy_setopt(h, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
}

void DownloadRequest::SetVerifySsl(bool verify) {
  CURL* h = static_cast<CURL*>(handle_);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, verify ? 1L : 0L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, verify ? 2L : 0L);
}

void DownloadRequest::SetProgressCallback(ProgressCallback callback) {
  progress_ = std::move(callback);
  CURL* h = static_cast<CURL*>(handle_);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &DownloadRequest::OnProgress);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
}

int DownloadRequest::OnProgress(void* self, int64_t dlTotal, int64_t dlNow, int64_t ulTotal,
                                int64_t ulNow) {
  auto* req = static_cast<DownloadRequest*>(self);
  curl_off_t speed = 0;
  curl_easy_getinfo(static_cast<CURL*>(req->handle_), CURLINFO_SPEED_DOWNLOAD_T, &speed);
  req->transfer_->Publish(speed, req->received_);
  if (!req->progress_) return 0;
  try {
    return req->progress_(dlTotal, dlNow, ulTotal, ulNow, 0) ? 0 : 1;
  } catch (...) {
    return 1;  // nothing may escape into libcurl
  }
}

size_t DownloadRequest::OnWrite(char* data, size_t size, size_t count, void* self) {
  auto* req = static_cast<DownloadRequest*>(self);
  const size_t n = size * count;
  bool ok = true;
  try {
    ok = !req->write_ || req->write_(std::string_view(data, n), 0);
  } catch (...) {
    ok = false;
  }
  if (!ok) return 0;  // libcurl ends the transfer with CURLE_WRITE_ERROR
  req->received_ += static_cast<int64_t>(n);
  return n;
}

Response DownloadRequest::Download(WriteCallback write) {
  Response r;
  if (!handle_) {
    r.error = CURLE_FAILED_INIT;
    r.errorMessage = curl_easy_strerror(CURLE_FAILED_INIT);
    return r;
  }
  CURL* h = static_cast<CURL*>(handle_);
  errorBuffer_[0] = '\0';
  write_ = std::move(write);
  received_ = 0;
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &DownloadRequest::OnWrite);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, this);
  Finish(h, curl_easy_perform(h), errorBuffer_, r);
  r.bytesReceived = received_;
  curl_off_t speed = 0;
  curl_easy_getinfo(h, CURLINFO_SPEED_DOWNLOAD_T, &speed);
  transfer_->Publish(speed, received_);
  return r;
}

}  // namespace http
