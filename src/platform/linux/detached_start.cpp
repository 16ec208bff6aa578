#include "platform/linux/detached_start.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>

namespace vesperon {

namespace {

// Only async-signal-safe calls from here on: the child of a fork.
[[noreturn]] void BecomeDetached(const char* program, char* const argv[], const char* home) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  ::setsid();
  const int null = ::open("/dev/null", O_RDWR);
  if (null < 0) ::_exit(127);
  for (int fd = 0; fd <= 2; ++fd) ::dup2(null, fd);
  if (::close_range(3, ~0U, 0) != 0) {
    const long last = ::sysconf(_SC_OPEN_MAX);
    for (long fd = 3; fd < (last > 0 && last < 65536 ? last : 65536); ++fd)
      ::close(static_cast<int>(fd));
  }
  if (home == nullptr || ::chdir(home) != 0) (void)::chdir("/");
  ::execv(program, argv);
  ::_exit(127);
}

}  // namespace

pid_t StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
  // Made before the fork: the child must not allocate.
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  const char* home = std::getenv("HOME");

  const pid_t child = ::fork();
  if (child == 0) BecomeDetached(program.c_str(), argv.data(), home);
  return child;
}

}  // namespace vesperon
