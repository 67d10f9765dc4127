// The transfers: result codes from the client's outcome and the continue
// flag, the text buffer, and the file writer with its progress steps.
#include "update/downloader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "QorUI/text.h"
#include "platform/unique_fd.h"

namespace {

// The percentages a download reports at its fixed steps.
constexpr int kProgressStart = 0;
constexpr int kProgressHandle = 2;
constexpr int kProgressOpened = 8;
constexpr int kProgressFileCreated = 10;
constexpr int kProgressEnd = 100;

}  // namespace

// Collects the body, refusing more than a short text can be.
class Downloader::TextSink final : public HttpReplySink {
 public:
  explicit TextSink(const std::atomic<bool>& keep_going) : m_continue(keep_going) {}

  void OnOpened(std::optional<std::uint64_t>) override {}
  bool OnData(std::string_view bytes) override {
    if (m_body.size() + bytes.size() > kMaxTextBytes) return false;
    m_body.append(bytes);
    return m_continue.load();
  }
  bool KeepGoing() const override { return m_continue.load(); }

  const std::string& Body() const { return m_body; }

 private:
  const std::atomic<bool>& m_continue;
  std::string m_body;
};

// Creates the file when the link opens and writes the body in whole pieces
// of kChunkSize, reporting progress after each piece.
class Downloader::FileSink final : public HttpReplySink {
 public:
  FileSink(const std::atomic<bool>& keep_going, std::string path, std::uint64_t max_bytes,
           ProgressSink* progress)
      : m_continue(keep_going),
        m_path(std::move(path)),
        m_max_bytes(max_bytes),
        m_progress(progress) {}

  void Post(int percent) {
    percent = std::min(percent, kProgressEnd);
    if (!m_progress || percent == m_last_progress) return;
    m_last_progress = percent;
    m_progress->PostProgress(percent);
  }

  void OnReady() override { Post(kProgressHandle); }

  void OnOpened(std::optional<std::uint64_t> content_length) override {
    Post(kProgressOpened);
    m_fd = UniqueFd(
        ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (m_fd) Post(kProgressFileCreated);
    if (content_length) m_whole_chunks = *content_length / kChunkSize;
  }

  bool OnData(std::string_view bytes) override {
    m_received += bytes.size();
    if (!m_fd || m_received > m_max_bytes) return false;
    while (!bytes.empty()) {
      const std::size_t take = std::min(bytes.size(), kChunkSize - m_pending.size());
      m_pending.append(bytes.substr(0, take));
      bytes.remove_prefix(take);
      if (m_pending.size() == kChunkSize && !WritePending()) return false;
    }
    return m_continue.load();
  }

  bool KeepGoing() const override { return m_continue.load(); }

  // Writes the last, partial piece and closes the file; false when the file
  // could not be created or written.
  bool Complete() {
    if (!m_fd) return false;
    const bool written = m_pending.empty() || WritePending();
    return m_fd.Close() && written;
  }

 private:
  bool WritePending() {
    std::string_view rest = m_pending;
    while (!rest.empty()) {
      const ssize_t written = ::write(m_fd.Get(), rest.data(), rest.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      rest.remove_prefix(static_cast<std::size_t>(written));
    }
    m_pending.clear();
    ++m_chunks;
    // Without a content length of at least one piece there is no scale.
    if (m_whole_chunks > 0) {
      Post(kProgressFileCreated +
           static_cast<int>(std::min<std::uint64_t>(90 * m_chunks / m_whole_chunks, 90)));
    }
    return true;
  }

  const std::atomic<bool>& m_continue;
  std::string m_path;
  std::uint64_t m_max_bytes;
  std::uint64_t m_received = 0;
  ProgressSink* m_progress;
  int m_last_progress = -1;
  UniqueFd m_fd;
  std::string m_pending;
  std::uint64_t m_chunks = 0;
  std::uint64_t m_whole_chunks = 0;
};

int Downloader::Finish(HttpResult result) {
  switch (result) {
    case HttpResult::kNoHandle:
      return kTransferNoHandle;
    case HttpResult::kNotFound:
    case HttpResult::kOpenFailed:
    case HttpResult::kReadFailed:
      return kTransferFailed;
    case HttpResult::kAborted:
      // The sink stops for two reasons: the flag, or a failure of its own.
      return m_continue.load() ? kTransferFailed : kTransferStopped;
    case HttpResult::kDone:
      break;
  }
  return m_continue.load() ? kTransferDone : kTransferStopped;
}

FetchedText Downloader::FetchText(const std::string& link) {
  m_continue.store(true);
  TextSink sink(m_continue);
  FetchedText fetched;
  const HttpResult result = m_client.Get(link, sink);
  fetched.code = Finish(result);
  fetched.not_found = result == HttpResult::kNotFound;
  if (fetched.code == kTransferDone) {
    fetched.text = text::FromCodePoints(text::ToCodePoints(sink.Body()));
  }
  return fetched;
}

int Downloader::DownloadFile(const std::string& link, const std::string& local_path,
                             ProgressSink* progress) {
  m_continue.store(true);
  FileSink sink(m_continue, local_path, m_max_file_bytes, progress);
  sink.Post(kProgressStart);
  ::unlink(local_path.c_str());
  int code = Finish(m_client.Get(link, sink));
  if (code == kTransferDone && !sink.Complete()) code = kTransferFailed;
  if (code == kTransferDone) sink.Post(kProgressEnd);
  return code;
}
