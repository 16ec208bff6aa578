#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <vector>

// A PulseAudio daemon of the test's own whose only sink plays into nothing,
// for a speaker to play into (through PULSE_SERVER). The test can record
// what the sink plays, and stop and continue the daemon.
class PrivateSoundServer {
 public:
  PrivateSoundServer();
  PrivateSoundServer(const PrivateSoundServer&) = delete;
  PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;
  ~PrivateSoundServer();

  bool IsRunning() const { return !address_.isEmpty(); }
  // The server's address, as PULSE_SERVER takes it.
  const QByteArray& Address() const { return address_; }

  // A server that stops answering (SIGSTOP), and comes back (SIGCONT).
  void Stop() const;
  void Continue() const;

  // What the sink played from before `action` until 100 ms after it: mono
  // signed 16-bit samples at 48 kHz.
  std::vector<std::int16_t> RecordWhile(const std::function<void()>& action);

 private:
  QTemporaryDir dir_;
  QProcess daemon_;
  pid_t pid_ = 0;
  QByteArray address_;
};
