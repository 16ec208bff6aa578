#include "platform/linux/instance_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>

namespace vesperon {

namespace {

using Clock = std::chrono::steady_clock;

// Later starts talking at once; more wait for their turn, or give up.
constexpr std::size_t kMaxConnections = 8;
// How often a later start tries again a copy that does not listen yet.
constexpr std::chrono::milliseconds kRetryEvery{50};

void Warn(const QByteArray& path, const char* reason) {
  std::fprintf(stderr, "vesperon: not listening for later starts at %s (%s)\n", path.constData(),
               reason);
}

std::optional<sockaddr_un> AddressOf(const QByteArray& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
    return std::nullopt;
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  return address;
}

bool PeerIsThisUser(int fd) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Waits for `events` on fd until the deadline.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  pollfd entry{fd, events, 0};
  for (;;) {
    const int ready = ::poll(&entry, 1, MillisecondsLeft(deadline));
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}

// A connected, non-blocking socket to the copy listening at `address`, or
// -1 when none answers before the deadline.
int Connect(const sockaddr_un& address, Clock::time_point deadline) {
  for (;;) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
    const int error = errno;
    ::close(fd);
    // No socket yet, a dead copy's socket, or a queue that is full: the copy
    // may be starting, or busy.
    const bool again =
        error == ENOENT || error == ECONNREFUSED || error == EAGAIN || error == EINTR;
    if (!again || Clock::now() + kRetryEvery >= deadline) return -1;
    std::this_thread::sleep_for(kRetryEvery);
  }
}

bool SendAll(int fd, std::string_view bytes, Clock::time_point deadline) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(sent));
    } else if (sent < 0 && errno == EINTR) {
      continue;
    } else if (sent < 0 && errno == EAGAIN) {
      if (!WaitFor(fd, POLLOUT, deadline)) return false;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

struct InstanceSocket::Connection {
  int fd = -1;
  std::unique_ptr<QSocketNotifier> notifier;
  QTimer deadline;
  RequestLineReader reader;
  bool finished = false;
};

InstanceSocket::InstanceSocket(QByteArray path, Environment::RequestHandler answer,
                               std::chrono::milliseconds deadline)
    : path_(std::move(path)), answer_(std::move(answer)), deadline_(deadline) {
  Listen();
}

InstanceSocket::~InstanceSocket() {
  for (const auto& connection : connections_) {
    connection->notifier.reset();
    if (connection->fd >= 0) ::close(connection->fd);
  }
  if (fd_ < 0) return;
  listener_.reset();
  ::close(fd_);
  struct stat now {};
  if (::lstat(path_.constData(), &now) == 0 && now.st_dev == device_ && now.st_ino == inode_)
    ::unlink(path_.constData());
}

void InstanceSocket::Listen() {
  const std::optional<sockaddr_un> address = AddressOf(path_);
  if (!address) return Warn(path_, "the path is too long for a socket");
  // The socket's own mode is one lock; a folder that only this user can
  // enter is the other.
  const int slash = path_.lastIndexOf('/');
  const QByteArray folder = slash > 0 ? path_.left(slash) : QByteArray("/");
  struct stat info {};
  if (::lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
      info.st_uid != ::geteuid() || (info.st_mode & 077) != 0)
    return Warn(path_, "the folder is not this user's alone");

  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return Warn(path_, std::strerror(errno));
  ::unlink(path_.constData());
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
      ::chmod(path_.constData(), 0600) != 0 || ::lstat(path_.constData(), &info) != 0 ||
      ::listen(fd, static_cast<int>(kMaxConnections)) != 0) {
    Warn(path_, std::strerror(errno));
    ::close(fd);
    return;
  }
  fd_ = fd;
  device_ = info.st_dev;
  inode_ = info.st_ino;
  listener_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  QObject::connect(listener_.get(), &QSocketNotifier::activated, &context_, [this] { Accept(); });
}

void InstanceSocket::Accept() {
  const int fd = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (fd < 0) return;
  if (!PeerIsThisUser(fd) || connections_.size() >= kMaxConnections) {
    ::close(fd);
    return;
  }
  auto connection = std::make_unique<Connection>();
  Connection& c = *connection;
  c.fd = fd;
  c.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  QObject::connect(c.notifier.get(), &QSocketNotifier::activated, &context_,
                   [this, &c] { Read(c); });
  c.deadline.setSingleShot(true);
  QObject::connect(&c.deadline, &QTimer::timeout, &context_,
                   [this, &c] { Finish(c, ErrorAnswer(RequestError::TooSlow)); });
  c.deadline.start(deadline_);
  connections_.push_back(std::move(connection));
}

void InstanceSocket::Read(Connection& connection) {
  if (connection.finished) return;
  char buffer[512];
  for (;;) {
    const ssize_t got = ::recv(connection.fd, buffer, sizeof buffer, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;  // the rest later, or never
    if (got <= 0) {
      // Ended before its line did.
      Finish(connection, ErrorAnswer(RequestError::Malformed));
      return;
    }
    switch (connection.reader.Add(std::string_view(buffer, static_cast<std::size_t>(got)))) {
      case RequestLineReader::State::Reading:
        continue;
      case RequestLineReader::State::TooLong:
        Finish(connection, ErrorAnswer(RequestError::TooLong));
        return;
      case RequestLineReader::State::Complete:
        // No more from this peer while the request is carried out.
        connection.notifier->setEnabled(false);
        connection.deadline.stop();
        Finish(connection,
               answer_ ? answer_(connection.reader.Line()) : ErrorAnswer(RequestError::Unknown));
        return;
    }
  }
}

void InstanceSocket::Finish(Connection& connection, const std::string& answer) {
  if (connection.finished) return;
  connection.finished = true;
  if (connection.notifier) connection.notifier->setEnabled(false);
  connection.deadline.stop();
  // The answer is short; a peer that does not take it at once loses it.
  const std::string line = answer + '\n';
  (void)::send(connection.fd, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  ::close(connection.fd);
  connection.fd = -1;
  // Gone once the event that brought us here is over.
  Connection* done = &connection;
  QMetaObject::invokeMethod(
      &context_,
      [this, done] {
        connections_.remove_if(
            [done](const std::unique_ptr<Connection>& c) { return c.get() == done; });
      },
      Qt::QueuedConnection);
}

std::optional<std::string> InstanceSocket::Ask(const QByteArray& path, const std::string& request,
                                               std::chrono::milliseconds deadline) {
  const std::optional<sockaddr_un> address = AddressOf(path);
  if (!address) return std::nullopt;
  const Clock::time_point end = Clock::now() + deadline;
  const int fd = Connect(*address, end);
  if (fd < 0) return std::nullopt;

  std::optional<std::string> answer;
  if (PeerIsThisUser(fd) && SendAll(fd, request + '\n', end)) {
    std::string line;
    char c = 0;
    while (line.size() < kMaxRequestLineBytes) {
      const ssize_t got = ::recv(fd, &c, 1, 0);
      if (got == 1 && c == '\n') {
        answer = line;
        break;
      }
      if (got == 1) {
        line.push_back(c);
      } else if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
        if (!WaitFor(fd, POLLIN, end)) break;
      } else {
        break;
      }
    }
  }
  ::close(fd);
  return answer;
}

bool InstanceSocket::Reachable(const QByteArray& path, std::chrono::milliseconds deadline) {
  const std::optional<sockaddr_un> address = AddressOf(path);
  if (!address) return false;
  const int fd = Connect(*address, Clock::now() + deadline);
  if (fd < 0) return false;
  const bool reachable = PeerIsThisUser(fd);
  ::close(fd);
  return reachable;
}

}  // namespace vesperon
