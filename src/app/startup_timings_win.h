#pragma once
// Where start-up time goes, for tools/bench-startup.sh. With MF_STARTUP_TIMINGS naming a
// file, the launcher appends one line per start-up step ("step<TAB>ms since the process was
// created") and a blank line after the first frame. Without it, marking a step is one test.
#include <windows.h>

#include <string>
#include <vector>

namespace mf::app {

class StartupTimings {
 public:
  StartupTimings();
  StartupTimings(const StartupTimings&) = delete;
  StartupTimings& operator=(const StartupTimings&) = delete;

  // Notes that the step just finished.
  void Mark(const char* step) {
    if (!path_.empty()) Note(step);
  }
  // Appends the noted steps to the file; nothing when no file was asked for.
  void Write() const;

 private:
  void Note(const char* step);

  std::wstring path_;
  FILETIME processCreated_ = {};
  std::vector<std::pair<const char*, FILETIME>> steps_;
};

}  // namespace mf::app
