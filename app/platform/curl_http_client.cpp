// The HTTP client on libcurl's easy interface: one handle per request, the
// program's user agent, no caching anywhere on the way, bounded waits.
#include <curl/curl.h>

#include <memory>
#include <mutex>

#include "platform/http_client.h"

namespace {

constexpr const char* kUserAgent = "IIC2.0/PC 5.5.0000";
// Pieces arrive at most this large, matching the read size the downloader
// counts its progress in.
constexpr long kReadSize = 10240;
constexpr long kConnectTimeoutSeconds = 30;
// A transfer that moves less than one byte a second for a minute is dead.
constexpr long kStallSeconds = 60;
constexpr long kMaxRedirects = 5;

struct EasyDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct SlistDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, SlistDeleter>;

bool GlobalInit() {
  static std::once_flag once;
  static bool ok = false;
  std::call_once(once, [] { ok = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
  return ok;
}

// State of one request, reached from libcurl's callbacks.
struct Transfer {
  CURL* handle = nullptr;
  HttpReplySink* sink = nullptr;
  bool opened = false;
  bool aborted = false;

  void Open() {
    if (opened) return;
    opened = true;
    curl_off_t length = -1;
    std::optional<std::uint64_t> content_length;
    if (curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
        length >= 0) {
      content_length = static_cast<std::uint64_t>(length);
    }
    sink->OnOpened(content_length);
  }
};

size_t OnWrite(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  transfer->Open();
  if (!transfer->sink->OnData({data, bytes})) {
    transfer->aborted = true;
    return 0;
  }
  return bytes;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* transfer = static_cast<Transfer*>(user);
  if (transfer->sink->KeepGoing()) return 0;
  transfer->aborted = true;
  return 1;
}

class CurlHttpClient final : public HttpClient {
 public:
  HttpResult Get(const std::string& url, HttpReplySink& sink) override {
    if (!GlobalInit()) return HttpResult::kNoHandle;
    EasyHandle handle(curl_easy_init());
    if (!handle) return HttpResult::kNoHandle;
    curl_slist* list = nullptr;
    for (const char* line : {"Accept: */*", "Cache-Control: no-cache", "Pragma: no-cache"}) {
      curl_slist* grown = curl_slist_append(list, line);
      if (!grown) {
        curl_slist_free_all(list);
        return HttpResult::kNoHandle;
      }
      list = grown;
    }
    const HeaderList headers(list);
    sink.OnReady();

    Transfer transfer{handle.get(), &sink};
    CURL* h = handle.get();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(h, CURLOPT_BUFFERSIZE, kReadSize);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, OnWrite);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);

    const CURLcode code = curl_easy_perform(h);
    if (transfer.aborted) return HttpResult::kAborted;
    if (code == CURLE_HTTP_RETURNED_ERROR) {
      long status = 0;
      curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
      if (status == 404 || status == 410) return HttpResult::kNotFound;
    }
    if (code != CURLE_OK) {
      return transfer.opened ? HttpResult::kReadFailed : HttpResult::kOpenFailed;
    }
    // An empty body never reaches the write callback.
    transfer.Open();
    return HttpResult::kDone;
  }
};

}  // namespace

std::unique_ptr<HttpClient> MakeCurlHttpClient() {
  return std::make_unique<CurlHttpClient>();
}
