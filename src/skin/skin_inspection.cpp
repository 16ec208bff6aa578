#include "skin/skin_inspection.h"

#include <algorithm>

#include "skin/skin_format.h"
#include "skin/skin_library.h"

namespace vesperon {

namespace {

SkinProblem Problem(SkinProblem::Kind kind, const std::string& file,
                    const SkinPictureFile& wanted) {
  SkinProblem problem{};
  problem.kind = kind;
  problem.file = file;
  problem.expectedWidth = wanted.width;
  problem.expectedHeight = wanted.height;
  return problem;
}

}  // namespace

std::vector<SkinProblem> InspectSkin(FileSystem& files, PictureLoader& pictures,
                                     const std::string& folder) {
  using Kind = SkinProblem::Kind;
  std::vector<SkinProblem> problems;
  const std::vector<FolderEntry> entries =
      files.ListFolder(folder).value_or(std::vector<FolderEntry>{});

  for (const SkinPictureFile& wanted : kSkinFiles) {
    const auto real = MatchIgnoringCase(entries, wanted.name, false);
    if (!real) {
      problems.push_back(Problem(Kind::Missing, wanted.name, wanted));
      continue;
    }
    std::vector<std::string> variants = CaseVariants(entries, wanted.name);
    if (variants.size() > 1) {
      std::sort(variants.begin(), variants.end());
      std::rotate(variants.begin(), std::find(variants.begin(), variants.end(), *real),
                  std::find(variants.begin(), variants.end(), *real) + 1);
      SkinProblem duplicate = Problem(Kind::CaseDuplicate, wanted.name, wanted);
      duplicate.names = variants;
      problems.push_back(duplicate);
    }
    const LoadedPicture loaded = pictures.LoadFile(JoinPath(folder, *real));
    if (loaded.error == PictureLoadError::Missing) {
      problems.push_back(Problem(Kind::Missing, *real, wanted));
    } else if (loaded.tooLarge) {
      SkinProblem large = Problem(Kind::TooLarge, *real, wanted);
      large.foundWidth = loaded.claimedWidth;
      large.foundHeight = loaded.claimedHeight;
      problems.push_back(large);
    } else if (loaded.error == PictureLoadError::Unreadable) {
      SkinProblem unreadable = Problem(Kind::Unreadable, *real, wanted);
      unreadable.reason = loaded.reason;
      problems.push_back(unreadable);
    } else if (wanted.width != 0 && (loaded.picture.Width() != wanted.width ||
                                     loaded.picture.Height() != wanted.height)) {
      SkinProblem wrong = Problem(Kind::WrongSize, *real, wanted);
      wrong.foundWidth = loaded.picture.Width();
      wrong.foundHeight = loaded.picture.Height();
      problems.push_back(wrong);
    }
  }
  return problems;
}

}  // namespace vesperon
