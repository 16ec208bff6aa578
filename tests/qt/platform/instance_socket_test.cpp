#include "platform/linux/instance_socket.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <future>
#include <string>
#include <vector>

#include "platform/linux/linux_environment.h"
#include "spin_events.h"

namespace vesperon {
namespace {

// A later start as a raw peer, on a thread of its own while the test's
// event loop answers: sends `bytes` as they are and returns what comes
// back, up to the end of the connection.
std::future<std::string> Exchange(const QByteArray& path, std::string bytes) {
  return std::async(std::launch::async, [path, bytes] {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    std::string answer;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(bytes.size())) {
      char buffer[256];
      pollfd entry{fd, POLLIN, 0};
      while (::poll(&entry, 1, 5000) > 0) {
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        answer.append(buffer, static_cast<std::size_t>(got));
      }
    }
    ::close(fd);
    return answer;
  });
}

template <typename T>
T Await(std::future<T>& result) {
  SpinEventsUntil(
      [&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
  return result.get();
}

class InstanceSocketTest : public ::testing::Test {
 protected:
  QByteArray Folder() const { return QFile::encodeName(runtime.filePath("run")); }
  QByteArray SocketPath() const { return Folder() + "/vesperon.socket"; }

  QTemporaryDir runtime;
};

// The whole road of a plain second start: the copy holding the lock listens
// on a socket only its user can reach, and hears "show"; gone, it leaves
// no socket behind.
TEST_F(InstanceSocketTest, ASecondStartIsHeardByTheCopyHoldingTheLock) {
  std::vector<std::string> heard;
  {
    LinuxEnvironment first({}, runtime.filePath("run"));
    ASSERT_FALSE(first.PrevInstance());
    first.AnswerLaterStarts([&](const std::string& request) {
      heard.push_back(request);
      return std::string("ok");
    });
    struct stat socket {};
    ASSERT_EQ(::lstat(SocketPath().constData(), &socket), 0);
    EXPECT_TRUE(S_ISSOCK(socket.st_mode));
    EXPECT_EQ(socket.st_mode & 0777, 0600u);

    LinuxEnvironment second({}, runtime.filePath("run"));
    ASSERT_TRUE(second.PrevInstance());
    auto answer = std::async(std::launch::async,
                             [&] { return second.AskRunningCopy("show", kRequestDeadline); });
    EXPECT_EQ(Await(answer), std::optional<std::string>("ok"));
    EXPECT_EQ(heard, std::vector<std::string>{"show"});

    // Another user cannot even reach the folder it is in.
    if (::geteuid() == 0) {
      std::fflush(nullptr);
      const pid_t child = fork();
      if (child == 0) {
        if (::setuid(65534) != 0) _exit(2);
        _exit(InstanceSocket::Ask(SocketPath(), "show", std::chrono::milliseconds(300)) ? 1 : 0);
      }
      int status = -1;
      SpinEventsUntil([&] { return ::waitpid(child, &status, WNOHANG) == child; });
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "answered another user";
      EXPECT_EQ(heard.size(), 1u);
    }
  }
  struct stat gone {};
  EXPECT_NE(::lstat(SocketPath().constData(), &gone), 0);
}

// A request that is too long, malformed or too slow gets an error line,
// and nothing reaches the program; the one after it is heard as usual.
TEST_F(InstanceSocketTest, BadRequestsGetAnErrorLineAndChangeNothing) {
  ASSERT_EQ(::mkdir(Folder().constData(), 0700), 0);
  int heard = 0;
  InstanceSocket socket(
      SocketPath(),
      [&](const std::string& request) {
        ++heard;
        return request == "show" ? std::string("ok") : std::string("error unknown request");
      },
      std::chrono::milliseconds(300));
  ASSERT_TRUE(socket.Listening());

  auto tooLong = Exchange(SocketPath(), std::string(5000, 'x'));
  auto slow = Exchange(SocketPath(), "sho");
  auto early = Exchange(SocketPath(), "");  // connects, says nothing
  EXPECT_EQ(Await(tooLong), "error request too long\n");
  EXPECT_EQ(Await(slow), "error request too slow\n");
  EXPECT_EQ(Await(early), "error request too slow\n");
  EXPECT_EQ(heard, 0);

  auto show = Exchange(SocketPath(), "show\n");
  EXPECT_EQ(Await(show), "ok\n");
  EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace vesperon
