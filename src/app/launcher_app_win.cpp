#include "app/launcher_app_win.h"

#include <commctrl.h>

#include "app/gamepad_win.h"
#include "app/gdiplus_win.h"
#include "app/music_win.h"
#include "app/resource_deploy_win.h"
#include "app/text_win.h"
#include "app/title_window_win.h"
#include "i18n/translate.h"
#include "prompts/prompt_overlay_win.h"
#include "resources/resource_ids.h"
#include "settings/config_file.h"
#include "settings/config_repair.h"
#include "settings/launcher_language.h"
#include "settings/native_renderer_offer_win.h"
#include "settings/settings_schema.h"
#include "settings/steam_deck_win.h"
#include "share/shader_cache_share_win.h"
#include "update/failed_update_check_win.h"
#include "update/release_check_win.h"

namespace mf::app {
namespace {

void InitCommonControlClasses() {
  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
}

void LoadLauncherImages(HINSTANCE instance, LauncherImages& images) {
  images.background = LoadImageResource(instance, kBackgroundImageId);
  images.logo = LoadImageResource(instance, kLogoImageId);
}

}  // namespace

int RunLauncher(HINSTANCE instance, int showCommand) {
  InitCommonControlClasses();
  GdiplusSession gdiplus;  // declared first so that it is shut down last
  GamepadNavigation gamepad;  // before the first start-up box, which a controller answers too

  // Start-up tasks, in order; each reports its own failures and start-up goes on. Dialogs
  // they show have no owner: the title window does not exist yet.
  const std::filesystem::path folder = ExecutableFolder();
  i18n::SetUiLanguage(settings::DecideStartupLanguage(folder));
  settings::StoreLanguagePreference(folder, i18n::CurrentUiLanguage());
  settings::RepairConfigFile(settings::ConfigFilePath(folder));
  settings::ApplySteamDeckPresetOnce(folder);
  DeployResourceFiles();
  prompts::PromptOverlayStartup promptOverlay = prompts::StartPromptOverlay();  // waits for its drawing on return
  share::ShareShaderCache(folder);
  settings::OfferNativeRenderer(folder);
  update::CheckPreviousUpdate();
  LauncherImages images;
  LoadLauncherImages(instance, images);
  settings::BuildSettingsSchema();
  BackgroundMusic music;  // declared after the images: stopped, and its file deleted, first
  music.Prepare(instance);
  music.Start();

  TitleWindow titleWindow(images);
  HWND window = titleWindow.Create(instance);
  if (!window) return 1;
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  update::StartReleaseCheck(window);

  RunMessageLoop(window);

  // Shutdown by scope: the window object, the music, the images, the overlay drawing, then GDI+.
  return 0;
}

}  // namespace mf::app
