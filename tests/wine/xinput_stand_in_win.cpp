// A stand-in for xinput9_1_0.dll that plays back controller states scripted by a test. The
// test names the script in MF_PAD_SCRIPT and appends lines to it while the launcher runs:
//
//   <polls> <buttons, hex> <left stick x> <left stick y>
//
// Each line is one state of the controller in slot 0, held for that many readings of slot 0
// (counted here, so the playback never depends on timing). Before the first line, between
// appended lines and after the last one, the controller is connected and at rest. The other
// slots are empty. Lines starting with '#' are ignored. After each finished line the count of
// finished lines is written to the script's name + ".done", so the test can wait for it.
#include <windows.h>
#include <xinput.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Step {
  int polls = 0;
  XINPUT_GAMEPAD pad = {};
};

struct Playback {
  std::wstring script;
  size_t linesUsed = 0;  // complete lines of the script already taken (comments included)
  int stepsDone = 0;
  Step current;
  int pollsLeft = 0;
  DWORD packet = 0;
};

Playback& State() {
  static Playback playback = [] {
    Playback p;
    wchar_t path[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"MF_PAD_SCRIPT", path, MAX_PATH)) p.script = path;
    return p;
  }();
  return playback;
}

// The complete lines of the script, the last one only once its line break is written.
std::vector<std::string> CompleteLines(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  std::vector<std::string> lines;
  size_t start = 0, end;
  while ((end = text.find('\n', start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool TakeNextStep(Playback& p) {
  std::vector<std::string> lines = CompleteLines(p.script);
  while (p.linesUsed < lines.size()) {
    std::istringstream line(lines[p.linesUsed++]);
    Step step;
    unsigned buttons = 0;
    int x = 0, y = 0;
    if (line.peek() == '#' || !(line >> step.polls >> std::hex >> buttons >> std::dec >> x >> y)) continue;
    step.pad.wButtons = static_cast<WORD>(buttons);
    step.pad.sThumbLX = static_cast<SHORT>(x);
    step.pad.sThumbLY = static_cast<SHORT>(y);
    p.current = step;
    p.pollsLeft = step.polls;
    return true;
  }
  return false;
}

void ReportDone(const Playback& p) {
  std::ofstream(std::filesystem::path(p.script + L".done"), std::ios::trunc) << p.stepsDone << "\n";
}

}  // namespace

extern "C" DWORD WINAPI XInputGetState(DWORD slot, XINPUT_STATE* state) {
  // The launcher's first reading, which starts the library, is made on a thread of its own
  // and can meet the UI thread's readings.
  static std::mutex readings;
  std::lock_guard<std::mutex> lock(readings);
  Playback& p = State();
  if (slot != 0 || p.script.empty()) return ERROR_DEVICE_NOT_CONNECTED;
  if (!state) return ERROR_BAD_ARGUMENTS;
  XINPUT_GAMEPAD pad = {};
  if (p.pollsLeft > 0 || TakeNextStep(p)) {
    pad = p.current.pad;
    if (--p.pollsLeft <= 0) {
      ++p.stepsDone;
      ReportDone(p);
    }
  }
  state->dwPacketNumber = ++p.packet;
  state->Gamepad = pad;
  return ERROR_SUCCESS;
}

extern "C" DWORD WINAPI XInputSetState(DWORD slot, XINPUT_VIBRATION*) {
  return slot == 0 && !State().script.empty() ? ERROR_SUCCESS : ERROR_DEVICE_NOT_CONNECTED;
}

extern "C" void WINAPI XInputEnable(BOOL) {}
