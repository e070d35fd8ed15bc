#pragma once
// Lets a game controller drive whichever of the launcher's windows is in front: the title
// window, the settings dialog, the Yes/No and progress dialogs and the message boxes. The
// controller is read on a timer of the UI thread, which every message loop of the thread
// dispatches (also those of MessageBoxW and DialogBox), and only while one of the thread's
// windows is the foreground window.
#include <windows.h>

#include <cstdint>
#include <thread>

#include "app/pad_navigation.h"

namespace mf::app {

class GamepadNavigation {
 public:
  // Starts reading on the calling (UI) thread; a no-op object if Windows refuses the timer.
  GamepadNavigation();
  ~GamepadNavigation();
  GamepadNavigation(const GamepadNavigation&) = delete;
  GamepadNavigation& operator=(const GamepadNavigation&) = delete;

  // Does the controller library's own start-up (it loads and looks for devices on its first
  // call: some tens of milliseconds, and under Wine much of it in the wineserver, which the
  // process's other threads then wait for) on a worker thread, so that no window waits for it.
  // Started after the title window's first frame; a reading that comes first does it on the
  // UI thread instead. Once only.
  void StartDeviceSearch();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnTimer();
  void SetPollInterval(UINT milliseconds);
  PadReading ReadControllers();

  HWND window_ = nullptr;  // message-only: owns the timer, never shown
  UINT interval_ = 0;
  PadNavigator navigator_;
  PadSlotSchedule slots_;
  std::uint64_t poll_ = 0;
  std::thread warmUp_;
};

}  // namespace mf::app
