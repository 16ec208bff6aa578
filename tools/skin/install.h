#pragma once

#include <string>

namespace vesperon::skintool {

// Installs the skin in a zip archive into the user's Skins folder, under
// the name of the archive's single top folder, or else the archive's file
// name without ".zip". The skin is unpacked beside its place, checked as
// the clock checks it, and only then renamed into place; a skin already
// there is replaced only when `force`. The exit status: 0 when installed.
int Install(const std::string& archivePath, bool force);

}  // namespace vesperon::skintool
