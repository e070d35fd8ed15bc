#include "app/music_track.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace mf::app {
namespace {

// The bytes the executable carries as its music resource (under Wine, the source folder is
// on drive Z:).
std::string TitleTrackBytes() {
#ifdef _WIN32
  std::ifstream file("Z:" MF_SOURCE_DIR "/resources/music.ogg", std::ios::binary);
#else
  std::ifstream file(MF_SOURCE_DIR "/resources/music.ogg", std::ios::binary);
#endif
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// tools/make_music.sh: twenty seconds of 22.05 kHz stereo.
constexpr int kRate = 22050;
constexpr int kChannels = 2;
constexpr std::size_t kFrames = 20 * kRate;

TEST(MusicTrack, DecodesTheTitleTrackAtItsRateChannelsAndLength) {
  const std::string bytes = TitleTrackBytes();
  ASSERT_FALSE(bytes.empty());
  auto track = LoopingMusicTrack::Open(bytes);
  ASSERT_TRUE(track);
  EXPECT_EQ(track->sampleRate(), kRate);
  EXPECT_EQ(track->channels(), kChannels);
  EXPECT_EQ(track->framesPerPass(), kFrames);

  // One pass decoded in odd-sized pieces: exactly the track's frames, and not silence.
  std::vector<std::int16_t> pass(kFrames * kChannels);
  std::size_t at = 0;
  while (at < pass.size()) {
    std::size_t piece = std::min<std::size_t>(1001 * kChannels, pass.size() - at);
    ASSERT_EQ(track->Fill(std::span(pass).subspan(at, piece)), piece / kChannels);
    at += piece;
  }
  int loudest = 0;
  for (std::int16_t sample : pass) loudest = std::max(loudest, std::abs(int{sample}));
  EXPECT_GT(loudest, 1000);
}

// How far a sample strays from the course of the two before it: large only where the
// waveform breaks, as at a click.
int Bend(std::span<const std::int16_t> samples, std::size_t at) {
  return std::abs(samples[at] - 2 * samples[at - kChannels] + samples[at - 2 * kChannels]);
}

// Past the end the track starts again. The join bends the waveform no more than the music
// itself does anywhere in the track (decoded as it is, the track's first sample does not
// follow on from its last), and a moment later the second pass is the first one again.
TEST(MusicTrack, LoopsBackToItsStartWithoutAClick) {
  const std::string bytes = TitleTrackBytes();
  auto track = LoopingMusicTrack::Open(bytes);
  ASSERT_TRUE(track);
  std::vector<std::int16_t> twice(2 * kFrames * kChannels + 64);
  ASSERT_EQ(track->Fill(twice), twice.size() / kChannels);
  const std::span<const std::int16_t> all(twice);
  const std::span<const std::int16_t> first = all.first(kFrames * kChannels);
  const std::span<const std::int16_t> second = all.subspan(kFrames * kChannels, kFrames * kChannels);

  int largestBend[kChannels] = {};
  for (std::size_t i = 2 * kChannels; i < first.size(); ++i)
    largestBend[i % kChannels] = std::max(largestBend[i % kChannels], Bend(first, i));
  const std::size_t seam = kFrames * kChannels;
  const std::size_t eased = static_cast<std::size_t>(kRate) * kLoopSeamMilliseconds / 1000;
  for (std::size_t i = seam; i < seam + (eased + 2) * kChannels; ++i)
    ASSERT_LE(Bend(all, i), largestBend[i % kChannels])
        << "frame " << (i - seam) / kChannels << " after the join, channel " << i % kChannels;

  for (std::size_t i = eased * kChannels; i < eased * kChannels + 8192; ++i)
    ASSERT_EQ(second[i], first[i]) << "sample " << i << " of the second pass";
}

TEST(MusicTrack, RefusesWhatIsNotVorbis) {
  const std::string bytes = TitleTrackBytes();
  for (std::string notVorbis : {std::string(), std::string("OggS"), std::string(4096, '\0'),
                                bytes.substr(0, 200), std::string("RIFF....WAVEfmt ")}) {
    EXPECT_FALSE(LoopingMusicTrack::Open(notVorbis)) << notVorbis.size() << " bytes";
  }
}

TEST(MusicTrack, VolumeIsAPercentageOfTheLevel) {
  struct Case {
    int percent;
    std::vector<std::int16_t> expected;
  };
  const std::vector<std::int16_t> samples = {32767, -32768, 400, -401, 3, 0};
  for (const Case& c : {Case{25, {8191, -8192, 100, -100, 0, 0}}, Case{100, samples},
                        Case{140, samples}, Case{0, {0, 0, 0, 0, 0, 0}}, Case{-3, {0, 0, 0, 0, 0, 0}}}) {
    std::vector<std::int16_t> scaled = samples;
    ScaleToVolume(scaled, c.percent);
    EXPECT_EQ(scaled, c.expected) << c.percent << " %";
  }
}

TEST(MusicTrack, BuffersHoldAFractionOfASecond) {
  EXPECT_EQ(FramesPerBuffer(22050, 200), 4410u);
  EXPECT_EQ(FramesPerBuffer(44100, 250), 11025u);
  EXPECT_EQ(FramesPerBuffer(48000, 0), 48u);
}

}  // namespace
}  // namespace mf::app
