#include "platform/linux/pulse_speaker.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>
#include <pulse/stream.h>

#include <cstdint>
#include <iostream>
#include <utility>
#include <vector>

#include "platform/linux/tone_synthesis.h"

namespace vesperon {

namespace {

constexpr pa_sample_spec kFormat{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(kToneSampleRate), 1};

// A short target latency makes the server play the tones about when they
// arrive, so its word that the stream has drained comes about when the last
// tone ends.
constexpr pa_usec_t kTargetLatencyUs = 40'000;

// The server's events taken in, at most, before a melody: more than a
// second's worth of what a quiet playback stream is ever sent.
constexpr int kMaxPendingEvents = 64;

// Lets go of an operation without waiting for its outcome.
void Forget(pa_operation* operation) {
  if (operation != nullptr) pa_operation_unref(operation);
}

bool Settled(pa_context* context) {
  const pa_context_state_t state = pa_context_get_state(context);
  return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
}

bool Settled(pa_stream* stream) {
  const pa_stream_state_t state = pa_stream_get_state(stream);
  return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
}

}  // namespace

PulseSpeaker::PulseSpeaker() : mainloop_(pa_mainloop_new()) {}

PulseSpeaker::~PulseSpeaker() {
  Disconnect();
  if (mainloop_ != nullptr) pa_mainloop_free(mainloop_);
}

void PulseSpeaker::Play(const Melody& melody) {
  const Clock::time_point start = Clock::now();
  const std::vector<std::int16_t> pcm = ToPcm16(SynthesizeTones(melody).samples);
  if (pcm.empty() || mainloop_ == nullptr) return;
  const auto length = std::chrono::microseconds(static_cast<std::int64_t>(pcm.size()) * 1'000'000 /
                                                kToneSampleRate);
  const Clock::time_point deadline = start + length + kLateLimit;

  if (!ReadyToPlay(deadline)) return;

  Forget(pa_stream_cork(stream_, 0, nullptr, nullptr));
  if (pa_stream_write(stream_, pcm.data(), pcm.size() * sizeof(std::int16_t), nullptr, 0,
                      PA_SEEK_RELATIVE) < 0 ||
      (drain_ = pa_stream_drain(stream_, nullptr, nullptr)) == nullptr) {
    ReportOnce("the sound server stopped playing", pa_context_errno(context_));
    Disconnect();
    return;
  }
  if (!RunUntil([this] { return pa_operation_get_state(drain_) != PA_OPERATION_RUNNING; },
                deadline)) {
    // Late: the server may still play the rest, and the next melody finds
    // out whether it did.
    return;
  }
  if (pa_operation_get_state(drain_) == PA_OPERATION_CANCELLED) {
    ReportOnce("the sound server stopped playing", pa_context_errno(context_));
    Disconnect();
    return;
  }
  Forget(std::exchange(drain_, nullptr));
  // Corked between melodies, so that the sound device may go to sleep.
  Forget(pa_stream_cork(stream_, 1, nullptr, nullptr));
  RunUntil([this] { return pa_context_is_pending(context_) == 0; }, deadline);
}

bool PulseSpeaker::ReadyToPlay(Clock::time_point deadline) {
  if (context_ != nullptr) TakeServerEvents();
  if (drain_ != nullptr) {
    if (pa_operation_get_state(drain_) == PA_OPERATION_RUNNING) {
      // The last melody has not ended long after it should have: the
      // server has stalled. Better no melody now than melodies piling up
      // there, to sound all at once when it comes back.
      ReportOnce("the sound server stopped playing", PA_ERR_TIMEOUT);
      return false;
    }
    Forget(std::exchange(drain_, nullptr));
  }
  if (Connected()) return true;
  Disconnect();
  if (const int error = Connect(deadline); error != PA_OK) {
    ReportOnce("no sound server for the speaker", error);
    Disconnect();
    return false;
  }
  return true;
}

void PulseSpeaker::TakeServerEvents() {
  for (int event = 0; event < kMaxPendingEvents; ++event) {
    if (pa_mainloop_iterate(mainloop_, 0, nullptr) <= 0) break;
  }
}

bool PulseSpeaker::Connected() const {
  return context_ != nullptr && pa_context_get_state(context_) == PA_CONTEXT_READY &&
         stream_ != nullptr && pa_stream_get_state(stream_) == PA_STREAM_READY;
}

int PulseSpeaker::Connect(Clock::time_point deadline) {
  // No autospawn: starting a server would hold the countdown far too long.
  context_ = pa_context_new(pa_mainloop_get_api(mainloop_), "Vesperon");
  if (context_ == nullptr) return PA_ERR_INTERNAL;
  if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
    return pa_context_errno(context_);
  if (!RunUntil([this] { return Settled(context_); }, deadline)) return PA_ERR_TIMEOUT;
  if (pa_context_get_state(context_) != PA_CONTEXT_READY) return pa_context_errno(context_);

  stream_ = pa_stream_new(context_, "Speaker", &kFormat, nullptr);
  if (stream_ == nullptr) return pa_context_errno(context_);
  const pa_buffer_attr buffer{
      .maxlength = UINT32_MAX,
      .tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kTargetLatencyUs, &kFormat)),
      .prebuf = UINT32_MAX,
      .minreq = UINT32_MAX,
      .fragsize = UINT32_MAX};
  if (pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                 nullptr) < 0)
    return pa_context_errno(context_);
  if (!RunUntil([this] { return Settled(stream_); }, deadline)) return PA_ERR_TIMEOUT;
  if (pa_stream_get_state(stream_) != PA_STREAM_READY) return pa_context_errno(context_);
  return PA_OK;
}

void PulseSpeaker::Disconnect() {
  Forget(std::exchange(drain_, nullptr));
  if (stream_ != nullptr) {
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
  }
  if (context_ != nullptr) {
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
  }
}

bool PulseSpeaker::RunUntil(const std::function<bool()>& done, Clock::time_point deadline) {
  while (!done()) {
    const auto left =
        std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    if (pa_mainloop_prepare(mainloop_, static_cast<int>(left)) < 0 ||
        pa_mainloop_poll(mainloop_) < 0 || pa_mainloop_dispatch(mainloop_) < 0)
      return false;
  }
  return true;
}

void PulseSpeaker::ReportOnce(const char* what, int error) {
  // The countdown plays a melody every second; one line per run is enough.
  if (failureReported_) return;
  failureReported_ = true;
  std::cerr << "vesperon: " << what << ": " << pa_strerror(error) << '\n';
}

}  // namespace vesperon
