#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

// Sends this process's standard error to a temporary file while alive, so a
// test can read what an adapter reported there.
class StderrCapture {
 public:
  StderrCapture() {
    Flush();
    const int file = mkstemp(path_.data());
    saved_ = dup(STDERR_FILENO);
    dup2(file, STDERR_FILENO);
    close(file);
  }
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;
  ~StderrCapture() {
    Flush();
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    unlink(path_.c_str());
  }

  std::string Text() const {
    Flush();
    std::ifstream file(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  // The lines the program wrote itself, leaving out what libraries said.
  std::vector<std::string> VesperonLines() const {
    std::vector<std::string> lines;
    const std::string text = Text();
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
      std::string line = text.substr(start, end - start);
      if (line.starts_with("vesperon: ")) lines.push_back(std::move(line));
    }
    return lines;
  }

 private:
  static void Flush() {
    std::cerr.flush();
    std::fflush(stderr);
  }

  std::string path_ = "/tmp/vesperon-stderr-XXXXXX";
  int saved_ = -1;
};
