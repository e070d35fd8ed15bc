#pragma once
#include <filesystem>

// The button-prompt overlay: two PNGs in textures\ beside the launcher that the game draws
// over its controller prompts, showing the player's keys or PlayStation icons.
namespace mf::prompts {

// Writes textures\<hash>.overlay.png in the launcher folder for both prompt textures from
// the prompt style in its launcher.ini and the bindings in its mirefall.toml, or deletes
// both when no overlay is wanted.
// A file that already holds what would be drawn is left as it is. Each file is replaced in
// one step, so the game never reads half an image. Runs on the UI thread, and waits first
// for an overlay start-up is still drawing. The Settings dialog calls it after every Save.
void GeneratePromptOverlay(const std::filesystem::path& launcherFolder);

// Blocks until an overlay started by StartPromptOverlay is written. PLAY calls it, so the
// game never starts with an old overlay.
void WaitForPromptOverlay();

// Waits in its destructor for the overlay StartPromptOverlay left drawing, so the drawing
// ends before GDI+ does.
class [[nodiscard]] PromptOverlayStartup {
 public:
  PromptOverlayStartup() = default;
  ~PromptOverlayStartup() { WaitForPromptOverlay(); }
  PromptOverlayStartup(const PromptOverlayStartup&) = delete;
  PromptOverlayStartup& operator=(const PromptOverlayStartup&) = delete;
};

// Start-up's GeneratePromptOverlay: reads the settings and decides on the calling thread;
// comparing with the files on disk and drawing what changed run on a worker thread so the
// title window is not held back. Keep the result for as long as GDI+ is up.
PromptOverlayStartup StartPromptOverlay();

}  // namespace mf::prompts
