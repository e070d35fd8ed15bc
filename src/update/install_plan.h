#pragma once
// What the update helper installs from the release zip, what it never touches, and how it
// undoes a half-finished installation.
#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

namespace mf::update {

// Program files, copied from the zip root in this order when the zip has them.
inline constexpr std::array<std::string_view, 9> kProgramFiles = {
    "PlayMirefall.exe", "mirefall.exe",        "hxbruntimerd.dll", "hxbgpu-xenosrd.dll",
    "TracyClientrd.dll", "amd_fidelityfx_dx12drel.dll", "mirefall_usa.exe", "gamecontrollerdb.txt",
    "README.txt"};

// The launcher itself: a zip root without it is not a release.
inline constexpr std::string_view kLauncherFile = kProgramFiles[0];

// The player's own files: backed up before the update, never taken from the zip.
inline constexpr std::array<std::string_view, 3> kUserFiles = {"mirefall.toml", "launcher.ini",
                                                               "mirefall.toml.backup"};

// The player's data folder, backed up without its first-level "cache" folder.
inline constexpr std::string_view kUserDataFolder = "userdata";
inline constexpr std::string_view kUserDataCacheFolder = "cache";

// Folders copied from the zip root into the same place under the installation.
struct InstallFolder {
  std::string_view relative;      // under both the zip root and the installation, '/'-separated
  std::string_view logName;       // "copy: <logName>/*"
  bool required;                  // a failure aborts the update
  std::string_view failurePrefix; // log text before the error when a failure is only noted
};
inline constexpr std::array<InstallFolder, 4> kInstallFolders = {{
    {"prompts", "prompts", true, ""},
    {"textures", "textures", true, ""},
    {"native", "native", false, "native copy FAILED (continuing): "},
    {"userdata/cache/shaders/shareable", "cache/shaders/shareable", false,
     "shareable cache copy FAILED (continuing): "},
}};

// The files of the installation that an update has replaced or added so far, so that a
// failed update can put the installation back as it was. Paths are relative to the
// installation folder.
class InstallJournal {
 public:
  // Notes that the file is about to be written. True when this is the first write to it
  // in this update and it exists: its original must be saved before it is overwritten. A
  // second write must not save again - the file then holds the new build's bytes.
  bool NoteWrite(const std::filesystem::path& relative, bool exists);
  // Takes back the last NoteWrite when its original could not be saved after all, so
  // that an undo leaves the untouched file alone.
  void ForgetLastWrite();

  struct UndoStep {
    std::filesystem::path relative;
    bool restoreOriginal;  // put the saved original back; otherwise delete the added file
  };
  // What undoes the update, newest write first.
  std::vector<UndoStep> UndoSteps() const;
  bool empty() const { return entries_.empty(); }

 private:
  std::vector<UndoStep> entries_;
};

}  // namespace mf::update
