#include "update/update_log_win.h"

#include <windows.h>

#include "i18n/utf16_win.h"
#include "ui/win_handles_win.h"
#include "update/update_log_format.h"
#include "update/update_paths.h"

namespace mf::update {
namespace {

// The helper's one process-wide record: where its log goes.
std::filesystem::path& LogFile() {
  static std::filesystem::path file;
  return file;
}

}  // namespace

std::optional<std::filesystem::path> TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) return std::nullopt;
  return std::filesystem::path(std::wstring(buffer, length));
}

std::filesystem::path UpdateLogPath() {
  std::optional<std::filesystem::path> temp = TempFolder();
  return temp ? *temp / kLogFileName : std::filesystem::path();
}

void SetUpdateLogFile(const std::filesystem::path& file) { LogFile() = file; }

std::string PathText(const std::filesystem::path& path) {
  // The system's conversion: a name Windows allows but UTF-8 cannot carry (a lone
  // surrogate) shows as U+FFFD instead of throwing.
  return i18n::WideToUtf8(path.native());
}

void UpdateLog(std::string_view message) {
  const std::filesystem::path& file = LogFile();
  if (file.empty()) return;
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  std::string line = FormatLogLine({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond}, message);
  win::UniqueFileHandle handle(::CreateFileW(file.c_str(), FILE_APPEND_DATA,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return;
  DWORD written = 0;
  ::WriteFile(handle.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace mf::update
