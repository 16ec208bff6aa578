#pragma once

#include "ports/speaker.h"

namespace vesperon {

// The countdown melodies: 0 "Beep", 1 "Pajaraco", 2 "GWBasic"; any other
// index is silence.
Melody Melodia(int index);

// Plays the melody whole; returns when it has ended (at once for silence).
void TocarMelodia(Speaker& speaker, int index);

}  // namespace vesperon
