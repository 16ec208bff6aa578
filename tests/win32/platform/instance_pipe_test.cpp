#include "platform/win32/instance_pipe.h"

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "platform/win32/win32_environment.h"

namespace vesperon {
namespace {

// Runs this thread's message loop, where the pipe answers, until the later
// start on its own thread has its result.
template <typename T>
T Await(std::future<T>& result) {
  const ULONGLONG end = GetTickCount64() + 10000;
  while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready &&
         GetTickCount64() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return result.get();
}

// A later start as a raw peer: sends `bytes` as they are and returns what
// comes back, up to the end of the connection.
std::future<std::string> Exchange(const std::wstring& name, std::string bytes) {
  return std::async(std::launch::async, [name, bytes] {
    const HANDLE pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return std::string("no pipe");
    DWORD done = 0;
    std::string answer;
    if (bytes.empty() ||
        WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr)) {
      char buffer[256];
      while (ReadFile(pipe, buffer, sizeof buffer, &done, nullptr) && done > 0)
        answer.append(buffer, done);
    }
    CloseHandle(pipe);
    return answer;
  });
}

std::wstring Unique(const wchar_t* what) {
  return std::wstring(what) + std::to_wstring(GetCurrentProcessId()) + L"." +
         std::to_wstring(GetTickCount64());
}

// A plain second start, from the mutex to the pipe: the copy that holds the
// mutex hears "show" and answers.
TEST(InstancePipe, ASecondStartIsHeardByTheCopyHoldingTheMutex) {
  const std::wstring mutex = L"Local\\Vesperon tests " + Unique(L"mutex ");
  const std::wstring pipe = L"\\\\.\\pipe\\Vesperon tests " + Unique(L"pipe ");
  std::vector<std::string> heard;
  Win32Environment first(L"vesperon.exe", mutex, pipe);
  ASSERT_FALSE(first.PrevInstance());
  first.AnswerLaterStarts([&](const std::string& request) {
    heard.push_back(request);
    return std::string("ok");
  });

  Win32Environment second(L"vesperon.exe", mutex, pipe);
  ASSERT_TRUE(second.PrevInstance());
  auto answer = std::async(std::launch::async,
                           [&] { return second.AskRunningCopy("show", kRequestDeadline); });
  EXPECT_EQ(Await(answer), std::optional<std::string>("ok"));
  EXPECT_EQ(heard, std::vector<std::string>{"show"});

  // The name is taken: no one else can listen under it.
  InstancePipe impostor(pipe, [](const std::string&) { return std::string("ok"); });
  EXPECT_FALSE(impostor.Listening());

  const std::wstring own = Win32Environment::LaterStartsPipeName();
  EXPECT_EQ(own.rfind(L"\\\\.\\pipe\\Vesperon.LaterStarts.", 0), 0u);
  EXPECT_NE(own.find(L".S-1-"), std::wstring::npos);
}

// A request that is too long or too slow gets an error line and reaches
// nothing; the pipe then serves the next one as usual.
TEST(InstancePipe, BadRequestsGetAnErrorLineAndChangeNothing) {
  const std::wstring name = L"\\\\.\\pipe\\Vesperon tests " + Unique(L"bad ");
  int heard = 0;
  InstancePipe pipe(
      name,
      [&](const std::string& request) {
        ++heard;
        return request == "show" ? std::string("ok") : std::string("error unknown request");
      },
      std::chrono::milliseconds(300));
  ASSERT_TRUE(pipe.Listening());

  auto tooLong = Exchange(name, std::string(5000, 'x'));
  EXPECT_EQ(Await(tooLong), "error request too long\n");
  auto slow = Exchange(name, "sho");
  EXPECT_EQ(Await(slow), "error request too slow\n");
  EXPECT_EQ(heard, 0);

  auto show = Exchange(name, "show\n");
  EXPECT_EQ(Await(show), "ok\n");
  EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace vesperon
