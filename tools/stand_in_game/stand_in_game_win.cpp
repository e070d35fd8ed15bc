// Stands in for mirefall.exe in the demo folder and in the tests. It writes down how it
// was started (its path, command line, working directory and the Steam overlay variable)
// to "mirefall_started.txt" next to itself, then exits.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string ToUtf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(length, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::wstring ModulePath() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

std::wstring CurrentDirectory() {
  std::wstring path(32768, L'\0');
  path.resize(GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
  return path;
}

std::string OverlayVariable() {
  wchar_t value[256];
  DWORD length = GetEnvironmentVariableW(L"SteamNoOverlayUIDrawing", value, 256);
  if (length == 0 || length >= 256) return "(unset)";
  return ToUtf8(std::wstring(value, length));
}

}  // namespace

int wmain() {
  std::wstring exe = ModulePath();
  std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  std::string record = "executable=" + ToUtf8(exe) + "\n" + "command_line=" + ToUtf8(GetCommandLineW()) + "\n" +
                       "working_directory=" + ToUtf8(CurrentDirectory()) + "\n" +
                       "SteamNoOverlayUIDrawing=" + OverlayVariable() + "\n";

  // Written under another name and then renamed, so a reader never sees half a record.
  std::wstring partial = folder + L"\\mirefall_started.partial";
  std::wstring finished = folder + L"\\mirefall_started.txt";
  FILE* file = _wfopen(partial.c_str(), L"wb");
  if (!file) return 2;
  fwrite(record.data(), 1, record.size(), file);
  fclose(file);
  return MoveFileExW(partial.c_str(), finished.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 3;
}
