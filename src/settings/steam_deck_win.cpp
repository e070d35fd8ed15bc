#include "settings/steam_deck_win.h"

#include <windows.h>
#include <dxgi.h>

#include "app/config_save_win.h"
#include "app/text_win.h"
#include "settings/config_file.h"
#include "settings/config_reader.h"
#include "settings/launcher_prefs.h"
#include "settings/settings_schema.h"
#include "settings/steam_deck_preset.h"

namespace mf::settings {
namespace {

// Releases a COM interface when the scope ends.
template <typename Interface>
struct ComRelease {
  Interface* object = nullptr;
  ~ComRelease() {
    if (object) object->Release();
  }
};

bool HasSteamDeckAdapter() {
  ComRelease<IDXGIFactory1> factory;
  if (FAILED(::CreateDXGIFactory1(__uuidof(IDXGIFactory1), reinterpret_cast<void**>(&factory.object)))) return false;
  for (UINT index = 0;; ++index) {
    ComRelease<IDXGIAdapter1> adapter;
    HRESULT result = factory.object->EnumAdapters1(index, &adapter.object);
    if (result == DXGI_ERROR_NOT_FOUND) return false;
    if (FAILED(result)) continue;
    DXGI_ADAPTER_DESC1 description = {};
    if (SUCCEEDED(adapter.object->GetDesc1(&description)) && IsSteamDeckAdapter(description.Description))
      return true;
  }
}

}  // namespace

bool IsSteamDeck() {
  wchar_t value[8] = {};
  DWORD length = ::GetEnvironmentVariableW(L"SteamDeck", value, 8);
  if (length > 0 && length < 8 && SteamDeckVariableSaysDeck(value)) return true;
  return HasSteamDeckAdapter();
}

std::future<bool> StartSteamDeckDetection(const std::filesystem::path& executableFolder) {
  if (!ReadLauncherPrefs(LauncherPrefsPath(executableFolder)) || FindLauncherPref(kDeckPresetAppliedKey)) return {};
  try {
    return std::async(std::launch::async, IsSteamDeck);
  } catch (const std::system_error&) {
    return {};  // no thread to be had: the preset step asks itself
  }
}

void ApplySteamDeckPresetOnce(const std::filesystem::path& executableFolder, std::future<bool> detection) {
  const std::filesystem::path iniPath = LauncherPrefsPath(executableFolder);
  if (!ReadLauncherPrefs(iniPath) || FindLauncherPref(kDeckPresetAppliedKey)) return;
  if (!(detection.valid() ? detection.get() : IsSteamDeck())) return;

  if (SettingsSchema().empty()) BuildSettingsSchema();
  const std::filesystem::path configPath = ConfigFilePath(executableFolder);
  ReadConfigFile(configPath);
  ApplyDeckPreset(SettingsSchema());
  app::SaveConfigFileOrReport(configPath);  // reports its own failure; the preset is not retried

  LauncherPrefs()[std::string(kDeckPresetAppliedKey)] = std::string(kDeckPresetAppliedValue);
  WriteLauncherPrefs(iniPath);
  ::MessageBoxW(nullptr, app::TrPtr(kDeckPresetMessage), app::TrPtr(kDeckPresetCaption), MB_ICONINFORMATION | MB_OK);
}

}  // namespace mf::settings
