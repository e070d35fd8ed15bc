#include "app/launcher_app_win.h"

#include <future>

#include "app/gamepad_win.h"
#include "app/music_win.h"
#include "app/native_renderer_offer_win.h"
#include "app/resource_deploy_win.h"
#include "app/startup_timings_win.h"
#include "app/steam_deck_win.h"
#include "app/title_images_win.h"
#include "app/title_window_art.h"
#include "app/title_window_geometry.h"
#include "app/title_window_paint_win.h"
#include "app/title_window_win.h"
#include "app/update_wait_win.h"
#include "i18n/translate.h"
#include "prompts/prompt_overlay_win.h"
#include "resources/resource_ids.h"
#include "settings/config_file.h"
#include "settings/config_repair.h"
#include "settings/launcher_language.h"
#include "settings/settings_schema.h"
#include "share/shader_cache_share_win.h"
#include "ui/dark_dialog_win.h"
#include "ui/gdiplus_win.h"
#include "ui/text_win.h"
#include "update/failed_update_check_win.h"
#include "update/interrupted_update_win.h"
#include "update/release_check_win.h"

namespace mf::app {
namespace {

// What the first frame needs besides the start-up tasks: the font list, which the first font
// a process asks for sets up (tens of milliseconds under Wine and Proton; the window's fonts
// and the overlay check then find it ready), and the pictures with the backdrop drawn from
// them.
LauncherImages PrepareFirstFrame(HINSTANCE instance) {
  ui::ChooseFontFamily(ButtonFontFamilies());
  LauncherImages images;
  images.background = LoadImageResource(instance, kBackgroundImageId);
  images.logo = LoadImageResource(instance, kLogoImageId);
  images.backdrop = DrawTitleBackdrop(images.background.get(), images.logo.get(), kClientWidth, kClientHeight);
  return images;
}

// Run on the second core while the start-up tasks run. The result is collected where
// start-up loads the images.
std::future<LauncherImages> StartPreparingFirstFrame(HINSTANCE instance) {
  try {
    return std::async(std::launch::async, PrepareFirstFrame, instance);
  } catch (const std::system_error&) {
    return std::async(std::launch::deferred, PrepareFirstFrame, instance);  // done when collected
  }
}

}  // namespace

int RunLauncher(HINSTANCE instance, int showCommand) {
  // While the update helper works, a launcher would hold files it is replacing: this one
  // waits, and then either starts or leaves the field to the launcher the helper started.
  // A half-installed update is undone before any other start-up task reads the installation.
  StartupTimings timings;
  if (!WaitOutUpdateHelper(instance)) return 0;
  update::UndoInterruptedUpdate();
  timings.Mark("interrupted-update check");
  // The controller reader's window is the launcher's first call to the window manager, which
  // starts the display driver. It is made before any other thread starts: under Wine and
  // Proton, a thread that starts the driver while another one loads a library (the common
  // controls, which the first dialog loads) can deadlock with it. It also comes before the
  // first start-up box, which a controller answers too.
  GamepadNavigation gamepad;
  timings.Mark("controller reader");
  const std::filesystem::path folder = ui::ExecutableFolder();
  std::future<bool> steamDeckDetection = StartSteamDeckDetection(folder);
  ui::GdiplusSession gdiplus;  // declared first of the GDI+ users so that it is shut down last
  timings.Mark("GDI+ start-up");
  std::future<LauncherImages> decoding = StartPreparingFirstFrame(instance);

  // Start-up tasks, in order; each reports its own failures and start-up goes on. Dialogs
  // they show have no owner: the title window does not exist yet. Only the two answers
  // started above are worked out beside them, and neither shows or writes anything.
  i18n::SetUiLanguage(settings::DecideStartupLanguage(folder));
  settings::StoreLanguagePreference(folder, i18n::CurrentUiLanguage());
  timings.Mark("language");
  settings::RepairConfigFile(settings::ConfigFilePath(folder));
  timings.Mark("config repair");
  ApplySteamDeckPresetOnce(folder, std::move(steamDeckDetection));
  timings.Mark("Steam Deck preset");
  DeployResourceFiles();
  timings.Mark("resource deployment");
  prompts::PromptOverlayStartup promptOverlay = prompts::StartPromptOverlay();  // waits for its drawing on return
  timings.Mark("prompt overlay");
  share::ShareShaderCache(folder);
  timings.Mark("shader cache sharing");
  OfferNativeRenderer(folder);
  timings.Mark("native renderer offer");
  update::CheckPreviousUpdate();
  timings.Mark("failed-update check");
  settings::BuildSettingsSchema();
  timings.Mark("settings schema");
  BackgroundMusic music;  // declared before the window object: stopped, and its file deleted, after it

  // The window is made hidden while the pictures may still be in the making; it shows
  // nothing until they are here.
  LauncherImages images;  // the window object below paints from it
  TitleWindow titleWindow(images);
  HWND window = titleWindow.Create(instance);
  if (!window) return 1;
  timings.Mark("window and fonts");
  images = decoding.get();
  timings.Mark("pictures and backdrop (waited for)");
  ::ShowWindow(window, showCommand);
  timings.Mark("window shown");
  ::UpdateWindow(window);
  timings.Mark("first frame");
  images.backdrop.reset();  // only the first frame waits for a paint; later ones draw every layer
  // What the title screen does not need for its first frame comes after it: the common
  // controls (loaded here, before the threads below start loading their own libraries, and
  // ready for the first dialog), the controller library's search for devices, the music and
  // the release check.
  ui::LoadCommonControls();
  timings.Mark("common controls");
  gamepad.StartDeviceSearch();
  music.Prepare(instance);
  music.Start();  // opening the track takes a while; the picture comes first
  timings.Mark("music started");
  update::StartReleaseCheck(window, kUpdateOfferPublishedMessage);
  timings.Mark("release check started");
  timings.Write();

  RunMessageLoop(window);

  // Shutdown by scope: the window object, the images, the music, the overlay drawing, then GDI+.
  return 0;
}

}  // namespace mf::app
