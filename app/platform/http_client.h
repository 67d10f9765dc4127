// One HTTP(S) GET at a time, reported piece by piece to a sink. The update
// checks and downloads use this; the real client is libcurl, tests use fakes
// or a local server.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Receives one reply. Calls arrive on the thread that called Get.
class HttpReplySink {
 public:
  virtual ~HttpReplySink() = default;
  // The client is set up and about to connect.
  virtual void OnReady() {}
  // The link answered with a success status; `content_length` is empty when
  // the reply gives none. Comes once, before the first OnData.
  virtual void OnOpened(std::optional<std::uint64_t> content_length) = 0;
  // A piece of the body, in order. Returning false aborts the transfer.
  virtual bool OnData(std::string_view bytes) = 0;
  // Polled while the transfer waits for data; false aborts it.
  virtual bool KeepGoing() const = 0;
};

enum class HttpResult {
  kDone,        // the whole body was delivered
  kNoHandle,    // the client could not be set up at all
  kNotFound,    // the server answered 404 or 410: there is nothing at the link
  kOpenFailed,  // no connection, bad link, or any other error status
  kReadFailed,  // the connection broke or timed out after the link opened
  kAborted,     // the sink returned false from OnData or KeepGoing
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Sends "Accept: */*" with no-cache headers and follows redirects within
  // http and https.
  virtual HttpResult Get(const std::string& url, HttpReplySink& sink) = 0;
};

// The libcurl client. The user agent is the program's fixed one.
std::unique_ptr<HttpClient> MakeCurlHttpClient();
