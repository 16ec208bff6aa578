#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QObject>
#include <chrono>
#include <list>
#include <memory>
#include <optional>
#include <string>

#include "common/instance_request.h"
#include "ports/environment.h"

class QSocketNotifier;

namespace vesperon {

// The channel of later starts on Linux: a Unix socket beside the
// single-copy lock, mode 0600 in the user's own 0700 folder, which also
// turns away any peer whose credentials name another user. Each connection
// gets one request line, read without blocking and within a deadline, and
// one answer line (common/instance_request.h); the program never waits for a
// slow or silent peer.
class InstanceSocket {
 public:
  // Listens at `path`, replacing a socket left there by a copy that died:
  // only the holder of the lock makes one. Requests go to `answer` on the
  // event loop.
  InstanceSocket(QByteArray path, Environment::RequestHandler answer,
                 std::chrono::milliseconds deadline = kRequestDeadline);
  // Stops listening and removes the socket.
  ~InstanceSocket();
  InstanceSocket(const InstanceSocket&) = delete;
  InstanceSocket& operator=(const InstanceSocket&) = delete;

  bool Listening() const { return fd_ >= 0; }

  // From another process of this user: the answer of the copy listening at
  // `path`, or nothing when none came within `deadline`. A copy that holds
  // the lock but does not listen yet is tried again until then.
  static std::optional<std::string> Ask(const QByteArray& path, const std::string& request,
                                        std::chrono::milliseconds deadline = kRequestDeadline);
  // Whether a copy of this user listens at `path` now, or, trying again,
  // before `deadline`. Asks it nothing.
  static bool Reachable(const QByteArray& path, std::chrono::milliseconds deadline);

 private:
  struct Connection;

  void Listen();
  void Accept();
  void Read(Connection& connection);
  void Finish(Connection& connection, const std::string& answer);

  QByteArray path_;
  Environment::RequestHandler answer_;
  std::chrono::milliseconds deadline_;
  int fd_ = -1;
  // The socket file made, so that only it is removed at the end.
  dev_t device_ = 0;
  ino_t inode_ = 0;
  std::unique_ptr<QSocketNotifier> listener_;
  std::list<std::unique_ptr<Connection>> connections_;
  QObject context_;  // for work queued after a connection ends
};

}  // namespace vesperon
