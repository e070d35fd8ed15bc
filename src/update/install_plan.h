#pragma once
// What the update helper installs from the release zip, what it never touches, and how it
// undoes a half-finished installation.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
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

// What an update has done to the installation so far, so that a failed or interrupted
// update can be undone. Kept as a text file beside the saved originals, one line per step,
// each written (and flushed) before the step it describes: a helper stopped at any moment
// leaves a journal that undoes everything it may have touched. Paths are relative to the
// installation folder.
class InstallJournal {
 public:
  enum class Step {
    Replaced,  // the original was saved: put it back
    Added,     // the file did not exist: delete it
    Folder,    // the folder did not exist: remove it when empty
    Kept,      // the last step for this path did not happen after all: forget it
  };
  struct UndoStep {
    std::filesystem::path relative;
    Step step;
  };

  // Whether this update has already noted the path: its original, if any, is saved and a
  // later write must not save again - the file then holds the new build's bytes.
  bool Knows(const std::filesystem::path& relative) const;
  // Records a step; Kept takes back the newest step for the path.
  void Note(Step step, const std::filesystem::path& relative);

  // What undoes the update, newest step first.
  std::vector<UndoStep> UndoSteps() const;
  bool empty() const { return entries_.empty(); }

  // The journal file: a first line naming the installation, then one line per step.
  static std::string HeaderLine(std::string_view installFolderUtf8);
  static std::string StepLine(Step step, const std::filesystem::path& relative);
  // Written once every file is in place, just before the new launcher is started: from
  // then on the journal is only kept in case that start fails, and nothing else undoes it.
  static std::string CompleteLine();

 private:
  std::vector<UndoStep> entries_;
};

struct ParsedInstallJournal {
  std::string installFolderUtf8;
  InstallJournal journal;
  bool complete = false;
};
// Reads a journal file back. A last line without its line end was cut by a stop mid-write
// and is ignored, as are lines this version does not know and paths that would leave the
// installation. Nothing without a header.
std::optional<ParsedInstallJournal> ParseInstallJournal(std::string_view text);

}  // namespace mf::update
