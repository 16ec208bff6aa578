#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace vesperon {

// A plain file opened for reading, which no one may change, rename or
// delete while it is open: what is checked in it is what is read from it,
// by this object or by a system call that opens it again by name. Folders,
// devices and pipes are refused without being read, so nothing can block.
class OpenFile {
 public:
  enum OpenStatus { Opened, Missing, NotAFile, Refused };
  enum ReadStatus { ReadOk, ReadTooLarge, ReadFailed };

  explicit OpenFile(const std::string& utf8Path);
  ~OpenFile();
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  OpenStatus Status() const { return status_; }
  // The path as the system takes it; empty when it was no UTF-8 text.
  const std::wstring& WidePath() const { return widePath_; }

  // The whole file into `bytes`, when it holds at most maxBytes.
  ReadStatus Read(std::size_t maxBytes, std::string& bytes);

 private:
  std::wstring widePath_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  OpenStatus status_ = Missing;
};

}  // namespace vesperon
