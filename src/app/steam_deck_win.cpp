#include "app/steam_deck_win.h"

#include <windows.h>
#include <cpuid.h>
#include <dxgi.h>

#include <cstring>
#include <string>

#include "settings/config_file.h"
#include "settings/config_reader.h"
#include "settings/launcher_prefs.h"
#include "settings/settings_schema.h"
#include "settings/steam_deck_preset.h"
#include "ui/config_save_win.h"
#include "ui/text_win.h"

namespace mf::app {
namespace {

// Releases a COM interface when the scope ends.
template <typename Interface>
struct ComRelease {
  Interface* object = nullptr;
  ~ComRelease() {
    if (object) object->Release();
  }
};

// The processor's brand string from CPUID leaves 0x80000002-4, without its trailing NULs;
// empty when the processor does not offer them.
std::string ProcessorBrand() {
  unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (__get_cpuid_max(0x80000000, nullptr) < 0x80000004) return {};
  char brand[49] = {};
  for (unsigned int leaf = 0; leaf < 3; ++leaf) {
    __get_cpuid(0x80000002 + leaf, &eax, &ebx, &ecx, &edx);
    const unsigned int registers[4] = {eax, ebx, ecx, edx};
    std::memcpy(brand + leaf * 16, registers, sizeof registers);
  }
  return brand;
}

bool HasSteamDeckAdapter() {
  ComRelease<IDXGIFactory1> factory;
  if (FAILED(::CreateDXGIFactory1(__uuidof(IDXGIFactory1), reinterpret_cast<void**>(&factory.object)))) return false;
  for (UINT index = 0;; ++index) {
    ComRelease<IDXGIAdapter1> adapter;
    HRESULT result = factory.object->EnumAdapters1(index, &adapter.object);
    if (result == DXGI_ERROR_NOT_FOUND) return false;
    if (FAILED(result)) return false;  // a broken enumeration may never answer "not found"
    DXGI_ADAPTER_DESC1 description = {};
    if (SUCCEEDED(adapter.object->GetDesc1(&description)) && settings::IsSteamDeckAdapter(description.Description))
      return true;
  }
}

}  // namespace

bool IsSteamDeck() {
  wchar_t value[8] = {};
  DWORD length = ::GetEnvironmentVariableW(L"SteamDeck", value, 8);
  if (length > 0 && length < 8 && settings::SteamDeckVariableSaysDeck(value)) return true;
  // Only a Deck's own processor can carry a Deck's graphics adapter (see
  // ProcessorMayBeSteamDeckApu): every other machine is answered without DXGI.
  if (!settings::ProcessorMayBeSteamDeckApu(ProcessorBrand())) return false;
  return HasSteamDeckAdapter();
}

std::future<bool> StartSteamDeckDetection(const std::filesystem::path& executableFolder) {
  if (!settings::ReadLauncherPrefs(settings::LauncherPrefsPath(executableFolder)) || settings::FindLauncherPref(settings::kDeckPresetAppliedKey)) return {};
  try {
    return std::async(std::launch::async, IsSteamDeck);
  } catch (const std::system_error&) {
    return {};  // no thread to be had: the preset step asks itself
  }
}

void ApplySteamDeckPresetOnce(const std::filesystem::path& executableFolder, std::future<bool> detection) {
  const std::filesystem::path iniPath = settings::LauncherPrefsPath(executableFolder);
  if (!settings::ReadLauncherPrefs(iniPath) || settings::FindLauncherPref(settings::kDeckPresetAppliedKey)) return;
  if (!(detection.valid() ? detection.get() : IsSteamDeck())) return;

  if (settings::SettingsSchema().empty()) settings::BuildSettingsSchema();
  const std::filesystem::path configPath = settings::ConfigFilePath(executableFolder);
  settings::ReadConfigFile(configPath);
  settings::ApplyDeckPreset(settings::SettingsSchema());
  ui::SaveConfigFileOrReport(configPath);  // reports its own failure; the preset is not retried

  settings::LauncherPrefs()[std::string(settings::kDeckPresetAppliedKey)] = std::string(settings::kDeckPresetAppliedValue);
  settings::WriteLauncherPrefs(iniPath);
  ::MessageBoxW(nullptr, ui::TrPtr(settings::kDeckPresetMessage), ui::TrPtr(settings::kDeckPresetCaption), MB_ICONINFORMATION | MB_OK);
}

}  // namespace mf::app
