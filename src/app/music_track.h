#pragma once
// The title music as PCM: the Ogg Vorbis track decoded in the process, for machines whose
// media stack has no Vorbis decoder. The track repeats without end, and a player that
// keeps asking for more hears one seamless loop.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

struct stb_vorbis;

namespace mf::app {

// A lossy encoder does not keep the very edges of a loop exact: decoded, the title track's
// first sample does not follow on from its last (a step several times the largest the music
// takes anywhere else, heard as a click). Each time the track starts again, its opening is
// eased onto the course the ending was on over this long, after which it is exact again.
inline constexpr int kLoopSeamMilliseconds = 50;

class LoopingMusicTrack {
 public:
  // The bytes must outlive the track (the executable's own resource does). Nothing when
  // they are not an Ogg Vorbis stream the decoder can read.
  static std::optional<LoopingMusicTrack> Open(std::string_view oggBytes);

  LoopingMusicTrack(LoopingMusicTrack&&) noexcept;
  LoopingMusicTrack& operator=(LoopingMusicTrack&&) noexcept;
  ~LoopingMusicTrack();

  int sampleRate() const { return sampleRate_; }
  int channels() const { return channels_; }
  // Frames (one sample per channel) in one pass through the track.
  std::size_t framesPerPass() const { return framesPerPass_; }

  // Fills the interleaved 16-bit buffer completely, starting again at the beginning of the
  // track whenever it ends (the seam eased, see kLoopSeamMilliseconds). Returns the frames
  // written: fewer only when the stream cannot be decoded any further, and then the rest of
  // the buffer is silence.
  std::size_t Fill(std::span<std::int16_t> interleaved);

 private:
  struct DecoderClose {
    void operator()(stb_vorbis* decoder) const;
  };
  explicit LoopingMusicTrack(stb_vorbis* decoder);
  // Eases freshly decoded frames into the loop and remembers the last two it gave out.
  void Smooth(std::span<std::int16_t> decoded, bool startsAPass);

  std::unique_ptr<stb_vorbis, DecoderClose> decoder_;
  int sampleRate_ = 0;
  int channels_ = 0;
  std::size_t framesPerPass_ = 0;
  std::array<int, 2> previousFrame_ = {};  // per channel: the frame before the last one given out
  std::array<int, 2> lastFrame_ = {};
  std::array<int, 2> seamOffset_ = {};     // what the opening of this pass is moved by at its start
  std::size_t seamFrames_ = 0;             // length of the easing
  std::size_t seamDone_ = 0;               // frames of it given out so far
};

// Scales samples to a percentage of their level (clamped to 0..100), the way the MCI path
// is set to a quarter of full volume.
void ScaleToVolume(std::span<std::int16_t> samples, int percent);

// Frames in one buffer of the given length at the rate: the player keeps a few such buffers
// queued, so it never decodes more than a fraction of a second ahead.
std::size_t FramesPerBuffer(int sampleRate, int milliseconds);

}  // namespace mf::app
