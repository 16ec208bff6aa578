#include "platform/win32/win32_environment.h"

#include <sddl.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/win32/instance_pipe.h"
#include "win32/wide_text.h"

namespace vesperon {

namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr DWORD kLookEveryMs = 50;

// Whether a copy listens at the pipe `name`, asking it nothing: an instance
// free to connect to, or one busy with another start.
bool PipeListening(const std::wstring& name) {
  return WaitNamedPipeW(name.c_str(), NMPWAIT_USE_DEFAULT_WAIT) != FALSE ||
         GetLastError() == ERROR_SEM_TIMEOUT;
}

std::wstring UserSidOf(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  std::wstring sid;
  LPWSTR text = nullptr;
  if (size != 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
      ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
    sid = text;
    LocalFree(text);
  }
  CloseHandle(token);
  return sid;
}

}  // namespace

std::wstring CurrentUserSid() { return UserSidOf(GetCurrentProcess()); }

std::wstring UserSidOfProcess(DWORD processId) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return {};
  std::wstring sid = UserSidOf(process);
  CloseHandle(process);
  return sid;
}

std::wstring_view ArgumentsOf(std::wstring_view commandLine) {
  std::size_t end = 0;
  if (!commandLine.empty() && commandLine.front() == L'"') {
    end = commandLine.find(L'"', 1);
    end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
  } else {
    end = commandLine.find_first_of(L" \t");
    if (end == std::wstring_view::npos) end = commandLine.size();
  }
  const std::size_t start = commandLine.find_first_not_of(L" \t", end);
  return start == std::wstring_view::npos ? std::wstring_view() : commandLine.substr(start);
}

Win32Environment::Win32Environment(std::wstring commandLine, std::wstring mutexName,
                                   std::wstring pipeName)
    : commandLine_(std::move(commandLine)),
      mutexName_(std::move(mutexName)),
      pipeName_(std::move(pipeName)) {}

Win32Environment::~Win32Environment() {
  // The pipe goes while the mutex still says whose it is.
  pipe_.reset();
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

std::wstring Win32Environment::SingleInstanceMutexName() {
  return L"Local\\Vesperon.SingleInstance." + CurrentUserSid();
}

std::wstring Win32Environment::LaterStartsPipeName() {
  DWORD session = 0;
  ProcessIdToSessionId(GetCurrentProcessId(), &session);
  return L"\\\\.\\pipe\\Vesperon.LaterStarts." + std::to_wstring(session) + L"." +
         CurrentUserSid();
}

std::optional<std::string> Win32Environment::AskRunningCopy(const std::string& request,
                                                            std::chrono::milliseconds deadline) {
  // The copy that holds the mutex would only be talking to itself.
  if (mutex_ != nullptr) return std::nullopt;
  return InstancePipe::Ask(pipeName_, request, deadline);
}

void Win32Environment::AnswerLaterStarts(RequestHandler answer) {
  if (mutex_ == nullptr || pipe_) return;
  pipe_ = std::make_unique<InstancePipe>(pipeName_, std::move(answer));
}

bool Win32Environment::StartHiddenCopy() {
  // Without the mutex a copy started would not be found again, and each
  // command would start one more.
  if (mutex_ == nullptr) return false;
  // The copy makes the mutex itself; until it does, another start may.
  CloseHandle(mutex_);
  mutex_ = nullptr;
  prevInstance_ = true;
  const std::optional<std::wstring> program = Widen(ProgramFilePath());
  if (!program || program->empty()) return false;
  std::wstring commandLine = L"\"" + *program + L"\" /autostart";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // No handle of ours goes with it: a pipe that reads our output ends with us.
  if (!CreateProcessW(program->c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  const SteadyClock::time_point end = SteadyClock::now() + kHiddenStartDeadline;
  bool listening = false;
  while (!listening && SteadyClock::now() < end) {
    listening = PipeListening(pipeName_);
    if (listening || WaitForSingleObject(process.hProcess, kLookEveryMs) != WAIT_OBJECT_0) continue;
    // Ended: it could not start, or another copy made the mutex first and
    // may be about to listen.
    const SteadyClock::time_point grace = SteadyClock::now() + kRequestDeadline;
    while (!listening && SteadyClock::now() < grace) {
      listening = PipeListening(pipeName_);
      if (!listening) Sleep(kLookEveryMs);
    }
    break;
  }
  CloseHandle(process.hProcess);
  return listening;
}

bool Win32Environment::WaitUntilNoCopyRuns() {
  const SteadyClock::time_point end = SteadyClock::now() + kEndDeadline;
  for (;;) {
    const HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, mutexName_.c_str());
    if (mutex == nullptr) return GetLastError() == ERROR_FILE_NOT_FOUND;
    CloseHandle(mutex);
    if (SteadyClock::now() >= end) return false;
    Sleep(kLookEveryMs);
  }
}

std::string Win32Environment::ArgumentText() { return Narrow(ArgumentsOf(commandLine_)); }

bool Win32Environment::PrevInstance() {
  if (!prevInstance_) prevInstance_ = MutexHeldElsewhere();
  return *prevInstance_;
}

// Any doubt about the mutex lets the program start: refusing to start on a
// name we cannot trust would be worse than a second clock.
bool Win32Environment::MutexHeldElsewhere() {
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, mutexName_.c_str());
  const DWORD error = GetLastError();
  if (mutex == nullptr) {
    std::fprintf(stderr,
                 "vesperon: cannot make the single-copy mutex (error %lu); starting "
                 "without the single-copy check\n",
                 error);
    return false;
  }
  if (error == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return true;
  }
  mutex_ = mutex;
  return false;
}

std::string Win32Environment::ProgramFilePath() {
  // Paths may run past MAX_PATH; the buffer grows until the name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

bool Win32Environment::VisibleFileExists(const std::string& path) {
  const auto widePath = Widen(path);
  if (!widePath || widePath->empty()) return false;
  const DWORD attributes = GetFileAttributesW(widePath->c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

}  // namespace vesperon
