#pragma once
// How PLAY starts the game: which executable, with which command line, where, and whether
// Steam's overlay is asked to stay away.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace mf::app {

// The US edition's data file has exactly this size; it needs its own executable.
inline constexpr std::uint64_t kUsEditionDataSize = 10'080'256;

struct GameFolderFacts {
  std::optional<std::uint64_t> defaultXexSize;  // assets\default.xex, when it exists
  bool usEditionExeExists = false;              // mirefall_usa.exe
};

struct GameLaunchPlan {
  std::filesystem::path executable;
  std::string commandLine;  // UTF-8; the executable quoted, then the game's arguments
  std::filesystem::path workingDirectory;
};

// "mirefall_usa.exe" for a US data file when that executable is there, else "mirefall.exe";
// the game runs in the launcher's folder so its relative "assets" path resolves there.
GameLaunchPlan PlanGameLaunch(const std::filesystem::path& launcherFolder, const GameFolderFacts& facts);

// The launcher preference that hides Steam's overlay from the game.
bool WantsSteamOverlayHidden(const std::string* steamOverlayPref);

inline constexpr char kSteamOverlayHiddenVariable[] = "SteamNoOverlayUIDrawing";

}  // namespace mf::app
