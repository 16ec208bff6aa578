#include "common/melodies.h"

namespace vesperon {

Melody Melodia(int index) {
  Melody melody;
  switch (index) {
    case 0:
      for (int i = 0; i < 3; ++i) {
        melody.push_back({800, 50});
        melody.push_back({700, 50});
      }
      break;
    case 1:
      for (int sweep = 0; sweep < 2; ++sweep)
        for (int f = 700; f <= 800; ++f) melody.push_back({f, 1});
      melody.push_back({800, 150});
      break;
    case 2:
      for (int f = 800; f >= 700; --f) melody.push_back({f, 5});
      break;
    default:
      break;
  }
  return melody;
}

void TocarMelodia(Speaker& speaker, int index) {
  const Melody melody = Melodia(index);
  if (!melody.empty()) speaker.Play(melody);
}

}  // namespace vesperon
