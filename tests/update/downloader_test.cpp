#include "update/downloader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"
#include "update/fake_http_client.h"

namespace {

struct RecordedProgress : ProgressSink {
  void PostProgress(int percent) override { values.push_back(percent); }
  std::vector<int> values;
};

std::vector<std::string> Pieces(std::size_t total, std::size_t piece) {
  std::vector<std::string> pieces;
  for (std::size_t at = 0; at < total; at += piece) {
    pieces.emplace_back(std::min(piece, total - at), static_cast<char>('a' + pieces.size() % 26));
  }
  return pieces;
}

TEST(DownloaderProgress, StepsThroughWholePiecesOfTheContentLength) {
  struct Case {
    const char* what;
    std::optional<std::uint64_t> length;
    std::size_t body;
    std::size_t piece;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {"three whole pieces, read in 4 KiB", 30720, 30720, 4096, {0, 2, 8, 10, 40, 70, 100}},
      {"a partial last piece never passes 100", 25000, 25000, 10240, {0, 2, 8, 10, 55, 100}},
      {"no content length", std::nullopt, 30720, 10240, {0, 2, 8, 10, 100}},
      {"shorter than one piece", 5000, 5000, 5000, {0, 2, 8, 10, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    FakeHttpClient client;
    client.reply.content_length = c.length;
    client.reply.pieces = Pieces(c.body, c.piece);
    Downloader downloader(client);
    RecordedProgress progress;
    EXPECT_EQ(downloader.DownloadFile("http://x/a.zip", dir.File("a.zip"), &progress),
              kTransferDone);
    EXPECT_EQ(progress.values, c.expected);
    EXPECT_EQ(std::filesystem::file_size(dir.File("a.zip")), c.body);
  }
}

TEST(DownloaderResults, MapTheClientOutcomeAndTheContinueFlag) {
  struct Case {
    const char* what;
    HttpResult result;
    bool clear_flag;
    int expected;
    bool file_created;
  };
  const Case cases[] = {
      {"done", HttpResult::kDone, false, kTransferDone, true},
      {"no handle", HttpResult::kNoHandle, false, kTransferNoHandle, false},
      {"link did not open", HttpResult::kOpenFailed, false, kTransferFailed, false},
      {"nothing at the link", HttpResult::kNotFound, false, kTransferFailed, false},
      {"read failed", HttpResult::kReadFailed, false, kTransferFailed, true},
      {"flag cleared mid-body", HttpResult::kDone, true, kTransferStopped, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    dir.Write("a.zip", "old archive");
    FakeHttpClient client;
    client.reply.result = c.result;
    client.reply.pieces = {"first", "second"};
    Downloader downloader(client);
    if (c.clear_flag) {
      client.before_piece = [&](std::size_t i) {
        if (i == 1) downloader.ClearContinueFlag();
      };
    }
    RecordedProgress progress;
    EXPECT_EQ(downloader.DownloadFile("http://x/a.zip", dir.File("a.zip"), &progress), c.expected);
    EXPECT_EQ(progress.values.front(), 0);
    EXPECT_EQ(progress.values.size() > 1, c.result != HttpResult::kNoHandle);
    // The old file is gone whatever happened.
    EXPECT_EQ(std::filesystem::exists(dir.File("a.zip")), c.file_created);
    EXPECT_NE(TempDir::Read(dir.File("a.zip")), "old archive");
  }
}

TEST(DownloaderResults, AFileBeyondTheSizeLimitFails) {
  TempDir dir;
  FakeHttpClient client;
  client.reply.pieces = Pieces(30000, 4096);
  Downloader downloader(client, 20000);
  EXPECT_EQ(downloader.DownloadFile("http://x/a.zip", dir.File("a.zip"), nullptr), kTransferFailed);
  client.reply.pieces = Pieces(20000, 4096);
  EXPECT_EQ(downloader.DownloadFile("http://x/a.zip", dir.File("a.zip"), nullptr), kTransferDone);
}

TEST(DownloaderResults, AFileThatCannotBeCreatedFailsTheDownload) {
  FakeHttpClient client;
  client.reply.pieces = {"data"};
  Downloader downloader(client);
  EXPECT_EQ(downloader.DownloadFile("http://x/a.zip", "/nonexistent-dir/a.zip", nullptr),
            kTransferFailed);
  client.reply.pieces = {};
  EXPECT_EQ(downloader.DownloadFile("http://x/a.zip", "/nonexistent-dir/a.zip", nullptr),
            kTransferFailed);
}

TEST(DownloaderFetchText, DecodesUtf8AndRefusesHugeBodies) {
  FakeHttpClient client;
  Downloader downloader(client);
  client.reply.pieces = {"1.0", ".2 \xC3\xA9", "\xFF"};
  FetchedText fetched = downloader.FetchText("http://x/version");
  EXPECT_EQ(fetched.code, kTransferDone);
  EXPECT_EQ(fetched.text, "1.0.2 \xC3\xA9\xEF\xBF\xBD");

  client.reply.pieces = Pieces(Downloader::kMaxTextBytes + 1, 65536);
  fetched = downloader.FetchText("http://x/version");
  EXPECT_EQ(fetched.code, kTransferFailed);
  EXPECT_TRUE(fetched.text.empty());

  // A cleared flag does not outlive its transfer.
  client.reply.pieces = {"a", "b"};
  client.before_piece = [&](std::size_t) { downloader.ClearContinueFlag(); };
  EXPECT_EQ(downloader.FetchText("http://x/version").code, kTransferStopped);
  client.before_piece = nullptr;
  EXPECT_EQ(downloader.FetchText("http://x/version").code, kTransferDone);
}

}  // namespace
