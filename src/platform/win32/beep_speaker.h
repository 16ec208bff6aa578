#pragma once

#include <windows.h>

#include <functional>

#include "ports/speaker.h"

namespace vesperon {

// Melodies on the PC speaker, one Beep per tone. Beep returns when its tone
// has ended, so a melody holds the caller for its whole length.
class BeepSpeaker final : public Speaker {
 public:
  using BeepCall = std::function<BOOL(DWORD frequencyHz, DWORD durationMs)>;

  // The system's Beep by default; tests pass a recorder.
  explicit BeepSpeaker(BeepCall beep = ::Beep) : beep_(std::move(beep)) {}

  void Play(const Melody& melody) override;

 private:
  BeepCall beep_;
};

}  // namespace vesperon
