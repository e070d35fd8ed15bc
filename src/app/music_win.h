#pragma once
// The looping title-screen music: the Ogg track the executable carries (resource 202),
// written to a temporary file and played through MCI; where MCI cannot open it (no Vorbis
// decoder in the machine's media stack), decoded in the process and played through
// waveOut. Without the resource, or wherever a step fails, the launcher is simply silent.
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string_view>
#include <thread>

namespace mf::app {

class BackgroundMusic {
 public:
  BackgroundMusic() = default;
  // Stops the music and deletes its temporary file. Waits for the player only a moment: a
  // media driver stuck in opening the track does not keep the launcher alive, and its
  // file, still held, is left for the next start to delete.
  ~BackgroundMusic();
  BackgroundMusic(const BackgroundMusic&) = delete;
  BackgroundMusic& operator=(const BackgroundMusic&) = delete;

  // Deletes the tracks earlier runs left behind, then writes the track to
  // "<temp>\mfmXXXX.tmp.ogg"; the placeholder Windows creates for the unique name is
  // removed. A short write leaves no file behind.
  void Prepare(HINSTANCE instance);
  // Opens the written track and plays it in a loop until shutdown, on a thread of its own:
  // opening can take a noticeable time, and the title window does not wait for it.
  void Start();

  struct Player;  // what the playing thread shares with this object

 private:
  std::filesystem::path trackPath_;  // empty until Prepare succeeded
  std::string_view track_;           // the resource's bytes, mapped for the life of the process
  std::shared_ptr<Player> player_;
  std::thread playing_;
};

}  // namespace mf::app
