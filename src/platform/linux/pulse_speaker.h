#pragma once

#include <cstdint>
#include <vector>

#include "ports/speaker.h"

struct pa_simple;

namespace vesperon {

// Plays melodies through the sound server (PulseAudio, or PipeWire speaking
// its protocol). Without a sound server a melody is simply not heard: Play
// returns at once, and the first failure of the run says so on standard
// error.
class PulseSpeaker final : public Speaker {
 public:
  PulseSpeaker() = default;
  PulseSpeaker(const PulseSpeaker&) = delete;
  PulseSpeaker& operator=(const PulseSpeaker&) = delete;
  ~PulseSpeaker() override;

  // Blocks until the sound server has played the last sample.
  void Play(const Melody& melody) override;

 private:
  bool Connect(int& error);
  void Disconnect();
  bool WriteAndDrain(const std::vector<std::int16_t>& pcm, int& error);
  void ReportOnce(const char* what, int error);

  // Kept between melodies: the countdown plays one every second.
  pa_simple* stream_ = nullptr;
  bool failureReported_ = false;
};

}  // namespace vesperon
