#include "prompts/prompt_overlay_win.h"

#include <windows.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "prompts/overlay_plan.h"
#include "prompts/overlay_stamp.h"
#include "prompts/prompt_drawing_win.h"
#include "prompts/prompt_shapes.h"
#include "prompts/prompt_style.h"
#include "resources/version.h"
#include "settings/config_file.h"
#include "settings/config_reader.h"
#include "settings/file_io.h"
#include "settings/launcher_prefs.h"
#include "settings/settings_schema.h"
#include "ui/gdiplus_win.h"
#include "ui/text_win.h"

namespace mf::prompts {
namespace {

namespace fs = std::filesystem;

// One overlay image: what it shows and where it goes.
struct PlannedImage {
  AtlasPlan plan;
  fs::path file;
};

// What the settings ask for, read on the UI thread (the settings are the UI thread's):
// everything the rest needs, so that choosing the font, comparing with the files on disk
// and drawing can run on another thread.
struct OverlayJob {
  CLSID pngEncoder = {};
  IconFiles icons;
  std::vector<PlannedImage> images;  // empty: nothing to draw (none wanted, or no encoder)
};

// The drawing start-up left running. Only the UI thread starts and joins it.
std::thread& StartupDrawing() {
  static std::thread drawing;
  return drawing;
}

std::string BindingOf(std::string_view key) {
  const settings::SettingDef* row = settings::FindSetting(key);
  return row ? row->value : std::string();
}

fs::path TexturesFolder(const fs::path& launcherFolder) { return launcherFolder / L"textures"; }

void DeleteOverlayFiles(const fs::path& launcherFolder) {
  for (const OverlayAtlas& atlas : OverlayAtlases()) {
    fs::path file = TexturesFolder(launcherFolder) / OverlayFileName(atlas);
    ::DeleteFileW(file.c_str());  // a missing file is fine
  }
}

IconFiles ReadIcons(const fs::path& iconFolder, const std::vector<AtlasPlan>& plans) {
  IconFiles icons;
  for (const AtlasPlan& plan : plans)
    for (const DrawStep& step : plan.steps)
      if (step.kind == DrawKind::Icon && !icons.contains(step.icon))
        if (auto bytes = settings::ReadWholeFile(iconFolder / ui::Utf8ToWide(step.icon + ".png")))
          icons.emplace(step.icon, std::move(*bytes));
  return icons;
}

bool FileCarriesStamp(const fs::path& file, std::string_view fingerprint) {
  std::optional<std::string> bytes = settings::ReadWholeFile(file);
  return bytes && HasOverlayStamp(*bytes, fingerprint);
}

// Reads the settings, decides, deletes the files when no overlay is wanted, and returns the
// images the settings ask for.
OverlayJob PlanOverlayJob(const fs::path& launcherFolder) {
  OverlayJob job;
  // Unread preferences would look like the default prompt style: the files stay as they are.
  if (!settings::ReadLauncherPrefs(settings::LauncherPrefsPath(launcherFolder))) return job;
  const std::string style = CurrentPromptStyle();
  if (settings::SettingsSchema().empty()) settings::BuildSettingsSchema();
  settings::ReadConfigFile(settings::ConfigFilePath(launcherFolder));

  const fs::path iconFolder = launcherFolder / L"prompts" / ui::Utf8ToWide(style);
  const bool iconFolderExists = IsIconStyle(style) && ::PathIsDirectoryW(iconFolder.c_str());
  const OverlayKind kind = DecideOverlay(style, BindingOf("mnk_mode"), iconFolderExists);
  if (kind == OverlayKind::None) {
    DeleteOverlayFiles(launcherFolder);
    return job;
  }

  const fs::path textures = TexturesFolder(launcherFolder);
  ::CreateDirectoryW(textures.c_str(), nullptr);  // an existing folder is fine
  std::optional<CLSID> encoder = ui::FindPngEncoder();
  if (!encoder) return job;
  job.pngEncoder = *encoder;

  std::vector<AtlasPlan> plans = PlanOverlay(kind, BindingOf, BindingOf("mf_pad_layout") == "qn");
  if (kind == OverlayKind::Icons) job.icons = ReadIcons(iconFolder, plans);
  for (AtlasPlan& plan : plans) {
    fs::path file = textures / OverlayFileName(*plan.atlas);
    job.images.push_back({std::move(plan), std::move(file)});
  }
  return job;
}

// Chooses the key-cap font, then draws, stamps and writes each image whose file does not
// already carry the fingerprint of what would be drawn; failures leave the old file as it
// was. Touches no settings, so it may run on any thread. The font is chosen here because
// the first font a process asks for sets up the font list, the longest part of checking an
// overlay that is up to date.
void CheckAndDrawOverlay(const OverlayJob& job) noexcept {
  try {
    const char* const fontFamilies[] = {kKeyCapFontFamily};
    std::unique_ptr<Gdiplus::FontFamily> fontFamily = ui::ChooseFontFamily(fontFamilies);
    WCHAR familyName[LF_FACESIZE] = {};
    fontFamily->GetFamilyName(familyName);
    for (const PlannedImage& image : job.images) {
      std::string fingerprint =
          OverlayFingerprint(kCurrentVersionTag, ui::WideToUtf8(familyName), image.plan, job.icons);
      if (FileCarriesStamp(image.file, fingerprint)) continue;
      std::optional<std::string> png = RenderOverlayPng(image.plan, *fontFamily, job.icons, job.pngEncoder);
      if (!png) continue;
      std::optional<std::string> stamped = AddOverlayStamp(*png, fingerprint);
      settings::WriteFileAtomically(image.file, stamped ? *stamped : *png);
    }
  } catch (...) {
    // Out of memory while drawing: the overlay is a nicety; the old files stay.
  }
}

}  // namespace

void WaitForPromptOverlay() {
  if (StartupDrawing().joinable()) StartupDrawing().join();
}

void GeneratePromptOverlay(const fs::path& launcherFolder) {
  WaitForPromptOverlay();
  CheckAndDrawOverlay(PlanOverlayJob(launcherFolder));
}

PromptOverlayStartup StartPromptOverlay() {
  WaitForPromptOverlay();
  auto job = std::make_shared<OverlayJob>(PlanOverlayJob(ui::ExecutableFolder()));
  if (job->images.empty()) return {};
  try {
    StartupDrawing() = std::thread([job] {
      // The title window is being made at the same time; it comes first.
      ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_LOWEST);
      CheckAndDrawOverlay(*job);
    });
  } catch (const std::system_error&) {
    CheckAndDrawOverlay(*job);  // no thread to be had: do it here rather than not at all
  }
  return {};
}

}  // namespace mf::prompts
