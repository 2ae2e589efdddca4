#include "app/http_request.h"

#include <gtest/gtest.h>

#include <curl/curl.h>

#include <chrono>
#include <thread>

#include "tools/devserver/dev_server.h"

namespace http {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class HttpTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    plain_ = new devserver::DevServer({});
    ASSERT_TRUE(plain_->Start());
    devserver::Options tls;
    tls.tls = true;
    tls_ = new devserver::DevServer(tls);
    ASSERT_TRUE(tls_->Start());
  }
  static void TearDownTestSuite() {
    delete plain_;
    delete tls_;
  }
  static std::string Url(const std::string& path) { return plain_->BaseUrl() + path; }

  static devserver::DevServer* plain_;
  static devserver::DevServer* tls_;
};
devserver::DevServer* HttpTest::plain_ = nullptr;
devserver::DevServer* HttpTest::tls_ = nullptr;

TEST_F(HttpTest, ErrorStatusIsATransportSuccessWithItsBody) {
  const Response r = Get(Url("/notfound"));
  EXPECT_EQ(r.error, 0);
  EXPECT_TRUE(r.errorMessage.empty());
  EXPECT_EQ(r.status, 404);
  EXPECT_NE(r.body.find("404 Not Found"), std::string::npos);
}

TEST_F(HttpTest, RedirectChainsUpToFifty) {
  const Response ok = Get(Url("/redirect/50"));
  EXPECT_EQ(ok.error, 0) << ok.errorMessage;
  EXPECT_EQ(ok.body, "done");
  const Response tooMany = Get(Url("/redirect/51"));
  EXPECT_EQ(tooMany.error, CURLE_TOO_MANY_REDIRECTS);
  EXPECT_FALSE(tooMany.errorMessage.empty());
}

TEST_F(HttpTest, CommonHeaders) {
  const Response r = Get(Url("/headers"));
  EXPECT_NE(r.body.find("User-Agent: " + UserAgent() + "\n"), std::string::npos) << r.body;
  EXPECT_EQ(UserAgent(), std::string("curl/") + curl_version_info(CURLVERSION_NOW)->version);
  EXPECT_EQ(r.body.find("Accept-Encoding"), std::string::npos) << r.body;
}

TEST_F(HttpTest, PostStaysPostAfter302WithSameBody) {
  const size_t before = plain_->Posts().size();
  EXPECT_TRUE(PostText(Url("/post-redirect"), std::string("application/json;"), "{\"a\":1}"));
  const auto posts = plain_->Posts();
  ASSERT_EQ(posts.size(), before + 2);
  EXPECT_EQ(posts[before].path, "/post-redirect");
  EXPECT_EQ(posts[before + 1].path, "/echo");
  EXPECT_EQ(posts[before + 1].body, "{\"a\":1}");
  EXPECT_EQ(posts[before + 1].contentType, "application/json;");
}

TEST_F(HttpTest, PostWithoutContentTypeAddsNone) {
  const size_t before = plain_->Posts().size();
  EXPECT_TRUE(PostText(Url("/echo"), std::nullopt, "raw body"));
  const auto posts = plain_->Posts();
  ASSERT_EQ(posts.size(), before + 1);
  EXPECT_EQ(posts.back().body, "raw body");
  // libcurl's own default for a POST body; no header of ours.
  EXPECT_EQ(posts.back().contentType, "application/x-www-form-urlencoded");
}

TEST_F(HttpTest, PostToUnreachablePortReturnsFalse) {
  EXPECT_FALSE(PostText("http://127.0.0.1:1/api/clientevent", std::nullopt, "x"));
}

TEST_F(HttpTest, SelfSignedCertificateFailsGetButNotDownload) {
  const Response get = Get(tls_->BaseUrl() + "/redirect/0");
  EXPECT_NE(get.error, 0);
  EXPECT_TRUE(get.error == CURLE_PEER_FAILED_VERIFICATION || get.error == CURLE_SSL_CACERT)
      << get.error << " " << get.errorMessage;

  DownloadRequest req;
  req.SetUrl(tls_->BaseUrl() + "/slow/100000");
  req.SetRedirect(50, true);
  req.SetVerifySsl(false);
  req.SetProgressCallback([](int64_t, int64_t, int64_t, int64_t, intptr_t) { return true; });
  std::string got;
  const Response r = req.Download([&](std::string_view chunk, intptr_t) {
    got.append(chunk);
    return true;
  });
  EXPECT_EQ(r.error, 0) << r.errorMessage;
  EXPECT_EQ(r.bytesReceived, 100000);
  EXPECT_EQ(got.size(), 100000u);
  EXPECT_EQ(static_cast<unsigned char>(got[99999]), 99999 % 251);
}

TEST_F(HttpTest, StalledServerEndsInTransportErrorWithinTheLimit) {
  const Limits quick{2, 2};
  const auto t0 = Clock::now();
  const Response get = Get(Url("/stall"), quick);
  EXPECT_EQ(get.error, CURLE_OPERATION_TIMEDOUT) << get.errorMessage;
  EXPECT_FALSE(PostText(Url("/stall"), std::nullopt, "x", Limits{2, 2, 1, 3}));
  DownloadRequest req(quick);
  req.SetUrl(Url("/stall"));
  const Response dl = req.Download([](std::string_view, intptr_t) { return true; });
  EXPECT_EQ(dl.error, CURLE_OPERATION_TIMEDOUT);
  EXPECT_LT(Clock::now() - t0, 20s);  // three stalls of about 2 s each, never a hang
}

TEST_F(HttpTest, WriteCallbackFalseAbortsWithWriteError) {
  DownloadRequest req;
  req.SetUrl(Url("/slow/300000"));
  const Response r = req.Download([](std::string_view, intptr_t) { return false; });
  EXPECT_EQ(r.error, CURLE_WRITE_ERROR);
  EXPECT_EQ(r.bytesReceived, 0);
}

TEST_F(HttpTest, PausedDownloadOutlivesTheStallLimitAndResumes) {
  const Limits quick{2, 1};
  DownloadRequest req(quick);
  std::shared_ptr<Transfer> transfer = req.transfer();
  std::atomic<bool> pauseRequest{false}, resumeRequest{false}, paused{false};
  std::atomic<int> callsWhilePaused{0};
  req.SetUrl(Url("/slow/1048576"));
  req.SetRedirect(50, true);
  req.SetVerifySsl(false);
  req.SetProgressCallback([&](int64_t, int64_t, int64_t, int64_t, intptr_t) {
    if (resumeRequest.exchange(false)) {
      transfer->Resume();
      paused = false;
    } else if (pauseRequest.exchange(false)) {
      transfer->Pause();
      paused = true;
    } else if (paused) {
      ++callsWhilePaused;
    }
    return true;
  });
  std::thread ui([&] {
    while (transfer->BytesReceived() == 0) std::this_thread::sleep_for(5ms);
    pauseRequest = true;
    std::this_thread::sleep_for(3500ms);  // well past the 1 s stall limit
    resumeRequest = true;
  });
  int64_t total = 0;
  const auto t0 = Clock::now();
  const Response r = req.Download([&](std::string_view chunk, intptr_t) {
    total += static_cast<int64_t>(chunk.size());
    return true;
  });
  ui.join();
  EXPECT_EQ(r.error, 0) << r.errorMessage;
  EXPECT_EQ(total, 1048576);
  EXPECT_EQ(transfer->BytesReceived(), 1048576);
  EXPECT_GT(Clock::now() - t0, 3s);
  EXPECT_GT(callsWhilePaused, 0);  // the progress callback keeps coming while paused
}

}  // namespace
}  // namespace http
