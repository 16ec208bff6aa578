#pragma once

#include <string>
#include <vector>

#include "ports/file_system.h"
#include "ports/picture_loader.h"

namespace vesperon {

// One thing wrong with a skin folder, for its author. Each names the file
// and the size it must have (0 × 0 for an icon, which may have any).
struct SkinProblem {
  enum class Kind {
    Missing,        // the picture is not there
    Unreadable,     // reason
    WrongSize,      // the size found
    TooLarge,       // larger than the program reads: the size it claims as found,
                    // 0 × 0 for a file too large to read
    CaseDuplicate,  // names: one file under several spellings; a warning only
  };
  Kind kind;
  std::string file;
  std::string reason;
  int expectedWidth = 0;
  int expectedHeight = 0;
  int foundWidth = 0;
  int foundHeight = 0;
  std::vector<std::string> names;  // CaseDuplicate: every spelling, the one used first
};

// Every problem of the skin in `folder`, in the check's order of files, not
// only the first: each missing file, each unreadable one, each wrong size,
// and each file found under more than one spelling. Empty (case duplicates
// aside) exactly when the clock would accept and load the skin.
std::vector<SkinProblem> InspectSkin(FileSystem& files, PictureLoader& pictures,
                                     const std::string& folder);

}  // namespace vesperon
