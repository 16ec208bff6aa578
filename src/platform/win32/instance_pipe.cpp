#include "platform/win32/instance_pipe.h"

#include <sddl.h>

#include <cstdio>

#include "platform/win32/win32_environment.h"

namespace vesperon {

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kAnswerRequest = WM_APP + 1;
// How often a later start tries again a copy that does not listen yet.
constexpr DWORD kRetryEveryMs = 50;

DWORD MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
}

enum class Waited { Done, Failed, TimedOut, Stopped };

// Waits for the overlapped operation on `handle` until `ms` have passed or
// `stop` (if any) is set; an operation that did not end is cancelled.
Waited WaitIo(HANDLE handle, OVERLAPPED& io, DWORD ms, HANDLE stop, DWORD& bytes) {
  const HANDLE events[] = {io.hEvent, stop};
  const DWORD woke = WaitForMultipleObjects(stop != nullptr ? 2 : 1, events, FALSE, ms);
  if (woke == WAIT_OBJECT_0)
    return GetOverlappedResult(handle, &io, &bytes, FALSE) ? Waited::Done : Waited::Failed;
  CancelIoEx(handle, &io);
  GetOverlappedResult(handle, &io, &bytes, TRUE);
  return woke == WAIT_OBJECT_0 + 1 ? Waited::Stopped : Waited::TimedOut;
}

// Starts an overlapped read or write and waits for it as WaitIo does.
Waited Transfer(HANDLE handle, OVERLAPPED& io, bool write, void* data, DWORD size, DWORD ms,
                HANDLE stop, DWORD& bytes) {
  ResetEvent(io.hEvent);
  const BOOL started = write ? WriteFile(handle, data, size, nullptr, &io)
                             : ReadFile(handle, data, size, nullptr, &io);
  if (!started && GetLastError() != ERROR_IO_PENDING) return Waited::Failed;
  return WaitIo(handle, io, ms, stop, bytes);
}

bool WriteLine(HANDLE handle, OVERLAPPED& io, std::string line, DWORD ms, HANDLE stop) {
  line += '\n';
  DWORD written = 0;
  return Transfer(handle, io, true, line.data(), static_cast<DWORD>(line.size()), ms, stop,
                  written) == Waited::Done &&
         written == line.size();
}

// This user, and no one else, in full.
PSECURITY_DESCRIPTOR OnlyThisUser() {
  const std::wstring descriptor = L"D:P(A;;GA;;;" + CurrentUserSid() + L")";
  PSECURITY_DESCRIPTOR made = nullptr;
  if (CurrentUserSid().empty() || !ConvertStringSecurityDescriptorToSecurityDescriptorW(
                                      descriptor.c_str(), SDDL_REVISION_1, &made, nullptr))
    return nullptr;
  return made;
}

// Whether the process at the other end of the client pipe runs as this user.
bool ServedByThisUser(HANDLE pipe) {
  ULONG server = 0;
  if (!GetNamedPipeServerProcessId(pipe, &server)) return false;
  const std::wstring sid = CurrentUserSid();
  return !sid.empty() && UserSidOfProcess(server) == sid;
}

}  // namespace

InstancePipe::InstancePipe(std::wstring name, Environment::RequestHandler answer,
                           std::chrono::milliseconds deadline)
    : name_(std::move(name)),
      answer_(std::move(answer)),
      deadline_(deadline),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      answered_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      mailbox_([this](UINT message, WPARAM, LPARAM) { return OnMessage(message); }) {
  const PSECURITY_DESCRIPTOR descriptor = OnlyThisUser();
  if (descriptor == nullptr || stop_ == nullptr || answered_ == nullptr ||
      mailbox_.Handle() == nullptr) {
    std::fprintf(stderr, "vesperon: not listening for later starts (no private pipe)\n");
    if (descriptor != nullptr) LocalFree(descriptor);
    return;
  }
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  pipe_ = CreateNamedPipeW(
      name_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
      PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
      kMaxRequestLineBytes, kMaxRequestLineBytes, 0, &attributes);
  const DWORD error = GetLastError();
  LocalFree(descriptor);
  if (pipe_ == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "vesperon: not listening for later starts (pipe error %lu)\n", error);
    return;
  }
  worker_ = std::thread([this] { Serve(); });
}

InstancePipe::~InstancePipe() {
  if (worker_.joinable()) {
    const Clock::time_point end = Clock::now() + deadline_;
    while (answering_.load() && Clock::now() < end) Sleep(5);
    SetEvent(stop_);
    worker_.join();
  }
  if (pipe_ != INVALID_HANDLE_VALUE) CloseHandle(pipe_);
  if (stop_ != nullptr) CloseHandle(stop_);
  if (answered_ != nullptr) CloseHandle(answered_);
}

void InstancePipe::Serve() {
  OVERLAPPED io{};
  io.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (io.hEvent == nullptr) return;
  for (;;) {
    ResetEvent(io.hEvent);
    DWORD bytes = 0;
    const bool connected = ConnectNamedPipe(pipe_, &io) != FALSE;
    const DWORD error = GetLastError();
    Waited waited = Waited::Done;
    if (!connected && error == ERROR_IO_PENDING)
      waited = WaitIo(pipe_, io, INFINITE, stop_, bytes);
    else if (!connected && error != ERROR_PIPE_CONNECTED)
      waited = Waited::Failed;
    if (waited == Waited::Stopped) break;
    if (waited == Waited::Done) Converse(io);
    answering_ = false;
    DisconnectNamedPipe(pipe_);
    if (WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0) break;
  }
  CloseHandle(io.hEvent);
}

void InstancePipe::Converse(OVERLAPPED& io) {
  const Clock::time_point deadline = Clock::now() + deadline_;
  RequestLineReader reader;
  char buffer[512];
  std::optional<std::string> answer;
  while (!answer) {
    DWORD got = 0;
    switch (
        Transfer(pipe_, io, false, buffer, sizeof buffer, MillisecondsLeft(deadline), stop_, got)) {
      case Waited::Stopped:
      case Waited::Failed:  // gone before its line was
        return;
      case Waited::TimedOut:
        answer = ErrorAnswer(RequestError::TooSlow);
        break;
      case Waited::Done:
        switch (reader.Add(std::string_view(buffer, got))) {
          case RequestLineReader::State::Reading:
            break;
          case RequestLineReader::State::TooLong:
            answer = ErrorAnswer(RequestError::TooLong);
            break;
          case RequestLineReader::State::Complete:
            answer = AnswerOnTheLoop(reader.Line());
            if (!answer) return;  // stopped
            break;
        }
        break;
    }
  }
  const DWORD grace = static_cast<DWORD>(deadline_.count());
  if (!WriteLine(pipe_, io, *answer, grace, stop_)) return;
  // Disconnecting would throw away an answer not yet read: wait for the
  // peer to close its end first (taking whatever it still sends), or for
  // the deadline.
  const Clock::time_point end = Clock::now() + deadline_;
  DWORD got = 0;
  while (Clock::now() < end && Transfer(pipe_, io, false, buffer, sizeof buffer,
                                        MillisecondsLeft(end), stop_, got) == Waited::Done) {
  }
}

std::optional<std::string> InstancePipe::AnswerOnTheLoop(const std::string& line) {
  request_ = line;
  if (!PostMessageW(mailbox_.Handle(), kAnswerRequest, 0, 0)) return std::nullopt;
  const HANDLE events[] = {answered_, stop_};
  if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) return std::nullopt;
  return reply_;
}

bool InstancePipe::OnMessage(UINT message) {
  if (message != kAnswerRequest) return false;
  reply_ = answer_ ? answer_(request_) : ErrorAnswer(RequestError::Unknown);
  answering_ = true;
  SetEvent(answered_);
  return true;
}

std::optional<std::string> InstancePipe::Ask(const std::wstring& name, const std::string& request,
                                             std::chrono::milliseconds deadline) {
  AllowSetForegroundWindow(ASFW_ANY);
  const Clock::time_point end = Clock::now() + deadline;
  HANDLE pipe = INVALID_HANDLE_VALUE;
  for (;;) {
    // The copy may act for us on what we send, never as us.
    pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                       FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                       nullptr);
    if (pipe != INVALID_HANDLE_VALUE) break;
    const DWORD error = GetLastError();
    const DWORD left = MillisecondsLeft(end);
    if (error == ERROR_PIPE_BUSY && left > 0) {
      WaitNamedPipeW(name.c_str(), left);
    } else if (error == ERROR_FILE_NOT_FOUND && left > kRetryEveryMs) {
      Sleep(kRetryEveryMs);  // a copy that holds the mutex may be starting
    } else {
      return std::nullopt;
    }
  }

  if (!ServedByThisUser(pipe)) {
    std::fprintf(stderr, "vesperon: the pipe of later starts is served by another user\n");
    CloseHandle(pipe);
    return std::nullopt;
  }

  OVERLAPPED io{};
  io.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::optional<std::string> answer;
  if (io.hEvent != nullptr && WriteLine(pipe, io, request, MillisecondsLeft(end), nullptr)) {
    std::string line;
    char c = 0;
    DWORD got = 0;
    while (line.size() < kMaxRequestLineBytes &&
           Transfer(pipe, io, false, &c, 1, MillisecondsLeft(end), nullptr, got) == Waited::Done &&
           got == 1) {
      if (c == '\n') {
        answer = line;
        break;
      }
      line.push_back(c);
    }
  }
  if (io.hEvent != nullptr) CloseHandle(io.hEvent);
  CloseHandle(pipe);
  return answer;
}

}  // namespace vesperon
