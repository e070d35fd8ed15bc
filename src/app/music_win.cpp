#include "app/music_win.h"

#include <mmsystem.h>

#include "app/music_commands.h"
#include "app/resource_bytes_win.h"
#include "resources/resource_ids.h"
#include "settings/file_io.h"
#include "ui/text_win.h"
#include "ui/win_handles_win.h"

namespace mf::app {
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

}  // namespace

void BackgroundMusic::Prepare(HINSTANCE instance) {
  std::string_view track = ResourceBytes(instance, kMusicResourceId);
  if (track.empty()) return;

  wchar_t folder[MAX_PATH] = {};
  wchar_t placeholder[MAX_PATH] = {};
  DWORD length = ::GetTempPathW(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH || !::GetTempFileNameW(folder, L"mfm", 0, placeholder)) return;

  // "mfmXXXX.tmp.ogg": MCI picks its player by the extension.
  fs::path path = placeholder;
  path += L".ogg";
  WriteOutcome outcome = WriteTrack(path, track);
  if (outcome == WriteOutcome::NotCreated) return;  // the placeholder keeps the name taken
  ::DeleteFileW(placeholder);  // it only reserved the unique name
  if (outcome == WriteOutcome::Complete) trackPath_ = std::move(path);
}

void BackgroundMusic::Start() {
  if (trackPath_.empty() || player_.joinable()) return;
  stopRequested_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!stopRequested_) return;
  try {
    player_ = std::thread([this] { Play(); });
  } catch (const std::system_error&) {
    // No thread to be had: the launcher is silent, as when MCI cannot play the track.
  }
}

// This thread opens, plays, stops and closes the device, so no MCI device is shared between
// threads. While the music plays it serves the thread's messages, which the device may use.
void BackgroundMusic::Play() noexcept {
  try {
    const std::string path = settings::PathToUtf8(trackPath_);
    if (!SendMci(MusicOpenCommand(path, true))) SendMci(MusicOpenCommand(path, false));
    SendMci(MusicVolumeCommand(kMusicVolumePercent));
    SendMci(kMusicPlayCommand);
  } catch (...) {
    // Out of memory for a command string: no music.
  }
  HANDLE stop = stopRequested_.get();
  while (::MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }
  try {
    // Sent whether or not the music was opened: MCI answers an unknown alias with an error.
    SendMci(kMusicStopCommand);
    SendMci(kMusicCloseCommand);
  } catch (...) {
  }
}

BackgroundMusic::~BackgroundMusic() {
  if (player_.joinable()) {
    ::SetEvent(stopRequested_.get());
    player_.join();
  }
  if (!trackPath_.empty()) ::DeleteFileW(trackPath_.c_str());
}

}  // namespace mf::app
