#pragma once

#include <QDir>

namespace artwork {

// Writes the sample skins, one sub-folder each, into `folder`: every
// picture a skin needs and its skin.ini. False if a file cannot be written.
bool WriteSampleSkins(const QDir& folder);

}  // namespace artwork
