// The two transfers of the update checks: fetching a short text and
// downloading a file with progress, both stoppable through a continue flag.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/http_client.h"

// Where download progress goes (the main window, as message 1690).
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void PostProgress(int percent) = 0;
};

// Result codes of both transfers.
enum TransferCode : int {
  kTransferDone = 1,
  kTransferNoHandle = 0,
  kTransferFailed = -1,
  kTransferStopped = -2,
};

struct FetchedText {
  int code = kTransferFailed;
  std::string text;
  // The server said there is nothing at the link (404 or 410), as opposed to
  // a transfer that failed on the way.
  bool not_found = false;
};

class Downloader {
 public:
  // A fetched text is a short reply; a body beyond this many bytes fails.
  static constexpr std::size_t kMaxTextBytes = 1 << 20;
  // The progress steps count the body in pieces of this size.
  static constexpr std::size_t kChunkSize = 10240;
  // A downloaded file beyond this size fails rather than fill the disk.
  static constexpr std::uint64_t kMaxFileBytes = std::uint64_t{2} << 30;

  explicit Downloader(HttpClient& client, std::uint64_t max_file_bytes = kMaxFileBytes)
      : m_client(client), m_max_file_bytes(max_file_bytes) {}

  // One GET; the body as UTF-8 text (invalid sequences become U+FFFD).
  FetchedText FetchText(const std::string& link);

  // One GET written to a new file at `local_path` (an existing file there is
  // deleted first). Progress goes to `progress` when it is given.
  int DownloadFile(const std::string& link, const std::string& local_path, ProgressSink* progress);

  // Ends a running transfer at its next piece with kTransferStopped. Every
  // transfer sets the flag again when it starts.
  void ClearContinueFlag() { m_continue.store(false); }

 private:
  class FileSink;
  class TextSink;

  int Finish(HttpResult result);

  HttpClient& m_client;
  std::uint64_t m_max_file_bytes;
  std::atomic<bool> m_continue{false};
};
