// Music decoding benchmark (not a test): what the waveOut path decodes before the first
// sound is queued (the track opened and four 250 ms buffers filled) against decoding the
// whole 20-second track into memory at once, timed in turns in one run. Prints medians,
// their ratio, and the PCM each holds.
//   music_decode_bench [RUNS] [TRACK.ogg]   (defaults: 21 runs, resources/music.ogg)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/music_track.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Opens the track and decodes that many frames; the time it took.
double DecodeFrames(const std::string& bytes, std::size_t frames, std::size_t* heldBytes) {
  Clock::time_point start = Clock::now();
  auto track = mf::app::LoopingMusicTrack::Open(bytes);
  if (!track) return -1;
  std::size_t wanted = frames ? frames : track->framesPerPass();
  std::vector<std::int16_t> pcm(wanted * track->channels());
  track->Fill(pcm);
  double took = Milliseconds(Clock::now() - start);
  *heldBytes = pcm.size() * sizeof(std::int16_t);
  return took;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  std::ifstream file(argc > 2 ? argv[2] : MF_SOURCE_DIR "/resources/music.ogg", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), {});
  auto probe = mf::app::LoopingMusicTrack::Open(bytes);
  if (!probe) {
    std::fprintf(stderr, "not an Ogg Vorbis track\n");
    return 1;
  }
  const std::size_t streamed = 4 * mf::app::FramesPerBuffer(probe->sampleRate(), 250);
  std::vector<double> first, whole;
  std::size_t firstBytes = 0, wholeBytes = 0;
  for (int i = 0; i < runs; ++i) {
    first.push_back(DecodeFrames(bytes, streamed, &firstBytes));
    whole.push_back(DecodeFrames(bytes, 0, &wholeBytes));
  }
  std::printf("track: %d Hz, %d channels, %.1f s; %d runs each, medians\n", probe->sampleRate(), probe->channels(),
              static_cast<double>(probe->framesPerPass()) / probe->sampleRate(), runs);
  std::printf("  streamed (open + 4 x 250 ms buffers)  %8.2f ms  %8zu bytes of PCM\n", Median(first), firstBytes);
  std::printf("  whole track decoded at once           %8.2f ms  %8zu bytes of PCM\n", Median(whole), wholeBytes);
  std::printf("  ratio streamed / whole: time %.3f, memory %.3f\n", Median(first) / Median(whole),
              static_cast<double>(firstBytes) / static_cast<double>(wholeBytes));
  return 0;
}
