#pragma once

#include <string>

namespace vesperon {

// The icon of a message box, with the values the design's toolkit gives them.
enum class MsgBoxIcon { Critical = 16, Exclamation = 48, Information = 64 };

// What the windows ask of the desktop shell beyond their own faces.
class Shell {
 public:
  virtual ~Shell() = default;
  // A message box with one OK button, modal to the whole program; returns
  // when the user has closed it.
  virtual void MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) = 0;
};

}  // namespace vesperon
