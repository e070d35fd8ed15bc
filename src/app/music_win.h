#pragma once
// The looping title-screen music: the Ogg track the executable carries (resource 202),
// written to a temporary file and played through MCI. Without the resource, or wherever a
// step fails, the launcher is simply silent.
#include <windows.h>

#include <filesystem>
#include <thread>

#include "ui/win_handles_win.h"

namespace mf::app {

class BackgroundMusic {
 public:
  BackgroundMusic() = default;
  // Stops and closes the music, waiting for a start still opening it, and deletes its
  // temporary file.
  ~BackgroundMusic();
  BackgroundMusic(const BackgroundMusic&) = delete;
  BackgroundMusic& operator=(const BackgroundMusic&) = delete;

  // Writes the track to "<temp>\mfmXXXX.tmp.ogg"; the placeholder Windows creates for the
  // unique name is removed. A short write leaves no file behind.
  void Prepare(HINSTANCE instance);
  // Opens the written track and plays it in a loop until shutdown, on a thread of its own:
  // opening can take a noticeable time, and the title window does not wait for it.
  void Start();

 private:
  void Play() noexcept;

  std::filesystem::path trackPath_;  // empty until Prepare succeeded
  win::UniqueKernelHandle stopRequested_;
  std::thread player_;
};

}  // namespace mf::app
