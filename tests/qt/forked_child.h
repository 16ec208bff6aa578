#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace vesperon {

// Runs body in a forked copy of this test, standing in for a second program,
// and returns its exit code, or -1 when it did not exit normally. The child
// leaves through _exit so it never runs the parent's tear-down.
inline int RunInChild(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vesperon
