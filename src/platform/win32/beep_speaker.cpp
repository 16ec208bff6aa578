#include "platform/win32/beep_speaker.h"

namespace vesperon {

void BeepSpeaker::Play(const Melody& melody) {
  for (const Tone& tone : melody) {
    // A negative length would read as some fifty days of tone.
    if (tone.durationMs <= 0) continue;
    // A tone Beep refuses (a frequency out of its range) is simply not heard.
    beep_(static_cast<DWORD>(tone.frequencyHz), static_cast<DWORD>(tone.durationMs));
  }
}

}  // namespace vesperon
