#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "common/instance_request.h"
#include "win32/message_window.h"
#include "ports/environment.h"

namespace vesperon {

// The channel of later starts on Windows: a named pipe beside the
// single-copy mutex. Its security descriptor lets only this user in, it
// turns away remote clients, and it is made as the name's first instance,
// so no one else can hold the name first. One peer at a time gets one
// request line, read within a deadline on a thread of the pipe's own, which
// hands the line to this thread's message loop (modal loops included) and
// sends back its answer: the clock never waits for a peer.
class InstancePipe {
 public:
  // Listens at `name` (\\.\pipe\...); requests go to `answer` on the
  // message loop of the thread that makes the pipe. An answer already
  // given still goes out when the pipe is destroyed, within `deadline`.
  InstancePipe(std::wstring name, Environment::RequestHandler answer,
               std::chrono::milliseconds deadline = kRequestDeadline);
  ~InstancePipe();
  InstancePipe(const InstancePipe&) = delete;
  InstancePipe& operator=(const InstancePipe&) = delete;

  bool Listening() const { return worker_.joinable(); }

  // From another process of this user: the answer of the copy listening at
  // `name`, or nothing when none came within `deadline`, or when the pipe
  // is served by a process of another user (who may have taken the name
  // while no copy ran): nothing is sent to it, nor taken from it. Lets that
  // copy take the foreground, which Windows allows only when the process
  // the user just started says so.
  static std::optional<std::string> Ask(const std::wstring& name, const std::string& request,
                                        std::chrono::milliseconds deadline = kRequestDeadline);

 private:
  void Serve();
  void Converse(OVERLAPPED& io);
  std::optional<std::string> AnswerOnTheLoop(const std::string& line);
  bool OnMessage(UINT message);

  std::wstring name_;
  Environment::RequestHandler answer_;
  std::chrono::milliseconds deadline_;
  HANDLE pipe_ = INVALID_HANDLE_VALUE;
  HANDLE stop_ = nullptr;
  HANDLE answered_ = nullptr;
  // Handed between the threads, each side waiting for the other's event.
  std::string request_;
  std::string reply_;
  // An answer was given and is on its way out: the pipe stays until the
  // peer has it, even when the program ends (after "quit").
  std::atomic<bool> answering_{false};
  MessageWindow mailbox_;
  std::thread worker_;  // last: it starts once all the rest is there
};

}  // namespace vesperon
