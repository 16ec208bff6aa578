#pragma once

#include <chrono>
#include <functional>

#include "ports/speaker.h"

struct pa_context;
struct pa_mainloop;
struct pa_operation;
struct pa_stream;

namespace vesperon {

// Plays melodies through the sound server (PulseAudio, or PipeWire speaking
// its protocol). Without a sound server a melody is simply not heard: Play
// returns at once, and the first failure of the run says so on standard
// error.
//
// The countdown plays a melody on every tick and must keep its pace whatever
// the sound server does, so every wait here has a deadline: the melody's own
// length and kLateLimit. A server that stops answering (stopped, or hung)
// costs a tick no more than that, and later melodies are skipped until it has
// finished the one it was given; a server that is merely slow goes on playing
// that melody after Play has returned.
class PulseSpeaker final : public Speaker {
 public:
  // How long past the melody's own length Play may wait for the server.
  static constexpr std::chrono::milliseconds kLateLimit{20};

  PulseSpeaker();
  PulseSpeaker(const PulseSpeaker&) = delete;
  PulseSpeaker& operator=(const PulseSpeaker&) = delete;
  ~PulseSpeaker() override;

  // Blocks until the sound server has played the last sample, but no
  // longer than the melody's length and kLateLimit. Returns at once while
  // the server has yet to finish the melody before.
  void Play(const Melody& melody) override;

 private:
  using Clock = std::chrono::steady_clock;

  // Whether this melody can go to the server: the last one has ended, and
  // a connection is up (made anew, by the deadline, when there is none).
  bool ReadyToPlay(Clock::time_point deadline);
  // Takes in what the server said since the last melody: the drain
  // confirmed, or the connection lost.
  void TakeServerEvents();
  bool Connected() const;
  // A PulseAudio error code: PA_OK once connected, PA_ERR_TIMEOUT when the
  // deadline passed first.
  int Connect(Clock::time_point deadline);
  void Disconnect();
  // Runs the sound server's events until `done` holds (true) or the
  // deadline passes (false).
  bool RunUntil(const std::function<bool()>& done, Clock::time_point deadline);
  void ReportOnce(const char* what, int error);

  pa_mainloop* mainloop_ = nullptr;
  // Kept between melodies: the countdown plays one every second.
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  // The last melody's drain until the server has confirmed it.
  pa_operation* drain_ = nullptr;
  bool failureReported_ = false;
};

}  // namespace vesperon
