#pragma once

#include <vector>

namespace vesperon {

struct Tone {
  int frequencyHz = 0;
  int durationMs = 0;
  friend bool operator==(const Tone&, const Tone&) = default;
};

using Melody = std::vector<Tone>;

class Speaker {
 public:
  virtual ~Speaker() = default;
  // Plays the tones one after the other, without pause; returns when the
  // last one has ended. A sound device that stops answering holds the caller
  // only a little past the melody's own length: the countdown plays one on
  // every tick and must keep its pace.
  virtual void Play(const Melody& melody) = 0;
};

}  // namespace vesperon
