#include "platform/instance_channel.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <future>
#include <thread>

#include "support/temp_dir.h"

namespace {

TEST(InstanceLock, OnlyOneHolderAtATime) {
  TempDir dir;
  const std::string path = dir.File("T.lock");
  std::unique_ptr<InstanceLock> first, second;
  EXPECT_EQ(InstanceLock::Acquire(path, first), InstanceLock::Result::kFirst);
  ASSERT_TRUE(first);
  EXPECT_EQ(InstanceLock::Acquire(path, second), InstanceLock::Result::kAnotherIsRunning);
  EXPECT_FALSE(second);
  first.reset();
  EXPECT_EQ(InstanceLock::Acquire(path, second), InstanceLock::Result::kFirst);
  EXPECT_TRUE(second);
}

TEST(InstanceLock, ALockThatCannotBeCreatedCountsAsFirst) {
  TempDir dir;
  std::unique_ptr<InstanceLock> lock;
  EXPECT_EQ(InstanceLock::Acquire(dir.File("missing/T.lock"), lock), InstanceLock::Result::kFirst);
  EXPECT_FALSE(lock);
}

TEST(InstanceServer, CarriesACommandAndAnswers) {
  TempDir dir;
  const std::string path = dir.File("T.sock");
  // A socket file left by a process that died is replaced.
  dir.Write("T.sock", "stale");
  auto server = InstanceServer::Listen(path);
  ASSERT_TRUE(server);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISSOCK(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  auto sent =
      std::async(std::launch::async, [&] { return SendInstanceCommand(path, "activate", 5000); });
  std::optional<std::string> command;
  for (int i = 0; i < 500 && !command; ++i) {
    command = server->AcceptCommand();
    if (!command) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(command, "activate");
  EXPECT_EQ(sent.get(), SendResult::kDelivered);

  server.reset();
  EXPECT_FALSE(std::filesystem::exists(path)) << "closing removes the socket file";
  EXPECT_EQ(SendInstanceCommand(path, "quit", 100), SendResult::kNoInstance);
}

TEST(InstanceServer, APeerThatSaysNothingIsDropped) {
  TempDir dir;
  const std::string path = dir.File("T.sock");
  auto server = InstanceServer::Listen(path);
  ASSERT_TRUE(server);
  EXPECT_FALSE(server->AcceptCommand()) << "no connection waiting";

  const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, path.c_str());
  ASSERT_EQ(::connect(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_FALSE(server->AcceptCommand()) << "gives up after its short wait";
  ::close(silent);
}

TEST(InstanceServer, APeerThatTricklesBytesCannotHoldTheLoop) {
  TempDir dir;
  const std::string path = dir.File("T.sock");
  auto server = InstanceServer::Listen(path);
  ASSERT_TRUE(server);
  std::atomic<bool> done{false};
  std::thread peer([&] {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      // 64 bytes at 200 ms each would keep a per-byte wait busy for 13 s.
      for (int i = 0; i < 64 && !done; ++i) {
        ::send(fd, "q", 1, MSG_NOSIGNAL);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
      }
    }
    ::close(fd);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const auto start = std::chrono::steady_clock::now();
  server->AcceptCommand();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  done = true;
  peer.join();
}

}  // namespace
