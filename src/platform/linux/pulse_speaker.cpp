#include "platform/linux/pulse_speaker.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <iostream>

#include "platform/linux/tone_synthesis.h"

namespace vesperon {

PulseSpeaker::~PulseSpeaker() { Disconnect(); }

void PulseSpeaker::Play(const Melody& melody) {
  const std::vector<std::int16_t> pcm = ToPcm16(SynthesizeTones(melody).samples);
  if (pcm.empty()) return;

  int error = 0;
  if (stream_ != nullptr && WriteAndDrain(pcm, error)) return;
  // A stream kept from the last melody may have died with a restarted server.
  Disconnect();
  if (!Connect(error)) {
    ReportOnce("no sound server for the speaker", error);
    return;
  }
  if (!WriteAndDrain(pcm, error)) {
    ReportOnce("the sound server stopped playing", error);
    Disconnect();
  }
}

bool PulseSpeaker::Connect(int& error) {
  const pa_sample_spec format{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(kToneSampleRate), 1};
  stream_ = pa_simple_new(nullptr, "Vesperon", PA_STREAM_PLAYBACK, nullptr, "Speaker", &format,
                          nullptr, nullptr, &error);
  return stream_ != nullptr;
}

void PulseSpeaker::Disconnect() {
  if (stream_ == nullptr) return;
  pa_simple_free(stream_);
  stream_ = nullptr;
}

bool PulseSpeaker::WriteAndDrain(const std::vector<std::int16_t>& pcm, int& error) {
  return pa_simple_write(stream_, pcm.data(), pcm.size() * sizeof(std::int16_t), &error) >= 0 &&
         pa_simple_drain(stream_, &error) >= 0;
}

void PulseSpeaker::ReportOnce(const char* what, int error) {
  // The countdown plays a melody every second; one line per run is enough.
  if (failureReported_) return;
  failureReported_ = true;
  std::cerr << "vesperon: " << what << ": " << pa_strerror(error) << '\n';
}

}  // namespace vesperon
