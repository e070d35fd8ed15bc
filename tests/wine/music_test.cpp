// The title music of the real PlayMirefall.exe. Debian's Wine opens Ogg through neither MCI
// path, so what plays here is the launcher's own decoder through waveOut, as on a stock
// Windows without a Vorbis codec: the test hears it through ALSA's file plugin and finds
// the track in it, looping. Then shutdown with a media driver stuck in opening the track,
// and the temporary tracks a run leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "app/music_commands.h"
#include "app/music_track.h"
#include "wine_test_support.h"

namespace mf::test {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The track the executable carries, decoded as the launcher decodes it.
std::string TitleTrackBytes() { return ReadAll("Z:" MF_SOURCE_DIR "/resources/music.ogg"); }

// What ALSA's file plugin wrote: the stream's format from the WAV header, and the samples
// that followed it (the header's sizes are only filled in when the stream closes).
struct Recording {
  int rate = 0;
  int channels = 0;
  int bits = 0;
  std::vector<std::int16_t> samples;
};

std::optional<Recording> ReadRecording(const fs::path& file) {
  const std::string bytes = ReadAll(file);
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return std::nullopt;
  Recording recording;
  auto u32 = [&](std::size_t at) {
    std::uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
  };
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    if (id == "data") {
      recording.samples.resize((bytes.size() - at - 8) / 2);
      std::memcpy(recording.samples.data(), bytes.data() + at + 8, recording.samples.size() * 2);
      return recording;
    }
    if (id == "fmt " && at + 24 <= bytes.size()) {
      recording.channels = static_cast<unsigned char>(bytes[at + 10]) | static_cast<unsigned char>(bytes[at + 11]) << 8;
      recording.rate = static_cast<int>(u32(at + 12));
      recording.bits = static_cast<unsigned char>(bytes[at + 22]);
    }
    at += 8 + u32(at + 4);
  }
  return std::nullopt;
}

// A HOME whose .asoundrc sends ALSA's default device into a WAV file over the null device.
// CTest starts this test program with HOME pointing here, and the launchers it starts
// inherit it (Wine keeps a process's Unix HOME out of its Windows environment, so a test
// cannot set it for one child). Outside this test there is no .asoundrc, ALSA has no
// default device, and the other launchers play nothing.
class RecordedHome {
 public:
  RecordedHome() {
    fs::create_directories(folder_);
    fs::remove(recording());
    std::ofstream(folder_ / ".asoundrc") << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \""
                                         << Utf8(unixPath()) << "/played.wav\"\n  format \"wav\"\n}\n";
  }
  ~RecordedHome() {
    std::error_code ignored;  // ALSA's own settings folder under .config stays
    fs::remove(folder_ / ".asoundrc", ignored);
    fs::remove(recording(), ignored);
  }
  fs::path recording() const { return folder_ / "played.wav"; }
  std::wstring unixPath() const {  // where ALSA writes, seen from the Unix side
    std::wstring path = folder_.wstring().substr(2);  // after "Z:"
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return path;
  }

 private:
  fs::path folder_ = BuildOutputFolder() / "music-home";
};

// Where the needle's samples stand in the haystack, from a position on. Wine mixes in
// floating point, so a played sample may be one off what was handed to waveOut.
std::optional<std::size_t> FindSamples(std::span<const std::int16_t> haystack, std::span<const std::int16_t> needle,
                                       std::size_t from = 0) {
  auto nearlyEqual = [](std::int16_t a, std::int16_t b) { return std::abs(a - b) <= 1; };
  auto found = std::search(haystack.begin() + std::min(from, haystack.size()), haystack.end(), needle.begin(),
                           needle.end(), nearlyEqual);
  if (found == haystack.end()) return std::nullopt;
  return static_cast<std::size_t>(found - haystack.begin());
}

TEST(Music, WithoutAnOggCodecTheLauncherPlaysTheTrackItselfInALoop) {
  const std::string bytes = TitleTrackBytes();  // the decoder reads them as it goes
  auto track = app::LoopingMusicTrack::Open(bytes);
  ASSERT_TRUE(track);
  const std::size_t channels = static_cast<std::size_t>(track->channels());
  const std::size_t passSamples = track->framesPerPass() * channels;
  // A second of the track from a tenth of a second in (past the eased join of every pass
  // after the first), at the quarter volume the launcher plays it at.
  const std::size_t tenth = static_cast<std::size_t>(track->sampleRate()) / 10 * channels;
  std::vector<std::int16_t> start(11 * tenth);
  track->Fill(start);
  app::ScaleToVolume(start, app::kMusicVolumePercent);
  const std::span<const std::int16_t> opening = std::span<const std::int16_t>(start).subspan(tenth);

  RecordedHome home;
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  folder.WriteFile("launcher.ini", kStartupOffersAnswered);
  std::optional<Recording> heard;
  {
    RunningLauncher launcher = StartLauncher(folder);
    ASSERT_TRUE(launcher.window);
    // Once round the loop and a second more.
    ASSERT_TRUE(WaitUntil(
        [&] {
          heard = ReadRecording(home.recording());
          return heard && heard->samples.size() > passSamples + 2 * opening.size();
        },
        60s))
        << "heard " << (heard ? heard->samples.size() : 0) << " samples of " << passSamples + 2 * opening.size()
        << " (is HOME " << Utf8(home.unixPath()) << "?)";
    EXPECT_EQ(CloseLauncher(launcher), 0u);
  }
  EXPECT_EQ(heard->rate, track->sampleRate());
  EXPECT_EQ(heard->channels, track->channels());
  EXPECT_EQ(heard->bits, 16);

  std::optional<std::size_t> found = FindSamples(heard->samples, opening);
  ASSERT_TRUE(found) << "the track's opening is not in what was played";
  EXPECT_EQ(*found % channels, 0u);
  // Round the loop: the opening comes again one pass later, with nothing in between.
  std::optional<std::size_t> again = FindSamples(heard->samples, opening, *found + 1);
  ASSERT_TRUE(again) << "the track did not start again";
  EXPECT_EQ(*again - *found, passSamples);
}

TEST(Music, AMediaDriverHangingInOpenDoesNotKeepTheLauncherAlive) {
  PrivateTempFolder temp;
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  fs::copy_file(BuildOutputFolder() / "mci-stand-in" / "mciqtz32.dll", folder.path() / "mciqtz32.dll");
  folder.WriteFile("launcher.ini", kStartupOffersAnswered);
  RunningLauncher launcher = StartLauncher(folder);
  ASSERT_TRUE(launcher.window);
  HANDLE hanging = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (hanging = ::OpenEventW(SYNCHRONIZE, FALSE, L"MfStandInMciOpenHangs")); }))
      << "the launcher never reached the stand-in driver";
  ::CloseHandle(hanging);

  // Without a bound on the wait, the launcher would never end.
  EXPECT_EQ(CloseLauncher(launcher), 0u);
  EXPECT_EQ(temp.FilesStartingWith(L"mfm"), std::vector<std::wstring>{});
}

TEST(Music, ATrackLeftByAKilledRunIsDeletedAtTheNextStart) {
  PrivateTempFolder temp;
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  folder.WriteFile("launcher.ini", kStartupOffersAnswered);
  // Not the launcher's: these stay.
  for (const char* name : {"mfmnotes.txt", "mfm12345.tmp.ogg", "mfmA1B2.ogg"})
    std::ofstream(temp.path() / name) << "someone else's";

  std::vector<std::wstring> leftover;
  {
    RunningLauncher killed = StartLauncher(folder);
    ASSERT_TRUE(killed.window);
    // The track is written just after the title window's first frame.
    WaitUntil([&] {
      leftover.clear();
      for (const std::wstring& name : temp.FilesStartingWith(L"mfm"))
        if (name.ends_with(L".tmp.ogg") && name != L"mfm12345.tmp.ogg") leftover.push_back(name);
      return !leftover.empty();
    });
    ASSERT_EQ(leftover.size(), 1u);
    // Ended from outside, as the task manager or a crash ends it: no shutdown runs.
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, killed.process->id());
    ASSERT_TRUE(process);
    ::TerminateProcess(process, 9);
    ::CloseHandle(process);
    ASSERT_TRUE(killed.process->WaitForExit());
  }
  ASSERT_TRUE(fs::exists(temp.path() / leftover.front()));

  RunningLauncher next = StartLauncher(folder);
  ASSERT_TRUE(next.window);
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(temp.path() / leftover.front()); }))
      << "the earlier run's track is still there";
  EXPECT_EQ(CloseLauncher(next), 0u);
  std::vector<std::wstring> after = temp.FilesStartingWith(L"mfm");
  std::sort(after.begin(), after.end());
  EXPECT_EQ(after, (std::vector<std::wstring>{L"mfm12345.tmp.ogg", L"mfmA1B2.ogg", L"mfmnotes.txt"}));
}

}  // namespace
}  // namespace mf::test
