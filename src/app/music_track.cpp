#include "app/music_track.h"

#include <algorithm>
#include <climits>

#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

namespace mf::app {

void LoopingMusicTrack::DecoderClose::operator()(stb_vorbis* decoder) const { stb_vorbis_close(decoder); }

LoopingMusicTrack::LoopingMusicTrack(stb_vorbis* decoder) : decoder_(decoder) {
  stb_vorbis_info info = stb_vorbis_get_info(decoder);
  sampleRate_ = static_cast<int>(info.sample_rate);
  channels_ = info.channels;
  framesPerPass_ = stb_vorbis_stream_length_in_samples(decoder);
  seamFrames_ = FramesPerBuffer(sampleRate_, kLoopSeamMilliseconds);
  seamDone_ = seamFrames_;  // the first pass starts from silence: nothing to join
}

LoopingMusicTrack::LoopingMusicTrack(LoopingMusicTrack&&) noexcept = default;
LoopingMusicTrack& LoopingMusicTrack::operator=(LoopingMusicTrack&&) noexcept = default;
LoopingMusicTrack::~LoopingMusicTrack() = default;

std::optional<LoopingMusicTrack> LoopingMusicTrack::Open(std::string_view oggBytes) {
  if (oggBytes.empty() || oggBytes.size() > INT_MAX) return std::nullopt;
  int error = 0;
  stb_vorbis* decoder = stb_vorbis_open_memory(reinterpret_cast<const unsigned char*>(oggBytes.data()),
                                               static_cast<int>(oggBytes.size()), &error, nullptr);
  if (!decoder) return std::nullopt;
  LoopingMusicTrack track(decoder);
  if (track.channels_ < 1 || track.channels_ > 2 || track.sampleRate_ <= 0) return std::nullopt;
  return track;
}

void LoopingMusicTrack::Smooth(std::span<std::int16_t> decoded, bool startsAPass) {
  const std::size_t channels = static_cast<std::size_t>(channels_);
  if (startsAPass && seamFrames_ > 0) {
    // Where the ending was heading: one more step on the slope of its last two frames.
    for (std::size_t c = 0; c < channels; ++c) {
      const int heading = std::clamp(2 * lastFrame_[c] - previousFrame_[c], -32768, 32767);
      seamOffset_[c] = heading - decoded[c];
    }
    seamDone_ = 0;
  }
  for (std::size_t at = 0; at < decoded.size(); at += channels) {
    if (seamDone_ < seamFrames_) {
      const auto left = static_cast<std::int64_t>(seamFrames_ - seamDone_);
      for (std::size_t c = 0; c < channels; ++c) {
        const std::int64_t eased = decoded[at + c] + seamOffset_[c] * left / static_cast<std::int64_t>(seamFrames_);
        decoded[at + c] = static_cast<std::int16_t>(std::clamp<std::int64_t>(eased, -32768, 32767));
      }
      ++seamDone_;
    }
    for (std::size_t c = 0; c < channels; ++c) {
      previousFrame_[c] = lastFrame_[c];
      lastFrame_[c] = decoded[at + c];
    }
  }
}

std::size_t LoopingMusicTrack::Fill(std::span<std::int16_t> interleaved) {
  const std::size_t frames = interleaved.size() / channels_;
  std::size_t done = 0;
  bool restarted = false;  // a pass that yields nothing right after a restart: give up
  while (done < frames) {
    const std::size_t wanted = std::min<std::size_t>(frames - done, INT_MAX / channels_);
    int got = stb_vorbis_get_samples_short_interleaved(decoder_.get(), channels_, interleaved.data() + done * channels_,
                                                       static_cast<int>(wanted * channels_));
    if (got > 0) {
      Smooth(interleaved.subspan(done * channels_, static_cast<std::size_t>(got) * channels_), restarted);
      done += static_cast<std::size_t>(got);
      restarted = false;
      continue;
    }
    // The end of the stream: the loop goes on with its first frame.
    if (restarted || !stb_vorbis_seek_start(decoder_.get())) break;
    restarted = true;
  }
  std::fill(interleaved.begin() + done * channels_, interleaved.end(), std::int16_t{0});
  return done;
}

void ScaleToVolume(std::span<std::int16_t> samples, int percent) {
  const int scale = std::clamp(percent, 0, 100);
  for (std::int16_t& sample : samples) sample = static_cast<std::int16_t>(sample * scale / 100);
}

std::size_t FramesPerBuffer(int sampleRate, int milliseconds) {
  return static_cast<std::size_t>(std::max(sampleRate, 1)) * std::max(milliseconds, 1) / 1000;
}

}  // namespace mf::app
