// An HTTP client that plays a scripted reply: how it opens, the body in
// given pieces, and how it ends. Records the links asked for.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/http_client.h"

class FakeHttpClient : public HttpClient {
 public:
  struct Reply {
    // kNoHandle, kNotFound and kOpenFailed end before opening.
    HttpResult result = HttpResult::kDone;
    std::optional<std::uint64_t> content_length;
    std::vector<std::string> pieces;
  };

  HttpResult Get(const std::string& url, HttpReplySink& sink) override {
    links.push_back(url);
    if (reply.result == HttpResult::kNoHandle) return reply.result;
    sink.OnReady();
    if (reply.result == HttpResult::kOpenFailed || reply.result == HttpResult::kNotFound) {
      return reply.result;
    }
    sink.OnOpened(reply.content_length);
    for (std::size_t i = 0; i < reply.pieces.size(); ++i) {
      if (before_piece) before_piece(i);
      if (!sink.KeepGoing() || !sink.OnData(reply.pieces[i])) return HttpResult::kAborted;
    }
    return reply.result;
  }

  Reply reply;
  std::function<void(std::size_t)> before_piece;
  std::vector<std::string> links;
};
