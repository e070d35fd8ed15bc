#include "app/music_win.h"

#include <mmsystem.h>

#include "app/music_commands.h"
#include "app/music_temp_files.h"
#include "app/music_wave_out_win.h"
#include "app/resource_bytes_win.h"
#include "resources/resource_ids.h"
#include "settings/file_io.h"
#include "ui/text_win.h"
#include "ui/win_handles_win.h"

namespace mf::app {

// How long shutdown waits for the player to stop and close its device. Stopping takes
// milliseconds; a player still inside a driver's open after this is left behind, and
// the process ends without it.
constexpr DWORD kPlayerStopBoundMs = 1500;

struct BackgroundMusic::Player {
  std::filesystem::path trackPath;
  std::string_view track;
  win::UniqueKernelHandle stopRequested{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  win::UniqueKernelHandle finished{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

namespace {

namespace fs = std::filesystem;

// Sends an MCI command string; true when MCI accepted it.
bool SendMci(const std::string& command) {
  return ::mciSendStringW(ui::Utf8ToWide(command).c_str(), nullptr, 0, nullptr) == 0;
}

enum class WriteOutcome { NotCreated, Short, Complete };

// Writes the track in one call. A short write removes what it wrote.
WriteOutcome WriteTrack(const fs::path& path, std::string_view track) {
  DWORD written = 0;
  bool complete;
  {
    win::UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (!file) return WriteOutcome::NotCreated;
    complete = ::WriteFile(file.get(), track.data(), static_cast<DWORD>(track.size()), &written, nullptr) &&
               written == track.size();
  }
  if (complete) return WriteOutcome::Complete;
  ::DeleteFileW(path.c_str());
  return WriteOutcome::Short;
}

// Tracks that a run ended from outside, or whose player still held them at exit, could not
// delete. One still open in a running launcher refuses deletion and stays.
void DeleteLeftoverTracks(const fs::path& folder) {
  WIN32_FIND_DATAW found;
  win::UniqueFindHandle search(::FindFirstFileW((folder / kMusicTempFilePattern).c_str(), &found));
  if (!search) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsMusicTempFileName(ui::WideToUtf8(found.cFileName)))
      ::DeleteFileW((folder / found.cFileName).c_str());
  } while (::FindNextFileW(search.get(), &found));
}

// Serves the thread's messages, which an MCI device may rely on, until stop is signalled.
void ServeMessagesUntil(HANDLE stop) {
  while (::MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }
}

// The playing thread opens, plays, stops and closes the device, so no MCI device is shared
// between threads.
void Play(const BackgroundMusic::Player& player) noexcept {
  try {
    const std::string path = settings::PathToUtf8(player.trackPath);
    if (SendMci(MusicOpenCommand(path, true)) || SendMci(MusicOpenCommand(path, false))) {
      SendMci(MusicVolumeCommand(kMusicVolumePercent));
      SendMci(kMusicPlayCommand);
    } else {
      // No device here plays Ogg Vorbis: decode it ourselves. Returns once stopped.
      PlayThroughWaveOut(player.track, kMusicVolumePercent, player.stopRequested.get());
    }
  } catch (...) {
    // Out of memory for a command string or a buffer: no music.
  }
  ServeMessagesUntil(player.stopRequested.get());
  try {
    // Sent whether or not the music was opened: MCI answers an unknown alias with an error.
    SendMci(kMusicStopCommand);
    SendMci(kMusicCloseCommand);
  } catch (...) {
  }
}

}  // namespace

void BackgroundMusic::Prepare(HINSTANCE instance) {
  wchar_t folder[MAX_PATH] = {};
  DWORD length = ::GetTempPathW(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) return;
  DeleteLeftoverTracks(folder);

  std::string_view track = ResourceBytes(instance, kMusicResourceId);
  wchar_t placeholder[MAX_PATH] = {};
  if (track.empty() || !::GetTempFileNameW(folder, L"mfm", 0, placeholder)) return;

  // "mfmXXXX.tmp.ogg": MCI picks its player by the extension.
  fs::path path = placeholder;
  path += L".ogg";
  WriteOutcome outcome = WriteTrack(path, track);
  if (outcome == WriteOutcome::NotCreated) return;  // the placeholder keeps the name taken
  ::DeleteFileW(placeholder);  // it only reserved the unique name
  if (outcome == WriteOutcome::Complete) {
    trackPath_ = std::move(path);
    track_ = track;
  }
}

void BackgroundMusic::Start() {
  if (trackPath_.empty() || player_) return;
  try {
    auto player = std::make_shared<Player>();
    if (!player->stopRequested || !player->finished) return;
    player->trackPath = trackPath_;
    player->track = track_;
    // The thread keeps its own share of the player: shutdown may stop waiting for it.
    playing_ = std::thread([player] {
      Play(*player);
      ::SetEvent(player->finished.get());
    });
    player_ = std::move(player);
  } catch (const std::exception&) {
    // No thread (or no memory) to be had: the launcher is silent.
  }
}

BackgroundMusic::~BackgroundMusic() {
  if (playing_.joinable()) {
    ::SetEvent(player_->stopRequested.get());
    if (::WaitForSingleObject(player_->finished.get(), kPlayerStopBoundMs) == WAIT_OBJECT_0)
      playing_.join();
    else
      playing_.detach();  // ended with the process
  }
  // A file the stuck player still holds stays; the next start deletes it.
  if (!trackPath_.empty()) ::DeleteFileW(trackPath_.c_str());
}

}  // namespace mf::app
