// The real libcurl client against a local server on 127.0.0.1.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/http_client.h"
#include "support/temp_dir.h"
#include "update/downloader.h"
#include "update/local_http_server.h"

namespace {

struct RecordedProgress : ProgressSink {
  void PostProgress(int percent) override { values.push_back(percent); }
  std::vector<int> values;
};

class CurlHttpClientTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_server.Running()) << "the local test server did not start";
  }

  LocalHttpServer m_server;
  std::unique_ptr<HttpClient> m_client = MakeCurlHttpClient();
  Downloader m_downloader{*m_client};
  TempDir m_dir;
};

TEST_F(CurlHttpClientTest, SendsTheProgramsHeadersAndNoCacheRequest) {
  const FetchedText reply = m_downloader.FetchText(m_server.Url("headers"));
  ASSERT_EQ(reply.code, kTransferDone);
  for (const char* line : {"User-Agent: IIC2.0/PC 5.5.0000", "Accept: */*", "Pragma: no-cache",
                           "Cache-Control: no-cache"}) {
    EXPECT_NE(reply.text.find(line), std::string::npos) << line << " in\n" << reply.text;
  }
}

TEST_F(CurlHttpClientTest, FetchResultsForEachWayAReplyCanGo) {
  m_server.Put("update/version", "1.0.2");
  m_server.Put("update/big", std::string(50000, 'v'));
  m_server.Put("update/gone.status", "410");
  m_server.Put("update/broken.status", "503");
  struct Case {
    std::string link;
    int code;
    std::string text;
    bool not_found;
  };
  const Case cases[] = {
      {m_server.Url("update/version"), kTransferDone, "1.0.2", false},
      {m_server.Url("redirect/update/version"), kTransferDone, "1.0.2", false},
      {m_server.Url("nolength/update/version"), kTransferDone, "1.0.2", false},
      {m_server.Url("slow/update/version"), kTransferDone, "1.0.2", false},
      // An HTML error page is an error status, whatever its body says.
      {m_server.Url("update/missing"), kTransferFailed, "", true},
      {m_server.Url("update/gone"), kTransferFailed, "", true},
      {m_server.Url("update/broken"), kTransferFailed, "", false},
      {m_server.Url("truncate/update/big"), kTransferFailed, "", false},
      {"http://127.0.0.1:1/version", kTransferFailed, "", false},
      {"file:///etc/hostname", kTransferFailed, "", false},
  };
  for (const Case& c : cases) {
    const FetchedText reply = m_downloader.FetchText(c.link);
    EXPECT_EQ(reply.code, c.code) << c.link;
    EXPECT_EQ(reply.text, c.text) << c.link;
    EXPECT_EQ(reply.not_found, c.not_found) << c.link;
  }
}

TEST_F(CurlHttpClientTest, DownloadsWithAndWithoutAContentLength) {
  std::string body;
  for (int i = 0; i < 30720; ++i) body += static_cast<char>(i * 7);
  m_server.Put("a.zip", body);
  RecordedProgress with_length;
  ASSERT_EQ(m_downloader.DownloadFile(m_server.Url("a.zip"), m_dir.File("a.zip"), &with_length),
            kTransferDone);
  EXPECT_EQ(TempDir::Read(m_dir.File("a.zip")), body);
  EXPECT_EQ(with_length.values, (std::vector<int>{0, 2, 8, 10, 40, 70, 100}));

  RecordedProgress without_length;
  ASSERT_EQ(m_downloader.DownloadFile(m_server.Url("nolength/a.zip"), m_dir.File("b.zip"),
                                      &without_length),
            kTransferDone);
  EXPECT_EQ(TempDir::Read(m_dir.File("b.zip")), body);
  EXPECT_EQ(without_length.values, (std::vector<int>{0, 2, 8, 10, 100}));
}

// Clears the flag from the transfer's own progress once the first piece is
// on disk, so the clear always falls inside the transfer, however late it
// starts.
struct StopAfterFirstPiece : ProgressSink {
  explicit StopAfterFirstPiece(Downloader& downloader) : downloader(downloader) {}
  void PostProgress(int percent) override {
    if (percent > 10) downloader.ClearContinueFlag();
  }
  Downloader& downloader;
};

TEST_F(CurlHttpClientTest, ClearingTheContinueFlagStopsASlowBody) {
  m_server.Put("slow.zip", std::string(40000, 's'));
  StopAfterFirstPiece stopper(m_downloader);
  const int code =
      m_downloader.DownloadFile(m_server.Url("slow/slow.zip"), m_dir.File("s.zip"), &stopper);
  EXPECT_EQ(code, kTransferStopped);
  EXPECT_LT(std::filesystem::file_size(m_dir.File("s.zip")), 40000u);
}

}  // namespace
