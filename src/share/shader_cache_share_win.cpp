#include "share/shader_cache_share_win.h"

#include <windows.h>

#include "resources/version.h"
#include "settings/file_io.h"
#include "settings/launcher_prefs.h"
#include "settings/text_lines.h"
#include "share/shader_cache_manifest.h"
#include "ui/confirm_dialog_win.h"
#include "ui/text_win.h"
#include "ui/win_handles_win.h"

#ifndef MF_SHADER_SHARE_WEBHOOK_URL
#error "MF_SHADER_SHARE_WEBHOOK_URL is set by the build (CMake cache variable of the same name)"
#endif

namespace mf::share {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kConsentKey = "launcher_share_shader_cache";
constexpr std::string_view kSharedFingerprintKey = "shader_cache_shared_fp";
constexpr const char* kConsentCaption = "Help other players?";
constexpr const char* kConsentText =
    "Share your shader cache with the project?\n\nOnly shader microcode and pipeline descriptions "
    "are sent, nothing else. The caches players send are merged and ship with the next release, so "
    "everyone meets fewer stutters from shader compilation.\n\nYou can change this later under "
    "Settings → Advanced → Share Shader Cache.";

// Windows PowerShell reads a script without a byte-order mark in the ANSI code page; with
// it, folder names in any script are read as written.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The folder's shareable cache files, in the order the directory lists them.
std::vector<CacheFile> ScanCacheFolder(const fs::path& folder) {
  std::vector<CacheFile> files;
  WIN32_FIND_DATAW found = {};
  win::UniqueFindHandle find(::FindFirstFileW((folder / L"*").c_str(), &found));
  if (!find) return files;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string name = ui::WideToUtf8(found.cFileName);
    if (!IsShareableCacheFileName(name)) continue;
    ULARGE_INTEGER size = {{found.nFileSizeLow, found.nFileSizeHigh}};
    ULARGE_INTEGER written = {{found.ftLastWriteTime.dwLowDateTime, found.ftLastWriteTime.dwHighDateTime}};
    files.push_back({std::move(name), size.QuadPart, static_cast<std::int64_t>(written.QuadPart)});
  } while (::FindNextFileW(find.get(), &found));
  return files;
}

// The fingerprint of the last upload that succeeded, from the marker the script writes.
std::string LastSharedFingerprint(const fs::path& markerPath) {
  std::optional<std::string> text = settings::ReadWholeFile(markerPath);
  if (!text) return {};
  std::vector<std::string_view> lines = settings::SplitLines(*text);
  return lines.empty() ? std::string() : std::string(settings::TrimRight(lines.front(), "\r\n "));
}

fs::path TemporaryFolder() {
  wchar_t path[MAX_PATH + 1] = {};
  DWORD length = ::GetTempPathW(MAX_PATH + 1, path);
  if (length == 0 || length > MAX_PATH) return {};
  return fs::path(path);
}

// The launcher's own question, so that a Ukrainian question has Ukrainian buttons.
bool AskForConsent() { return ui::ConfirmYesNo(nullptr, ui::TrWide(kConsentText), ui::TrWide(kConsentCaption)) == IDYES; }

void StartHiddenPowerShell(const fs::path& script) {
  std::wstring commandLine =
      L"powershell.exe -NoProfile -WindowStyle Hidden -ExecutionPolicy Bypass -File \"" + script.wstring() + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process))
    return;
  win::UniqueKernelHandle ownedProcess(process.hProcess), ownedThread(process.hThread);  // never waited for
}

}  // namespace

fs::path ShareableCacheFolder(const fs::path& executableFolder) {
  return executableFolder / L"userdata" / L"cache" / L"shaders" / L"shareable";
}

void ShareShaderCache(const fs::path& executableFolder) {
  const fs::path iniPath = settings::LauncherPrefsPath(executableFolder);
  if (!settings::ReadLauncherPrefs(iniPath)) return;
  if (!settings::FindLauncherPref(kConsentKey)) {
    settings::LauncherPrefs()[std::string(kConsentKey)] = AskForConsent() ? "on" : "off";
    settings::WriteLauncherPrefs(iniPath);
  }
  const std::string* consent = settings::FindLauncherPref(kConsentKey);
  if (!consent || *consent != "on") return;

  const fs::path cacheFolder = ShareableCacheFolder(executableFolder);
  std::vector<CacheFile> files = ScanCacheFolder(cacheFolder);
  if (!IsWorthSharing(files)) return;
  const std::string fingerprint = Fingerprint(BuildManifest(files));
  const fs::path marker = cacheFolder / L".shared_fp";
  if (LastSharedFingerprint(marker) == fingerprint) return;

  const fs::path temporary = TemporaryFolder();
  if (temporary.empty()) return;
  const fs::path payload = temporary / L"mf1_share_cache.json";
  const fs::path script = temporary / L"mf1_share_cache.ps1";
  const fs::path archive = temporary / fs::path(L"MFRecomp_shadercache_" + ui::Utf8ToWide(fingerprint) + L".zip");

  // A folder name UTF-8 cannot spell (an unpaired surrogate) would send the script to
  // another folder: such a cache is not shared.
  std::optional<std::string> paths[] = {settings::PathToExactUtf8(cacheFolder), settings::PathToExactUtf8(archive),
                                        settings::PathToExactUtf8(payload), settings::PathToExactUtf8(marker)};
  for (const std::optional<std::string>& path : paths)
    if (!path) return;
  ShareScriptPaths scriptPaths = {*paths[0], *paths[1], *paths[2], *paths[3]};

  settings::LauncherPrefs()[std::string(kSharedFingerprintKey)] = fingerprint;
  settings::WriteLauncherPrefs(iniPath);
  if (!settings::WriteFileAtomically(payload, BuildPayloadJson(kCurrentVersionTag, files, fingerprint))) return;
  std::string scriptText = std::string(kUtf8Bom) + BuildShareScript(scriptPaths, MF_SHADER_SHARE_WEBHOOK_URL, fingerprint);
  if (!settings::WriteFileAtomically(script, scriptText)) return;
  StartHiddenPowerShell(script);
}

}  // namespace mf::share
